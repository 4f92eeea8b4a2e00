#include "gui/focus_highlight.h"

#include <QPainter>

namespace tw::gui {
namespace {

constexpr int kMargin = 4;

}  // namespace

FocusHighlight::FocusHighlight(QWidget* surface) : QWidget(surface) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  hide();
  timer_.setSingleShot(true);
  timer_.setInterval(kDurationMs);
  connect(&timer_, &QTimer::timeout, this, [this] { finish(); });
}

void FocusHighlight::highlight(QWidget* target, const std::vector<QWidget*>& with) {
  target_ = target;
  if (target == nullptr || parentWidget() == nullptr) return;
  QRect area(target->mapTo(parentWidget(), QPoint(0, 0)), target->size());
  for (QWidget* part : with) {
    if (part != nullptr && part->isVisible()) area |= QRect(part->mapTo(parentWidget(), QPoint(0, 0)), part->size());
  }
  setGeometry(area.adjusted(-kMargin, -kMargin, kMargin, kMargin));
  show();
  raise();
  update();
  timer_.start();
}

void FocusHighlight::finish() {
  timer_.stop();
  hide();
  target_ = nullptr;
}

void FocusHighlight::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  QColor fill = palette().color(QPalette::Highlight);
  fill.setAlpha(40);
  painter.setBrush(fill);
  painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
  painter.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), 4, 4);
}

}  // namespace tw::gui
