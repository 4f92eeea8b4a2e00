// The real main window on the offscreen platform, with the application on the virtual clock
// and the virtual receiver on the line: menus and titles per working mode, a connect and an
// upload through the progress dialogs, and a drag that reaches the receiver.
#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "gui/desktop_session.h"
#include "gui/dialog_window.h"
#include "gui/form_widget.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/slider_binding.h"
#include "gui/startup.h"
#include "gui_test_support.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

namespace {

// The program as main() builds it, with the clock and the receiver of a test.
struct Desktop {
  explicit Desktop(int startMode, int region = 1)
      : receiver(scheduler, emu::EmulatorConfig{}),
        app(receiver, scheduler,
            {folder.filePath("tunewright.ini").toStdString(), folder.path().toStdString()}) {
    options.startMode = startMode;
    options.tunerRegion = region;
    DesktopStartupUi startup(dialogs, options);
    bool started = false;
    app.InitInstance({}, startup, [&](bool ok) { started = ok; });
    EXPECT_TRUE(started);
    session = std::make_unique<DesktopSession>(app, ui, dialogs, ui::CQAmpToolView::Options{});
    EXPECT_TRUE(session->selectVirtualReceiver());
    window = std::make_unique<MainWindow>(*session, ui, dialogs);
    ShowAndWait(*window);
  }
  ~Desktop() {
    window.reset();
    session.reset();
    app.ExitInstance();
    Flush();
  }

  QPushButton* button(const ui::Control& control) const {
    return qobject_cast<QPushButton*>(window->mainForm().widgetFor(control));
  }
  QStringList menuTitles() const {
    QStringList titles;
    for (QMenu* menu : window->menus()) titles << menu->title();
    return titles;
  }
  QStringList items(int menu) const {
    QStringList texts;
    for (QAction* action : window->menus()[static_cast<std::size_t>(menu)]->actions()) {
      texts << (action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return texts;
  }
  bool runUntil(const std::function<bool()>& done) { return scheduler.runUntil(done, 600000); }

  QTemporaryDir folder;
  comm::VirtualScheduler scheduler;
  emu::EmulatorPort receiver;
  app::CQAmpToolApp app;
  DesktopOptions options;
  QtUiServices ui;
  QtDialogHost dialogs;
  std::unique_ptr<DesktopSession> session;
  std::unique_ptr<MainWindow> window;
};

}  // namespace

TEST(MainWindow, AsyncModeHasFileToolAndHelpMenusAndItsTitle) {
  Desktop desktop(app::kStartModeAsync);
  EXPECT_EQ(desktop.window->windowTitle(), "Async Mode - Tunewright for N4400 ver1.02");
  EXPECT_EQ(desktop.menuTitles(), (QStringList{"&File", "&Tool", "&Help"}));
  EXPECT_EQ(desktop.items(0),
            (QStringList{"&Open...", "&Save", "Save &As...", "-", "&Print...", "-", "E&xit"}));
  EXPECT_EQ(desktop.items(1), (QStringList{"&User Memo", "&Make Report"}));
  EXPECT_EQ(desktop.items(2), QStringList{"&About Tunewright..."});
  EXPECT_EQ(desktop.window->statusMessage(), "Ready");

  ui::CQAmpToolView& view = desktop.session->view();
  EXPECT_TRUE(desktop.button(view.uploadButton())->isVisibleTo(desktop.window.get()));
  EXPECT_FALSE(desktop.button(view.openButton())->isVisibleTo(desktop.window.get()));
  auto* status = qobject_cast<QLabel*>(desktop.window->mainForm().widgetFor(view.statusText()));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), "Not Connected");
}

TEST(MainWindow, RealTimeModeKeepsOnlyExitAndAbout) {
  Desktop desktop(app::kStartModeRealTime);
  EXPECT_EQ(desktop.window->windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02");
  EXPECT_EQ(desktop.menuTitles(), (QStringList{"&File", "&Help"}));
  EXPECT_EQ(desktop.items(0), QStringList{"E&xit"});
  EXPECT_EQ(desktop.items(1), QStringList{"&About Tunewright..."});
  ui::CQAmpToolView& view = desktop.session->view();
  EXPECT_TRUE(desktop.button(view.openButton())->isVisibleTo(desktop.window.get()));
  EXPECT_FALSE(desktop.button(view.uploadButton())->isVisibleTo(desktop.window.get()));
}

TEST(MainWindow, StatusBarShowsGuardAndReturnsToReady) {
  Desktop desktop(app::kStartModeRealTime);
  desktop.session->view().SetStatusBarText("GUARD");
  EXPECT_EQ(desktop.window->statusMessage(), "GUARD");
  desktop.session->view().SetStatusBarText("");
  EXPECT_EQ(desktop.window->statusMessage(), "Ready");
}

TEST(MainWindow, OpenConnectsThroughTheInitializeDialogWithTheWaitCursor) {
  Desktop desktop(app::kStartModeRealTime);
  ui::CQAmpToolView& view = desktop.session->view();
  QTest::mouseClick(desktop.button(view.openButton()), Qt::LeftButton);

  ui::CInitializeDlg* dialog = view.initializeDialog();
  ASSERT_NE(dialog, nullptr);
  DialogWindow* window = desktop.dialogs.windowOf(*dialog);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Initialize");
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(QApplication::activeModalWidget(), window);  // the main window takes no input now
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  auto* bar = window->findChild<QProgressBar*>();
  ASSERT_NE(bar, nullptr);

  int highest = 0;
  ASSERT_TRUE(desktop.runUntil([&] {
    if (view.initializeDialog() != nullptr) highest = std::max(highest, bar->value());
    return view.initializeDialog() == nullptr;
  }));
  EXPECT_GT(highest, 0);  // the bar moved while the receiver was read
  auto* status = qobject_cast<QLabel*>(desktop.window->mainForm().widgetFor(view.statusText()));
  EXPECT_EQ(status->text(), "Connected TQ-N4400");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(desktop.button(view.closeButton())->isEnabled());
  EXPECT_FALSE(desktop.button(view.openButton())->isEnabled());
}

TEST(MainWindow, RealTimeVolumeDragSendsTheEditOnceOnRelease) {
  Desktop desktop(app::kStartModeRealTime);
  ui::CQAmpToolView& view = desktop.session->view();
  view.Open();
  ASSERT_TRUE(desktop.runUntil([&] { return view.initializeDialog() == nullptr; }));
  desktop.receiver.transcript().clear();

  ui::CLevelSlider& volume = desktop.session->basic().volume;
  auto* slider = static_cast<ModelSlider*>(desktop.window->mainForm().widgetFor(volume));
  ASSERT_NE(slider, nullptr);
  const int before = volume.GetValue();
  const QPoint start = slider->handleRect().center();
  Press(*slider, start);
  MoveHeld(*slider, start - QPoint(0, 10));
  MoveHeld(*slider, start - QPoint(0, 20));
  EXPECT_TRUE(desktop.receiver.transcript().receivedFrames().empty());  // nothing while dragging
  Release(*slider, start - QPoint(0, 20));
  ASSERT_TRUE(desktop.runUntil([&] { return !desktop.receiver.transcript().receivedFrames().empty(); }));
  desktop.scheduler.advance(2000);
  EXPECT_GT(volume.GetValue(), before);  // up is louder
  // One edit, sent once: the volume frame goes out once, with the final value, not per move.
  const auto frames = desktop.receiver.transcript().receivedFrames();
  const auto volumeFrames = std::count_if(frames.begin(), frames.end(), [](const std::string& frame) {
    return frame.rfind(
               "\x02"
               "230",
               0) == 0;
  });
  EXPECT_EQ(volumeFrames, 1) << desktop.receiver.transcript().text();
}

TEST(MainWindow, AsyncUploadRunsTheCommandDialogWithProgressToTheEnd) {
  Desktop desktop(app::kStartModeAsync);
  ui::CQAmpToolView& view = desktop.session->view();
  int finished = -1;
  view.onCommandsFinished = [&](int result) { finished = result; };
  QTest::mouseClick(desktop.button(view.uploadButton()), Qt::LeftButton);

  QString caption;
  int highest = 0;
  int range = 0;
  ASSERT_TRUE(desktop.runUntil([&] {
    if (ui::CCommandSendDlg* dialog = view.commandDialog()) {
      if (DialogWindow* window = desktop.dialogs.windowOf(*dialog)) {
        caption = window->windowTitle();
        auto* bar = window->findChild<QProgressBar*>();
        highest = std::max(highest, bar->value());
        range = bar->maximum();
      }
    }
    return finished >= 0;
  }));
  EXPECT_EQ(finished, 0);
  EXPECT_EQ(caption, "Upload Comannd Sending");
  EXPECT_GT(range, 100);
  EXPECT_GT(highest, range / 2);
  EXPECT_EQ(view.commandDialog(), nullptr);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST(MainWindow, UserMemoFromTheToolMenuKeepsTheTextOnOk) {
  Desktop desktop(app::kStartModeAsync);
  QAction* memo = desktop.window->menus()[1]->actions()[0];
  memo->trigger();
  ASSERT_NE(QApplication::activeModalWidget(), nullptr);
  auto* window = dynamic_cast<DialogWindow*>(QApplication::activeModalWidget());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "User Memo");
  auto* edit = window->findChild<QPlainTextEdit*>();
  ASSERT_NE(edit, nullptr);
  edit->setFocus();
  QTest::keyClicks(edit, "Rack 2");
  for (QPushButton* button : window->findChildren<QPushButton*>()) {
    if (button->text() == "OK" && button->isVisible()) QTest::mouseClick(button, Qt::LeftButton);
  }
  EXPECT_EQ(desktop.session->document().userMemo(), "Rack 2");
}
