// The document's file commands over the workbench: real files, the overwrite question, the
// title, and a round trip of the speaker pages and the Basic Control group.

#include "pages/qamp_tool_doc.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "pages/workbench_fixture.h"
#include "ui/main_view.h"

namespace tw::pages::test {
namespace {

std::string Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

struct DocFixture : BenchFixture {
  DocFixture() : BenchFixture(app::kStartModeAsync, {}, 1), document(bench, ui, dialogs) {}
  std::string file(const char* name) const { return (folder.path() / name).string(); }
  CQAmpToolDoc document;
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
  ASSERT_GE(f.bench.sheetView().pageCount(), 2);
  f.bench.sheetView().setActive(1);
  const std::string caption = f.bench.sheetView().pageCaption(1);
  ASSERT_TRUE(f.document.OnOpenDocument(path));
  EXPECT_EQ(f.bench.app().setting(app::kActivePageSetting), caption);
  EXPECT_EQ(f.bench.sheetView().activeIndex(), 1);
  EXPECT_EQ(f.bench.view().portList().selectedText(), ui::kVirtualPortEntry);
}

TEST(Document, AMissingOrUnreadableFileChangesNothingAndSaysSo) {
  DocFixture f;
  EXPECT_FALSE(f.document.OnOpenDocument(f.file("absent.qcf")));
  EXPECT_FALSE(f.document.OnOpenDocument(""));
  std::filesystem::create_directories(f.folder.path() / "folder.qcf");
  EXPECT_FALSE(f.document.OnOpenDocument(f.file("folder.qcf")));
  EXPECT_EQ(f.messageTexts(), (std::vector<std::string>(3, "Failed to open document.")));
  EXPECT_EQ(f.bench.view().documentTitle(), "Async Mode");
  EXPECT_EQ(f.document.path(), "");
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
  EXPECT_EQ(f.messageTexts(), std::vector<std::string>{"Failed to save document."});
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
    CQAmpToolDoc document(from.bench, from.ui, from.dialogs);
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
