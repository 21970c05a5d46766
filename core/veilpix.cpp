#include "core/veilpix.h"

#include "core/options.h"
#include "core/paths.h"
#include "resources/resource.h"

namespace veilpix {
namespace {

// The shell's failures that the user is told about when a link cannot be opened; every other
// result of 32 or less passes silently.
struct ShellFailure {
  int code;
  text::Id message;
};
constexpr ShellFailure kShellFailures[] = {
    {0, text::kOpenNoMemory},
    {2, text::kOpenFileNotFound},
    {3, text::kOpenPathNotFound},
    {5, text::kOpenAccessDenied},
    {8, text::kOpenNoMemory},
    {26, text::kOpenSharingViolation},
    {27, text::kOpenAssociationIncomplete},
    {28, text::kOpenDdeTimeout},
    {29, text::kOpenDdeFailed},
    {30, text::kOpenDdeBusy},
    {31, text::kOpenNoAssociation},
    {32, text::kOpenDllNotFound},
};

// Only a switching program whose name says so; character codes compared, so case counts.
constexpr std::wstring_view kTogglerMark = L"Togg";

}  // namespace

void Veilpix::Start() {
  state_.icon_added = false;
  Refresh();
  const bool present = world_.FileExists(TogglePath());
  state_.external = state_.external_locked = present && Number(key::kToggle, 1) != 0;
  state_.remember_position = Number(key::kPosition, 0) != 0;
  Position position;
  if (state_.remember_position) {
    position = {StoredSingle(world_.ReadOption(key::kTop, L"0")),
                StoredSingle(world_.ReadOption(key::kLeft, L"0"))};
  }
  world_.MoveWindow(position);
  state_.show_at_start = Number(key::kShow, 0) != 0;
  state_.click_switches = Number(key::kChange, 1) == 1;
  state_.window_visible = state_.show_at_start && !state_.click_switches;
  state_.icon_added = true;
  world_.ShowState(state_);
  world_.ShowWindow(state_.window_visible, false);
}

void Veilpix::Refresh() {
  if (state_.ended) return;
  state_.pictures_shown = world_.ReadPictures() != L"no";
  world_.ShowState(state_);
  // A refused modify means the icon is not there: the shell was not ready for the first add (at
  // log-on) or lost the icon without a word. Veilpix cannot be reached without it.
  if (!state_.icon_added || !world_.TrayIcon(IconAction::kModify))
    world_.TrayIcon(IconAction::kAdd);
}

void Veilpix::TaskbarCreated() {
  if (state_.icon_added && !state_.ended) world_.TrayIcon(IconAction::kAdd);
}

void Veilpix::TrayButton(int mouse_message) {
  // While a box is open the action that opened it is not started again.
  if (state_.in_message_box || state_.ended) return;
  if (mouse_message != kLeftButtonDown && mouse_message != kRightButtonDown) return;
  if (state_.about_open) {
    state_.about_open = false;
    world_.CloseAbout();
  }
  if (mouse_message == kRightButtonDown) {
    world_.PopupMenu();
  } else if (state_.click_switches) {
    Switch();
  } else {
    ToggleWindow();
  }
}

// The hidden window's button may still hold the focus: only a button the user sees switches.
void Veilpix::ButtonClick() {
  if (state_.window_visible && !state_.in_message_box && !state_.ended) Switch();
}

void Veilpix::Command(int id) {
  if (state_.ended || (state_.in_message_box && id != IDM_END)) return;
  switch (id) {
    case IDM_TOGGLE:
      ExternalCommand();
      break;
    case IDM_CHANGE:
      Flip(state_.click_switches, key::kChange);
      if (state_.click_switches) CloseBox();
      break;
    case IDM_START:
      Flip(state_.show_at_start, key::kShow);
      break;
    case IDM_POS:
      Flip(state_.remember_position, key::kPosition);
      break;
    case IDM_ABOUT:
      state_.about_open = true;
      world_.ShowAbout();
      state_.about_open = false;
      break;
    case IDM_END:
      Exit();
      break;
    default:
      break;
  }
}

void Veilpix::CloseBox() {
  state_.window_visible = false;
  world_.ShowWindow(false, false);
}

bool Veilpix::ShowFromOutside() {
  // Ending (the last box of an erase may still be open): the other start takes over instead.
  if (state_.ended || state_.settings_erased) return false;
  state_.window_visible = true;
  world_.ShowWindow(true, true);
  return true;
}

void Veilpix::Exit() {
  if (state_.ended) return;
  // Right after the settings were erased nothing may be written back.
  if (!state_.settings_erased) {
    const Position position = world_.WindowPosition();
    world_.WriteOption(key::kTop, FormatSingle(position.top));
    world_.WriteOption(key::kLeft, FormatSingle(position.left));
  }
  world_.TrayIcon(IconAction::kDelete);
  state_.ended = true;
  world_.EndProgram();
}

// For use before uninstalling: erases every stored option and ends. With nothing stored the user
// is told so and Veilpix keeps running; so it does when the erase failed, the options still
// written on as before.
void Veilpix::Erase() {
  const long error = world_.EraseOptions();
  if (error != 0 && error != kNothingStored) {
    Box(texts_[text::kEraseFailed] + world_.ErrorText(error), kBoxWarning, {});
    return;
  }
  if (error == kNothingStored) {
    Box(texts_[text::kNothingStored], kBoxInformation, texts_[text::kNothingStoredTitle]);
    return;
  }
  // Only now is there nothing to keep: the position is not written back as Veilpix ends.
  state_.settings_erased = true;
  Box(texts_[text::kErased], kBoxInformation, texts_[text::kErasedTitle]);
  Exit();
}

// Each link opens the address it shows; the About window closes whether or not that worked.
void Veilpix::OpenLink(int index) {
  const std::wstring_view address =
      index == 0 ? texts_[text::kSupportUrl] : texts_[text::kBugReportUrl];
  const int result = world_.OpenDocument(address);
  for (const ShellFailure& failure : kShellFailures) {
    if (result == failure.code)
      Box(texts_[failure.message], kBoxStop, texts_[text::kOpenFailedTitle]);
  }
  if (state_.about_open && !state_.ended) {
    state_.about_open = false;
    world_.CloseAbout();
  }
}

bool Veilpix::ChooserOk(std::wstring_view directory, std::wstring_view file) {
  if (file.find(kTogglerMark) == std::wstring_view::npos) {
    Box(texts_[text::kInvalidFile], kBoxInformation, texts_[text::kInvalidFileTitle]);
    return false;
  }
  // The opened directory, whose files the list shows, not a merely highlighted one.
  world_.WriteOption(key::kTogglePath, JoinPath(directory, file));
  state_.external = true;
  world_.ShowState(state_);
  return true;
}

void Veilpix::Switch() {
  if (state_.external) {
    const std::wstring path = TogglePath();  // as chosen last, perhaps since the start
    if (!world_.StartMinimized(path)) {
      // Nothing has changed, so there is nothing to announce.
      Box(texts_[text::kStartFailed] + path, kBoxWarning, texts_[text::kStartFailedTitle]);
      Refresh();
      return;
    }
  } else {
    const WriteResult result = world_.WritePictures(state_.pictures_shown ? L"no" : L"yes");
    if (result == WriteResult::kStored) state_.pictures_shown = !state_.pictures_shown;
    if (result == WriteResult::kOutOfMemory) Box(texts_[text::kOutOfMemory], kBoxPlain, {});
  }
  world_.BroadcastChange();
  Refresh();  // shows what the registry now holds, whatever was written
}

void Veilpix::ToggleWindow() {
  state_.window_visible = !state_.window_visible;
  world_.ShowWindow(state_.window_visible, state_.window_visible);
}

void Veilpix::ExternalCommand() {
  if (state_.external) {
    state_.external = false;
    world_.WriteOption(key::kToggle, L"0");
  } else {
    if (!world_.FileExists(TogglePath())) world_.ShowChooser();  // its OK marks the option
    // Stored also when picked in the chooser: a "0" left from before would otherwise turn the
    // program just chosen off again at the next start.
    state_.external = state_.external || world_.FileExists(TogglePath());
    if (state_.external) world_.WriteOption(key::kToggle, L"1");
  }
  world_.ShowState(state_);
}

void Veilpix::Flip(bool& option, std::wstring_view key) {
  option = !option;
  world_.WriteOption(key, option ? L"1" : L"0");
  world_.ShowState(state_);
}

void Veilpix::Box(std::wstring_view text, unsigned style, std::wstring_view title) {
  const bool nested = state_.in_message_box;
  state_.in_message_box = true;
  world_.ShowMessage(text, style, title);
  state_.in_message_box = nested;
}

// A stored text that is not a number reads as the key's default.
double Veilpix::Number(std::wstring_view key, double absent) {
  return ParseStoredNumber(world_.ReadOption(key, absent ? L"1" : L"0")).value_or(absent);
}

std::wstring Veilpix::TogglePath() {
  return world_.ReadOption(key::kTogglePath, kDefaultTogglePath);
}

}  // namespace veilpix
