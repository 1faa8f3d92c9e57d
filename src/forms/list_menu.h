// The history list's shortcut menu: its commands in their order, and which
// of them can act in the list as it stands. An item that would do nothing
// is greyed rather than left out, so the menu keeps its shape.
#pragma once

#include <vector>

#include "ui/controls.h"

namespace velm {

struct ListMenuState {
  int count;     // entries in the list
  int selected;  // -1: none
  bool moving;   // in move mode, where a click is the pick
  bool can_undo;
  bool can_redo;
};

std::vector<ui::MenuItem> ListMenuItems(const ListMenuState& state);

}  // namespace velm
