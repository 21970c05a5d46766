#include "core/language.h"

#include <algorithm>

#include "resources/texts_english.h"
#include "resources/texts_japanese.h"

namespace veilpix {
namespace {

// The low ten bits of a language id are its primary language; LANG_JAPANESE is 0x11.
constexpr unsigned short kPrimaryLanguageMask = 0x3ff;
constexpr unsigned short kJapanese = 0x11;

static_assert(std::ranges::count(kJapaneseTexts, nullptr) == 0 &&
                  std::ranges::count(kEnglishTexts, nullptr) == 0,
              "each language gives every text");

}  // namespace

Language LanguageFor(unsigned short language_id) {
  return (language_id & kPrimaryLanguageMask) == kJapanese ? Language::kJapanese
                                                           : Language::kEnglish;
}

const Texts& TextsFor(Language language) {
  return language == Language::kJapanese ? kJapaneseTexts : kEnglishTexts;
}

}  // namespace veilpix
