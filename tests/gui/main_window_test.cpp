// The real main window on the offscreen platform, with the application on the virtual clock
// and the virtual receiver on the line: menus and titles per working mode, a connect and an
// upload through the progress dialogs, and a drag that reaches the receiver.
#include "gui/main_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QPrintDialog>
#include <QLabel>
#include <QListWidget>
#include <QCloseEvent>
#include <QMessageBox>
#include <QMenu>
#include <QMenuBar>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <memory>

#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "gui/desktop.h"
#include "gui/dialog_window.h"
#include "gui/form_widget.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui/slider_binding.h"
#include "gui/startup.h"
#include "gui_test_support.h"
#include "program_fixture.h"
#include "pages/zone/volume_trim_page.h"
#include "session/workbench.h"

using namespace tw;
using namespace tw::gui;
using namespace tw::gui::test;

TEST(MainWindow, AsyncModeHasFileToolAndHelpMenusAndItsTitle) {
  Program desktop(app::kStartModeAsync);
  EXPECT_EQ(desktop.window->windowTitle(), "Async Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  EXPECT_EQ(desktop.menuTitles(), (QStringList{"&File", "&Tool", "&Help"}));
  EXPECT_EQ(desktop.items(0),
            (QStringList{"&Open...", "&Save", "Save &As...", "-", "&Print...", "-", "E&xit"}));
  EXPECT_EQ(desktop.items(1), (QStringList{"&User Memo", "&Make Report"}));
  EXPECT_EQ(desktop.items(2), QStringList{"&About Tunewright..."});
  EXPECT_EQ(desktop.window->statusMessage(), "Ready");

  ui::MainView& view = desktop.bench.view();
  EXPECT_TRUE(desktop.button(view.uploadButton())->isVisibleTo(desktop.window));
  EXPECT_FALSE(desktop.button(view.openButton())->isVisibleTo(desktop.window));
  auto* status = qobject_cast<QLabel*>(desktop.window->widgetFor(view.statusText()));
  ASSERT_NE(status, nullptr);
  EXPECT_EQ(status->text(), "Not Connected (virtual receiver)");
}

TEST(MainWindow, RealTimeModeKeepsCompareExitAndAbout) {
  Program desktop(app::kStartModeRealTime);
  EXPECT_EQ(desktop.window->windowTitle(), "Real Time Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  EXPECT_EQ(desktop.menuTitles(), (QStringList{"&File", "&Help"}));
  EXPECT_EQ(desktop.items(0), (QStringList{"&Compare with Receiver...", "-", "E&xit"}));
  EXPECT_EQ(desktop.items(1), QStringList{"&About Tunewright..."});
  ui::MainView& view = desktop.bench.view();
  EXPECT_TRUE(desktop.button(view.openButton())->isVisibleTo(desktop.window));
  EXPECT_FALSE(desktop.button(view.uploadButton())->isVisibleTo(desktop.window));
}

TEST(MainWindow, StatusBarShowsGuardAndReturnsToReady) {
  Program desktop(app::kStartModeRealTime);
  desktop.bench.view().StatusWordChanged(comm::StatusWord::Guard);
  EXPECT_EQ(desktop.window->statusMessage(), "GUARD");
  desktop.bench.view().StatusWordChanged(comm::StatusWord::None);
  EXPECT_EQ(desktop.window->statusMessage(), "Ready");
}

TEST(MainWindow, OpenConnectsThroughTheInitializeDialogWithTheWaitCursor) {
  Program desktop(app::kStartModeRealTime);
  ui::MainView& view = desktop.bench.view();
  QTest::mouseClick(desktop.button(view.openButton()), Qt::LeftButton);

  ui::InitializeDialog* dialog = view.initializeDialog();
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
  auto* status = qobject_cast<QLabel*>(desktop.window->widgetFor(view.statusText()));
  EXPECT_EQ(status->text(), "Connected TQ-N4400 (virtual receiver)");
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_TRUE(desktop.button(view.closeButton())->isEnabled());
  EXPECT_FALSE(desktop.button(view.openButton())->isEnabled());
}

TEST(MainWindow, RealTimeVolumeDragSendsTheEditOnceOnRelease) {
  Program desktop(app::kStartModeRealTime);
  ui::MainView& view = desktop.bench.view();
  view.Open();
  ASSERT_TRUE(desktop.runUntil([&] { return view.initializeDialog() == nullptr; }));
  desktop.receiver().transcript().clear();

  ui::LevelSlider& volume = desktop.bench.basicControls().volume;
  auto* slider = static_cast<ModelSlider*>(desktop.window->widgetFor(volume));
  ASSERT_NE(slider, nullptr);
  const int before = volume.GetValue();
  const QPoint start = slider->handleRect().center();
  Press(*slider, start);
  MoveHeld(*slider, start - QPoint(0, 10));
  MoveHeld(*slider, start - QPoint(0, 20));
  EXPECT_TRUE(desktop.receiver().transcript().receivedFrames().empty());  // nothing while dragging
  Release(*slider, start - QPoint(0, 20));
  ASSERT_TRUE(desktop.runUntil([&] { return !desktop.receiver().transcript().receivedFrames().empty(); }));
  desktop.scheduler.advance(2000);
  EXPECT_GT(volume.GetValue(), before);  // up is louder
  // One edit, sent once: the volume frame goes out once, with the final value, not per move.
  const auto frames = desktop.receiver().transcript().receivedFrames();
  const auto volumeFrames = std::count_if(frames.begin(), frames.end(), [](const std::string& frame) {
    return frame.rfind(
               "\x02"
               "230",
               0) == 0;
  });
  EXPECT_EQ(volumeFrames, 1) << desktop.receiver().transcript().text();
}

// The cable is pulled just before an edit: the edit fails, "ERROR" is shown, and the slider
// goes back to the trim the receiver holds.
TEST(MainWindow, ARealTimeEditTheReceiverNeverGotGoesBackOnScreen) {
  constexpr std::int64_t kCablePulledAt = 5 * 60 * 1000;
  emu::EmulatorConfig receiver;
  receiver.ctsOffAtMs = kCablePulledAt;
  Program desktop(app::kStartModeRealTime, 1, {}, receiver);
  ui::MainView& view = desktop.bench.view();
  view.Open();
  ASSERT_TRUE(desktop.runUntil([&] { return view.initializeDialog() == nullptr; }));
  desktop.scheduler.advance(kCablePulledAt + 1000 - desktop.scheduler.now());
  ASSERT_TRUE(view.statusText().text().rfind("Connected", 0) == 0);

  ASSERT_TRUE(desktop.bench.sheet().SetActivePage("Volume Trim"));
  auto& page = *desktop.bench.sheet().Find<pages::VolumeTrimPage>();
  ui::StepSlider& trim = page.stepSlider(383);
  auto* slider = static_cast<ModelSlider*>(desktop.window->widgetFor(trim));
  ASSERT_NE(slider, nullptr);
  Flush();
  const int held = trim.GetValue();
  const int heldOnScreen = slider->value();
  int finished = -1;
  view.onCommandsFinished = [&](comm::ListResult result) { finished = static_cast<int>(result); };
  const QPoint start = slider->handleRect().center();
  Press(*slider, start);
  MoveHeld(*slider, start + QPoint(30, 0));
  Release(*slider, start + QPoint(30, 0));
  ASSERT_NE(trim.GetValue(), held) << "the drag moved the trim";
  ASSERT_TRUE(desktop.runUntil([&] { return finished >= 0; }));
  Flush();
  EXPECT_EQ(finished, 1);
  EXPECT_EQ(desktop.window->statusMessage(), "ERROR");
  EXPECT_EQ(trim.GetValue(), held);
  EXPECT_EQ(slider->value(), heldOnScreen) << "the widget shows it";
}

TEST(MainWindow, AsyncUploadRunsTheCommandDialogWithProgressToTheEnd) {
  Program desktop(app::kStartModeAsync);
  ui::MainView& view = desktop.bench.view();
  int finished = -1;
  view.onCommandsFinished = [&](comm::ListResult result) { finished = static_cast<int>(result); };
  QTest::mouseClick(desktop.button(view.uploadButton()), Qt::LeftButton);

  QString caption;
  int highest = 0;
  int range = 0;
  ASSERT_TRUE(desktop.runUntil([&] {
    if (ui::CommandSendingDialog* dialog = view.commandDialog()) {
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
  Program desktop(app::kStartModeAsync);
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
  EXPECT_EQ(desktop.desktop->document().userMemo(), "Rack 2");
}

namespace {

QAction* Command(const Program& program, const QString& text) {
  for (QMenu* menu : program.window->menus()) {
    for (QAction* action : menu->actions()) {
      if (action->text() == text) return action;
    }
  }
  ADD_FAILURE() << "no menu command " << text.toStdString();
  return nullptr;
}

// Answers the next file dialog with `path`.
void ChooseFile(const QString& path) {
  WhenModal([path](QWidget& modal) {
    auto* dialog = qobject_cast<QFileDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
}

}  // namespace

TEST(MainWindow, AsyncFileAndToolCommandsAreAvailable) {
  Program desktop(app::kStartModeAsync);
  for (const char* text : {"&Open...", "&Save", "Save &As...", "&Print...", "&User Memo", "&Make Report"}) {
    QAction* action = Command(desktop, text);
    ASSERT_NE(action, nullptr);
    EXPECT_TRUE(action->isEnabled()) << text;
  }
}

TEST(MainWindow, SaveAsThenOpenFromTheFileMenuRoundTripsThroughARealFile) {
  Program desktop(app::kStartModeAsync);
  model::ParameterImage& image = *desktop.bench.link().images().Image(0);
  image.speakerLevel[0] = 35;
  desktop.bench.userMemo() = "Den";
  const QString path = desktop.folder.filePath("den.qcf");
  ChooseFile(path);
  Command(desktop, "Save &As...")->trigger();
  ASSERT_TRUE(QFile::exists(path));
  EXPECT_EQ(desktop.window->windowTitle(), "den.qcf - Tunewright for N4400 ver1.02 (virtual receiver)");

  image.speakerLevel[0] = -35;
  desktop.bench.userMemo() = "";
  // Those changes are in no file: Open asks first, and Discard lets it go on.
  WhenModal([path](QWidget& modal) {
    auto* box = qobject_cast<QMessageBox*>(&modal);
    ASSERT_NE(box, nullptr);
    ChooseFile(path);
    box->button(QMessageBox::Discard)->click();
  });
  Command(desktop, "&Open...")->trigger();
  EXPECT_EQ(image.speakerLevel[0], 35);
  EXPECT_EQ(desktop.desktop->document().userMemo(), "Den");
  EXPECT_EQ(desktop.window->windowTitle(), "den.qcf - Tunewright for N4400 ver1.02 (virtual receiver)");
}

// An edit marks the title with "*"; closing the window then asks first: Cancel keeps it
// open, Discard lets it close.
TEST(MainWindow, UnsavedChangesMarkTheTitleAndClosingAsksFirst) {
  Program desktop(app::kStartModeAsync);
  QWidget* mute = desktop.window->widgetFor(desktop.bench.basicControls().mute);
  ASSERT_NE(mute, nullptr);
  QTest::mouseClick(mute, Qt::LeftButton);
  Flush();
  EXPECT_EQ(desktop.window->windowTitle(), "Async Mode* - Tunewright for N4400 ver1.02 (virtual receiver)");
  for (const QMessageBox::StandardButton button : {QMessageBox::Cancel, QMessageBox::Discard}) {
    QString asked;
    WhenModal([&asked, button](QWidget& modal) {
      auto* box = qobject_cast<QMessageBox*>(&modal);
      ASSERT_NE(box, nullptr);
      asked = box->text();
      box->button(button)->click();
    });
    QCloseEvent close;
    QApplication::sendEvent(desktop.window, &close);
    EXPECT_TRUE(asked.contains(QStringLiteral("Closing Tunewright without saving"))) << asked.toStdString();
    EXPECT_EQ(close.isAccepted(), button == QMessageBox::Discard);
  }
}

TEST(MainWindow, AFileOnTheCommandLineOpensAtStartUp) {
  QTemporaryDir keep;
  const std::string path = keep.filePath("start.qcf").toStdString();
  {
    Program first(app::kStartModeAsync);
    first.bench.userMemo() = "From the command line";
    ASSERT_TRUE(first.bench.SaveConfiguration(path).ok);
  }
  Program desktop(app::kStartModeAsync, 1, {path});
  Flush();  // the file opens once the window is up
  EXPECT_EQ(desktop.desktop->document().userMemo(), "From the command line");
  EXPECT_EQ(desktop.window->windowTitle(), "start.qcf - Tunewright for N4400 ver1.02 (virtual receiver)");
}

TEST(MainWindow, AFileThatCannotBeOpenedAtStartUpIsReportedOnceAndTheProgramGoesOn) {
  QTemporaryDir keep;
  const std::string missing = keep.filePath("gone.qcf").toStdString();
  QStringList boxes;
  auto answer = [&boxes](QWidget& modal) {
    boxes << modal.findChild<QLabel*>("qt_msgbox_label")->text();
    QMetaObject::invokeMethod(&modal, "accept", Qt::QueuedConnection);
  };
  WhenModal(answer);
  Program desktop(app::kStartModeAsync, 1, {missing});
  Flush();
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_TRUE(boxes[0].contains(QString::fromStdString(missing))) << boxes[0].toStdString();
  EXPECT_TRUE(desktop.window->isVisible());
  EXPECT_EQ(desktop.window->windowTitle(), "Async Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MainWindow, MakeReportShowsTheReportText) {
  Program desktop(app::kStartModeAsync);
  desktop.bench.userMemo() = "Rack 2, K\xc3\xbc" "che";  // the memo is UTF-8, as typed
  Command(desktop, "&Make Report")->trigger();
  auto* window = dynamic_cast<DialogWindow*>(QApplication::activeModalWidget());
  ASSERT_NE(window, nullptr);
  auto* edit = window->findChild<QPlainTextEdit*>();
  ASSERT_NE(edit, nullptr);
  const QString text = edit->toPlainText();
  EXPECT_TRUE(text.contains(QString::fromUtf8("Rack 2, K\u00fcche"))) << text.toStdString();
  EXPECT_TRUE(text.contains("Speaker Level")) << text.toStdString();
  // Lines stand as built: no wrapping, a fixed-width font, and room for a whole line.
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_TRUE(QFontInfo(edit->font()).fixedPitch());
  const QFontMetrics metrics(edit->font());
  int widest = 0;
  for (const QString& line : text.split('\n')) widest = std::max(widest, metrics.horizontalAdvance(line));
  EXPECT_GE(edit->viewport()->width(), widest);
  window->close();
}

TEST(MainWindow, PrintFromTheFileMenuWritesAPdf) {
  Program desktop(app::kStartModeAsync);
  const QString path = desktop.folder.filePath("report.pdf");
  WhenModal([&](QWidget& modal) {
    auto* dialog = qobject_cast<QPrintDialog*>(&modal);
    ASSERT_NE(dialog, nullptr);
    auto* choice = dialog->findChild<QComboBox*>("printers");
    ASSERT_NE(choice, nullptr);
    const int pdf = choice->findText("Print to File (PDF)");
    ASSERT_GE(pdf, 0);
    choice->setCurrentIndex(pdf);
    dialog->findChild<QLineEdit*>("filename")->setText(path);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  Command(desktop, "&Print...")->trigger();
  QFile pdf(path);
  ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
  EXPECT_TRUE(pdf.readAll().startsWith("%PDF"));
}
