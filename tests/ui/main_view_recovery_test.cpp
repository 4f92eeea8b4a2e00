// What the main view shows and keeps when a connection needs several attempts, is cancelled
// or fails, and when a transfer ends with commands given up.

#include "app/app_settings.h"
#include "comm/protocol.h"
#include "model/parameter_access.h"
#include "ui/view_harness.h"

#include <gtest/gtest.h>

namespace tw::ui::test {
namespace {

using comm::test::Ext;
using comm::test::Std;

const std::string kEchoedWrite = Ext("200801200005");
const std::string kLostWrite = Ext("2008010030" "05");

void MarkImages(comm::Link& link) {
  for (auto& image : link.images().All()) {
    image.speakerLevel[0] = 77;
    image.basic[9] = -123;
  }
}

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

// "Auto" over two ports of which the first cannot be opened: the connect succeeds on its
// second attempt, on the second port.
struct SecondAttemptFixture {
  SecondAttemptFixture(int startMode, const std::filesystem::path& folder)
      : f(folder, startMode, {"/dev/ttyS0", "/dev/ttyS1"}, "[DispSet]\r\nConfirmDownload=NO\r\n") {
    f.app.port.unopenable = {"/dev/ttyS0"};
    f.view->portList().setCurSel(0);  // Auto
  }
  ViewFixture f;
};

TEST(MainViewRetries, AnUploadConnectedOnItsSecondAttemptIsStillCancelledBackToItsImages) {
  ScratchFolder folder;
  SecondAttemptFixture s(app::kStartModeAsync, folder.path());
  ViewFixture& f = s.f;
  MarkImages(f.link());
  const auto before = f.link().images().All();
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  ASSERT_EQ(f.app.port.opened, (std::vector<std::string>{"/dev/ttyS1"}));
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog()->progress().position() > 100; }));
  ASSERT_NE(f.link().images().All(), before);

  f.ui.answer(MessageResult::Ok);
  f.view->commandDialog()->cancelButton().click();
  EXPECT_EQ(f.link().images().All(), before);
  EXPECT_FALSE(f.link().hasUploadBackup());
}

TEST(MainViewRetries, OneErrorLogPerTransferWhateverTheAttempts) {
  ScratchFolder folder;
  SecondAttemptFixture s(app::kStartModeAsync, folder.path());
  ViewFixture& f = s.f;
  f.app.receiver.answerStandard = true;
  f.app.receiver.override = [](const std::string& frame) -> std::optional<std::string> {
    if (frame == kLostWrite) return std::string();
    return std::nullopt;
  };
  f.sheet.queued = {{kEchoedWrite, 430}, {kLostWrite, 431}};
  f.view->downloadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  const std::string log = ReadFile(folder.path() / "ErrLog.txt");
  EXPECT_EQ(Count(log, "StartTime :"), 1) << log;
  EXPECT_EQ(Count(log, "Total :"), 1) << log;
  EXPECT_NE(log.find("\tDC4, \"2008010030"), std::string::npos) << "the failed write is logged:\n" << log;
  EXPECT_EQ(log.rfind("Total :"), log.rfind("\r\n", log.size() - 3) + 2) << "the log ends with its total";
}

TEST(MainViewTransferResult, AFailedCommandFailsTheTransferAndTheMessageCountsItAndNamesTheLog) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"}, "[DispSet]\r\nConfirmDownload=NO\r\n");
  f.app.receiver.answerStandard = true;
  f.app.receiver.override = [](const std::string& frame) -> std::optional<std::string> {
    if (frame == kLostWrite) return std::string();
    return std::nullopt;
  };
  f.sheet.queued = {{kEchoedWrite, 430}, {kLostWrite, 431}};
  f.view->downloadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  EXPECT_EQ(f.lists, std::vector<int>{1});
  ASSERT_EQ(f.ui.messages().size(), 1u);
  const auto& shown = f.ui.messages()[0];
  EXPECT_EQ(shown.icon, MessageIcon::Stop);
  const int total = static_cast<int>(f.app.port.writes.size());  // an upper bound: resends count too
  ASSERT_EQ(shown.text.find("The download did not complete: 1 of "), 0u) << shown.text;
  const int reported = std::stoi(shown.text.substr(std::string("The download did not complete: 1 of ").size()));
  EXPECT_GT(reported, 3);
  EXPECT_LT(reported, total);
  EXPECT_NE(shown.text.find((folder.path() / "ErrLog.txt").string()), std::string::npos) << shown.text;
  EXPECT_EQ(f.view->statusBarMessage().text(), "ERROR");
  EXPECT_FALSE(f.app.port.isOpen());
}

TEST(MainViewRetries, CancelBetweenPortScanAttemptsEndsNotConnected) {
  ScratchFolder folder;
  SecondAttemptFixture s(app::kStartModeRealTime, folder.path());
  ViewFixture& f = s.f;
  f.view->openButton().click();
  f.scheduler().advance(100);  // the first port failed to open; the next attempt waits for the retry timer
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  ASSERT_FALSE(f.app.port.isOpen());

  f.ui.answer(MessageResult::Ok);
  f.view->initializeDialog()->cancelButton().click();
  EXPECT_EQ(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.view->statusText().text(), "Not Connected");
  EXPECT_TRUE(f.view->openButton().isEnabled());
  EXPECT_EQ(f.connects, std::vector<bool>{false});
  f.scheduler().advance(60000);
  EXPECT_TRUE(f.app.port.opened.empty()) << "no further attempt";
  EXPECT_EQ(f.ui.messages().size(), 1u) << "only the question, no connection check error later";
  EXPECT_EQ(f.view->statusText().text(), "Not Connected");
}

TEST(MainViewRetries, AFailedLastOpeningWriteLeavesTheViewShowingTheResetImage) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeRealTime, {"/dev/ttyS0"});
  f.view->portList().setCurSel(1);  // the port itself, not Auto
  f.app.port.refuses = [](const std::string& frame) { return frame == Std("07E82"); };
  MarkImages(f.link());
  const int refreshes = f.sheet.refreshAll;
  const int availability = f.sheet.availabilityUpdates;
  f.view->openButton().click();
  ASSERT_TRUE(f.runUntil([&] { return !f.connects.empty(); }));
  EXPECT_EQ(f.connects, std::vector<bool>{false});
  EXPECT_EQ(f.messageIds(), std::vector<int>{202});
  model::ParameterImage defaults;
  model::ResetToDefaults(defaults, f.link().tunerRegion());
  ASSERT_EQ(f.link().images().All()[0], defaults);
  EXPECT_GT(f.sheet.refreshAll, refreshes) << "the pages show the reset image";
  EXPECT_GT(f.sheet.availabilityUpdates, availability);
  EXPECT_FALSE(f.app.port.isOpen());
}

}  // namespace
}  // namespace tw::ui::test
