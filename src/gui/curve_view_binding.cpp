#include "gui/curve_view_binding.h"

#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

#include "gui/qt_text.h"

namespace tw::gui {
namespace {

constexpr double kMarkerRadius = 3.5;
constexpr double kCurveWidth = 2.0;
constexpr int kGap = 4;

// Where `value` lies between `low` and `high` (0 at low, 1 at high); 0 for an empty range.
double Fraction(double value, double low, double high) {
  return high != low ? (value - low) / (high - low) : 0.0;
}

double LogOf(double value) { return std::log10(std::max(value, 1e-12)); }

}  // namespace

CurveWidget::CurveWidget() {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void CurveWidget::setAxes(ui::PlotAxes axes) {
  axes_ = std::move(axes);
  update();
}

void CurveWidget::setCurve(std::vector<ui::PlotPoint> curve, std::vector<ui::PlotPoint> markers) {
  curve_ = std::move(curve);
  markers_ = std::move(markers);
  update();
}

void CurveWidget::setTitle(QString title) {
  title_ = std::move(title);
  update();
}

QSize CurveWidget::sizeHint() const { return {360, 240}; }

QSize CurveWidget::minimumSizeHint() const { return {220, 150}; }

QRectF CurveWidget::plotArea() const {
  const QFontMetrics metrics(font());
  double labelWidth = 0;
  for (const ui::PlotTick& tick : axes_.yTicks) {
    labelWidth = std::max<double>(labelWidth, metrics.horizontalAdvance(ToQt(tick.label)));
  }
  const double left = labelWidth + 2 * kGap;
  const double top = metrics.height() + kGap;
  const double bottom = metrics.height() + kGap;
  // Room on the right for half of the last frequency's text.
  const double right = metrics.horizontalAdvance(QStringLiteral("20k")) / 2.0 + kGap;
  return QRectF(left, top, std::max(1.0, width() - left - right), std::max(1.0, height() - top - bottom));
}

double CurveWidget::xFraction(double x) const {
  if (axes_.xLog) return Fraction(LogOf(x), LogOf(axes_.xMin), LogOf(axes_.xMax));
  return Fraction(x, axes_.xMin, axes_.xMax);
}

double CurveWidget::yFraction(double y) const { return Fraction(y, axes_.yMin, axes_.yMax); }

QPointF CurveWidget::mapPoint(ui::PlotPoint point) const {
  const QRectF area = plotArea();
  return {area.left() + xFraction(point.x) * area.width(), area.bottom() - yFraction(point.y) * area.height()};
}

QColor CurveWidget::curveColor() const { return palette().color(QPalette::Highlight); }

void CurveWidget::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  const QRectF area = plotArea();
  painter.fillRect(area, palette().color(QPalette::Base));

  const QColor text = palette().color(QPalette::WindowText);
  QColor grid = palette().color(QPalette::Mid);
  grid.setAlpha(110);
  const QFontMetrics metrics(font());

  painter.setPen(QPen(grid, 1));
  for (const ui::PlotTick& tick : axes_.xTicks) {
    const double x = mapPoint({tick.at, axes_.yMin}).x();
    painter.drawLine(QPointF(x, area.top()), QPointF(x, area.bottom()));
  }
  for (const ui::PlotTick& tick : axes_.yTicks) {
    const double y = mapPoint({axes_.xMin, tick.at}).y();
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
  }

  painter.setPen(text);
  // In a narrow plot a label that would touch the one before it is left out.
  double labelsEnd = -1e9;
  for (const ui::PlotTick& tick : axes_.xTicks) {
    if (tick.label.empty()) continue;
    const QString label = ToQt(tick.label);
    const double x = mapPoint({tick.at, axes_.yMin}).x() - metrics.horizontalAdvance(label) / 2.0;
    if (x < labelsEnd + kGap) continue;
    painter.drawText(QPointF(x, area.bottom() + kGap + metrics.ascent()), label);
    labelsEnd = x + metrics.horizontalAdvance(label);
  }
  for (const ui::PlotTick& tick : axes_.yTicks) {
    const QString label = ToQt(tick.label);
    const double y = mapPoint({axes_.xMin, tick.at}).y() + (metrics.ascent() - metrics.descent()) / 2.0;
    painter.drawText(QPointF(area.left() - kGap - metrics.horizontalAdvance(label), y), label);
  }
  if (!title_.isEmpty()) painter.drawText(QPointF(area.left(), metrics.ascent()), title_);

  painter.setRenderHint(QPainter::Antialiasing);
  painter.setClipRect(area.adjusted(-kMarkerRadius, -kMarkerRadius, kMarkerRadius, kMarkerRadius));
  const double reference = mapPoint({axes_.xMin, axes_.reference}).y();
  painter.setPen(QPen(text, 1.5));
  painter.drawLine(QPointF(area.left(), reference), QPointF(area.right(), reference));

  const QColor curve = isEnabled() ? curveColor() : palette().color(QPalette::Disabled, QPalette::WindowText);
  if (curve_.size() >= 2) {
    QPainterPath path(mapPoint(curve_.front()));
    for (std::size_t i = 1; i < curve_.size(); ++i) path.lineTo(mapPoint(curve_[i]));
    painter.setPen(QPen(curve, kCurveWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawPath(path);
  }
  painter.setPen(Qt::NoPen);
  painter.setBrush(curve);
  for (const ui::PlotPoint& marker : markers_) painter.drawEllipse(mapPoint(marker), kMarkerRadius, kMarkerRadius);
}

CurveViewBinding::CurveViewBinding(ui::CurveView& view)
    : ControlBinding(view, new CurveWidget), view_(view), plot_(static_cast<CurveWidget*>(widget())) {}

void CurveViewBinding::showText() { plot_->setTitle(ToQt(view_.text())); }

void CurveViewBinding::showValue() { plot_->setCurve(view_.curve(), view_.markers()); }

void CurveViewBinding::showItems() { plot_->setAxes(view_.axes()); }

}  // namespace tw::gui
