#pragma once
// What the drive, directory and file lists have in common: entries and a selected index, held
// here and mirrored into a real list when one is attached.

#include <memory>
#include <string>
#include <vector>

namespace veilpix {

struct ListItem {
  std::wstring text;
  int indent = 0;     // levels below the list's first entry (the directory tree)
  bool open = false;  // a directory on the way to the opened one, or the opened one itself
};

// Receives every change of a list's entries or selection; the win32 side implements it.
class ListMirror {
 public:
  virtual ~ListMirror() = default;
  virtual void ShowItems(const std::vector<ListItem>& items) = 0;
  virtual void ShowListIndex(int index) = 0;  // -1: nothing selected
};

class ListControl {
 public:
  const std::vector<ListItem>& Items() const { return items_; }
  int ListCount() const { return static_cast<int>(items_.size()); }
  // The selected entry; -1 when none.
  int ListIndex() const { return list_index_; }

  // Pushes the entries and the selection into the mirror, which from then on shows every change.
  void Attach(std::unique_ptr<ListMirror> mirror);

 protected:
  // Replaces the entries and selects `index`.
  void Fill(std::vector<ListItem> items, int index);
  // Selects `index`; anything outside the entries selects nothing.
  void Select(int index);

 private:
  std::vector<ListItem> items_;
  int list_index_ = -1;
  std::unique_ptr<ListMirror> mirror_;
};

}  // namespace veilpix
