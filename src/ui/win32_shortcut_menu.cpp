#include "ui/win32_shortcut_menu.h"

#include <string>

#include "core/ansi_text.h"
#include "core/win32_handles.h"
#include "ui/win32_command_keys.h"

namespace velm::ui {

std::optional<ListAction> TrackShortcutMenu(HWND owner, const std::vector<MenuItem>& items,
                                            POINT at) {
  UniqueMenu menu(CreatePopupMenu());
  if (!menu) return std::nullopt;
  UINT position = 0;
  for (const MenuItem& item : items) {
    MENUITEMINFOW line{};
    line.cbSize = sizeof line;
    if (!item.text) {
      line.fMask = MIIM_FTYPE;
      line.fType = MFT_SEPARATOR;
      InsertMenuItemW(menu.get(), position++, TRUE, &line);
      continue;
    }
    std::u16string text = AnsiToUtf16(item.text);
    line.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_ID | MIIM_STATE;
    line.fType = MFT_STRING;
    line.fState = item.enabled ? MFS_ENABLED : MFS_GRAYED;
    line.wID = static_cast<UINT>(CommandIdOf(item.action));
    line.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    InsertMenuItemW(menu.get(), position++, TRUE, &line);
  }
  // Where the user's settings open menus from: right-to-left systems align
  // them to the right of the point.
  const UINT align = GetSystemMetrics(SM_MENUDROPALIGNMENT) ? TPM_RIGHTALIGN : TPM_LEFTALIGN;
  const BOOL chosen = TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | align, at.x,
                                     at.y, 0, owner, nullptr);
  return ActionOfCommandId(chosen);
}

}  // namespace velm::ui
