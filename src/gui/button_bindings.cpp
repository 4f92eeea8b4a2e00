#include "gui/button_bindings.h"

#include <QCheckBox>
#include <QPushButton>

#include "gui/qt_text.h"

namespace tw::gui {

ButtonBinding::ButtonBinding(ui::Button& button)
    : ControlBinding(button, new QPushButton), button_(button), widget_(static_cast<QPushButton*>(widget())) {
  widget_->setAutoDefault(false);
  connect(widget_, &QPushButton::clicked, this, [this] { button_.click(); });
}

void ButtonBinding::showText() { widget_->setText(ToQt(button_.text())); }

CheckBoxBinding::CheckBoxBinding(ui::CheckBox& box)
    : ControlBinding(box, new QCheckBox), box_(box), widget_(static_cast<QCheckBox*>(widget())) {
  connect(widget_, &QCheckBox::clicked, this, [this] {
    box_.click();
    const QSignalBlocker block(widget_);
    showValue();
  });
}

void CheckBoxBinding::showText() { widget_->setText(ToQt(box_.text())); }

void CheckBoxBinding::showValue() { widget_->setChecked(box_.checked() != 0); }

}  // namespace tw::gui
