#include "pages/speaker/radio_buttons.h"

namespace tw::pages::speaker {

std::vector<ui::RadioButton> RadioButtonsFor(const ChoiceItem& item, int firstId) {
  std::vector<ui::RadioButton> buttons;
  int id = firstId;
  for (std::string_view text : item.texts) buttons.push_back({id++, std::string(text), true});
  return buttons;
}

void EnableButtons(ui::RadioGroup& group, bool enabled) {
  for (int i = 0; i < group.count(); ++i) group.setButtonEnabled(i, enabled);
}

void RestoreRadioFocus(ui::RadioGroup& group) {
  if (group.count() != 2 || group.focusedButton() < 0 || group.selected() < 0) return;
  if (group.focusedButton() != group.selected()) group.setFocusedButton(group.selected());
}

}  // namespace tw::pages::speaker
