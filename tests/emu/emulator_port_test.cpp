// The virtual receiver through its in-process port, on the virtual clock: line timing,
// the transcript and every fault.

#include "emu/emulator_port.h"

#include <gtest/gtest.h>

#include <random>

#include "comm/device_gone.h"
#include "comm/frame_notation.h"
#include "comm/protocol.h"
#include "comm/virtual_scheduler.h"
#include "receiver_test_support.h"

namespace tw::emu {
namespace {

using test::ReadOf;
using test::Report;
using test::Std;
using test::WriteOf;

// The tool's side: collects what arrives, read by read, with the time of each read.
struct Tool {
  explicit Tool(const EmulatorConfig& config = {}) : port(clock, config) {
    EXPECT_TRUE(port.open(EmulatorPort::kDeviceName));
    port.setReadyReadHandler([this] {
      reads.push_back(port.readAll());
      readTimes.push_back(clock.now());
    });
  }
  std::string received() const {
    std::string all;
    for (const auto& read : reads) all += read;
    return all;
  }
  // Writes each frame and pauses 50 ms after it, as the link does.
  void send(const std::vector<std::string>& frames) {
    for (const auto& frame : frames) {
      port.write(frame);
      clock.pause(50);
    }
  }
  void openingSequence() { send({Std("20000"), Std("07A1D"), Std("07A1D"), Std("07E82")}); }

  comm::VirtualScheduler clock;
  EmulatorPort port;
  std::vector<std::string> reads;
  std::vector<std::int64_t> readTimes;
};

std::int64_t byteMs(std::size_t bytes) {
  return (static_cast<std::int64_t>(bytes) * ReceiverLine::kByteNs + 999'999) / 1'000'000;
}

TEST(EmulatorPortDevice, OpensOnlyItsOwnDeviceName) {
  comm::VirtualScheduler clock;
  EmulatorPort port(clock, EmulatorConfig{});
  EXPECT_EQ(port.availablePorts(), std::vector<std::string>{"emulator"});
  EXPECT_FALSE(port.write(Std("07E82")));
  EXPECT_FALSE(port.open("/dev/ttyS0"));
  EXPECT_FALSE(port.lastError().empty());
  EXPECT_TRUE(port.open("emulator"));
  EXPECT_FALSE(port.open("emulator"));
  EXPECT_TRUE(port.isOpen());
  EXPECT_TRUE(port.ctsOn());
  port.close();
  EXPECT_FALSE(port.isOpen());
}

TEST(EmulatorPortTiming, StatusFrameFollowsTheOpeningSequenceAtLineSpeed) {
  EmulatorConfig config;
  config.latencyMs = 10;
  Tool tool(config);
  tool.openingSequence();  // the fourth command is written at 150 ms
  tool.clock.runUntil([&] { return !tool.reads.empty(); }, 5000);
  ASSERT_EQ(tool.reads.size(), 1u);
  const std::string status = tool.reads[0];
  EXPECT_TRUE(comm::IsStatusFrame(status));
  EXPECT_EQ(status, tool.port.receiver().statusFrame());
  // 7 bytes in, 10 ms latency, 184 bytes out at 1.04 ms a byte.
  const std::int64_t expected = (150 * 1'000'000LL + 7 * ReceiverLine::kByteNs + 10 * 1'000'000LL +
                                 184 * ReceiverLine::kByteNs + 999'999) /
                                1'000'000;
  EXPECT_EQ(tool.readTimes[0], expected);
}

TEST(EmulatorPortTiming, AnAnswerWaitsForTheLineAndArrivesWhole) {
  Tool tool;
  const std::string request = ReadOf(20);
  tool.port.write(request);
  tool.clock.advance(1000);
  ASSERT_EQ(tool.reads.size(), 1u);
  const std::string answer = tool.reads[0];
  EXPECT_EQ(answer, test::AnswerOf(20, "06"));
  EXPECT_EQ(tool.readTimes[0], byteMs(request.size() + answer.size()) + 10);
}

// A flood (a program writing megabytes at once) is cut at the receiver's buffer and said
// once: a request after it is answered within seconds, not hours later.
TEST(EmulatorPortTiming, AFloodOfInputIsDroppedBeyondTheBufferAndSaid) {
  Tool tool;
  const std::string flood(1 << 20, 'x');
  for (int write = 0; write < 4; ++write) tool.port.write(flood);
  tool.clock.advance(byteMs(ReceiverLine::kMaxPendingBytes) + 100);
  tool.port.write(ReadOf(20));
  tool.clock.advance(1000);
  EXPECT_EQ(tool.received(), test::AnswerOf(20, "06"));
  int notes = 0;
  for (const auto& entry : tool.port.transcript().entries())
    notes += entry.note.rfind("dropped: input", 0) == 0;
  EXPECT_EQ(notes, 1);
}

TEST(EmulatorPortTiming, NothingIsSentWhileAFrameFromTheToolIsArriving) {
  EmulatorConfig config;
  config.latencyMs = 5;
  Tool tool(config);
  tool.port.write(Std("23000"));  // arrives by 7.3 ms; its answer would start at 12.3 ms
  tool.clock.advance(10);
  const std::string longWrite = WriteOf(309, "08ABCDEFGH");  // 25 bytes: on the line 10..36.0 ms
  tool.port.write(longWrite);
  tool.clock.advance(2000);
  ASSERT_GE(tool.reads.size(), 1u);
  EXPECT_EQ(tool.reads[0], Report("2600"));
  const auto incomingEnd =
      10 * 1'000'000LL + static_cast<std::int64_t>(longWrite.size()) * ReceiverLine::kByteNs;
  EXPECT_GE(tool.readTimes[0] * 1'000'000LL, incomingEnd + 8 * ReceiverLine::kByteNs);
  // The transcript shows the report completing after the long frame had arrived.
  const auto& entries = tool.port.transcript().entries();
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[1].bytes, longWrite);
  EXPECT_EQ(entries[2].bytes, Report("2600"));
  EXPECT_GT(entries[2].timeUs, entries[1].timeUs);
}

TEST(EmulatorPortTiming, ConsecutiveAnswersFollowEachOtherOnTheLine) {
  Tool tool;
  tool.port.write(Std("07A15"));  // answered by two reports
  tool.clock.advance(1000);
  ASSERT_EQ(tool.reads.size(), 2u);
  EXPECT_EQ(tool.reads[0], Report("2810"));
  EXPECT_EQ(tool.reads[1], Report("2101"));
  // The second starts as the first ends: eight bytes later.
  const auto& entries = tool.port.transcript().entries();
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_NEAR(static_cast<double>(entries[2].timeUs - entries[1].timeUs), 8 * ReceiverLine::kByteNs / 1000.0,
              1.0);
}

TEST(EmulatorPortTranscript, RecordsEveryFrameBothWaysWithItsTime) {
  Tool tool;
  tool.openingSequence();
  tool.clock.advance(1000);
  const auto& entries = tool.port.transcript().entries();
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[0].bytes, Std("20000"));
  EXPECT_EQ(entries[0].direction, TranscriptEntry::Direction::ToReceiver);
  EXPECT_EQ(entries[0].timeUs, 7 * ReceiverLine::kByteNs / 1000);
  EXPECT_EQ(entries[4].direction, TranscriptEntry::Direction::FromReceiver);
  EXPECT_TRUE(comm::IsStatusFrame(entries[4].bytes));
  const std::string text = tool.port.transcript().text();
  EXPECT_NE(text.find("tool > receiver  <STX>07E82<ETX>"), std::string::npos) << text;
  EXPECT_NE(text.find("receiver > tool  <DC2>R0210"), std::string::npos) << text;
}

TEST(EmulatorPortFaults, SilentReceiverAnswersNothing) {
  EmulatorConfig config;
  config.silent = true;
  Tool tool(config);
  tool.openingSequence();
  tool.clock.advance(10'000);
  EXPECT_TRUE(tool.reads.empty());
  EXPECT_EQ(tool.port.transcript().entries().size(), 4u);
}

TEST(EmulatorPortFaults, DroppedAnswersNeverArrive) {
  EmulatorConfig config;
  config.dropRate = 1.0;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(5000);
  EXPECT_TRUE(tool.reads.empty());
  ASSERT_EQ(tool.port.transcript().entries().size(), 2u);
  EXPECT_EQ(tool.port.transcript().entries()[1].note, "dropped");
}

TEST(EmulatorPortFaults, AnswerFaultsStartAtFaultsFrom) {
  EmulatorConfig config;
  config.dropRate = 1.0;
  config.faultsFromMs = 3000;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(3500);
  EXPECT_EQ(tool.reads.size(), 1u);  // before faults-from the line is clean
  tool.port.write(ReadOf(20));
  tool.clock.advance(3500);
  EXPECT_EQ(tool.reads.size(), 1u);
  EXPECT_EQ(tool.port.transcript().entries().back().note, "dropped");
}

TEST(EmulatorPortFaults, LateAnswersComeLateMsLater) {
  EmulatorConfig config;
  config.lateRate = 1.0;
  config.lateMs = 2500;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(2000);
  EXPECT_TRUE(tool.reads.empty());
  tool.clock.advance(1000);
  ASSERT_EQ(tool.reads.size(), 1u);
  const auto& entries = tool.port.transcript().entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[1].note, "late");
  EXPECT_NEAR(static_cast<double>(entries[1].timeUs), (17 + 19) * ReceiverLine::kByteNs / 1000.0 + 2510'000.0,
              1.0);
}

TEST(EmulatorPortFaults, DuplicatedAnswersArriveTwice) {
  EmulatorConfig config;
  config.duplicateRate = 1.0;
  Tool tool(config);
  tool.port.write(Std("230C7"));
  tool.clock.advance(1000);
  EXPECT_EQ(tool.reads, (std::vector<std::string>{Report("26C7"), Report("26C7")}));
}

TEST(EmulatorPortFaults, GarbageComesBeforeTheFrameAndNeverLooksLikeFraming) {
  EmulatorConfig config;
  config.garbageRate = 1.0;
  Tool tool(config);
  tool.port.write(Std("230C7"));
  tool.clock.advance(1000);
  const std::string received = tool.received();
  const std::size_t start = received.find('\x02');
  ASSERT_NE(start, std::string::npos);
  EXPECT_GE(start, 1u);
  EXPECT_LE(start, 8u);
  EXPECT_EQ(received.substr(start), Report("26C7"));
  for (char c : received.substr(0, start)) {
    EXPECT_TRUE(c != '\x02' && c != '\x03' && c != '\x12' && c != '\x14');
  }
}

TEST(EmulatorPortFaults, NulBytesInsideAFrameLeaveTheFrameWhenRemoved) {
  EmulatorConfig config;
  config.nulRate = 1.0;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(1000);
  std::string received = tool.received();
  EXPECT_NE(received.find('\0'), std::string::npos);
  EXPECT_EQ(received.front(), '\x14');
  EXPECT_EQ(received.back(), '\x03');
  std::erase(received, '\0');
  EXPECT_EQ(received, test::AnswerOf(20, "06"));
}

TEST(EmulatorPortFaults, SplitFramesArriveInSeveralReads) {
  EmulatorConfig config;
  config.splitRate = 1.0;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(1000);
  EXPECT_GE(tool.reads.size(), 2u);
  EXPECT_LE(tool.reads.size(), 3u);
  EXPECT_EQ(tool.received(), test::AnswerOf(20, "06"));
  EXPECT_LT(tool.readTimes.front(), tool.readTimes.back());
}

TEST(EmulatorPortFaults, CableCanBePulledAtAChosenMoment) {
  EmulatorConfig config;
  config.ctsOffAtMs = 1000;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(900);
  EXPECT_TRUE(tool.port.ctsOn());
  EXPECT_EQ(tool.reads.size(), 1u);
  tool.clock.advance(100);
  EXPECT_FALSE(tool.port.ctsOn());
  tool.port.write(ReadOf(20));
  tool.clock.advance(5000);
  EXPECT_EQ(tool.reads.size(), 1u);
  EXPECT_EQ(tool.port.transcript().entries().back().note, "lost: cable pulled");
}

TEST(EmulatorPortFaults, APortThatVanishesClosesAndCannotBeOpenedAgain) {
  EmulatorConfig config;
  config.vanishAtMs = 1000;
  Tool tool(config);
  tool.port.write(ReadOf(20));
  tool.clock.advance(980);
  EXPECT_TRUE(tool.port.isOpen());
  EXPECT_EQ(tool.reads.size(), 1u);
  tool.port.write(ReadOf(20));  // its answer would come after the port went
  tool.clock.advance(100);
  EXPECT_FALSE(tool.port.isOpen());
  EXPECT_FALSE(tool.port.ctsOn());
  EXPECT_FALSE(tool.port.write(ReadOf(20)));
  tool.clock.advance(5000);
  EXPECT_EQ(tool.reads.size(), 1u);
  tool.port.close();
  EXPECT_FALSE(tool.port.open(EmulatorPort::kDeviceName));
  EXPECT_EQ(tool.port.lastError(), comm::DeviceGoneText(EmulatorPort::kDeviceName));
}

// A serial device sends its frames in the order it makes them: a late answer holds back
// the answers made after it, and every answer names the command it answers.
TEST(EmulatorPortFaults, ALateAnswerHoldsBackTheAnswersAfterIt) {
  bool seen = false;
  for (std::uint32_t seed = 1; seed < 200 && !seen; ++seed) {
    EmulatorConfig config;
    config.lateRate = 0.5;
    config.lateMs = 2000;
    config.faultSeed = seed;
    Tool tool(config);
    tool.send({ReadOf(20), ReadOf(21), ReadOf(22)});
    tool.clock.advance(10000);
    std::vector<std::string> answered;
    bool lateBeforeOnTime = false;
    bool late = false;
    for (const auto& entry : tool.port.transcript().entries()) {
      if (entry.direction != TranscriptEntry::Direction::FromReceiver) continue;
      answered.push_back(entry.request);
      lateBeforeOnTime = lateBeforeOnTime || (late && entry.note.empty());
      late = late || entry.note == "late";
    }
    if (!lateBeforeOnTime) continue;
    seen = true;
    EXPECT_EQ(answered, (std::vector<std::string>{ReadOf(20), ReadOf(21), ReadOf(22)})) << "seed " << seed;
    const VirtualReceiver& receiver = tool.port.receiver();
    EXPECT_EQ(tool.received(), test::AnswerOf(20, receiver.rowValue(20)) + test::AnswerOf(21, receiver.rowValue(21)) +
                                   test::AnswerOf(22, receiver.rowValue(22)));
  }
  EXPECT_TRUE(seen) << "no fault seed made an answer late and the next one on time";
}

TEST(EmulatorPortFaults, KnobSendsVolumeReportsAtItsInterval) {
  EmulatorConfig config;
  config.knobIntervalMs = 2000;
  Tool tool(config);
  tool.clock.advance(1900);
  EXPECT_TRUE(tool.reads.empty());
  tool.clock.advance(6200);  // up to 8.1 s: four turns
  ASSERT_EQ(tool.reads.size(), 4u);
  int level = 0x77;
  for (const std::string& report : tool.reads) {
    ASSERT_EQ(report.substr(0, 5),
              "\x02"
              "0026");
    const int next = std::stoi(report.substr(5, 2), nullptr, 16);
    EXPECT_EQ(std::abs(next - level), 1);
    level = next;
  }
  EXPECT_EQ(tool.port.receiver().reportValue("26"), tool.reads.back().substr(5, 2));
}

TEST(EmulatorPortFaults, GuardAndErrorRepliesComeThroughTheLine) {
  EmulatorConfig config;
  config.guardRows = {439};
  config.errorRows = {440};
  Tool tool(config);
  tool.port.write(WriteOf(439, "1B"));
  tool.clock.pause(50);
  tool.port.write(ReadOf(440));
  tool.clock.advance(1000);
  ASSERT_EQ(tool.reads.size(), 2u);
  EXPECT_TRUE(comm::IsGuard(tool.reads[0]));
  EXPECT_TRUE(comm::IsParameterError(tool.reads[1]));
}

std::string runWithFaults(std::uint32_t faultSeed) {
  EmulatorConfig config;
  config.faultSeed = faultSeed;
  config.dropRate = 0.3;
  config.duplicateRate = 0.3;
  config.garbageRate = 0.3;
  config.nulRate = 0.3;
  config.splitRate = 0.3;
  config.lateRate = 0.3;
  config.lateMs = 300;
  Tool tool(config);
  for (int row = 20; row < 60; ++row) {
    if (model::kCommandTable[static_cast<std::size_t>(row)].request[0] != '\x14') continue;
    tool.port.write(ReadOf(row));
    tool.clock.pause(100);
  }
  tool.clock.advance(5000);
  std::string record;
  for (std::size_t i = 0; i < tool.reads.size(); ++i) {
    record += std::to_string(tool.readTimes[i]) + ":" + comm::ToNotation(tool.reads[i]) + "\n";
  }
  return record + tool.port.transcript().text();
}

TEST(EmulatorPortFaults, TheSameFaultSeedRepeatsTheSameFaults) {
  const std::string first = runWithFaults(42);
  EXPECT_EQ(first, runWithFaults(42));
  EXPECT_NE(first, runWithFaults(43));
  EXPECT_NE(first.find("dropped"), std::string::npos);
  EXPECT_NE(first.find("duplicate"), std::string::npos);
}

TEST(EmulatorPortRobustness, RandomBytesNeverStopTheReceiver) {
  Tool tool;
  std::mt19937 rng(2024);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> length(1, 300);
  // Frame characters are made common so that many near-frames reach the receiver.
  constexpr std::string_view kFraming = "\x02\x03\x14\x12\x00";
  for (int chunk = 0; chunk < 400; ++chunk) {
    std::string bytes;
    const int n = length(rng);
    for (int i = 0; i < n; ++i) {
      const int b = byte(rng);
      bytes += b < 40 ? kFraming[static_cast<std::size_t>(b % 5)] : static_cast<char>(b);
    }
    tool.port.write(bytes);
    tool.clock.advance(byteMs(bytes.size()) + 5);
  }
  // Well-formed frames that are nonsense to the receiver.
  for (int i = 0; i < 200; ++i) {
    std::string body = "20";
    const int n = length(rng) % 40;
    for (int k = 0; k < n; ++k) body += static_cast<char>('0' + byte(rng) % 43);
    tool.port.write(test::Ext(body));
    tool.port.write(Std(body.substr(0, 5)));
    tool.clock.advance(byteMs(body.size() + 12) + 30);
  }
  tool.clock.advance(5000);
  tool.reads.clear();
  // Still serving: the next read gets its answer.
  tool.port.write(ReadOf(model::kPollRow));
  tool.clock.advance(1000);
  ASSERT_FALSE(tool.reads.empty());
  EXPECT_EQ(tool.received().substr(0, 9),
            "\x14"
            "200F0000");
}

}  // namespace
}  // namespace tw::emu
