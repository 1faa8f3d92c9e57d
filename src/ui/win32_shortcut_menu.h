// A list's shortcut menu over the system's popup menu (TrackPopupMenu), so
// that screen readers and the keyboard work it as any Windows menu. Built
// when it opens and destroyed when it closes: nothing at start-up.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "ui/controls.h"

namespace velm::ui {

// Shows items at the screen point at, owned by owner, and waits until the
// user chooses or leaves. The chosen item's action; none when the menu was
// dismissed.
std::optional<ListAction> TrackShortcutMenu(HWND owner, const std::vector<MenuItem>& items,
                                            POINT at);

}  // namespace velm::ui
