// Connection handshake: status frame, start-up read, wrong model, time-outs, retries on a
// fixed port and across a port scan, and Cancel.

#include "link_harness.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tw::comm::test {
namespace {

std::string rowRequest(int row) { return CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request); }

TEST(Handshake, RealTimeStartupReadsEveryStartRowInOrderAndConnects) {
  LinkFixture f(WorkingMode::RealTime);
  ASSERT_TRUE(f.connectRealTime());
  EXPECT_EQ(f.link.linkState(), LinkState::Connected);
  EXPECT_EQ(f.view.connection, ConnectionState::Connected);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{});

  std::vector<std::string> expected = {Std("20000"), Std("07A1D"), Std("07A1D"), Std("07E82")};
  for (int r = 0; r < model::kRowCount; ++r) {
    if (model::kCommandTable[static_cast<std::size_t>(r)].flags & model::kReadAtStart) expected.push_back(rowRequest(r));
  }
  auto written = f.port.writtenFrames();
  ASSERT_GE(written.size(), expected.size());
  EXPECT_EQ(std::vector<std::string>(written.begin(), written.begin() + static_cast<long>(expected.size())), expected);
  // Rows 5..17 are never part of the start-up read; row 506 is its last.
  EXPECT_EQ(written[expected.size() - 1], rowRequest(model::kPollRow));
  // The status frame's input and program are sent at once at the end (Real Time: standard frames).
  ASSERT_EQ(written.size(), expected.size() + 2);
  EXPECT_EQ(written[expected.size()], Std("07A14"));
  EXPECT_EQ(written[expected.size() + 1], Std("07EE1"));
  // The status frame, due 20 ms after the last opening command, is handled after that
  // write's 50 ms pause; the first row follows 500 ms later.
  const auto& writes = f.port.writes;
  EXPECT_EQ(writes[4].at - writes[3].at, 50 + 500);
  EXPECT_EQ(f.view.initProgress.front(), 0);
  EXPECT_EQ(f.view.initProgress.back(), model::kPollRow);
  EXPECT_GE(f.view.refreshAll, 1);
  EXPECT_TRUE(f.scheduler.isTimerActive(kKeepAliveTimer));
}

TEST(Handshake, ZoneTwoReportedAbsentSkipsItsRowsAndRegionIsLearnt) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.rowValues[0] = "00200";  // region 2
  f.receiver.rowValues[1] = "000";
  f.receiver.rowValues[4] = "2" "11" "30";  // AAC off
  ASSERT_TRUE(f.connectRealTime());
  EXPECT_EQ(f.link.tunerRegion(), 2);
  EXPECT_EQ(f.link.capabilities().zone2, 0);
  EXPECT_EQ(f.link.capabilities().aac, 0);
  for (int r = 0; r < model::kRowCount; ++r) {
    const auto& row = model::kCommandTable[static_cast<std::size_t>(r)];
    if (row.flags & model::kNeedsZone2) {
      EXPECT_EQ(f.port.countWritten(rowRequest(r)), 0) << r;
    }
  }
  // The progress jumps over the skipped rows.
  const auto& progress = f.view.initProgress;
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST(Handshake, CapabilityListWithoutItemThreeLeavesAacUnchanged) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.rowValues[4] = "1" "20";
  ASSERT_TRUE(f.connectRealTime());
  EXPECT_EQ(f.link.capabilities().aac, 1);
}

TEST(Handshake, ReportBeforeStatusFrameIsIgnored) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.silent = true;
  ASSERT_TRUE(f.link.PortOpen("ttyA"));
  const auto before = f.link.images().Image(0)->basic;
  f.port.receive("\x02" "0026C7\x03");
  EXPECT_EQ(f.link.images().Image(0)->basic, before);
  EXPECT_EQ(f.link.linkState(), LinkState::WaitStatus);
}

TEST(Handshake, StatusFrameOfADownloadIsNotApplied) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.statusData[9] = '1';  // input report "0021" value 1x
  const auto before = f.link.images().Image(0)->basic;
  ASSERT_TRUE(f.connectForDownloadOnly());
  EXPECT_EQ(f.link.images().Image(0)->basic, before);
}

TEST(Handshake, StatusFrameIsAppliedInRealTime) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.statusData[15] = 'C';  // main volume "0026" value C7: 0.0 dB
  f.receiver.statusData[16] = '7';
  f.receiver.rowValues.clear();
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return f.link.linkState() == LinkState::StartupRead; });
  EXPECT_EQ(f.link.images().Image(0)->basic[8], 0);
}

TEST(Handshake, WrongModelEndsTheAttemptWithoutAMessage) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.model = "R0211";
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 20000);
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  EXPECT_TRUE(f.log.hasComment("機種が違います"));
  EXPECT_TRUE(f.view.messages.empty());
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.modelCode(), "R0211");
  f.scheduler.advance(30000);  // no retry follows
  EXPECT_EQ(f.port.opened.size(), 1u);
}

TEST(Handshake, UnansweredStartupRowTimesOutWithMessage201AndDefaults) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.override = [](const std::string& frame) -> std::optional<std::string> {
    if (frame == rowRequest(2)) return std::string();
    return std::nullopt;
  };
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return f.link.linkState() == LinkState::StartupRead; });
  f.link.images().Image(0)->basic[8] = 55;
  const auto askedAt = f.scheduler.now();
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 20000);
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
  EXPECT_GE(f.scheduler.now() - askedAt, 3000);
  EXPECT_LT(f.scheduler.now() - askedAt, 3500);
  EXPECT_TRUE(f.log.hasComment("初期値読み込みタイムアウト"));
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.images().Image(0)->basic[8], -400);  // factory default again
}

TEST(Handshake, LateAnswerToThePreviousRowIsIgnored) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == rowRequest(1)) return ReplyForRow(0);  // answers row 1 with row 0's reply
    return std::nullopt;
  };
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.scheduler.advance(2000);
  EXPECT_EQ(f.link.startCursor(), 1);
  EXPECT_EQ(f.link.linkState(), LinkState::StartupRead);
}

TEST(Handshake, ParameterErrorOnAToleratedRowIsAcceptedWithoutApplying) {
  LinkFixture f(WorkingMode::RealTime);
  const int tolerated = 351;  // CONTROL OUT, flags 0x81
  const std::string error = Ext("2009040400000");
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == rowRequest(tolerated)) return error;
    return std::nullopt;
  };
  ASSERT_TRUE(f.connectRealTime());
  EXPECT_TRUE(f.log.hasComment("[拡張コマンド パラメータエラー]"));
  EXPECT_EQ(f.log.errors.back(), std::make_pair(rowRequest(tolerated), 564));
}

TEST(Handshake, ParameterErrorOnAnOtherRowTimesOut) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == rowRequest(323)) return Ext("2008010430" "00");
    return std::nullopt;
  };
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 200000);
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
}

TEST(Retries, SilentReceiverOnAFixedPortIsTriedFiveTimesFiveSecondsApart) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.silent = true;
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 60000);
  EXPECT_EQ(f.port.opened, std::vector<std::string>(5, "ttyA"));
  EXPECT_EQ(f.port.countWritten(Std("20000")), 5);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  EXPECT_EQ(f.view.initDialogs, 5);
  EXPECT_TRUE(f.log.hasComment("初期化リトライ"));
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.linkMode(), LinkMode::Idle);
  // Each attempt starts 5 s (plus the opening sequence) after the one before.
  std::vector<std::int64_t> starts;
  for (const auto& w : f.port.writes) {
    if (w.bytes == Std("20000")) starts.push_back(w.at);
  }
  EXPECT_EQ(starts[1] - starts[0], 5200);
  f.scheduler.advance(60000);
  EXPECT_EQ(f.view.messages.size(), 1u);
}

TEST(Retries, ScanTriesEachPortThreeTimesThenGivesUp) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.silent = true;
  f.link.Open(PortChoice::Scan({"ttyA", "ttyB", "ttyC"}));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 120000);
  const std::vector<std::string> expected = {"ttyA", "ttyA", "ttyA", "ttyB", "ttyB", "ttyB", "ttyC", "ttyC", "ttyC"};
  EXPECT_EQ(f.port.opened, expected);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
}

TEST(Retries, PortThatCannotBeOpenedCostsOneExpiryWhileScanning) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.silent = true;
  f.port.unopenable = {"ttyB"};
  f.link.Open(PortChoice::Scan({"ttyA", "ttyB", "ttyC"}));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 120000);
  EXPECT_EQ(f.port.opened, (std::vector<std::string>{"ttyA", "ttyA", "ttyA", "ttyC", "ttyC", "ttyC"}));
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
  EXPECT_TRUE(f.log.hasComment("ポートOpen 失敗"));
}

TEST(Retries, ScanConnectsOnTheSecondPort) {
  LinkFixture f(WorkingMode::RealTime);
  f.receiver.override = [&](const std::string&) -> std::optional<std::string> {
    return f.port.opened.back() == "ttyB" ? std::nullopt : std::optional<std::string>(std::string());
  };
  f.link.Open(PortChoice::Scan({"ttyA", "ttyB"}));
  f.runUntil([&] { return !f.view.connectResults.empty(); }, 120000);
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{true});
  EXPECT_EQ(f.port.opened, (std::vector<std::string>{"ttyA", "ttyA", "ttyA", "ttyB"}));
  EXPECT_TRUE(f.view.messages.empty());
}

TEST(Retries, FixedPortThatCannotBeOpenedShowsMessage202) {
  LinkFixture f(WorkingMode::RealTime);
  f.port.unopenable = {"ttyZ"};
  f.link.Open(PortChoice::Fixed("ttyZ"));
  f.scheduler.advance(10);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::PortError});
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  f.scheduler.advance(30000);
  EXPECT_EQ(f.view.messages.size(), 1u);
}

TEST(Retries, NoPortsAtAllIsAPortError) {
  LinkFixture f(WorkingMode::RealTime);
  f.link.Open(PortChoice::Scan({}));
  f.scheduler.advance(10);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::PortError});
}

TEST(CancelInitialize, UploadCancelRestoresImagesClosesAndStartsNoList) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  const auto before = f.link.images().All();
  f.link.Upload(PortChoice::Fixed("ttyA"));
  f.scheduler.advance(300);
  f.link.images().Image(4)->basic[8] = 11;
  f.link.CancelInitialize();
  f.scheduler.advance(100);
  EXPECT_EQ(f.link.images().Image(4)->basic[8], before[4].basic[8]);
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.GetCommandCount(), 0);
  EXPECT_EQ(f.link.linkMode(), LinkMode::Idle);
  EXPECT_TRUE(f.view.commandDialogRanges.empty());
  // A new upload can open the port again.
  f.link.Upload(PortChoice::Fixed("ttyA"));
  f.scheduler.advance(300);
  EXPECT_TRUE(f.link.isPortOpen());
}

// A cancelled connect is not connected, even once the receiver has answered: the read was
// cut short, so nothing on screen would be the receiver's.
TEST(CancelInitialize, RealTimeCancelDuringTheStartupReadEndsNotConnectedWithDefaults) {
  LinkFixture f(WorkingMode::RealTime);
  f.link.Open(PortChoice::Fixed("ttyA"));
  f.runUntil([&] { return f.link.startCursor() > 100; });
  f.link.CancelInitialize();
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.link.linkState(), LinkState::WaitStatus);
  EXPECT_EQ(f.view.connectResults, std::vector<bool>{false});
  EXPECT_EQ(f.view.connection, ConnectionState::NotConnected);
  model::ParameterImage defaults;
  model::ResetToDefaults(defaults, f.link.tunerRegion());
  EXPECT_EQ(*f.link.images().Image(0), defaults);
  f.scheduler.advance(60000);
  EXPECT_FALSE(f.scheduler.isTimerActive(kStartupReadTimer));
  EXPECT_FALSE(f.scheduler.isTimerActive(kKeepAliveTimer));
  EXPECT_TRUE(f.view.messages.empty());
}

}  // namespace
}  // namespace tw::comm::test
