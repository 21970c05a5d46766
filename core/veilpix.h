#pragma once
// What Veilpix keeps and decides, apart from any window: one function per event, acting on the
// world through one narrow interface. The tray window, the About window and the chooser only
// decode their messages into these events and show what the model asks them to.

#include <string>
#include <string_view>

#include "resources/texts.h"

namespace veilpix {

// Mouse messages the shell reports for the tray icon.
inline constexpr int kLeftButtonDown = 0x201;
inline constexpr int kRightButtonDown = 0x204;

// Message box styles: the buttons and the icon.
inline constexpr unsigned kBoxPlain = 0;         // OK only, no icon
inline constexpr unsigned kBoxStop = 16;         // OK and the stop icon
inline constexpr unsigned kBoxWarning = 48;      // OK and the warning icon
inline constexpr unsigned kBoxInformation = 64;  // OK and the information icon

inline constexpr long kNothingStored = 2;  // erasing found no settings (ERROR_FILE_NOT_FOUND)

enum class IconAction { kAdd, kModify, kDelete };
enum class WriteResult { kStored, kRefused, kOutOfMemory };

// A window position in twips, as the settings keep it.
struct Position {
  float top = 0;
  float left = 0;
};

// The state Veilpix shows: the button's caption, the tray image and the menu's marks.
struct State {
  bool pictures_shown = true;      // "表示"; "非表示" when false
  bool external = false;           // 外部ソフトを使用 is checked
  bool external_locked = false;    // ... and greyed: on at start with its program present
  bool click_switches = false;     // 左クリックで切換; greys the two below
  bool show_at_start = false;      // 起動時に画面表示
  bool remember_position = false;  // 表示場所を記憶
  bool window_visible = true;
  bool icon_added = false;       // start-up has made its first add
  bool settings_erased = false;  // the About window's erase removed them: Veilpix is ending
  bool in_message_box = false;   // one of Veilpix's message boxes is open
  bool about_open = false;
  bool ended = false;  // the window is gone: nothing more may reach the shell
};

class World {
 public:
  virtual ~World() = default;

  // Internet Explorer's picture setting as stored: "" when missing, unreadable or not text.
  virtual std::wstring ReadPictures() = 0;
  virtual WriteResult WritePictures(std::wstring_view text) = 0;
  // Tells every top-level window that the setting changed, never waiting on a hung one.
  virtual void BroadcastChange() = 0;

  // Veilpix's own options, per user.
  virtual std::wstring ReadOption(std::wstring_view key, std::wstring_view absent) = 0;
  virtual void WriteOption(std::wstring_view key, std::wstring_view text) = 0;
  // 0 when erased, kNothingStored, or the system's error code.
  virtual long EraseOptions() = 0;

  virtual bool FileExists(std::wstring_view path) = 0;
  // Starts the program minimised without waiting for it; false when it cannot start.
  virtual bool StartMinimized(std::wstring_view path) = 0;
  // Opens an address with its program; the shell's result, above 32 on success.
  virtual int OpenDocument(std::wstring_view address) = 0;
  // The system's description of one of its error codes, with the code.
  virtual std::wstring ErrorText(long code) = 0;
  // Returns when the user has closed it. An empty title stands for "Veilpix".
  virtual void ShowMessage(std::wstring_view text, unsigned style, std::wstring_view title) = 0;

  // False when the shell refused. The image follows `state.pictures_shown` as last shown.
  virtual bool TrayIcon(IconAction action) = 0;
  // The button's caption, the tray image to use next and the menu's marks.
  virtual void ShowState(const State& state) = 0;
  virtual void ShowWindow(bool visible, bool topmost) = 0;
  virtual void MoveWindow(Position position) = 0;
  virtual Position WindowPosition() = 0;
  virtual void PopupMenu() = 0;
  // Modal: each returns once its window has closed.
  virtual void ShowChooser() = 0;
  virtual void ShowAbout() = 0;
  virtual void CloseAbout() = 0;
  // Destroys the tray window; the program ends with it.
  virtual void EndProgram() = 0;
};

class Veilpix {
 public:
  // Its message boxes speak the language of `texts`.
  Veilpix(World& world, const Texts& texts) : world_(world), texts_(texts) {}
  Veilpix(const Veilpix&) = delete;
  Veilpix& operator=(const Veilpix&) = delete;

  const State& state() const { return state_; }

  // Reads the setting and the stored options, adds the tray icon, shows or hides the window.
  void Start();
  // The timer's tick and the registry watch: reads the setting again.
  void Refresh();
  // The shell's notification area was made anew (Explorer restarted).
  void TaskbarCreated();
  void TrayButton(int mouse_message);
  // The main window's button, by click or key.
  void ButtonClick();
  // A tray menu command, by its resource id (IDM_*).
  void Command(int id);
  // The title bar's close box: Veilpix lives on in the tray.
  void CloseBox();
  // Another start of Veilpix asked this one to show itself. False when this one is ending, so
  // that the other start stays as the resident.
  bool ShowFromOutside();
  // The session ends.
  void Exit();

  // The About window's erase picture and its links (0: support page, 1: bug reports).
  void Erase();
  void OpenLink(int index);
  // The chooser's OK with the opened directory and the selected file name. True when taken:
  // the chooser closes.
  bool ChooserOk(std::wstring_view directory, std::wstring_view file);

 private:
  void Switch();
  void ToggleWindow();
  void ExternalCommand();
  void Flip(bool& option, std::wstring_view key);
  void Box(std::wstring_view text, unsigned style, std::wstring_view title);
  double Number(std::wstring_view key, double absent);
  std::wstring TogglePath();

  World& world_;
  const Texts& texts_;
  State state_;
};

}  // namespace veilpix
