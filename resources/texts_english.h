#pragma once
// Veilpix in English, wherever Windows' display language is not Japanese. The message boxes keep
// their English titles; every font is the system's message font.

#include "resources/texts.h"

namespace veilpix {

constexpr Texts kEnglishTexts = MakeTexts({
    {text::kAppTitle, L"Veilpix"},
    {text::kUsage,
     L"Veilpix.exe [/on | /off | /toggle]\n\n"
     L"(none)\tStays in the tray.\n/on\tShows pictures.\n/off\tHides pictures.\n"
     L"/toggle\tSwitches between the two."},
    {text::kShown, L"Shown"},
    {text::kHidden, L"Hidden"},
    {text::kMainFont, L""},
    {text::kMenuToggle, L"Use external program"},
    {text::kMenuChange, L"Switch on left click"},
    {text::kMenuStart, L"Show window at startup"},
    {text::kMenuPosition, L"Remember window position"},
    {text::kMenuAbout, L"About Veilpix"},
    {text::kMenuEnd, L"Exit"},
    {text::kStartFailed, L"The external program could not be started. Check the file.\n\n"},
    {text::kStartFailedTitle, L" Cannot Start!"},
    {text::kOutOfMemory, L"ERROR #7 : Out of memory."},
    {text::kChooserCaption, L"Choose external program"},
    {text::kChooserPrompt, L"Choose the external program."},
    {text::kChooserOk, L"OK"},
    {text::kChooserCancel, L"Cancel"},
    {text::kChooserFont, L""},
    {text::kInvalidFile, L"This external program cannot be used."},
    {text::kInvalidFileTitle, L" Invalid File!"},
    {text::kAboutCaption, L"About Veilpix"},
    {text::kAboutTitlePrefix, L"Veilpix version "},
    {text::kAboutDescription, L"Switches IE's pictures on and off with one click."},
    {text::kAboutLicence, L"Released under the MIT License."},
    {text::kAboutSupport, L"Support home page"},
    {text::kAboutWww, L"Web:"},
    {text::kAboutReport, L"Bug reports"},
    {text::kAboutEmail, L"Web:"},
    {text::kAboutOk, L"OK"},
    {text::kAboutTitleFont, L""},
    {text::kAboutLabelFont, L""},
    {text::kAboutOkFont, L""},
    {text::kAboutTipErase, L"Erases Veilpix's settings and exits. Use it before uninstalling."},
    {text::kAboutTipSupport, L"Get the latest version."},
    {text::kAboutTipReport, L"Report bugs here."},
    {text::kErased, L"Veilpix's settings have been erased. Veilpix will now exit."},
    {text::kErasedTitle, L" Erasing Registry Has Finished!"},
    {text::kNothingStored, L"No Veilpix settings are stored in the registry."},
    {text::kNothingStoredTitle, L" No Registry Information!"},
    {text::kEraseFailed, L"Veilpix's settings could not be erased.\n\n"},
    {text::kSupportUrl, VEILPIX_SUPPORT_URL},
    {text::kBugReportUrl, VEILPIX_BUG_REPORT_URL},
    {text::kOpenFailedTitle, L"Error"},
    {text::kOpenNoMemory, L"Not enough memory."},
    {text::kOpenFileNotFound, L"The specified file was not found."},
    {text::kOpenPathNotFound, L"The specified path was not found."},
    {text::kOpenAccessDenied, L"Access to the specified file was denied."},
    {text::kOpenSharingViolation, L"A sharing violation occurred."},
    {text::kOpenAssociationIncomplete, L"The file name association is incomplete or invalid."},
    {text::kOpenDdeTimeout, L"The DDE transaction timed out."},
    {text::kOpenDdeFailed, L"The DDE transaction failed."},
    {text::kOpenDdeBusy, L"The DDE transaction could not be processed."},
    {text::kOpenNoAssociation, L"No program is associated with the file's extension."},
    {text::kOpenDllNotFound, L"The specified dynamic-link library was not found."},
});

}  // namespace veilpix
