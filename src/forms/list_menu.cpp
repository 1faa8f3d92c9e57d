#include "forms/list_menu.h"

#include "core/texts.h"
#include "stores/history_store.h"

namespace velm {

std::vector<ui::MenuItem> ListMenuItems(const ListMenuState& state) {
  using enum ui::ListAction;
  const bool selected = state.selected >= 0;
  constexpr ui::MenuItem kSeparator{nullptr, kOpen, false};
  // In move mode a click is the pick: 変更 and 作成 wait, as their keys do.
  return {
      {text::kMenuUndo, kUndo, state.can_undo},
      {text::kMenuRedo, kRedo, state.can_redo},
      kSeparator,
      {text::kMenuChange, kOpen, selected && !state.moving},
      {text::kMenuDelete, kDelete, selected},
      {text::kMenuCreate, kCreate, state.count < kHistoryValues && !state.moving},
      kSeparator,
      {text::kMenuMoveUp, kMoveUp, state.selected > 0},
      {text::kMenuMoveDown, kMoveDown, selected && state.selected < state.count - 1},
      kSeparator,
      {text::kMenuCopy, kCopy, selected},
  };
}

}  // namespace velm
