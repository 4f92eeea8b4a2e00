#pragma once

#include "ui/controls/control.h"

#include <functional>
#include <string>
#include <vector>

namespace tw::ui {

struct RadioButton {
  int id = 0;  // the template id of the button
  std::string text;
  bool enabled = true;
  // A hidden button is never shown or clicked, but its index is still a value of the group
  // (a setting the receiver has that this screen does not offer).
  bool visible = true;
};

// A group of automatic radio buttons, drawn in a frame with the group's caption. The value
// is the index of the checked button, as dialog data exchange gives it (0 = first button,
// -1 = none). One handler serves every button of the group, as on the pages.
class RadioGroup : public Control {
 public:
  // `id` is the template id of the frame around the buttons (0 when there is none).
  RadioGroup(int id, std::string caption, std::vector<RadioButton> buttons);
  ControlKind kind() const override { return ControlKind::RadioGroup; }

  int count() const { return static_cast<int>(buttons_.size()); }
  const std::vector<RadioButton>& buttons() const { return buttons_; }
  // The caption of button `index` (the value text of files and reports); empty out of range.
  std::string buttonText(int index) const;
  // The index of the button with template id `buttonId`, or -1.
  int indexOfButton(int buttonId) const;

  int selected() const { return selected_; }
  // Programmatic: checks button `index`; an index outside the group checks none.
  void setSelected(int index);

  bool isButtonVisible(int index) const { return inRange(index) && buttons_[index].visible; }
  bool isButtonEnabled(int index) const;
  void setButtonEnabled(int index, bool enabled);

  // The button that has the keyboard focus, -1 when the focus is elsewhere. The renderer
  // reports focus changes with focus(); the model moves the focus with setFocusedButton().
  int focusedButton() const { return focused_; }
  void focus(int index);
  void setFocusedButton(int index);

  // User: clicks button `index` (checks it, then runs onClicked with the index). Clicking the
  // checked button notifies again, as a click does.
  bool click(int index);
  bool keyDown(Key key) override;

  std::function<void(int index)> onClicked;

 private:
  bool inRange(int index) const { return index >= 0 && index < count(); }

  std::vector<RadioButton> buttons_;
  int selected_ = -1;
  int focused_ = -1;
};

}  // namespace tw::ui
