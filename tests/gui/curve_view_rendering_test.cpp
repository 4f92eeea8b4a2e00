// The curve view as the desktop program draws it: the curve lands where the model says, the
// program's changes redraw it, and a binding whose model is gone still paints.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>
#include <memory>

#include "gui/curve_view_binding.h"
#include "gui/form_widget.h"
#include "gui_test_support.h"
#include "ui/controls/controls.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

ui::PlotAxes ResponseAxes() {
  ui::PlotAxes axes;
  axes.xMin = 20;
  axes.xMax = 20000;
  axes.xLog = true;
  axes.yMin = -7;
  axes.yMax = 7;
  axes.xTicks = {{20, "20"}, {1000, "1k"}, {20000, "20k"}};
  axes.yTicks = {{-6, "-6dB"}, {0, "0dB"}, {6, "+6dB"}};
  return axes;
}

// A level curve at `db` across the whole range, with one mark at 1 kHz.
void Level(ui::CurveView& view, double db) {
  view.setCurve({{20, db}, {200, db}, {2000, db}, {20000, db}}, {{1000, db}});
}

bool Near(QColor a, QColor b) {
  return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 60;
}

// The pixel that holds `at` (a two-pixel line through it covers that pixel whole).
QColor PixelAt(CurveWidget& plot, QPointF at) {
  const QImage image = plot.grab().toImage();
  return image.pixelColor(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
}

}  // namespace

TEST(CurveViewRendering, TheCurveIsDrawnWhereTheModelPutsItAndFollowsItsChanges) {
  ui::CurveView view(1730, "Front L");
  view.setAxes(ResponseAxes());
  Level(view, 6);
  ui::Form form("Graphic EQ", ui::Column({ui::Item(view)}));
  FormWidget widget(form);
  widget.resize(500, 320);
  ShowAndWait(widget);
  auto* plot = static_cast<CurveWidget*>(widget.widgetFor(view));
  ASSERT_NE(plot, nullptr);

  // Logarithmic: 20 Hz at the left edge, 20 kHz at the right, 632 Hz half way.
  const QRectF area = plot->plotArea();
  EXPECT_NEAR(plot->mapPoint({20, 0}).x(), area.left(), 0.01);
  EXPECT_NEAR(plot->mapPoint({20000, 0}).x(), area.right(), 0.01);
  EXPECT_NEAR(plot->mapPoint({632.456, 0}).x(), area.center().x(), 0.01);
  EXPECT_NEAR(plot->mapPoint({1000, 7}).y(), area.top(), 0.01);
  EXPECT_NEAR(plot->mapPoint({1000, -7}).y(), area.bottom(), 0.01);

  const QPointF high = plot->mapPoint({300, 6});
  const QPointF low = plot->mapPoint({300, -6});
  EXPECT_TRUE(Near(PixelAt(*plot, high), plot->curveColor()));
  EXPECT_FALSE(Near(PixelAt(*plot, low), plot->curveColor()));

  Level(view, -6);
  EXPECT_TRUE(Near(PixelAt(*plot, low), plot->curveColor()));
  EXPECT_FALSE(Near(PixelAt(*plot, high), plot->curveColor()));
  // The mark at 1 kHz is a dot larger than the line.
  const QPointF mark = plot->mapPoint({1000, -6});
  EXPECT_TRUE(Near(PixelAt(*plot, mark + QPointF(0, 2.0)), plot->curveColor()));
}

TEST(CurveViewRendering, ADetachedPlotStillPaintsWhatItLastShowed) {
  auto view = std::make_unique<ui::CurveView>(1730, "Subwoofer");
  view->setAxes(ResponseAxes());
  Level(*view, 3);
  auto binding = BindControl(*view);
  binding->syncAll();
  auto* plot = static_cast<CurveWidget*>(binding->widget());
  plot->resize(400, 260);
  binding->detach();
  view.reset();
  const QPointF at = plot->mapPoint({100, 3});
  EXPECT_TRUE(Near(PixelAt(*plot, at), plot->curveColor()));
  delete plot;
}
