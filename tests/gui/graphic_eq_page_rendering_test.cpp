// The Graphic EQ page as the desktop program draws it: the response beside the sliders
// follows a slider moved on screen.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "gui/curve_view_binding.h"
#include "gui/form_widget.h"
#include "gui/slider_binding.h"
#include "gui_test_support.h"
#include "pages/eq/graphic_eq_page.h"
#include "pages/fake_page_link.h"
#include "support/scripted_ui_services.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

TEST(GraphicEqPageRendering, TheCurveFollowsASliderMovedOnScreen) {
  tw::test::FakePageLink link(comm::WorkingMode::Async);
  ui::ScriptedUiServices services;
  pages::GraphicEqPage page({link, services});
  page.setActive(true);
  page.OnSetActive();
  FormWidget widget(page.form());
  widget.resize(1000, 520);
  ShowAndWait(widget);
  auto* plot = static_cast<CurveWidget*>(widget.widgetFor(page.curve()));
  auto* band4 = static_cast<ModelSlider*>(widget.widgetFor(page.slider(401)));
  ASSERT_TRUE(plot && band4);
  ASSERT_GT(plot->width(), 150);

  const auto pixel = [&](double hz, double db) {
    const QPointF at = plot->mapPoint({hz, db});
    return plot->grab().toImage().pixelColor(static_cast<int>(std::floor(at.x())), static_cast<int>(std::floor(at.y())));
  };
  EXPECT_EQ(pixel(1000, 0), plot->curveColor()) << "a flat channel lies on the 0 dB line";
  EXPECT_NE(pixel(1000, 6), plot->curveColor());

  band4->setValue(band4->minimum());  // the top of the slider: +6.0 dB
  EXPECT_EQ(link.images.Image(0)->graphicEq[0].bands[3], 60);
  EXPECT_EQ(pixel(1000, 6), plot->curveColor());
  EXPECT_NE(pixel(20000, 6), plot->curveColor());
}
