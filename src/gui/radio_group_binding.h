#pragma once

#include <vector>

#include "gui/control_binding.h"
#include "ui/controls/radio_group.h"

class QButtonGroup;
class QGroupBox;
class QRadioButton;

namespace tw::gui {

// A captioned frame of radio buttons (a plain row or column when the group has no caption).
// Short groups of up to three buttons lie in a row, longer ones in a column.
class RadioGroupBinding : public ControlBinding {
 public:
  explicit RadioGroupBinding(ui::RadioGroup& group);

  std::vector<QWidget*> keyWidgets() const override;
  QRadioButton* button(int index) const;

 protected:
  void showText() override;
  void showEnabled() override;
  void showValue() override;
  void showFocus() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::RadioGroup& group_;
  QGroupBox* frame_ = nullptr;  // null when the group has no caption
  QButtonGroup* buttons_;
  std::vector<QRadioButton*> radios_;
};

}  // namespace tw::gui
