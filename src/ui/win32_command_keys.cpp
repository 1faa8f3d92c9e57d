#include "ui/win32_command_keys.h"

namespace velm::ui {

namespace {

constexpr int kFirstCommandId = 0x200;
constexpr int kActions = static_cast<int>(ListAction::kCopy) + 1;

// Enter stays with the lists: on a button it presses the button. A double
// click is no key.
UniqueAcceleratorTable MakeTable() {
  using enum ListAction;
  constexpr BYTE kKey = FVIRTKEY;
  constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
  auto row = [](BYTE flags, WORD key, ListAction action) {
    return ACCEL{flags, key, static_cast<WORD>(CommandIdOf(action))};
  };
  ACCEL rows[] = {
      row(kCtrl, 'Z', kUndo),       row(kCtrl, 'Y', kRedo),         row(kCtrl | FSHIFT, 'Z', kRedo),
      row(kKey, VK_F2, kOpen),      row(kKey, VK_DELETE, kDelete),  row(kKey, VK_INSERT, kCreate),
      row(kCtrl, VK_UP, kMoveUp),   row(kCtrl, VK_DOWN, kMoveDown), row(kCtrl, 'C', kCopy),
      row(kCtrl, VK_INSERT, kCopy),  // the older copy key
  };
  return UniqueAcceleratorTable(CreateAcceleratorTableA(rows, ARRAYSIZE(rows)));
}

bool DropDownOpen(HWND focus) {
  wchar_t kind[16] = {};
  return focus && GetClassNameW(focus, kind, 16) && lstrcmpiW(kind, L"ComboBox") == 0 &&
         SendMessageW(focus, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

}  // namespace

int CommandIdOf(ListAction action) {
  return kFirstCommandId + static_cast<int>(action);
}

std::optional<ListAction> ActionOfCommandId(int id) {
  if (id < kFirstCommandId || id >= kFirstCommandId + kActions) return std::nullopt;
  return static_cast<ListAction>(id - kFirstCommandId);
}

bool CommandKeys::Translate(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  if (!msg.hwnd || GetAncestor(msg.hwnd, GA_ROOT) != form_ || DropDownOpen(GetFocus()))
    return false;
  if (!table_) table_ = MakeTable();
  return table_ && TranslateAcceleratorA(form_, table_.get(), &msg) != 0;
}

}  // namespace velm::ui
