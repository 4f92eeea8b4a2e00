#include "gui/radio_group_binding.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QEvent>
#include <QGroupBox>
#include <QRadioButton>

#include "gui/qt_text.h"

namespace tw::gui {
namespace {

QWidget* MakeFrame(const ui::RadioGroup& group) {
  if (group.text().empty()) return new QWidget;
  return new QGroupBox;
}

bool LiesInARow(const ui::RadioGroup& group) {
  std::size_t letters = 0;
  int shown = 0;
  for (const ui::RadioButton& button : group.buttons()) {
    if (!button.visible) continue;
    letters += button.text.size();
    ++shown;
  }
  return shown <= 3 && letters <= 24;
}

}  // namespace

RadioGroupBinding::RadioGroupBinding(ui::RadioGroup& group)
    : ControlBinding(group, MakeFrame(group)), group_(group), buttons_(new QButtonGroup(this)) {
  frame_ = qobject_cast<QGroupBox*>(widget());
  QBoxLayout* layout = LiesInARow(group) ? static_cast<QBoxLayout*>(new QHBoxLayout(widget()))
                                         : static_cast<QBoxLayout*>(new QVBoxLayout(widget()));
  if (!frame_) layout->setContentsMargins(0, 0, 0, 0);
  for (int i = 0; i < group.count(); ++i) {
    auto* radio = new QRadioButton(ToQt(group.buttonText(i)));
    radio->setProperty("tw_control_id", group.buttons()[static_cast<std::size_t>(i)].id);
    radio->installEventFilter(this);
    buttons_->addButton(radio, i);
    layout->addWidget(radio);
    radio->setVisible(group.isButtonVisible(i));
    radios_.push_back(radio);
  }
  layout->addStretch();
  connect(buttons_, &QButtonGroup::idClicked, this, [this](int index) {
    if (!group_.click(index)) showValue();
  });
}

std::vector<QWidget*> RadioGroupBinding::keyWidgets() const { return {radios_.begin(), radios_.end()}; }

QRadioButton* RadioGroupBinding::button(int index) const {
  return index >= 0 && index < static_cast<int>(radios_.size()) ? radios_[static_cast<std::size_t>(index)]
                                                                : nullptr;
}

void RadioGroupBinding::showText() {
  if (frame_) frame_->setTitle(ToQt(group_.text()));
}

void RadioGroupBinding::showEnabled() {
  ControlBinding::showEnabled();
  for (int i = 0; i < static_cast<int>(radios_.size()); ++i) button(i)->setEnabled(group_.isButtonEnabled(i));
}

void RadioGroupBinding::showValue() {
  // An exclusive group cannot uncheck its last button, so "none" needs it briefly open.
  buttons_->setExclusive(false);
  for (int i = 0; i < static_cast<int>(radios_.size()); ++i) button(i)->setChecked(i == group_.selected());
  buttons_->setExclusive(true);
}

void RadioGroupBinding::showFocus() {
  if (QRadioButton* radio = button(group_.focusedButton())) radio->setFocus(Qt::OtherFocusReason);
}

bool RadioGroupBinding::eventFilter(QObject* watched, QEvent* event) {
  if (attached() && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut)) {
    for (int i = 0; i < static_cast<int>(radios_.size()); ++i) {
      if (watched == radios_[static_cast<std::size_t>(i)])
        group_.focus(event->type() == QEvent::FocusIn ? i : -1);
    }
  }
  return ControlBinding::eventFilter(watched, event);
}

}  // namespace tw::gui
