// Frame assembly on receipt: start bytes, the 450 ms frame timer, the 256-byte limit,
// NUL dropping, discard mode and the eight-byte normalisation.

#include "link_harness.h"

#include <gtest/gtest.h>

namespace tw::comm::test {
namespace {

class ReceivePath : public ::testing::Test {
 protected:
  ReceivePath() : f(WorkingMode::Async) {
    f.receiver.silent = true;
    EXPECT_TRUE(f.link.PortOpen("ttyA"));
  }
  const std::vector<std::string>& delivered() const { return f.log.received; }
  LinkFixture f;
};

TEST_F(ReceivePath, FrameSpanningReadsWithin450msIsDelivered) {
  f.port.receive("\x14" "2008");
  f.scheduler.advance(200);
  f.port.receive("0100300");
  f.scheduler.advance(249);
  f.port.receive("5C\x03");
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x14" "20080100300" "5C\x03");
}

TEST_F(ReceivePath, IncompleteFrameIsResetAfter450msAndRestDiscardedUntilStartByte) {
  f.port.receive("\x02" "0028");
  f.scheduler.advance(450);
  EXPECT_TRUE(f.log.hasComment("ETX受信タイムアウト"));
  EXPECT_TRUE(f.log.hasComment("バッファ領域のリセット：\x02" "0028"));
  f.port.receive("00\x03junk\x02" "002600\x03");
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x02" "002600\x03");
}

TEST_F(ReceivePath, NulBytesAreDroppedInsideAFrame) {
  f.port.receive(std::string("\x02" "00\0" "2600\x03", 9));
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x02" "002600\x03");
}

TEST_F(ReceivePath, TwoFramesInOneReadAreDeliveredSeparately) {
  f.port.receive("\x02" "002600\x03\x02" "002700\x03");
  ASSERT_EQ(delivered().size(), 2u);
  EXPECT_EQ(delivered()[0], "\x02" "002600\x03");
  EXPECT_EQ(delivered()[1], "\x02" "002700\x03");
}

TEST_F(ReceivePath, BytesBeforeAStartByteBecomeTheHeadOfTheNextFrame) {
  f.port.receive("xy\x02" "002600\x03");
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "xy\x02" "002600\x03");
}

TEST_F(ReceivePath, SecondStartByteRestartsTimerWithoutClearingTheBuffer) {
  f.port.receive("\x02" "00");
  f.scheduler.advance(400);
  f.port.receive("\x02" "26");
  f.scheduler.advance(400);  // 800 ms after the first STX, 400 after the second
  f.port.receive("00\x03");
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x02" "00\x02" "2600\x03");
}

TEST_F(ReceivePath, StatusFrameIsNotTimed) {
  f.port.receive("\x12" "R0210");
  f.scheduler.advance(5000 - 1);  // the retry timer would fire at 5000
  f.port.receive("0AE\x03");
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x12" "R02100AE\x03");
}

TEST_F(ReceivePath, OverflowResetsAndDropsUpToNextStartByte) {
  f.port.receive("\x02" + std::string(256, 'A'));  // 257 bytes without ETX
  EXPECT_TRUE(f.log.hasComment("バッファ領域のリセット"));
  f.port.receive("\x12" "R02100AE\x03" "\x02" "002600\x03");  // the DC2 frame is lost in discard mode
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0], "\x02" "002600\x03");
}

TEST_F(ReceivePath, FrameOf256BytesIsDeliveredButEtxAsByte257IsDiscarded) {
  const std::string fits = "\x14" + std::string(254, '0') + "\x03";
  f.port.receive(fits);
  ASSERT_EQ(delivered().size(), 1u);
  EXPECT_EQ(delivered()[0].size(), 256u);
  f.port.receive("\x14" + std::string(255, '0') + "\x03");
  EXPECT_EQ(delivered().size(), 1u);
  f.port.receive("\x02" "002600\x03");
  EXPECT_EQ(delivered().size(), 2u);
}

TEST_F(ReceivePath, EightByteStandardFrameGetsReportClassZero) {
  f.port.receive("\x02" "1028000\x03");  // nine bytes: kept
  f.port.receive("\x02" "102800\x03");   // eight bytes: class forced to 0
  f.port.receive("\x02" "10280\x03");    // seven bytes: kept
  ASSERT_EQ(delivered().size(), 3u);
  EXPECT_EQ(delivered()[0], "\x02" "1028000\x03");
  EXPECT_EQ(delivered()[1], "\x02" "002800\x03");
  EXPECT_EQ(delivered()[2], "\x02" "10280\x03");
}

TEST_F(ReceivePath, NothingIsReadWhileClosed) {
  f.link.PortClose();
  EXPECT_EQ(f.link.OnReceive(), 0);
  EXPECT_TRUE(delivered().empty());
}

TEST(FrameAssembler, DiscardModeIsLeftOnlyByStxOrDc4) {
  FrameAssembler rx;
  rx.push('a');
  EXPECT_EQ(rx.reset(), "a");
  for (char c : std::string("\x03\x12xyz")) EXPECT_FALSE(rx.push(c).frameReady);
  EXPECT_TRUE(rx.discarding());
  EXPECT_TRUE(rx.push('\x14').restartTimer);
  EXPECT_FALSE(rx.discarding());
  EXPECT_EQ(rx.pending(), "\x14");
}

}  // namespace
}  // namespace tw::comm::test
