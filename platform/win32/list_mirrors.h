#pragma once
// Carries a list's entries and selection into a real list box or drop-down combo box.

#include <windows.h>

#include "platform/list_control.h"

namespace veilpix {

// The messages that fill and select in one kind of list window.
struct ListMessages {
  UINT reset;
  UINT add;
  UINT select;
};
inline constexpr ListMessages kListBoxMessages{LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL};
inline constexpr ListMessages kComboBoxMessages{CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL};

class ListWindowMirror final : public ListMirror {
 public:
  ListWindowMirror(HWND hwnd, const ListMessages& messages) : hwnd_(hwnd), messages_(messages) {}
  void ShowItems(const std::vector<ListItem>& items) override;
  void ShowListIndex(int index) override;

 private:
  HWND hwnd_;
  ListMessages messages_;
};

}  // namespace veilpix
