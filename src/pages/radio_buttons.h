#pragma once

#include <vector>

#include "pages/page_items.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {

// The buttons of a radio group for a choice item: its texts in entry order, with template
// ids from `firstId` on; entries past the item's shown ones are hidden buttons.
std::vector<ui::RadioButton> Buttons(const ChoiceItem& item, int firstId);

// Enables or disables every button of the group (the frame stays as it is).
void EnableButtons(ui::RadioGroup& group, bool enabled);

// After a refresh: the focus of a two-button group moves to the button now selected.
void RestoreRadioFocus(ui::RadioGroup& group);

}  // namespace tw::pages
