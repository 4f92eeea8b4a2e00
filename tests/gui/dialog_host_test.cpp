// Dialog models shown as modal Qt windows: captions, buttons, Esc and the close box go to
// the model, and the window goes as soon as the model ends.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <optional>

#include "comm/link.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "gui/dialog_window.h"
#include "gui/form_widget.h"
#include "gui/qt_dialog_host.h"
#include "gui_test_support.h"
#include "ui/dialogs/start_mode_dlg.h"
#include "ui/dialogs/tuner_region_dlg.h"
#include "ui/dialogs/user_memo_dlg.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

QPushButton* ButtonNamed(QWidget& window, const QString& text) {
  for (QPushButton* button : window.findChildren<QPushButton*>()) {
    if (button->text() == text && button->isVisibleTo(&window)) return button;
  }
  return nullptr;
}

}  // namespace

TEST(DialogHost, StartModeShowsItsTextsAndEndsWithTheButtonPressed) {
  QtDialogHost host;
  ui::StartModeDialog dialog;
  std::optional<int> result;
  dialog.DoModal(host, [&](int r) { result = r; });
  DialogWindow* window = host.windowOf(dialog);
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Start Mode");
  EXPECT_TRUE(window->isModal());
  EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
  ASSERT_NE(ButtonNamed(*window, "Async Mode"), nullptr);
  ASSERT_NE(ButtonNamed(*window, "Real Time Mode"), nullptr);
  bool welcome = false;
  for (QLabel* label : window->findChildren<QLabel*>())
    welcome |= label->text().contains("Welcome to Tunewright");
  EXPECT_TRUE(welcome);

  QTest::mouseClick(ButtonNamed(*window, "Real Time Mode"), Qt::LeftButton);
  EXPECT_EQ(result, 1245);
  EXPECT_EQ(host.windowOf(dialog), nullptr);
  Flush();
}

TEST(DialogHost, EscapeGoesToTheModelWhichEndsWithCancel) {
  QtDialogHost host;
  ui::StartModeDialog dialog;
  std::optional<int> result;
  dialog.DoModal(host, [&](int r) { result = r; });
  DialogWindow* window = host.windowOf(dialog);
  ASSERT_NE(window, nullptr);
  QTest::keyClick(window, Qt::Key_Escape);
  EXPECT_EQ(result, ui::kIdCancel);
  EXPECT_FALSE(dialog.isOpen());
  Flush();
}

TEST(DialogHost, TunerRegionRadioChoiceReachesTheModelAndOkStoresIt) {
  QtDialogHost host;
  comm::VirtualScheduler scheduler;
  emu::EmulatorPort port(scheduler, emu::EmulatorConfig{});
  comm::Link link(port, scheduler, comm::WorkingMode::Async);
  link.setTunerRegion(1);
  ui::TunerRegionDialog dialog(link);
  std::optional<int> result;
  dialog.DoModal(host, [&](int r) { result = r; });
  DialogWindow* window = host.windowOf(dialog);
  ASSERT_NE(window, nullptr);
  QRadioButton* europe = nullptr;
  for (QRadioButton* radio : window->findChildren<QRadioButton*>()) {
    if (radio->text() == "AM9 / FM50  (EU, Asia)") europe = radio;
  }
  ASSERT_NE(europe, nullptr);
  QTest::mouseClick(europe, Qt::LeftButton);
  QTest::keyClick(window, Qt::Key_Return);  // OK is the default button
  EXPECT_EQ(result, ui::kIdOk);
  EXPECT_EQ(link.tunerRegion(), 2);
  Flush();
}

TEST(DialogHost, ADialogDestroyedByItsOwnContinuationLeavesNoDanglingWindow) {
  QtDialogHost host;
  auto dialog = std::make_unique<ui::UserMemoDialog>("first line\r\nsecond");
  std::optional<std::string> memo;
  ui::UserMemoDialog* raw = dialog.get();
  raw->DoModal(host, [&](int r) {
    if (r == ui::kIdOk) memo = raw->memo();
    dialog.reset();  // the owner lets it go at once
  });
  DialogWindow* window = host.windowOf(*raw);
  ASSERT_NE(window, nullptr);
  auto* edit = window->findChild<QPlainTextEdit*>();
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->toPlainText(), "first line\nsecond");
  edit->setFocus();
  edit->moveCursor(QTextCursor::End);
  QTest::keyClicks(edit, "!");
  QTest::mouseClick(ButtonNamed(*window, "OK"), Qt::LeftButton);
  ASSERT_TRUE(memo.has_value());
  EXPECT_EQ(*memo, "first line\r\nsecond!");
  Flush();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  for (QWidget* top : QApplication::topLevelWidgets())
    EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString();
}
