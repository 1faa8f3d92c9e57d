#include "dialogs/dialog_layout.h"

#include <algorithm>

namespace velm::ui {

int InputBoxPromptWrapWidth(DialogUnits units) {
  return units.Horz(164);
}

InputBoxLayout LayoutInputBox(DialogUnits units, Size prompt, int edit_height) {
  InputBoxLayout layout;
  layout.prompt = {units.Horz(8), units.Vert(8), prompt.width, prompt.height};
  layout.edit = {layout.prompt.left, layout.prompt.bottom() + units.Pixels(5), units.Horz(164),
                 edit_height};
  const int button_top = layout.edit.bottom() + units.Pixels(15);
  const int button_width = units.Horz(50);
  const int button_height = units.Vert(14);
  layout.ok = {units.Horz(38), button_top, button_width, button_height};
  layout.cancel = {units.Horz(92), button_top, button_width, button_height};
  layout.client = {units.Horz(180), layout.ok.bottom() + units.Pixels(13)};
  return layout;
}

Rect CentredIn(const Rect& work_area, Size outer) {
  const int left = work_area.left + std::max(0, (work_area.width - outer.width) / 2);
  const int top = work_area.top + std::max(0, (work_area.height - outer.height) / 2);
  return {left, top, outer.width, outer.height};
}

MessageDialogLayout LayoutMessageDialog(DialogUnits units, Size text, bool has_icon,
                                        int button_count, int widest_caption) {
  const int margin_x = units.Horz(8);
  const int margin_y = units.Vert(8);
  const int spacing_x = units.Horz(10);
  const int spacing_y = units.Vert(10);
  const int button_width = std::max(units.Horz(50), widest_caption + units.Pixels(8));
  const int icon_size = units.Pixels(kIconSize);
  const int button_height = units.Vert(14);
  const int button_gap = units.Horz(4);

  int block_width = text.width;
  int block_height = text.height;
  if (has_icon) {
    block_width += icon_size + spacing_x;
    block_height = std::max(block_height, icon_size);
  }
  const int row_width =
      button_count > 0 ? button_width * button_count + button_gap * (button_count - 1) : 0;

  MessageDialogLayout layout;
  layout.client = {std::max(block_width, row_width) + 2 * margin_x,
                   block_height + spacing_y + button_height + 2 * margin_y};
  if (has_icon) layout.icon = {margin_x, margin_y, icon_size, icon_size};
  layout.text = {margin_x + block_width - text.width, margin_y, text.width, text.height};
  int x = (layout.client.width - row_width) / 2;
  const int y = margin_y + block_height + spacing_y;
  for (int i = 0; i < button_count; ++i, x += button_width + button_gap)
    layout.buttons.push_back({x, y, button_width, button_height});
  return layout;
}

}  // namespace velm::ui
