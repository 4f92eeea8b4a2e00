// The command list: SendPacket in each state and mode, the reply watch with its resends,
// the Async and Real Time give-up rules, and the keep-alive.

#include "link_harness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw::comm::test {
namespace {

const std::string kTrimWrite = Ext("200801200005");    // a Volume Trim write (block address "012")
const std::string kLevelWrite = Ext("2008010030" "05");  // an I/O Assign write (block address "010")

TEST(SendPacket, RefusedBeforeTheConnectionIsMade) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.silent = true;
  ASSERT_TRUE(f.link.PortOpen("ttyA"));
  EXPECT_EQ(f.link.SendPacket(kTrimWrite, 383), 0);
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_TRUE(f.log.hasComment("[CCommClass::SendPacket] 初期化終了ではない"));
}

TEST(SendPacket, RealTimeWritesStandardCommandsAtOnceEvenWithAPendingList) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.echoWrites = false;
  ASSERT_TRUE(f.connectRealTime());
  f.port.writes.clear();
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket("", 564);
  ASSERT_EQ(f.port.writes.size(), 1u);
  EXPECT_EQ(f.link.SendPacket(Std("2B301"), 535), 1);
  ASSERT_EQ(f.port.writes.size(), 2u);
  EXPECT_EQ(f.port.writes[1].bytes, Std("2B301"));
  EXPECT_EQ(f.link.GetCommandCount(), 1);
}

TEST(SendPacket, AsyncQueuesStandardCommandsAndBatchStartWritesTheFirst) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.port.writes.clear();
  EXPECT_EQ(f.link.SendPacket("", 564), 1);  // empty list: nothing
  EXPECT_TRUE(f.port.writes.empty());
  EXPECT_TRUE(f.view.commandDialogRanges.empty());
  f.link.SendPacket(Std("2B301"), 535);
  f.link.SendPacket(kTrimWrite, 383);
  EXPECT_TRUE(f.port.writes.empty());
  EXPECT_EQ(f.link.SendPacket("", 564), 1);
  ASSERT_EQ(f.port.writes.size(), 1u);
  EXPECT_EQ(f.port.writes[0].bytes, Std("2B301"));
  EXPECT_EQ(f.view.commandDialogRanges, std::vector<int>{2});
}

TEST(ReplyWatch, NeverAnsweredCommandIsWrittenFourTimesThenSkippedInAsync) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.port.writes.clear();
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket(kLevelWrite, 254);
  f.link.SendPacket("", 564);
  f.scheduler.advance(5000);
  ASSERT_GE(f.port.writes.size(), 5u);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(f.port.writes[static_cast<std::size_t>(i)].bytes, kTrimWrite);
  // A reply period (1000 ms) plus the write pause (150 ms) between the writes.
  EXPECT_EQ(f.port.writes[1].at - f.port.writes[0].at, 1150);
  EXPECT_EQ(f.port.writes[3].at - f.port.writes[2].at, 1150);
  EXPECT_EQ(f.port.writes[4].bytes, kLevelWrite);  // skipped, the list goes on
  EXPECT_EQ(f.log.errors.at(0), std::make_pair(kTrimWrite, 383));
  EXPECT_TRUE(f.log.hasComment("[送信失敗]"));
  EXPECT_EQ(std::count(f.log.comments.begin(), f.log.comments.end(), "[再送]"), 3);
  f.scheduler.advance(10000);
  EXPECT_EQ(f.port.countWritten(kLevelWrite), 4);
  // Both given up: the list went on, but the transfer failed.
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_EQ(f.view.failedTransfers, (std::vector<std::array<int, 3>>{{static_cast<int>(LinkMode::Download), 2, 2}}));
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_FALSE(f.link.isPortOpen());  // Async: the port is open only for the list
}

// Found by the receive-path fuzzer: a status frame in the middle of a download stopped the
// reply watch and nothing restarted it, so the list waited for ever.
TEST(ReplyWatch, AStrayStatusFrameDuringADownloadLeavesTheWatchRunning) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.port.writes.clear();
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket("", 564);
  f.scheduler.advance(500);
  f.port.receive(StatusFrame());
  f.scheduler.advance(20000);
  EXPECT_EQ(f.port.countWritten(kTrimWrite), 4);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
}

// Found by the receive-path fuzzer: a damaged echo that arrived with no command pending was
// stored in the image being downloaded.
TEST(ReplyWatch, AFrameThatAnswersNothingLeavesADownloadsImagesAlone) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  const auto before = f.link.images().All();
  f.port.receive(Ext("2008010030" "03"));  // an I/O Assign level other than the image's
  f.scheduler.advance(100);
  EXPECT_TRUE(f.link.images().All() == before);
}

TEST(ReplyWatch, AsyncCommandFailingWithCtsOffIsACableError) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  f.link.Upload(PortChoice::Fixed("ttyA"));
  f.scheduler.advance(300);
  f.port.receive(StatusFrame());
  f.scheduler.advance(10);  // the upload list starts
  ASSERT_TRUE(f.link.isSendingCommands());
  ASSERT_TRUE(f.link.hasUploadBackup());
  // The status frame changed image 0 (input 0 becomes input 1); the backup does not have it.
  f.link.images().Image(0)->basic[8] = 77;
  f.port.cts = false;
  f.scheduler.advance(4 * 3150);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{2});
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::CableCheck});
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_NE(f.link.images().Image(0)->basic[8], 77);  // the images are as before the upload
  EXPECT_FALSE(f.link.hasUploadBackup());
}

TEST(ReplyWatch, PortThatDisappearsMidListEndsItAsACableError) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket(kLevelWrite, 254);
  f.link.SendPacket("", 564);
  f.port.close();  // the adapter is pulled; CTS still reads on
  f.scheduler.advance(5000);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{2});
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::CableCheck});
  EXPECT_EQ(f.link.GetCommandCount(), 0);
}

class RealTimeList : public ::testing::Test {
 protected:
  RealTimeList() : f(WorkingMode::RealTime) {
    EXPECT_TRUE(f.connectRealTime());
    f.scheduler.advance(100);  // the answers to the closing input and program commands
    f.receiver.silent = true;
    f.port.writes.clear();
  }
  // Queues `frame` for `number` and starts it.
  void send(const std::string& frame, int number) {
    f.link.SendPacket(frame, number);
    f.link.SendPacket("", 564);
  }
  LinkFixture f;
};

TEST_F(RealTimeList, AcknowledgedWritesRunTheListToItsEnd) {
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket(kLevelWrite, 254);
  f.link.SendPacket("", 564);
  f.scheduler.advance(200);
  f.port.receive(kTrimWrite);  // the echo acknowledges
  ASSERT_EQ(f.port.writes.size(), 2u);
  EXPECT_EQ(f.port.writes[1].bytes, kLevelWrite);
  f.scheduler.advance(200);
  f.port.receive(kLevelWrite);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_TRUE(f.link.isPortOpen());
  EXPECT_TRUE(f.scheduler.isTimerActive(kKeepAliveTimer));
}

TEST_F(RealTimeList, GuardAfterThreeResendsReReadsTheRowAndAppliesTheAnswer) {
  // An I/O Assign write (row 323's block). Guard replies until the re-read.
  const std::string write = Ext("2008010030" "01");
  const std::string guard = Ext("2008010130" "01");  // status character "1"
  send(write, 254);
  for (int i = 0; i < 4; ++i) {
    f.scheduler.advance(100);
    f.port.receive(guard);
  }
  EXPECT_EQ(f.port.countWritten(write), 4);
  EXPECT_TRUE(f.log.hasComment("[読込]"));
  EXPECT_EQ(f.port.writes.back().bytes, Ext("2006010030"));  // the row's read request
  EXPECT_EQ(f.view.statusWords.back(), StatusWord::Guard);
  f.scheduler.advance(100);
  f.port.receive(Ext("2008010030" "06"));  // the receiver's actual value: list index 6
  EXPECT_EQ(f.link.images().Image(0)->ioAssign[0], 6);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
}

TEST_F(RealTimeList, ToleratedParameterErrorSetsTheTriggerAndIsAccepted) {
  // CONTROL OUT trigger 0, main zone, source 00: parameter 308 (row 351, flag 0x80).
  const std::string write = Ext("2009040000001");
  const std::string error = Ext("2009040400001");  // status "4"
  f.link.images().Image(0)->controlOut[0][0] = 0;
  send(write, 308);
  for (int i = 0; i < 4; ++i) {
    f.scheduler.advance(100);
    f.port.receive(error);
  }
  EXPECT_EQ(f.log.errors.back(), std::make_pair(write, 308));
  EXPECT_EQ(model::GetParameter(*f.link.images().Image(0), 308), model::ParameterValue{1});
  ASSERT_FALSE(f.view.activeRefreshes.empty());
  EXPECT_EQ(f.view.activeRefreshes.front(), std::vector<int>{308});
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
}

TEST_F(RealTimeList, UnansweredCommandEmptiesTheWholeListAndShowsError) {
  f.link.SendPacket(kTrimWrite, 383);
  f.link.SendPacket(kLevelWrite, 254);
  f.link.SendPacket("", 564);
  f.scheduler.advance(4 * 1150 + 100);
  EXPECT_EQ(f.port.countWritten(kTrimWrite), 4);
  EXPECT_EQ(f.port.countWritten(kLevelWrite), 0);
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_EQ(f.view.statusWords.back(), StatusWord::Error);
  f.scheduler.advance(1000);
  EXPECT_EQ(f.view.statusWords.back(), StatusWord::None);
  EXPECT_TRUE(f.link.isPortOpen());
}

TEST_F(RealTimeList, GuardForACommandWithoutRowEmptiesTheList) {
  const std::string write = Ext("2006FFF00001");  // no row's reply prefix matches
  send(write, 20);
  for (int i = 0; i < 4; ++i) {
    f.scheduler.advance(100);
    f.port.receive(Ext("2006FFF10001"));
  }
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_FALSE(f.log.hasComment("[読込]"));
}

TEST_F(RealTimeList, KeepAliveAnsweredKeepsTheConnectionOnA30sBeat) {
  f.receiver.silent = false;
  f.receiver.override = [](const std::string& frame) -> std::optional<std::string> {
    if (frame == Ext("20050000F")) return ReplyForRow(model::kPollRow);
    return std::string();
  };
  f.scheduler.advance(30000);
  ASSERT_GE(f.port.writes.size(), 2u);
  EXPECT_EQ(f.port.writes[0].bytes, Std("FFFFF"));
  EXPECT_EQ(f.port.writes[1].bytes, Ext("20050000F"));
  const auto first = f.port.writes[0].at;
  f.scheduler.advance(60000);
  EXPECT_EQ(f.port.countWritten(Std("FFFFF")), 3);
  EXPECT_EQ(f.port.writes[2].at - first, 30000);
  EXPECT_TRUE(f.link.isPortOpen());
  EXPECT_TRUE(f.view.messages.empty());
}

TEST_F(RealTimeList, KeepAliveUnansweredClosesWithMessage203) {
  f.scheduler.advance(30000);
  EXPECT_TRUE(f.link.isPortOpen());
  f.scheduler.advance(10500);
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::ConnectionCheck});
  EXPECT_EQ(f.view.connection, ConnectionState::NotConnected);
}

TEST_F(RealTimeList, CloseWhileAKeepAliveIsAwaitedShowsNoMessageLater) {
  f.scheduler.advance(30000);
  f.link.Close();
  f.scheduler.advance(20000);
  EXPECT_TRUE(f.view.messages.empty());
}

TEST_F(RealTimeList, UnsolicitedReportUpdatesImageAndView) {
  f.port.receive("\x02" "0026C7\x03");  // main volume 0.0 dB
  EXPECT_EQ(f.link.images().Image(0)->basic[8], 0);
  ASSERT_FALSE(f.view.basicRefreshes.empty());
  EXPECT_EQ(f.view.basicRefreshes.back(), std::make_pair(9, true));
  f.port.receive(Ext("200801200005"));  // a Volume Trim report
  ASSERT_FALSE(f.view.activeRefreshes.empty());
  EXPECT_EQ(f.view.activeRefreshes.back(), std::vector<int>{383});
}

// Straight and the Music Enhancer program have no report of their own: the receiver answers
// with the sound program report, which must count as the answer (no resends, no error line).
TEST(ReplyWatch, SoundProgramReportAnswersStraightAndEnhancerCommands) {
  LinkFixture f(WorkingMode::Async);
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.receiver.override = [](const std::string& frame) -> std::optional<std::string> {
    if (frame == Std("07EE0")) return Std("002880");  // Straight
    if (frame == Std("2AF02")) return Std("002841");  // 2ch Enhancer High
    return std::nullopt;
  };
  f.port.writes.clear();
  f.link.SendPacket(Std("07EE0"), 5);
  f.link.SendPacket(Std("2AF02"), 11);
  f.link.SendPacket("", 564);
  ASSERT_TRUE(f.runUntil([&] { return !f.view.commandResults.empty(); }, 20000));
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
  EXPECT_EQ(f.port.countWritten(Std("07EE0")), 1);
  EXPECT_EQ(f.port.countWritten(Std("2AF02")), 1);
  EXPECT_TRUE(f.log.errors.empty());
}

}  // namespace
}  // namespace tw::comm::test
