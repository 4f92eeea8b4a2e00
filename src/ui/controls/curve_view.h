#pragma once

#include "ui/controls/control.h"

#include <string>
#include <vector>

namespace tw::ui {

struct PlotPoint {
  double x = 0;
  double y = 0;
  friend bool operator==(const PlotPoint&, const PlotPoint&) = default;
};

// A grid line across the plot and the text written beside it.
struct PlotTick {
  double at = 0;
  std::string label;
  friend bool operator==(const PlotTick&, const PlotTick&) = default;
};

// The frame a curve is drawn in: x from xMin (left) to xMax (right), on a logarithmic scale
// when `xLog`; y from yMin (bottom) to yMax (top); grid lines at the ticks, and one line
// drawn stronger across at y = `reference` (the 0 dB line of a response).
struct PlotAxes {
  double xMin = 0;
  double xMax = 1;
  bool xLog = false;
  double yMin = 0;
  double yMax = 1;
  double reference = 0;
  std::vector<PlotTick> xTicks;
  std::vector<PlotTick> yTicks;
  friend bool operator==(const PlotAxes&, const PlotAxes&) = default;
};

// A read-only plot: a smooth curve through many points, and a few marked points (the values
// the curve was made from). Its text is the plot's title. The program sets everything; the
// user only looks, so it has no notifications.
class CurveView : public Control {
 public:
  explicit CurveView(int id, std::string title = {}) : Control(id, std::move(title)) {}
  ControlKind kind() const override { return ControlKind::CurveView; }

  const PlotAxes& axes() const { return axes_; }
  // Programmatic: the frame changes (Change::Items).
  void setAxes(PlotAxes axes);

  const std::vector<PlotPoint>& curve() const { return curve_; }
  const std::vector<PlotPoint>& markers() const { return markers_; }
  // Programmatic: the curve and its marks change together (Change::Value); the same curve
  // again tells nobody.
  void setCurve(std::vector<PlotPoint> curve, std::vector<PlotPoint> markers);

 private:
  PlotAxes axes_;
  std::vector<PlotPoint> curve_;
  std::vector<PlotPoint> markers_;
};

}  // namespace tw::ui
