#include "tests/win32/message_box_watcher.h"

namespace veilpix::testing {
namespace {

constexpr int kTextId = 0xFFFF;
constexpr DWORD kPollMs = 20;

struct Search {
  DWORD process_id;
  std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(hwnd, &owner);
  wchar_t name[16];
  if (owner == search->process_id && IsWindowVisible(hwnd) && GetClassNameW(hwnd, name, 16) &&
      wcscmp(name, L"#32770") == 0) {
    search->boxes.push_back(hwnd);
  }
  return TRUE;
}

std::wstring TextOf(HWND hwnd) {
  wchar_t text[1024] = L"";
  GetWindowTextW(hwnd, text, 1024);
  return text;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD process_id)
    : process_id_(process_id), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<SeenMessageBox> MessageBoxWatcher::Seen() const {
  std::lock_guard lock(mutex_);
  return seen_;
}

bool MessageBoxWatcher::WaitForBoxes(size_t count, DWORD timeout_ms) const {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (Seen().size() < count) {
    if (GetTickCount64() > deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

void MessageBoxWatcher::Watch() {
  while (!stop_) {
    AnswerNewBoxes();
    Sleep(kPollMs);
  }
}

void MessageBoxWatcher::AnswerNewBoxes() {
  Search search{process_id_, {}};
  EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&search));
  std::lock_guard lock(mutex_);
  // A handle may come back for a later box once the answered one is gone.
  std::erase_if(answered_, [](HWND box) { return !IsWindow(box); });
  for (HWND box : search.boxes) {
    if (!answered_.insert(box).second) continue;
    seen_.push_back({TextOf(box), TextOf(GetDlgItem(box, kTextId))});
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

}  // namespace veilpix::testing
