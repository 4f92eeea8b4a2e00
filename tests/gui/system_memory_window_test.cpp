// The System Memory window of the real desktop program on the offscreen platform: the main
// form's button shows it beside the main window in both working modes, and its Load and
// Save act as a user clicks them.
#include "gui/system_memory_window.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "gui/form_widget.h"
#include "pages/system/memory_page.h"
#include "program_fixture.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

// The program with the System Memory window's parts at hand.
struct MemoryProgram : Program {
  using Program::Program;

  SystemMemoryWindow& memoryWindow() const { return window->systemMemoryWindow(); }
  template <class Widget>
  Widget* inMemoryWindow(const ui::Control& control) const {
    return qobject_cast<Widget*>(memoryWindow().formWidget().widgetFor(control));
  }
  // The main form's System Memory button, clicked as a user does.
  void openMemoryWindow() {
    auto* button = qobject_cast<QPushButton*>(window->widgetFor(bench.view().systemMemoryButton()));
    ASSERT_NE(button, nullptr);
    ASSERT_TRUE(button->isEnabled());
    QTest::mouseClick(button, Qt::LeftButton);
    Flush();
    ASSERT_TRUE(memoryWindow().isVisible());
  }
  void pick(int part, int memory) {
    auto* list = inMemoryWindow<QListWidget>(bench.memoryPage().list(part));
    ASSERT_NE(list, nullptr);
    const QRect row = list->visualItemRect(list->item(memory - 1));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row.center());
  }
  void click(const ui::Button& button) {
    auto* widget = inMemoryWindow<QPushButton>(button);
    ASSERT_NE(widget, nullptr);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
};

TEST(SystemMemoryWindow, TheButtonShowsAModelessWindowThatClosingOnlyHides) {
  for (int mode : {app::kStartModeAsync, app::kStartModeRealTime}) {
    MemoryProgram program(mode);
    EXPECT_FALSE(program.memoryWindow().isVisible());
    program.openMemoryWindow();
    SystemMemoryWindow& window = program.memoryWindow();
    EXPECT_EQ(window.windowTitle(), "System Memory");
    EXPECT_FALSE(window.isModal());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the main window still takes input";
    auto* list = program.inMemoryWindow<QListWidget>(program.bench.memoryPage().list(2));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 6);
    EXPECT_EQ(list->item(5)->text(), "Memory 6");
    EXPECT_EQ(list->currentRow(), 0);

    window.close();
    Flush();
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(program.bench.memoryPage().isWindowShown());
    program.openMemoryWindow();
    EXPECT_TRUE(program.bench.memoryPage().isWindowShown());
  }
}

TEST(SystemMemoryWindow, AsyncLoadOfAMainVolumeShowsItOnTheMainForm) {
  MemoryProgram program(app::kStartModeAsync);
  program.openMemoryWindow();
  program.bench.link().images().Image(4)->basic[8] = -355;
  program.pick(1, 4);
  EXPECT_EQ(program.bench.memoryPage().list(1).curSel(), 3);
  // The memory changed above is in no file: the Load asks first.
  WhenModal([](QWidget& modal) { qobject_cast<QMessageBox*>(&modal)->button(QMessageBox::Discard)->click(); });
  program.click(program.bench.memoryPage().loadButton(1));
  EXPECT_EQ(program.bench.link().images().Image(0)->basic[8], -355);
  auto* label = qobject_cast<QLabel*>(
      program.window->widgetFor(program.bench.basicControls().volumeLabel));
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text().trimmed(), "-35.5dB");
}

TEST(SystemMemoryWindow, RealTimeSaveReachesTheReceiver) {
  MemoryProgram program(app::kStartModeRealTime);
  program.bench.view().Open();
  ASSERT_TRUE(program.scheduler.runUntil([&] { return program.bench.view().initializeDialog() == nullptr; }, 600000));
  program.scheduler.advance(2000);
  program.bench.virtualPort().transcript().clear();
  program.openMemoryWindow();
  program.pick(0, 5);
  program.click(program.bench.memoryPage().saveButton(0));
  program.scheduler.advance(2000);
  const auto frames = program.bench.virtualPort().transcript().receivedFrames();
  EXPECT_EQ(frames, std::vector<std::string>{"\x02" "07E2F\x03"});
}

}  // namespace
