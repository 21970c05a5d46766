#pragma once
// Every text Veilpix shows, named for its job. Each language gives all of them in a table of its
// own (texts_japanese.h, texts_english.h); core/language.h picks the user's at start-up.

#include <array>
#include <initializer_list>
#include <utility>

namespace veilpix {
namespace text {

enum Id : int {
  kAppTitle,  // the main window, the tray tip and every message box without a title of its own
  kUsage,     // Veilpix.exe /?

  // Main window: the button's caption is the picture-display state.
  kShown,
  kHidden,
  kMainFont,

  // Tray menu
  kMenuToggle,
  kMenuChange,
  kMenuStart,
  kMenuPosition,
  kMenuAbout,
  kMenuEnd,

  // The external switching program could not be started (its path follows).
  kStartFailed,
  kStartFailedTitle,
  // Writing the picture setting ran out of memory.
  kOutOfMemory,

  // Chooser of the external switching program
  kChooserCaption,
  kChooserPrompt,
  kChooserOk,
  kChooserCancel,
  kChooserFont,
  kInvalidFile,
  kInvalidFileTitle,

  // About window: its title is the prefix and the version.
  kAboutCaption,
  kAboutTitlePrefix,
  kAboutDescription,
  kAboutLicence,
  kAboutSupport,
  kAboutWww,
  kAboutReport,
  kAboutEmail,
  kAboutOk,
  kAboutTitleFont,
  kAboutLabelFont,
  kAboutOkFont,
  kAboutTipErase,
  kAboutTipSupport,
  kAboutTipReport,
  kErased,
  kErasedTitle,
  kNothingStored,
  kNothingStoredTitle,
  kEraseFailed,  // the system's description of the error follows

  // The two web pages: each link shows the address it opens.
  kSupportUrl,
  kBugReportUrl,

  // Opening a document or address failed: the shell's result codes.
  kOpenFailedTitle,
  kOpenNoMemory,
  kOpenFileNotFound,
  kOpenPathNotFound,
  kOpenAccessDenied,
  kOpenSharingViolation,
  kOpenAssociationIncomplete,
  kOpenDdeTimeout,
  kOpenDdeFailed,
  kOpenDdeBusy,
  kOpenNoAssociation,
  kOpenDllNotFound,

  kCount
};

// A control that shows no text of its own.
inline constexpr Id kNone = kCount;

}  // namespace text

// One language's texts by id. A font's text is its face; an empty one stands for the system's
// message font.
using Texts = std::array<const wchar_t*, text::kCount>;

// A language's table from its texts in any order.
constexpr Texts MakeTexts(std::initializer_list<std::pair<text::Id, const wchar_t*>> entries) {
  Texts texts{};
  for (const auto& [id, text] : entries) texts[id] = text;
  return texts;
}

// The same in every language.
#define VEILPIX_SUPPORT_URL L"https://github.com/veilpix/veilpix"
#define VEILPIX_BUG_REPORT_URL L"https://github.com/veilpix/veilpix/issues"

}  // namespace veilpix
