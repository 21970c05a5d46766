#include "platform/list_control.h"

#include <utility>

namespace veilpix {

void ListControl::Attach(std::unique_ptr<ListMirror> mirror) {
  mirror_ = std::move(mirror);
  mirror_->ShowItems(items_);
  mirror_->ShowListIndex(list_index_);
}

void ListControl::Fill(std::vector<ListItem> items, int index) {
  items_ = std::move(items);
  if (mirror_) mirror_->ShowItems(items_);
  Select(index);
}

void ListControl::Select(int index) {
  if (index < 0 || index >= ListCount()) index = -1;
  list_index_ = index;
  if (mirror_) mirror_->ShowListIndex(list_index_);
}

}  // namespace veilpix
