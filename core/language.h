#pragma once
// The language Veilpix speaks: Japanese where Windows' display language is Japanese, English
// everywhere else. Decided once, at start-up.

#include "resources/texts.h"

namespace veilpix {

enum class Language { kJapanese, kEnglish };

// From a Windows language id (GetUserDefaultUILanguage): its primary language decides, so every
// Japanese sublanguage is Japanese and the neutral ids are English.
Language LanguageFor(unsigned short language_id);

const Texts& TextsFor(Language language);

}  // namespace veilpix
