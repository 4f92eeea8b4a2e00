#include "app/app_settings.h"
#include "comm/protocol.h"
#include "ui/view_harness.h"

#include <gtest/gtest.h>

namespace tw::ui::test {
namespace {

using comm::test::Ext;

// Two extended writes the receiver acknowledges by echoing them.
const std::string kTrimWrite = Ext("200801200005");
const std::string kAssignWrite = Ext("2008010030" "05");

// Images that differ from anything a receiver would send, to see them restored.
void MarkImages(comm::Link& link) {
  for (auto& image : link.images().All()) {
    image.speakerLevel[0] = 77;
    image.basic[9] = -123;
  }
}

TEST(MainViewDownload, NoticeCancelledSendsNothingButTheTickTakesEffect) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.view->downloadButton().click();
  ConfirmDownloadDialog* notice = f.view->downloadNotice();
  ASSERT_NE(notice, nullptr);
  EXPECT_EQ(f.dialogs.top(), notice);
  EXPECT_EQ(notice->caption(), "Notice");
  EXPECT_TRUE(notice->hasSystemMenu());
  notice->dontShowBox().click();
  notice->cancelButton().click();
  EXPECT_EQ(f.view->downloadNotice(), nullptr);
  f.scheduler().advance(10000);
  EXPECT_TRUE(f.app.port.opened.empty());
  EXPECT_TRUE(f.app.port.writes.empty());
  EXPECT_EQ(f.app.app.setting(app::kConfirmDownloadSetting), "NO");

  // From now on the download starts without the notice.
  f.view->downloadButton().click();
  EXPECT_EQ(f.view->downloadNotice(), nullptr);
  EXPECT_NE(f.view->initializeDialog(), nullptr);
}

TEST(MainViewDownload, NoticeClosedByEscWithoutTickAsksAgainNextTime) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"}, "[DispSet]\r\nConfirmDownload=NO?\r\n");
  f.view->downloadButton().click();
  ASSERT_NE(f.view->downloadNotice(), nullptr);
  f.view->downloadNotice()->pressEscape();
  EXPECT_EQ(f.app.app.setting(app::kConfirmDownloadSetting), "YES");
  EXPECT_TRUE(f.app.port.opened.empty());
  f.view->downloadButton().click();
  EXPECT_NE(f.view->downloadNotice(), nullptr);
}

TEST(MainViewDownload, ConfirmedDownloadRunsTheListInTheCommandDialogAndClosesThePort) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.sheet.queued = {{kTrimWrite, 430}, {kAssignWrite, 431}};
  f.view->downloadButton().click();
  f.view->downloadNotice()->okButton().click();
  EXPECT_EQ(f.app.app.setting(app::kConfirmDownloadSetting), "YES");
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  CommandSendingDialog* dialog = f.view->commandDialog();
  EXPECT_EQ(dialog->caption(), "Download Comannd Sending");
  EXPECT_TRUE(dialog->withProgress());
  EXPECT_EQ(dialog->placement(), DialogPlacement::Centered);
  EXPECT_EQ(dialog->progress().high(), f.link().GetCommandCount());
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  EXPECT_EQ(f.view->commandDialog(), nullptr);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.app.port.countWritten(kTrimWrite), 1);
  EXPECT_EQ(f.app.port.countWritten(kAssignWrite), 1);
  EXPECT_EQ(f.view->statusText().text(), "Not Connected");
}

TEST(MainViewDownload, ErrorLogNamesTheFailedCommandsOfATransfer) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"}, "[DispSet]\r\nConfirmDownload=NO\r\n");
  f.sheet.queued = {{kTrimWrite, 430}, {kAssignWrite, 999}};
  f.sheet.names[430] = {"Speaker Set", "Center"};
  // Neither write is acknowledged; standard commands get no answer from this receiver either.
  f.app.receiver.echoWrites = false;
  f.view->downloadButton().click();
  const std::int64_t startMs = f.scheduler().now();
  const std::string startTime = f.app.logTime();
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  const std::int64_t endMs = f.scheduler().now();
  const std::string log = ReadFile(folder.path() / "ErrLog.txt");

  EXPECT_EQ(log.rfind("StartTime :" + startTime + "\r\n", 0), 0u) << log;
  const std::size_t center = log.find("\r\nSpeaker Set Center\tDC4, \"200801200005" + kTrimWrite.substr(13, 2) +
                                      "\", ETX  \r\n");
  const std::size_t unknown = log.find("\r\n \tDC4, \"200801003005" + kAssignWrite.substr(13, 2) + "\", ETX  \r\n");
  EXPECT_NE(center, std::string::npos) << log;
  EXPECT_NE(unknown, std::string::npos) << log;
  EXPECT_LT(center, unknown);
  // Standard commands that failed carry no page name either.
  EXPECT_NE(log.find("\r\n \tSTX, \"26600\", ETX  \r\n"), std::string::npos) << log;
  const std::string tail = "EndTime :" + f.app.logTime() + "\r\nTotal :" +
                           app::FormatDuration(std::chrono::seconds((endMs - startMs) / 1000)) + "\r\n";
  ASSERT_GE(log.size(), tail.size());
  EXPECT_EQ(log.substr(log.size() - tail.size()), tail) << log;
}

TEST(MainViewUpload, CompletedUploadRefreshesThePagesAndClosesThePort) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.app.receiver.answerStandard = true;  // every command acknowledged: the upload completes
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  EXPECT_EQ(f.view->commandDialog()->caption(), "Upload Comannd Sending");
  const int refreshes = f.sheet.refreshAll;
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }, 3600000));
  EXPECT_EQ(f.lists.back(), 0);
  EXPECT_GT(f.sheet.refreshAll, refreshes);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_FALSE(f.link().hasUploadBackup());
}

TEST(MainViewUpload, CancelledInTheCommandDialogRestoresAllSevenImages) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  MarkImages(f.link());
  const auto before = f.link().images().All();
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog()->progress().position() > 100; }));
  ASSERT_NE(f.link().images().All(), before);  // the upload has changed them by now

  f.ui.answer(MessageResult::Ok);
  f.view->commandDialog()->cancelButton().click();
  ASSERT_EQ(f.ui.messages().size(), 1u);
  EXPECT_EQ(f.ui.messages()[0].text, "Transmission of a command is interrupted. \nIs it all right?");
  EXPECT_EQ(f.ui.messages()[0].caption, "Upload Comannd Sending is Cancel");
  EXPECT_EQ(f.view->commandDialog(), nullptr);
  EXPECT_EQ(f.link().images().All(), before);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.lists, (std::vector<int>{0}));
  const std::size_t written = f.app.port.writes.size();
  f.scheduler().advance(30000);
  EXPECT_EQ(f.app.port.writes.size(), written);
}

TEST(MainViewUpload, EscInTheCommandDialogAsksTheSameQuestion) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.app.receiver.answerStandard = true;  // every command acknowledged: the upload completes
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  f.ui.answer(MessageResult::Cancel);
  f.view->commandDialog()->pressEscape();
  ASSERT_EQ(f.ui.messages().size(), 1u);
  EXPECT_NE(f.view->commandDialog(), nullptr);  // answered Cancel: the list goes on
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }, 3600000));
  EXPECT_EQ(f.lists.back(), 0);
}

TEST(MainViewUpload, ListEndingWhileTheCancelQuestionIsOpenCancelsNothing) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.app.receiver.answerStandard = true;  // every command acknowledged: the upload completes
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  f.ui.answer(MessageResult::Ok, [&] { f.runUntil([&] { return !f.lists.empty(); }, 3600000); });
  f.view->commandDialog()->cancelButton().click();
  ASSERT_EQ(f.ui.messages().size(), 1u);
  EXPECT_TRUE(f.ui.messages()[0].closedByProgram);
  EXPECT_EQ(f.ui.messages()[0].result, MessageResult::Cancel);
  EXPECT_EQ(f.lists, (std::vector<int>{0}));
  EXPECT_EQ(f.view->commandDialog(), nullptr);
}

TEST(MainViewUpload, CableErrorShows205AndRestoresAllSevenImages) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  MarkImages(f.link());
  const auto before = f.link().images().All();
  f.view->uploadButton().click();
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog() != nullptr; }));
  ASSERT_TRUE(f.runUntil([&] { return f.view->commandDialog()->progress().position() > 50; }));
  f.app.receiver.silent = true;
  f.app.port.cts = false;
  ASSERT_TRUE(f.runUntil([&] { return !f.lists.empty(); }));
  EXPECT_EQ(f.lists.back(), 2);
  EXPECT_EQ(f.messageIds(), (std::vector<int>{205}));
  EXPECT_EQ(f.ui.messages()[0].icon, MessageIcon::Stop);
  EXPECT_EQ(f.link().images().All(), before);
  EXPECT_FALSE(f.app.port.isOpen());
  EXPECT_EQ(f.view->commandDialog(), nullptr);
  EXPECT_EQ(f.ui.waitCursorDepth(), 0);
}

TEST(MainViewUpload, CancelInTheInitializeDialogRestoresTheImagesWithoutAsking) {
  ScratchFolder folder;
  ViewFixture f(folder.path(), app::kStartModeAsync, {"/dev/ttyS0"});
  f.app.receiver.silent = true;
  MarkImages(f.link());
  const auto before = f.link().images().All();
  f.view->uploadButton().click();
  f.scheduler().advance(1000);
  ASSERT_NE(f.view->initializeDialog(), nullptr);
  f.view->initializeDialog()->cancelButton().click();
  EXPECT_TRUE(f.ui.messages().empty());
  EXPECT_EQ(f.view->initializeDialog(), nullptr);
  EXPECT_EQ(f.link().images().All(), before);
  EXPECT_FALSE(f.app.port.isOpen());
  f.scheduler().advance(60000);
  EXPECT_EQ(f.view->commandDialog(), nullptr);
  EXPECT_EQ(f.app.port.opened.size(), 1u);
}

}  // namespace
}  // namespace tw::ui::test
