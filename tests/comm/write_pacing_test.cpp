// Writes: the pause after each frame and the "@WAIT" entry that lengthens it.

#include "link_harness.h"

#include <gtest/gtest.h>

namespace tw::comm::test {
namespace {

TEST(WritePacing, OpeningSequenceIsFourStandardFramesFiftyMsApart) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  const auto start = f.scheduler.now();
  ASSERT_TRUE(f.link.PortOpen("ttyA"));
  ASSERT_EQ(f.port.writes.size(), 4u);
  const std::vector<std::string> expected = {Std("20000"), Std("07A1D"), Std("07A1D"), Std("07E82")};
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(f.port.writes[i].bytes, expected[i]);
    EXPECT_EQ(f.port.writes[i].at, start + 50 * static_cast<int>(i));
  }
  EXPECT_EQ(f.scheduler.now(), start + 200);
}

TEST(WritePacing, ExtendedFramePauses150AndWaitEntryGivesItsArgumentPlus150) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.link.setLinkMode(LinkMode::Download);
  f.link.SendPacket(Std("07A15"), 564);
  f.link.SendPacket(MacroText(kMacroWait, 1000), 564);
  f.link.SendPacket(Ext("200601003005"), 254);

  auto t = f.scheduler.now();
  f.link.Write(Ext("200601003005"));  // extended, but the "@WAIT" follows the pending entry
  EXPECT_EQ(f.scheduler.now() - t, 1150);
  EXPECT_TRUE(f.log.hasComment("@WAIT 1000"));

  t = f.scheduler.now();
  f.link.Write(Std("07A15"));  // standard: 1000 + 150 as well
  EXPECT_EQ(f.scheduler.now() - t, 1150);

  f.link.ClearCommandList();
  t = f.scheduler.now();
  f.link.Write(Ext("200601003005"));
  EXPECT_EQ(f.scheduler.now() - t, 150);
  t = f.scheduler.now();
  f.link.Write(Std("07A15"));
  EXPECT_EQ(f.scheduler.now() - t, 50);
}

TEST(WritePacing, WriteToClosedPortFailsWithoutPause) {
  LinkFixture f(WorkingMode::Async);
  const auto t = f.scheduler.now();
  EXPECT_FALSE(f.link.Write(Std("20000")));
  EXPECT_EQ(f.scheduler.now(), t);
  EXPECT_TRUE(f.port.writes.empty());
}

TEST(WritePacing, FrameTextEndsAtItsFirstNul) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.link.PortOpen("ttyA"));
  f.port.writes.clear();
  f.link.Write(std::string("\x02" "20000\x03\0junk", 12));
  ASSERT_EQ(f.port.writes.size(), 1u);
  EXPECT_EQ(f.port.writes[0].bytes, Std("20000"));
}

TEST(MacroText, ArgumentIsReadAfterTheFirstComma) {
  EXPECT_EQ(MacroText(kMacroWait, 1000), "@WAIT, 1000");
  EXPECT_EQ(MacroArgument("@WAIT, 1000"), 1000);
  EXPECT_EQ(MacroArgument("@MEMORY,   3"), 3);
  EXPECT_EQ(MacroArgument("@CURR"), 0);
  EXPECT_EQ(MacroArgument("@WAIT, x"), 0);
  EXPECT_EQ(MacroArgument("@WAIT, 99999999999999"), INT32_MAX);
}

}  // namespace
}  // namespace tw::comm::test
