// Changes in no file: the title's mark, and Save / Discard / Cancel before they are lost.

#include <gtest/gtest.h>

#include <functional>

#include "session/configuration_document.h"
#include "pages/system/memory_page.h"
#include "pages/workbench_fixture.h"
#include "ui/main_view.h"

namespace tw::pages::test {

using namespace ::tw::session;
namespace {

using Occasion = ConfigurationDocument::Occasion;
using ui::MessageResult;

struct ChangesFixture : BenchFixture {
  ChangesFixture() : BenchFixture(app::kStartModeAsync, {"seed=7"}, 1), document(bench, ui, dialogs) {
    bench.memoryPage().ShowWindow();  // fills its lists
  }
  bool marked() { return bench.view().windowTitle().find("* - ") != std::string::npos; }
  std::string file(const std::string& name) const { return (folder.path() / name).string(); }
  ConfigurationDocument document;
};

TEST(UnsavedChanges, EditsUploadsAndMemoryCopiesMarkTheTitleUntilSaved) {
  ChangesFixture f;
  const std::function<void()> changes[] = {[&] { f.bench.basicControls().mute.click(); },
                                           [&] { f.run(Workbench::Operation::Upload); },
                                           [&] { f.bench.memoryPage().Save(0); }};
  for (const auto& change : changes) {
    EXPECT_FALSE(f.marked());
    change();
    f.document.CheckModified();
    EXPECT_TRUE(f.marked()) << f.bench.view().windowTitle();
    f.ui.answerFile(f.file("saved.qcf"));
    f.document.SaveAs();
  }
  EXPECT_FALSE(f.marked());
  EXPECT_TRUE(f.messageTexts().empty());
}

// Cancel stops the occasion; Discard lets it go on; Save writes a file first.
TEST(UnsavedChanges, EveryOccasionAsksSaveDiscardCancelFirst) {
  const std::pair<const char*, std::function<bool(ChangesFixture&)>> occasions[] = {
      {"Closing", [](ChangesFixture& f) { return f.document.SaveModified(Occasion::Close); }},
      {"Opening", [](ChangesFixture& f) {
         f.ui.answerFile(std::nullopt);
         f.document.Open();
         return f.ui.unusedFileAnswers() == 0;
       }},
      {"The upload", [](ChangesFixture& f) {
         f.bench.view().uploadButton().click();
         return f.bench.view().initializeDialog() != nullptr;
       }},
      {"Loading the System Memory", [](ChangesFixture& f) {
         f.image(1).speakerLevel[0] = f.image(0).speakerLevel[0] + 10;
         const auto before = f.image(0);
         f.bench.memoryPage().Load(0);
         return f.image(0) != before;
       }},
  };
  for (const auto& [consequence, start] : occasions) {
    for (const MessageResult answer : {MessageResult::Cancel, MessageResult::Discard, MessageResult::Save}) {
      SCOPED_TRACE(consequence + std::string(", answer ") + std::to_string(static_cast<int>(answer)));
      ChangesFixture f;
      f.bench.basicControls().mute.click();
      f.ui.answer(answer);
      if (answer == MessageResult::Save) f.ui.answerFile(f.file("kept.qcf"));  // its Save As
      EXPECT_EQ(start(f), answer != MessageResult::Cancel);
      ASSERT_EQ(f.ui.messages().size(), 1u);
      EXPECT_EQ(f.ui.messages()[0].buttons, ui::MessageButtons::SaveDiscardCancel);
      EXPECT_NE(f.ui.messages()[0].text.find(consequence), std::string::npos) << f.ui.messages()[0].text;
      EXPECT_EQ(std::filesystem::exists(f.file("kept.qcf")), answer == MessageResult::Save);
    }
  }
}

}  // namespace
}  // namespace tw::pages::test
