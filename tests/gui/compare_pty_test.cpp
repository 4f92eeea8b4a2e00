// Compare with Receiver as a new user tries it: the desktop program on the real serial
// backend against `tunewright-cli emulate` on a pseudo-terminal, five settings changed with
// `tunewright-cli set`, the wire tapped by the receiver's own transcript.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "app/given_device_port.h"
#include "gui/desktop.h"
#include "gui/main_window.h"
#include "gui/qt_dialog_host.h"
#include "gui/qt_ui_services.h"
#include "gui_test_support.h"
#include "platform/qserial_port.h"
#include "platform/qt_scheduler.h"
#include "session/workbench.h"

namespace tw::gui::test {
namespace {

constexpr int kWaitMs = 10 * 60 * 1000;  // a bound on each wait, not a timing check

// The frames the tool wrote since `from` in the receiver's transcript, keep-alive polls left out.
QStringList WrittenSince(const QString& transcript, int from) {
  QStringList written;
  for (const QString& line : transcript.mid(from).split('\n')) {
    if (!line.contains("tool > receiver")) continue;
    const QString frame = line.section("tool > receiver", 1).trimmed();
    if (frame != "<STX>FFFFF<ETX>" && frame != "<DC4>20050000FCD<ETX>") written << frame;
  }
  return written;
}

TEST(ComparePty, FiveSettingsChangedWithSetAreListedAppliedAndThenGone) {
  QTemporaryDir folder;
  const QString cli = QStringLiteral(TW_CLI_PATH);
  const QString file = folder.filePath("factory.qcf");
  QProcess upload;
  upload.start(cli, {"upload", "--emulator", "-o", file});
  ASSERT_TRUE(upload.waitForFinished(60000) && upload.exitCode() == 0);

  // The receiver's transcript goes to a file: a pipe nobody reads while `set` runs would fill.
  QProcess receiver;
  const QString tap = folder.filePath("wire.txt");
  receiver.setStandardErrorFile(tap);
  receiver.start(cli, {"emulate", "--transcript"});
  ASSERT_TRUE(receiver.waitForStarted(10000) && receiver.waitForReadyRead(10000));
  const QString device = QString::fromUtf8(receiver.readLine()).trimmed();
  auto transcript = [&tap] {
    QFile wire(tap);
    return wire.open(QIODevice::ReadOnly) ? QString::fromUtf8(wire.readAll()) : QString();
  };
  const QList<QStringList> edits = {{"Speaker Level", "FL", "1.5dB"},
                                    {"Speaker Level", "SW", "-2.0dB"},
                                    {"Volume Trim", "CD", "2.0dB"},
                                    {"Tone Control", "Speaker Bass Gain", "3.0dB"},
                                    {"Display Set", "Dimmer", "-2"}};
  for (const QStringList& edit : edits) {
    QProcess set;
    set.start(cli, QStringList{"set", "--port", device, "--pacing", "reply", "--quiet"} + edit);
    ASSERT_TRUE(set.waitForFinished(kWaitMs)) << edit.join(' ').toStdString();
    ASSERT_EQ(set.exitCode(), 0) << set.readAllStandardError().toStdString();
  }

  platform::QtScheduler scheduler;
  QtUiServices ui;
  QtDialogHost dialogs;
  session::Workbench bench({scheduler, ui, dialogs,
                            {folder.filePath("tunewright.ini").toStdString(), folder.path().toStdString()},
                            [device]() -> std::unique_ptr<comm::SerialPort> {
                              return std::make_unique<app::GivenDevicePort>(
                                  device.toStdString(), std::make_unique<platform::QSerialPortBackend>());
                            },
                            {}, false});
  session::PresetStartup startup(app::kStartModeRealTime, 1);
  bool started = false;
  bench.Start({}, startup, [&](bool ok) { started = ok && bench.SelectPort(device.toStdString()); });
  ASSERT_TRUE(started);
  bench.app().setReadPacing(comm::ReadPacing::Reply);
  auto desktop = std::make_unique<Desktop>(bench, ui, dialogs, false);
  ShowAndWait(desktop->window());
  bench.view().Open();
  ASSERT_TRUE(QTest::qWaitFor([&] { return bench.link().isPortOpen() && bench.view().initializeDialog() == nullptr &&
                                           !bench.link().isSendingCommands(); },
                              kWaitMs));
  QTest::qWait(1000);

  // Compare lists exactly the five.
  session::ReceiverComparison& comparison = desktop->window().comparison();
  comparison.CompareWith(file.toStdString());
  ASSERT_NE(comparison.dialog(), nullptr);
  QWidget* compare = QApplication::activeModalWidget();
  ASSERT_NE(compare, nullptr);
  auto* list = compare->findChild<QTreeWidget*>();
  ASSERT_NE(list, nullptr);
  QStringList rows;
  for (int row = 0; row < list->topLevelItemCount(); ++row) {
    rows << list->topLevelItem(row)->text(0) + " " + list->topLevelItem(row)->text(1);
  }
  EXPECT_EQ(rows, (QStringList{"Speaker Level FL", "Speaker Level SW", "Tone Control Speaker Bass Gain",
                               "Volume Trim CD", "Display Set Dimmer"}));

  // Apply sends only them.
  const int tapped = static_cast<int>(transcript().size());
  QString summary;
  ASSERT_TRUE(ClickButton(*compare, "Apply"));
  // The summary comes once the receiver has answered every write.
  TakeNextMessage(summary);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !summary.isEmpty(); }, kWaitMs));
  EXPECT_EQ(summary.toStdString(), "Applied 5 of 5 settings.");
  QTest::qWait(500);
  const QStringList written = WrittenSince(transcript(), tapped);
  EXPECT_EQ(written.size(), 5) << written.join('\n').toStdString();

  // A second comparison finds nothing.
  QString second;
  TakeNextMessage(second);
  comparison.CompareWith(file.toStdString());
  EXPECT_EQ(second.toStdString(), "The receiver holds every setting of \"factory.qcf\" that it reports.");

  bench.view().Close();
  QTest::qWait(500);
  desktop.reset();
  bench.Shutdown();
  receiver.terminate();
  receiver.waitForFinished(5000);
}

}  // namespace
}  // namespace tw::gui::test
