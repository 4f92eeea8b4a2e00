#pragma once

#include <QKeyEvent>
#include <QMouseEvent>
#include <functional>

namespace tw::gui {

// An item view that reports the user's picks only: a press on a row (also on the row already
// current), or a key that moved the current row. The view's own moves of the current row
// (on focus, on refill) are not picks.
template <typename View>
class PickingView : public View {
 public:
  std::function<void(int row)> onPick;

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const int row = this->indexAt(event->position().toPoint()).row();
    View::mousePressEvent(event);
    if (row >= 0 && onPick) onPick(row);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const int before = this->currentIndex().row();
    View::keyPressEvent(event);
    const int after = this->currentIndex().row();
    if (after != before && after >= 0 && onPick) onPick(after);
  }
};

}  // namespace tw::gui
