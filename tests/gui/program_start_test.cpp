// The desktop program started as a user starts it: Qt's own options are Qt's, never a file
// to open, and the virtual receiver is offered only when asked for.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "gui_test_support.h"

namespace {

struct ProgramRun {
  bool finished = false;
  int exitCode = -1;
  QString out;
  QString error;
};

// Runs tunewright with `arguments` on the offscreen platform, with settings and logs of its
// own; a program that hangs (a message box nobody answers) is ended and reported.
ProgramRun Start(const QStringList& arguments, const QTemporaryDir& home) {
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("XDG_CONFIG_HOME", home.filePath("config"));
  environment.insert("XDG_STATE_HOME", home.filePath("state"));
  // Under the sanitizers, the program's leak check knows what the test program's knows:
  // fontconfig keeps its caches until the process ends.
  QFile suppressions(home.filePath("lsan.supp"));
  if (suppressions.open(QIODevice::WriteOnly)) suppressions.write("leak:libfontconfig.so\n");
  suppressions.close();
  environment.insert("LSAN_OPTIONS", "suppressions=" + suppressions.fileName());
  program.setProcessEnvironment(environment);
  program.start(TW_GUI_PATH, arguments);
  ProgramRun run;
  run.finished = program.waitForFinished(60000);
  if (!run.finished) {
    program.kill();
    program.waitForFinished();
  }
  run.exitCode = program.exitCode();
  run.out = QString::fromLocal8Bit(program.readAllStandardOutput());
  run.error = QString::fromLocal8Bit(program.readAllStandardError());
  return run;
}

}  // namespace

TEST(ProgramStart, QtOptionsAreTakenByQtAndNeverOpenedAsAFile) {
  QTemporaryDir home;
  const QString shots = home.filePath("shots");
  const ProgramRun run = Start({"-style", "Fusion", "--mode", "async", "--region", "1", "--screenshots", shots}, home);
  ASSERT_TRUE(run.finished) << "the program hung (a message about a file named Fusion?)";
  EXPECT_EQ(run.exitCode, 0) << run.error.toStdString();
  EXPECT_TRUE(run.out.contains("screenshots in")) << run.out.toStdString();
  EXPECT_FALSE(QDir(shots).entryList({"*.png"}).isEmpty());
  // The logs' folder exists for the user alone.
  EXPECT_EQ(QFile::permissions(home.filePath("state/tunewright")) & (QFile::ReadGroup | QFile::ReadOther |
                                                                   QFile::WriteGroup | QFile::WriteOther),
            QFile::Permissions());
}

TEST(ProgramStart, HelpAndVersionAnswerWithoutAWindowSystem) {
  QTemporaryDir home;
  const ProgramRun version = Start({"--version"}, home);
  ASSERT_TRUE(version.finished);
  EXPECT_EQ(version.exitCode, 0);
  EXPECT_TRUE(version.out.startsWith("tunewright ")) << version.out.toStdString();
  const ProgramRun bad = Start({"--mode", "fast"}, home);
  ASSERT_TRUE(bad.finished);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_TRUE(bad.error.contains("--mode")) << bad.error.toStdString();
}
