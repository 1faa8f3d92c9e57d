#include "core/error.h"
#include "core/texts.h"
#include "ui/controls.h"

namespace velm::ui {

void ListControl::Move(int from, int to) {
  if (from == to) return;
  if (from < 0 || from >= Count())
    throw Error(ErrorKind::kIndex, FormatText(text::kIndexError, from));
  std::string moved = Text(from);
  const std::uintptr_t data = ItemData(from);
  SetRedraw(false);
  try {
    Remove(from);
    Insert(to, moved);
    if (data != 0) SetItemData(to, data);
  } catch (...) {
    SetRedraw(true);
    throw;
  }
  SetRedraw(true);
}

}  // namespace velm::ui
