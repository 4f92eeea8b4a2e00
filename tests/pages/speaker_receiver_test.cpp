// The speaker pages on the real link against the in-process virtual receiver: Real Time
// edits reach the receiver and are acknowledged, the receiver's settings survive a round
// trip, and an Async download carries the three pages in sheet order.

#include <gtest/gtest.h>

#include <algorithm>

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "model/command_table.h"
#include "model/parameter_access.h"
#include "pages/sheet.h"
#include "pages/speaker/speaker_distance_page.h"
#include "pages/speaker/speaker_level_page.h"
#include "pages/speaker/speaker_set_page.h"
#include "pages/sheet_receiver.h"
#include "pages/speaker_fixture.h"
#include "ui/page_link.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

TEST(SpeakerOnReceiver, RealTimeLevelDragIsTakenAndReportedBack) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::SpeakerLevelPage>();
  page.slider(268).drag(100);
  page.slider(268).release();
  r.settle();
  EXPECT_EQ(r.report("41"), "3C");  // FL +10.0 dB at the receiver
  EXPECT_NE(std::find(r.view.refreshed.begin(), r.view.refreshed.end(), 268), r.view.refreshed.end());
  EXPECT_EQ(Value(r.image(), 268), 100);  // its report decodes to the same channel
  EXPECT_EQ(page.label(268).text(), " 10.0dB");
}

// The receiver takes PRR, PRL, SBR and SBL at addresses 45..48 and reports them under
// codes 47, 48, 45, 46; the page's addresses and the reply decoder agree with that, so each
// value comes back in its own channel, also after a fresh start-up read.
TEST(SpeakerOnReceiver, PresenceAndSurroundBackLevelsKeepTheirChannels) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::SpeakerLevelPage>();
  const std::vector<std::pair<int, int>> levels = {{276, 35}, {275, -20}, {274, 50}, {273, -65}};
  for (auto [number, level] : levels) {
    page.slider(number).drag(level);
    page.slider(number).release();
    r.settle();
  }
  EXPECT_EQ(r.report("47"), "2F");  // PRR (35 + 200) / 5
  EXPECT_EQ(r.report("48"), "24");  // PRL
  EXPECT_EQ(r.report("45"), "32");  // SBR
  EXPECT_EQ(r.report("46"), "1B");  // SBL
  for (auto [number, level] : levels) EXPECT_EQ(Value(r.image(), number), level) << number;

  r.link.Close();
  r.link.ResetImage(0);
  ASSERT_TRUE(r.connect());
  for (auto [number, level] : levels)
    EXPECT_EQ(Value(r.image(), number), level) << "after reconnect " << number;
}

TEST(SpeakerOnReceiver, RealTimeSpeakerSetClickIsTakenAndReportedBack) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::SpeakerSetPage>();
  ASSERT_TRUE(page.group(434).click(7));  // SW Cross Over 160Hz
  ASSERT_TRUE(page.group(435).click(1));  // SW Phase Reverse
  r.settle();
  EXPECT_EQ(r.report("7E"), "07");
  EXPECT_EQ(r.report("76"), "10");
  EXPECT_EQ(Value(r.image(), 434), 7);
  EXPECT_EQ(Value(r.image(), 435), 1);
  EXPECT_TRUE(r.view.messages.empty());
}

TEST(SpeakerOnReceiver, RealTimeDistanceDragRunsAsABatchAndIsAcknowledged) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::SpeakerDistancePage>();
  ASSERT_EQ(page.unit(), 0);
  page.slider(281).drag(1230);  // CT 12.30 m
  page.slider(281).release();
  EXPECT_TRUE(r.link.isSendingCommands());
  ASSERT_TRUE(r.scheduler.runUntil([&] { return r.view.commands >= 0; }, 10000));
  EXPECT_EQ(r.view.commands, 0);
  // Row 337 reads the CT distance (channel "0"): unit, then three hex digits.
  std::string row = r.port.receiver().rowValue(337);
  std::transform(row.begin(), row.end(), row.begin(),
                 [](char c) { return static_cast<char>(std::toupper(c)); });
  EXPECT_EQ(row, "04CE");
  EXPECT_EQ(Value(r.image(), 281), 1230);
  EXPECT_EQ(page.label(281).text(), " 12.30");
}

TEST(SpeakerOnReceiver, AsyncDownloadCarriesTheThreePagesInSheetOrder) {
  Receiver r(WorkingMode::Async);
  r.link.Download(comm::PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
  ASSERT_TRUE(
      r.scheduler.runUntil([&] { return r.view.commands >= 0 || r.view.connect == 0; }, 60 * 60 * 1000));
  ASSERT_EQ(r.view.commands, 0);

  // The factory settings' frames of the three pages, in the order they must go out.
  const std::vector<std::string> expected = {
      // Speaker Level: SW, PRR, PRL, SBR, SBL, SR, SL, CT, FL, FR
      Stx("24928"), Stx("24528"), Stx("24628"), Stx("24726"), Stx("24826"), Stx("24326"), Stx("24426"),
      Stx("24226"), Stx("24128"), Stx("24028"),
      // Speaker Distance: FL .. SW in metres
      Dc4Lower("200904112012c"), Dc4Lower("200904113012c"), Dc4Lower("2009041100104"),
      Dc4Lower("20090411400f0"), Dc4Lower("20090411500f0"), Dc4Lower("20090411600f0"),
      Dc4Lower("20090411700f0"), Dc4Lower("200904118012c"), Dc4Lower("200904119012c"),
      Dc4Lower("20090411A012c"),
      // Speaker Set: 427 .. 435
      Stx("27101"), Stx("27001"), Stx("27201"), Stx("27302"), Stx("27401"), Stx("27D01"), Stx("27500"),
      Stx("27E02"), Stx("27600")};
  std::vector<std::string> speakerFrames;
  for (const std::string& frame : r.port.transcript().receivedFrames()) {
    if (std::find(expected.begin(), expected.end(), frame) != expected.end()) speakerFrames.push_back(frame);
  }
  EXPECT_EQ(speakerFrames, expected);
  EXPECT_EQ(r.report("45"), "26");  // SBR -1.0 dB went to its own address
}

}  // namespace
}  // namespace tw::test
