#pragma once

#include <QString>
#include <QWidget>
#include <vector>

#include "gui/control_binding.h"
#include "ui/controls/curve_view.h"

namespace tw::gui {

// Draws a plot: the grid at the axes' ticks with their texts, the reference line stronger,
// the curve as one smooth line and the marked points as dots, in the desktop's palette. It
// keeps its own copy of what it draws, so it never reaches a control model that is gone.
class CurveWidget : public QWidget {
 public:
  CurveWidget();

  void setAxes(ui::PlotAxes axes);
  void setCurve(std::vector<ui::PlotPoint> curve, std::vector<ui::PlotPoint> markers);
  void setTitle(QString title);

  // Where the plot is drawn, and where a point of it lands there.
  QRectF plotArea() const;
  QPointF mapPoint(ui::PlotPoint point) const;
  // The colour of the curve and its dots.
  QColor curveColor() const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  double xFraction(double x) const;
  double yFraction(double y) const;

  ui::PlotAxes axes_;
  std::vector<ui::PlotPoint> curve_;
  std::vector<ui::PlotPoint> markers_;
  QString title_;
};

// A curve view: the program's changes redraw the widget; there is nothing for a user to do.
class CurveViewBinding : public ControlBinding {
 public:
  explicit CurveViewBinding(ui::CurveView& view);

  CurveWidget* plot() const { return plot_; }

 protected:
  void showText() override;
  void showValue() override;
  void showItems() override;

 private:
  ui::CurveView& view_;
  CurveWidget* plot_;
};

}  // namespace tw::gui
