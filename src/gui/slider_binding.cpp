#include "gui/slider_binding.h"

#include <QStyle>
#include <QStyleOptionSlider>
#include <QWheelEvent>

namespace tw::gui {
namespace {

constexpr int kWheelNotch = 120;

Qt::Orientation ToQt(ui::Orientation orientation) {
  return orientation == ui::Orientation::Vertical ? Qt::Vertical : Qt::Horizontal;
}

}  // namespace

QRect ModelSlider::handleRect() const {
  QStyleOptionSlider option;
  initStyleOption(&option);
  return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

SliderBinding::SliderBinding(ui::Slider& slider)
    : ControlBinding(slider, new ModelSlider), slider_(slider), view_(static_cast<ModelSlider*>(widget())) {
  view_->setOrientation(ToQt(slider.orientation()));
  view_->setInvertedAppearance(slider.orientation() == ui::Orientation::Vertical);
  view_->setTickPosition(QSlider::NoTicks);
  view_->setSingleStep(1);
  // Long enough for a level to be set by eye, whatever the layout around it.
  if (slider.orientation() == ui::Orientation::Vertical) {
    view_->setMinimumHeight(140);
  } else {
    view_->setMinimumWidth(160);
  }
  view_->installEventFilter(this);

  connect(view_, &QSlider::sliderMoved, this, [this](int position) { slider_.dragToPosition(position); });
  connect(view_, &QSlider::sliderReleased, this, [this] { slider_.release(); });
  connect(view_, &QSlider::valueChanged, this, [this](int position) {
    if (view_->isSliderDown()) return;  // a drag: sliderMoved reports it
    slider_.dragToPosition(position);
    slider_.release();
  });
}

void SliderBinding::showItems() {
  view_->setRange(slider_.minPosition(), slider_.maxPosition());
  view_->setPageStep(slider_.pageSize());
}

void SliderBinding::showValue() {
  if (view_->isSliderDown() && view_->sliderPosition() == slider_.position()) return;
  view_->setValue(slider_.position());
}

bool SliderBinding::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view_ && event->type() == QEvent::Wheel && attached()) {
    auto* wheel = static_cast<QWheelEvent*>(event);
    wheelAngle_ += wheel->angleDelta().y() != 0 ? wheel->angleDelta().y() : wheel->angleDelta().x();
    while (wheelAngle_ >= kWheelNotch || wheelAngle_ <= -kWheelNotch) {
      const bool towardsTop = wheelAngle_ > 0;  // wheel turned away from the user
      wheelAngle_ += towardsTop ? -kWheelNotch : kWheelNotch;
      // Up on a vertical slider means a lower position (its top); on a horizontal one, the right.
      const bool vertical = slider_.orientation() == ui::Orientation::Vertical;
      slider_.keyDown(towardsTop == vertical ? ui::Key::PageUp : ui::Key::PageDown);
    }
    event->accept();
    return true;
  }
  return ControlBinding::eventFilter(watched, event);
}

}  // namespace tw::gui
