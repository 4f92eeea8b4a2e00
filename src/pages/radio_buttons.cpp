#include "pages/radio_buttons.h"

namespace tw::pages {

std::vector<ui::RadioButton> Buttons(const ChoiceItem& item, int firstId) {
  std::vector<ui::RadioButton> buttons;
  for (int entry = 0; entry < item.count(); ++entry) {
    buttons.push_back({firstId + entry, std::string(item.texts[static_cast<std::size_t>(entry)]), true,
                       item.isShown(entry)});
  }
  return buttons;
}

void EnableButtons(ui::RadioGroup& group, bool enabled) {
  for (int i = 0; i < group.count(); ++i) group.setButtonEnabled(i, enabled);
}

void RestoreRadioFocus(ui::RadioGroup& group) {
  if (group.count() != 2 || group.focusedButton() < 0 || group.selected() < 0) return;
  if (group.focusedButton() != group.selected()) group.setFocusedButton(group.selected());
}

}  // namespace tw::pages
