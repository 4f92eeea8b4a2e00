// The document's file commands (toolkit-free) and the desktop program's own options.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <memory>

#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "gui/desktop_session.h"
#include "gui/qamp_tool_doc.h"
#include "gui/qt_dialog_host.h"
#include "gui/startup.h"
#include "gui_test_support.h"
#include "ui/scripted_ui_services.h"

using namespace tw;
using namespace tw::gui;

namespace {

class RecordingFiles final : public ConfigurationFiles {
 public:
  bool Load(const std::string& path) override {
    loads.push_back(path);
    return loadWorks;
  }
  bool Save(const std::string& path) override {
    saves.push_back(path);
    return saveWorks;
  }
  std::string BuildReport() override { return "report"; }
  std::vector<std::string> loads;
  std::vector<std::string> saves;
  bool loadWorks = true;
  bool saveWorks = true;
};

struct DocumentFixture {
  DocumentFixture()
      : receiver(scheduler, emu::EmulatorConfig{}),
        app(receiver, scheduler,
            {folder.filePath("tunewright.ini").toStdString(), folder.path().toStdString()}) {
    DesktopOptions options;
    options.startMode = app::kStartModeAsync;
    options.tunerRegion = 1;
    DesktopStartupUi startup(dialogs, options);
    app.InitInstance({}, startup, [](bool) {});
    session = std::make_unique<DesktopSession>(app, ui, dialogs, ui::CQAmpToolView::Options{}, &files);
  }
  std::string existingFile(const char* name) {
    const std::string path = folder.filePath(name).toStdString();
    std::ofstream(path) << "[User Memo]\r\n";
    return path;
  }
  CQAmpToolDoc& document() { return session->document(); }

  QTemporaryDir folder;
  comm::VirtualScheduler scheduler;
  emu::EmulatorPort receiver;
  app::CQAmpToolApp app;
  ui::ScriptedUiServices ui;
  QtDialogHost dialogs;
  RecordingFiles files;
  std::unique_ptr<DesktopSession> session;
};

}  // namespace

TEST(Document, OpeningAFileTitlesTheWindowWithItsName) {
  DocumentFixture fixture;
  EXPECT_EQ(fixture.session->view().windowTitle(), "Async Mode - Tunewright for N4400 ver1.02");
  const std::string path = fixture.existingFile("living room.qcf");
  EXPECT_TRUE(fixture.document().OnOpenDocument(path));
  EXPECT_EQ(fixture.files.loads, std::vector<std::string>{path});
  EXPECT_EQ(fixture.session->view().windowTitle(), "living room.qcf - Tunewright for N4400 ver1.02");
  EXPECT_EQ(fixture.ui.waitCursorShows(), 1);
  EXPECT_EQ(fixture.ui.waitCursorDepth(), 0);
  EXPECT_TRUE(fixture.document().OnOpenDocument(path));  // the open file is read again
  EXPECT_EQ(fixture.files.loads.size(), 2u);
}

TEST(Document, AMissingFileIsNotReadAndSaysSo) {
  DocumentFixture fixture;
  EXPECT_FALSE(fixture.document().OnOpenDocument(fixture.folder.filePath("absent.qcf").toStdString()));
  EXPECT_TRUE(fixture.files.loads.empty());
  ASSERT_EQ(fixture.ui.messages().size(), 1u);
  EXPECT_EQ(fixture.ui.messages()[0].text, "Failed to open document.");
  EXPECT_EQ(fixture.session->view().documentTitle(), "Async Mode");
}

TEST(Document, SaveOverTheOpenFileAsksFirstAndCancelWritesNothing) {
  DocumentFixture fixture;
  const std::string path = fixture.existingFile("a.qcf");
  fixture.document().OnOpenDocument(path);
  fixture.ui.answer(ui::MessageResult::Cancel);
  fixture.document().Save();
  EXPECT_TRUE(fixture.files.saves.empty());
  ASSERT_EQ(fixture.ui.messages().size(), 1u);
  EXPECT_EQ(fixture.ui.messages()[0].text, "It overwrites. \nIs it all right?");

  fixture.ui.answer(ui::MessageResult::Ok);
  fixture.document().Save();
  EXPECT_EQ(fixture.files.saves, std::vector<std::string>{path});
}

TEST(Document, SaveWithoutAPathIsSaveAsAndACancelledDialogWritesNowhere) {
  DocumentFixture fixture;
  fixture.ui.answerFile(std::nullopt);
  fixture.document().Save();
  EXPECT_TRUE(fixture.files.saves.empty());
  ASSERT_EQ(fixture.ui.fileDialogs().size(), 1u);
  EXPECT_EQ(fixture.ui.fileDialogs()[0].filterName, "Configuration File (*.qcf)");
  EXPECT_EQ(fixture.ui.fileDialogs()[0].extension, ".qcf");

  const std::string chosen = fixture.folder.filePath("new.qcf").toStdString();
  fixture.ui.answerFile(chosen);
  fixture.document().SaveAs();
  EXPECT_EQ(fixture.files.saves, std::vector<std::string>{chosen});
  EXPECT_EQ(fixture.document().path(), chosen);
  EXPECT_EQ(fixture.session->view().documentTitle(), "new.qcf");
}

TEST(Document, AFailedSaveKeepsTheOldNameAndSaysSo) {
  DocumentFixture fixture;
  fixture.files.saveWorks = false;
  fixture.ui.answerFile(fixture.folder.filePath("x.qcf").toStdString());
  fixture.document().SaveAs();
  EXPECT_EQ(fixture.document().path(), "");
  ASSERT_EQ(fixture.ui.messages().size(), 1u);
  EXPECT_EQ(fixture.ui.messages()[0].text, "Failed to save document.");
}

TEST(DesktopOptions, ModeRegionDemoAndTheRestInOrder) {
  const DesktopOptions options =
      ParseDesktopOptions({"--mode", "realtime", "/RegServer", "--region", "2", "--demo", "a.qcf"});
  EXPECT_TRUE(options.error.empty());
  EXPECT_EQ(options.startMode, app::kStartModeRealTime);
  EXPECT_EQ(options.tunerRegion, 2);
  EXPECT_TRUE(options.demo);
  EXPECT_EQ(options.rest, (std::vector<std::string>{"/RegServer", "a.qcf"}));
  EXPECT_EQ(ParseDesktopOptions({"--mode", "async"}).startMode, app::kStartModeAsync);
  EXPECT_FALSE(ParseDesktopOptions({"--mode"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--mode", "fast"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--region", "4"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--region", "-1"}).error.empty());
  EXPECT_FALSE(ParseDesktopOptions({"--screenshots"}).error.empty());
}
