#pragma once

#include <QSlider>

#include "gui/control_binding.h"
#include "ui/controls/slider.h"

namespace tw::gui {

// A QSlider that tells where its thumb is drawn (for tests and the screenshot check).
class ModelSlider : public QSlider {
 public:
  using QSlider::QSlider;
  QRect handleRect() const;
};

// A trackbar. A vertical one has its lowest position at the top (so a level slider shows
// its largest value there), a horizontal one at the left; the widget's value is the
// model's position.
//
// A drag reaches the model as dragToPosition() on every move and release() when the mouse
// button is let go. Any other move by the user (a click on the groove) is a whole edit:
// dragToPosition() then release(), like a key. The mouse wheel steps a page per notch through
// the model's own Page Up/Page Down, so it too moves and releases exactly once.
class SliderBinding : public ControlBinding {
 public:
  explicit SliderBinding(ui::Slider& slider);

  ModelSlider* slider() const { return view_; }

 protected:
  void showItems() override;
  void showValue() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  ui::Slider& slider_;
  ModelSlider* view_;
  int wheelAngle_ = 0;  // eighths of a degree not yet turned into a step
};

}  // namespace tw::gui
