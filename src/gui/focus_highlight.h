#pragma once

#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <vector>

namespace tw::gui {

// A brief frame in the platform's highlight colour around the control that the user was
// just brought to (a search result), so that the eye finds it on a full page. It lies over
// the window's content, takes no input, and goes by itself.
class FocusHighlight final : public QWidget {
 public:
  static constexpr int kDurationMs = 1600;

  // `surface`: the widget whose area the frame may cover (the window's central widget).
  explicit FocusHighlight(QWidget* surface);

  // Frames `target` (a widget inside the surface), together with the widgets that belong to
  // it (its caption), for kDurationMs.
  void highlight(QWidget* target, const std::vector<QWidget*>& with = {});
  QWidget* target() const { return target_; }
  bool isShowing() const { return isVisible(); }
  // Takes the frame away now; its timer does this by itself.
  void finish();
  const QTimer& timer() const { return timer_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPointer<QWidget> target_;
  QTimer timer_;
};

}  // namespace tw::gui
