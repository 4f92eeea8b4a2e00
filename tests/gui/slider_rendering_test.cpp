// Sliders as the user meets them: drags, clicks, keys and the wheel reach the model exactly
// as the page handlers expect, and the program's own changes move the thumb silently.
#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>
#include <QWheelEvent>
#include <vector>

#include "gui/form_widget.h"
#include "gui/slider_binding.h"
#include "gui_test_support.h"
#include "ui/controls/controls.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

// A page with one level slider and its readout, wired as the pages wire theirs.
struct LevelPage {
  explicit LevelPage(bool consumesArrows = true)
      : form("Speaker Level", ui::Row({ui::Item(slider), ui::Item(label)}), consumesArrows) {
    slider.Setup(&label, "dB", -100, 100, 5, 0, ui::LevelStyle::Plain);
    slider.onDragged = [this] {
      drawnValues.push_back(slider.GetValue());
      slider.ShowValue();
    };
    slider.onReleased = [this] { releasedValues.push_back(slider.GetValue()); };
  }

  ui::ValueLabel label{1100};
  ui::LevelSlider slider{1101};
  ui::Form form;
  std::vector<int> drawnValues;
  std::vector<int> releasedValues;
};

ModelSlider& SliderOf(FormWidget& widget, ui::Control& control) {
  return *static_cast<ModelSlider*>(widget.widgetFor(control));
}

}  // namespace

TEST(SliderRendering, LevelSliderIsVerticalWithItsLargestValueAtTheTop) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  EXPECT_EQ(view.orientation(), Qt::Vertical);
  EXPECT_EQ(view.minimum(), -20);
  EXPECT_EQ(view.maximum(), 20);

  page.slider.SetValue(100);
  const int topY = view.handleRect().center().y();
  page.slider.SetValue(-100);
  const int bottomY = view.handleRect().center().y();
  EXPECT_LT(topY, bottomY);
  EXPECT_LT(topY, view.height() / 2);
}

TEST(SliderRendering, DragSendsOneCustomDrawPerMoveAndOneReleaseWithTheFinalValue) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  auto* label = static_cast<QLabel*>(widget.widgetFor(page.label));

  const QPoint start = view.handleRect().center();
  Press(view, start);
  MoveHeld(view, start - QPoint(0, view.height() / 8));
  MoveHeld(view, QPoint(start.x(), 0));  // past the top end
  EXPECT_TRUE(page.releasedValues.empty());
  Release(view, QPoint(start.x(), 0));

  ASSERT_EQ(page.drawnValues.size(), 2u);
  EXPECT_GT(page.drawnValues[0], 0);
  EXPECT_EQ(page.drawnValues[1], 100);
  EXPECT_EQ(page.releasedValues, std::vector<int>{100});
  EXPECT_EQ(page.slider.GetValue(), 100);
  EXPECT_EQ(label->text(), "10.0dB");  // the handler's readout reached the label widget
}

TEST(SliderRendering, ClickOnTheThumbWithoutMovingStillReleases) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  Press(view, view.handleRect().center());
  Release(view, view.handleRect().center());
  EXPECT_TRUE(page.drawnValues.empty());
  EXPECT_EQ(page.releasedValues, std::vector<int>{0});
}

TEST(SliderRendering, ProgrammaticChangeMovesTheWidgetWithoutCallingTheHandlers) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  auto* label = static_cast<QLabel*>(widget.widgetFor(page.label));

  page.slider.SetValue(-55);
  EXPECT_EQ(view.value(), page.slider.position());
  EXPECT_EQ(label->text(), "-5.5dB");
  page.slider.setRange(-4, 4);
  EXPECT_EQ(view.minimum(), -4);
  EXPECT_EQ(view.maximum(), 4);
  EXPECT_EQ(view.value(), page.slider.position());
  EXPECT_TRUE(page.drawnValues.empty());
  EXPECT_TRUE(page.releasedValues.empty());
}

TEST(SliderRendering, ArrowKeysAreConsumedByTheFormPageKeysStepLikeACompletedDrag) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  view.setFocus();

  for (Qt::Key arrow : {Qt::Key_Up, Qt::Key_Down, Qt::Key_Left, Qt::Key_Right}) QTest::keyClick(&view, arrow);
  EXPECT_EQ(page.slider.GetValue(), 0);
  EXPECT_EQ(view.value(), page.slider.position());
  EXPECT_TRUE(page.drawnValues.empty());

  QTest::keyClick(&view, Qt::Key_PageUp);  // one position up: one step larger
  EXPECT_EQ(page.drawnValues, std::vector<int>{5});
  EXPECT_EQ(page.releasedValues, std::vector<int>{5});
  EXPECT_EQ(view.value(), page.slider.position());
  QTest::keyClick(&view, Qt::Key_End);  // the bottom: the smallest value
  EXPECT_EQ(page.releasedValues, (std::vector<int>{5, -100}));
  EXPECT_EQ(view.value(), view.maximum());
}

TEST(SliderRendering, ArrowKeysMoveTheSliderWhereTheFormLeavesThemToTheControls) {
  LevelPage page(/*consumesArrows=*/false);
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  view.setFocus();
  QTest::keyClick(&view, Qt::Key_Down);
  // The model steps exactly once: the widget did not add a step of its own.
  EXPECT_EQ(page.releasedValues, std::vector<int>{-5});
  EXPECT_EQ(page.drawnValues, std::vector<int>{-5});
  EXPECT_EQ(view.value(), page.slider.position());
}

TEST(SliderRendering, WheelStepsOnePagePerNotchThroughTheModel) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  const QPointF at(view.rect().center());
  auto turn = [&](int delta) {
    QWheelEvent wheel(at, view.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
  };
  turn(120);  // away from the user: up, towards the largest value
  EXPECT_EQ(page.releasedValues, std::vector<int>{5});
  turn(60);  // half a notch does nothing yet
  EXPECT_EQ(page.releasedValues.size(), 1u);
  turn(60);
  turn(-120);
  EXPECT_EQ(page.releasedValues, (std::vector<int>{5, 10, 5}));
  EXPECT_EQ(page.drawnValues, page.releasedValues);
  EXPECT_EQ(view.value(), page.slider.position());
}

TEST(SliderRendering, HorizontalStepSliderRunsLeftToRightAndClicksOnTheGrooveAreWholeEdits) {
  ui::StepSlider delay(1200);
  delay.Setup(0, 100, 10, 0);
  std::vector<int> drawn;
  std::vector<int> released;
  delay.onDragged = [&] { drawn.push_back(delay.GetValue()); };
  delay.onReleased = [&] { released.push_back(delay.GetValue()); };
  ui::Form form("Delay", ui::Column({ui::Item("Delay", delay)}));
  FormWidget widget(form);
  widget.resize(400, 100);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, delay);
  EXPECT_EQ(view.orientation(), Qt::Horizontal);
  delay.SetValue(100);
  EXPECT_GT(view.handleRect().center().x(), view.width() / 2);
  delay.SetValue(0);

  // A press on the groove right of the thumb pages towards it (the style's own page step).
  const QPoint groove(view.width() - 3, view.height() / 2);
  Press(view, groove);
  Release(view, groove);
  ASSERT_FALSE(released.empty());
  EXPECT_EQ(drawn, released);  // every move was a whole edit
  EXPECT_EQ(released.back(), delay.GetValue());
  EXPECT_EQ(view.value(), delay.position());
}

TEST(SliderRendering, DisabledOrHiddenSliderTakesNoInput) {
  LevelPage page;
  FormWidget widget(page.form);
  ShowAndWait(widget);
  ModelSlider& view = SliderOf(widget, page.slider);
  page.slider.setEnabled(false);
  EXPECT_FALSE(view.isEnabled());
  Press(view, view.handleRect().center());
  MoveHeld(view, QPoint(view.handleRect().center().x(), 0));
  Release(view, QPoint(view.handleRect().center().x(), 0));
  EXPECT_TRUE(page.drawnValues.empty());
  EXPECT_TRUE(page.releasedValues.empty());
  EXPECT_EQ(page.slider.GetValue(), 0);

  page.slider.setEnabled(true);
  page.slider.setVisible(false);
  EXPECT_TRUE(view.isHidden());
  page.slider.setVisible(true);
  EXPECT_FALSE(view.isHidden());
}
