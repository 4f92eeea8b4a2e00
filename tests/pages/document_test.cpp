// The document's file commands over the workbench: real files, the overwrite question, the
// title, and a round trip of the speaker pages and the Basic Control group.

#include "session/configuration_document.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <algorithm>
#include <csignal>
#include <fstream>
#include <sstream>

#include "pages/workbench_fixture.h"
#include "ui/main_view.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Files cannot grow beyond `bytes` while this lives (as on a full disk); the signal that
// would end the program is ignored, so that writes fail instead.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) : handler_(std::signal(SIGXFSZ, SIG_IGN)) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    std::signal(SIGXFSZ, handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit saved_{};
  void (*handler_)(int);
};

struct DocFixture : BenchFixture {
  DocFixture() : BenchFixture(app::kStartModeAsync, {}, 1), document(bench, ui, dialogs) {}
  std::string file(const char* name) const { return (folder.path() / name).string(); }
  // The message boxes shown since the last mark().
  void mark() { marked = ui.messages().size(); }
  std::vector<ui::ScriptedUiServices::ShownMessage> shown() const {
    return {ui.messages().begin() + static_cast<std::ptrdiff_t>(marked), ui.messages().end()};
  }
  std::vector<std::string> shownTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : shown()) texts.push_back(message.text);
    return texts;
  }
  ConfigurationDocument document;
  std::size_t marked = 0;
};

TEST(Document, OpeningAFileTitlesTheWindowWithItsNameAndReadsItAgainWhenOpenAlready) {
  DocFixture f;
  EXPECT_EQ(f.bench.view().windowTitle(), "Async Mode - Tunewright for N4400 ver1.02 (virtual receiver)");
  f.image(0).speakerLevel[0] = 35;
  const std::string path = f.file("living room.qcf");
  ASSERT_TRUE(f.bench.SaveConfiguration(path).ok);

  f.image(0).speakerLevel[0] = -35;
  ASSERT_TRUE(f.document.OnOpenDocument(path));
  EXPECT_EQ(f.image(0).speakerLevel[0], 35);
  EXPECT_EQ(f.bench.view().windowTitle(), "living room.qcf - Tunewright for N4400 ver1.02 (virtual receiver)");
  EXPECT_EQ(f.ui.waitCursorShows(), 1);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);

  f.image(0).speakerLevel[0] = -35;
  ASSERT_TRUE(f.document.OnOpenDocument(path));  // the open file is read again
  EXPECT_EQ(f.image(0).speakerLevel[0], 35);
}

TEST(Document, OpenKeepsThePortAndPageInUseBeforeTheViewArrangesItselfAgain) {
  DocFixture f;
  const std::string path = f.file("a.qcf");
  ASSERT_TRUE(f.bench.SaveConfiguration(path).ok);
  ASSERT_GE(f.bench.sheet().pageCount(), 2);
  f.bench.sheet().setActive(1);
  const std::string caption = f.bench.sheet().pageCaption(1);
  ASSERT_TRUE(f.document.OnOpenDocument(path));
  EXPECT_EQ(f.bench.app().setting(app::kActivePageSetting), caption);
  EXPECT_EQ(f.bench.sheet().activeIndex(), 1);
  EXPECT_EQ(f.bench.view().portList().selectedText(), ui::kVirtualPortEntry);
}

TEST(Document, AFileThatCannotBeReadOrSetsNothingChangesNothingAndSaysWhy) {
  DocFixture f;
  std::filesystem::create_directories(f.folder.path() / "folder.qcf");
  std::ofstream(f.file("noise.qcf"), std::ios::binary) << std::string("\x01\xFF\x00garbage\x7F", 12);
  std::ofstream(f.file("other.ini"), std::ios::binary) << "[Window]\r\nWidth=800\r\n";
  std::ofstream(f.file("wide.qcf"), std::ios::binary) << std::string("\xFF\xFE[\0A\0]\0\r\0\n\0", 12);
  f.image(0).speakerLevel[0] = 35;
  const model::ParameterImages before = f.bench.link().images();
  struct Case {
    std::string path;
    std::string cause;
  };
  const Case cases[] = {
      {"", "No file was named."},
      {f.file("absent.qcf"), "the file does not exist"},
      {f.file("folder.qcf"), "it is a folder, not a file"},
      {f.file("noise.qcf"), "holds no settings: it is empty or not a configuration file"},
      {f.file("other.ini"), "none of its 1 entries is a setting this tool can read"},
      {f.file("wide.qcf"), "is UTF-16 text"},
  };
  for (const Case& c : cases) {
    f.mark();
    EXPECT_FALSE(f.document.OnOpenDocument(c.path)) << c.path;
    ASSERT_EQ(f.shownTexts().size(), 1u) << c.path;
    const std::string shown = f.shownTexts().front();
    EXPECT_EQ(shown.rfind("Failed to open document.\n\n", 0), 0u) << shown;
    EXPECT_NE(shown.find(c.cause), std::string::npos) << shown;
    EXPECT_NE(shown.find(c.path), std::string::npos) << shown;
  }
  EXPECT_EQ(f.bench.view().documentTitle(), "Async Mode");
  EXPECT_EQ(f.document.path(), "");
  EXPECT_TRUE(std::equal(before.All().begin(), before.All().end(), f.bench.link().images().All().begin()));
}

TEST(Document, AFileCutShortOpensWithOneWarningOfHowManySettingsItHeld) {
  DocFixture f;
  f.image(0).speakerLevel[0] = 35;
  const std::string whole = f.file("whole.qcf");
  ASSERT_TRUE(f.bench.SaveConfiguration(whole).ok);
  ASSERT_TRUE(f.document.OnOpenDocument(whole));
  EXPECT_TRUE(f.shownTexts().empty()) << "a complete file opens without a word";

  const std::string text = Contents(whole);
  const std::string cut = f.file("cut.qcf");
  std::ofstream(cut, std::ios::binary) << text.substr(0, text.find("[Speaker Distance]"));
  f.image(0).speakerLevel[0] = 0;
  f.mark();
  ASSERT_TRUE(f.document.OnOpenDocument(cut));
  EXPECT_EQ(f.image(0).speakerLevel[0], 35) << "what the file holds is read";
  ASSERT_EQ(f.shown().size(), 1u);
  EXPECT_EQ(f.shown()[0].icon, ui::MessageIcon::Exclamation);
  const std::string warning = f.shown()[0].text;
  EXPECT_EQ(warning.rfind("\"" + cut + "\" holds ", 0), 0u) << warning;
  EXPECT_NE(warning.find(" settings of a complete configuration file (was it cut short?)"), std::string::npos)
      << warning;
  EXPECT_EQ(f.document.path(), cut);

  std::ofstream(cut, std::ios::binary) << text << "[Garden]\r\nHose=on\r\n";
  f.mark();
  ASSERT_TRUE(f.document.OnOpenDocument(cut));
  ASSERT_EQ(f.shownTexts().size(), 1u);
  EXPECT_EQ(f.shownTexts()[0], "\"" + cut + "\": [Garden] Hose = \"on\": not a setting of this tool, ignored");
}

// After a file that lacks settings a Download asks first, until an upload fills them.
TEST(Document, ADownloadAfterAFileThatLacksSettingsAsksFirst) {
  DocFixture f;
  const std::string partial = f.file("partial.qcf");
  std::ofstream(partial, std::ios::binary) << "[Speaker Level]\r\nFL=1.0dB\r\n";
  ASSERT_TRUE(f.document.OnOpenDocument(partial));
  EXPECT_NE(f.shownTexts().at(0).find("hold the values Tunewright had: factory values unless"), std::string::npos);
  for (const ui::MessageResult answer : {ui::MessageResult::Cancel, ui::MessageResult::Ok}) {
    f.mark();
    f.ui.answer(answer);
    f.bench.view().downloadButton().click();
    ASSERT_EQ(f.shownTexts().size(), 1u);
    EXPECT_NE(f.shownTexts()[0].find("\"" + partial + "\", which lacks "), std::string::npos) << f.shownTexts()[0];
    EXPECT_EQ(f.bench.view().downloadNotice() != nullptr, answer == ui::MessageResult::Ok);  // then its notice
  }
  f.bench.view().downloadNotice()->cancelButton().click();
  EXPECT_EQ(f.run(Workbench::Operation::Upload).listResult, 0);
  f.mark();
  EXPECT_EQ(f.run(Workbench::Operation::Download).listResult, 0);
  EXPECT_TRUE(f.shown().empty());
}

TEST(Document, SaveOverTheOpenFileAsksFirstAndCancelLeavesTheFileUntouched) {
  DocFixture f;
  const std::string path = f.file("a.qcf");
  ASSERT_TRUE(f.bench.SaveConfiguration(path).ok);
  ASSERT_TRUE(f.document.OnOpenDocument(path));
  const std::string before = Contents(path);
  f.bench.userMemo() = "changed";

  f.ui.answer(ui::MessageResult::Cancel);
  f.document.Save();
  EXPECT_EQ(Contents(path), before);
  EXPECT_EQ(f.messageTexts(), std::vector<std::string>{"It overwrites. \nIs it all right?"});

  f.ui.answer(ui::MessageResult::Ok);
  f.document.Save();
  EXPECT_NE(Contents(path), before);
  EXPECT_NE(Contents(path).find("changed"), std::string::npos);
}

TEST(Document, SaveWithoutAPathIsSaveAsAndACancelledDialogWritesNowhere) {
  DocFixture f;
  f.ui.answerFile(std::nullopt);
  f.document.Save();
  ASSERT_EQ(f.ui.fileDialogs().size(), 1u);
  EXPECT_EQ(f.ui.fileDialogs()[0].filterName, "Configuration File (*.qcf)");
  EXPECT_EQ(f.ui.fileDialogs()[0].extension, ".qcf");
  for (const auto& entry : std::filesystem::directory_iterator(f.folder.path())) {
    EXPECT_NE(entry.path().extension(), ".qcf") << entry.path();
  }

  const std::string chosen = f.file("new.qcf");
  f.ui.answerFile(chosen);
  f.document.SaveAs();
  EXPECT_TRUE(std::filesystem::is_regular_file(chosen));
  EXPECT_EQ(f.document.path(), chosen);
  EXPECT_EQ(f.bench.view().documentTitle(), "new.qcf");
  EXPECT_TRUE(f.messageTexts().empty());  // a new name is not asked about
}

TEST(Document, AFailedSaveKeepsTheOldNameAndSaysSo) {
  DocFixture f;
  f.ui.answerFile(f.file("no such folder/x.qcf"));
  f.document.SaveAs();
  EXPECT_EQ(f.document.path(), "");
  EXPECT_EQ(f.bench.view().documentTitle(), "Async Mode");
  ASSERT_EQ(f.messageTexts().size(), 1u);
  EXPECT_EQ(f.messageTexts()[0], "Failed to save document.\n\nCannot write \"" + f.file("no such folder/x.qcf") +
                                     "\": No such file or directory. The previous file, if any, is unchanged.");
}

// A full disk (a file-size limit binds every user, root too) and a folder put where the file
// was: the save fails, says why, and the previous file is there byte for byte.
TEST(Document, ASaveThatFailsLeavesThePreviousFileByteForByte) {
  DocFixture f;
  const std::string path = f.file("client.qcf");
  ASSERT_TRUE(f.bench.SaveConfiguration(path).ok);
  ASSERT_TRUE(f.document.OnOpenDocument(path));
  const std::string previous = Contents(path);
  f.bench.userMemo() = "changed";

  for (const rlim_t limit : {rlim_t{0}, rlim_t{1}, rlim_t{4096}, static_cast<rlim_t>(previous.size() - 1)}) {
    f.mark();
    f.ui.answer(ui::MessageResult::Ok);  // "It overwrites."
    {
      FileSizeLimit full(limit);
      f.document.Save();
    }
    EXPECT_EQ(Contents(path), previous) << "limit " << limit;
    ASSERT_EQ(f.shownTexts().size(), 2u);
    EXPECT_NE(f.shownTexts()[1].find("File too large"), std::string::npos) << f.shownTexts()[1];
    EXPECT_NE(f.shownTexts()[1].find("The previous file, if any, is unchanged."), std::string::npos);
  }

  const std::string moved = f.file("moved.qcf");
  std::filesystem::rename(path, moved);
  std::filesystem::create_directories(path);
  f.mark();
  f.ui.answer(ui::MessageResult::Ok);
  f.document.Save();
  EXPECT_TRUE(std::filesystem::is_directory(path));
  ASSERT_EQ(f.shownTexts().size(), 2u);
  EXPECT_NE(f.shownTexts()[1].find("it is a folder, not a file"), std::string::npos) << f.shownTexts()[1];
  // No temporary file is left behind: the folder holds the target folder, moved.qcf and at
  // most the settings file.
  for (const auto& entry : std::filesystem::directory_iterator(f.folder.path())) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(entry.path() == std::filesystem::path(path) || name == "moved.qcf" || name == "tunewright.ini") << name;
  }
}

// The settings file: a write that cannot be made at shut-down is told, and the previous
// file stays as it was.
TEST(Document, SettingsThatCannotBeWrittenAtExitAreToldAndTheOldFileKept) {
  {
    DocFixture f;
    const std::filesystem::path settings = f.folder.path() / "tunewright.ini";
    std::ofstream(settings, std::ios::binary) << "[DispSet]\r\nPort=ttyS1\r\n";
    const std::string previous = Contents(settings);
    f.bench.app().setSetting(app::kActivePageSetting, "Speaker Set");
    {
      FileSizeLimit full(0);
      f.bench.Shutdown();
    }
    EXPECT_EQ(Contents(settings), previous);
    ASSERT_EQ(f.shownTexts().size(), 1u);
    EXPECT_EQ(f.shownTexts()[0].rfind("Tunewright could not keep its settings", 0), 0u) << f.shownTexts()[0];
    EXPECT_NE(f.shownTexts()[0].find("File too large"), std::string::npos) << f.shownTexts()[0];
  }
  {
    DocFixture f;
    std::filesystem::create_directories(f.folder.path() / "tunewright.ini");
    f.bench.Shutdown();
    ASSERT_EQ(f.shownTexts().size(), 1u);
    EXPECT_NE(f.shownTexts()[0].find("it is a folder, not a file. It was left as it was."), std::string::npos)
        << f.shownTexts()[0];
    EXPECT_TRUE(std::filesystem::is_directory(f.folder.path() / "tunewright.ini"));
  }
}

TEST(Document, SaveThenOpenCarriesTheSpeakerPagesAndBasicControlsToAnotherWorkbench) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / "tunewright-tests" / "Document.round trip.qcf";
  std::filesystem::create_directories(file.parent_path());
  std::filesystem::remove(file);
  model::ParameterImage saved;
  int input = -1;
  int volume = 0;
  {
    BenchFixture from(app::kStartModeAsync, {"seed=7"}, 1);
    ASSERT_EQ(from.run(Workbench::Operation::Upload).listResult, 0);
    ConfigurationDocument document(from.bench, from.ui, from.dialogs);
    from.bench.userMemo() = "Den";
    from.ui.answerFile(file.string());
    document.SaveAs();
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    saved = from.image(0);
    input = from.bench.basicControls().input.curSel();
    volume = from.bench.basicControls().volume.GetValue();
  }
  DocFixture to;
  ASSERT_NE(to.image(0).speakerLevel, saved.speakerLevel) << "the two receivers must differ to begin with";
  ASSERT_TRUE(to.document.OnOpenDocument(file.string()));
  EXPECT_EQ(to.image(0).speakerLevel, saved.speakerLevel);
  EXPECT_EQ(to.image(0).speakerSet, saved.speakerSet);
  EXPECT_EQ(to.image(0).speakerDistance, saved.speakerDistance);
  // The Basic Control entries of the file; zone power (the last three) is Real Time Mode's only.
  for (std::size_t i = 0; i < 12; ++i) EXPECT_EQ(to.image(0).basic[i], saved.basic[i]) << i;
  EXPECT_EQ(to.document.userMemo(), "Den");
  // The controls show the file, not what they showed before.
  EXPECT_EQ(to.bench.basicControls().input.curSel(), input);
  EXPECT_EQ(to.bench.basicControls().volume.GetValue(), volume);
  EXPECT_EQ(to.bench.view().documentTitle(), "Document.round trip.qcf");
  std::filesystem::remove(file);
}

TEST(Document, MakeReportAndUserMemoWorkOnTheConfiguration) {
  DocFixture f;
  f.bench.userMemo() = "Rack 2";
  f.document.MakeReport();
  ASSERT_NE(f.document.reportDialog(), nullptr);
  const std::string report = f.document.BuildReport();
  EXPECT_NE(report.find("Rack 2"), std::string::npos);
  EXPECT_NE(report.find("Speaker Level"), std::string::npos);
}

}  // namespace
}  // namespace tw::pages::test
