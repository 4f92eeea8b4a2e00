#include "ui/controls/curve_view.h"

namespace tw::ui {

void CurveView::setAxes(PlotAxes axes) {
  if (axes == axes_) return;
  axes_ = std::move(axes);
  notify(Change::Items);
}

void CurveView::setCurve(std::vector<PlotPoint> curve, std::vector<PlotPoint> markers) {
  if (curve == curve_ && markers == markers_) return;
  curve_ = std::move(curve);
  markers_ = std::move(markers);
  notify(Change::Value);
}

}  // namespace tw::ui
