// How the link recovers from what goes wrong on the line: a command given up in a transfer,
// a Real Time list that failed, reports the receiver sends on its own in the middle of an
// edit, bytes that arrive while the link pauses after a write.

#include "link_harness.h"

#include "comm/reply_decoder.h"
#include "emu/emulator_options.h"
#include "emu/emulator_port.h"

#include <gtest/gtest.h>

#include <utility>

namespace tw::comm::test {
namespace {

// Stands between the link and another port: records every frame the link writes, with its
// time, and swallows the ones `swallow` picks (they never reach the receiver).
class TapPort final : public SerialPort {
 public:
  TapPort(SerialPort& inner, Scheduler& clock) : inner_(inner), clock_(clock) {}

  bool open(const std::string& device) override { return inner_.open(device); }
  void close() override { inner_.close(); }
  bool isOpen() const override { return inner_.isOpen(); }
  bool write(std::string_view bytes) override {
    if (!inner_.isOpen()) return false;
    writes.push_back({clock_.now(), std::string(bytes)});
    if (swallow && swallow(std::string(bytes))) return true;
    return inner_.write(bytes);
  }
  std::string readAll() override { return incoming ? incoming(inner_.readAll()) : inner_.readAll(); }
  bool ctsOn() const override { return inner_.ctsOn(); }
  void setReadyReadHandler(std::function<void()> handler) override { inner_.setReadyReadHandler(std::move(handler)); }
  std::string lastError() const override { return inner_.lastError(); }
  std::vector<std::string> availablePorts() const override { return inner_.availablePorts(); }

  std::function<bool(const std::string&)> swallow;
  // Changes what the receiver sent on its way to the link.
  std::function<std::string(std::string)> incoming;
  std::vector<Written> writes;

 private:
  SerialPort& inner_;
  Scheduler& clock_;
};

emu::EmulatorConfig Config(const std::vector<std::string>& options) {
  emu::EmulatorConfig config;
  const auto error = emu::ApplyEmulatorOptions(config, options);
  EXPECT_FALSE(error) << *error;
  return config;
}

// The link against the in-process virtual receiver, through a tap.
struct EmulatedLink {
  EmulatedLink(WorkingMode mode, const std::vector<std::string>& options)
      : emulator(scheduler, Config(options)), tap(emulator, scheduler), link(tap, scheduler, mode) {
    link.setObserver(&view);
    link.setLog(&log);
  }
  bool runUntilListEnds(std::int64_t limitMs = 3LL * 3600 * 1000) {
    return scheduler.runUntil([&] { return !view.commandResults.empty() || view.connectResults == std::vector{false}; },
                              limitMs);
  }
  emu::VirtualReceiver& receiver() { return emulator.receiver(); }

  VirtualScheduler scheduler;
  emu::EmulatorPort emulator;
  TapPort tap;
  Link link;
  RecordingView view;
  RecordingLog log;
};

std::string RowRequest(int row) { return CompleteExtended(model::kCommandTable[static_cast<std::size_t>(row)].request); }

std::string ReportValue(const emu::ReceiverSettings& settings, const std::string& code) {
  const auto it = settings.reports.find(code);
  return it == settings.reports.end() ? std::string() : it->second;
}

// Records which memory parts the download asks for, and after how many page queueings.
class MemoryPartPages final : public PageSource {
 public:
  void QueueAll(model::ParameterImage&, const model::SettingFilter& = {}) override { ++builds; }
  void QueueMemoryPart(int memory, int part, model::ParameterImage&) override {
    parts.push_back({builds, memory, part});
  }
  int builds = 0;
  std::vector<std::array<int, 3>> parts;  // builds so far, memory, part
};

TEST(AsyncSkip, TheMacrosBehindASkippedCommandStillTakeEffect) {
  {
    SCOPED_TRACE("upload: the zone command right before memory 1 never reaches the receiver");
    EmulatedLink f(WorkingMode::Async, {"seed=21"});
    const std::string volume = f.receiver().reportValue("26");
    ASSERT_NE(ReportValue(f.receiver().memory(1), "26"), volume) << "memory 1 must hold another main volume";
    f.tap.swallow = [](const std::string& frame) { return frame == Std("26B00"); };
    f.link.Upload(PortChoice::Fixed("emulator"));
    ASSERT_TRUE(f.runUntilListEnds());
    // Memory 1's volume report went into image 1, so phase 2 wrote the current volume back.
    EXPECT_EQ(f.receiver().reportValue("26"), volume);
    EXPECT_EQ(f.log.errors, (std::vector<std::pair<std::string, int>>{{Std("26B00"), kZone3CommandNumber}}));
  }
  {
    SCOPED_TRACE("download: the XM read before \"@CURR\" never reaches a receiver without Zone 2");
    EmulatedLink f(WorkingMode::Async, {"zone2=0"});
    MemoryPartPages pages;
    f.link.setPages(&pages);
    f.tap.swallow = [](const std::string& frame) { return frame == RowRequest(model::kXmRow); };
    f.link.Download(PortChoice::Fixed("emulator"));
    ASSERT_TRUE(f.runUntilListEnds());
    // The list was rebuilt with what the receiver reported: no Zone 2 memory part.
    std::vector<std::array<int, 3>> rebuilt;
    for (const auto& part : pages.parts) {
      if (part[0] == 1) rebuilt.push_back(part);
    }
    std::vector<std::array<int, 3>> expected;
    for (int memory = 1; memory <= 6; ++memory) {
      for (int part : {0, 1, 3}) expected.push_back({1, memory, part});
    }
    EXPECT_EQ(rebuilt, expected);
  }
}

// A transfer that did not get every command acknowledged is no success.
TEST(TransferResult, AnyCommandGivenUpFailsTheTransferAndSaysHowMany) {
  struct Case {
    const char* what;
    std::function<bool(const std::string&)> swallow;
    int result;
    bool allFailed;
  };
  const std::string zone2 = Std("26600");
  const Case cases[] = {
      {"healthy", nullptr, 0, false},
      {"one command lost", [zone2](const std::string& frame) { return frame == zone2; }, 1, false},
      // A silent receiver whose CTS reads on: everything after the status frame is lost.
      {"silent after connecting", [](const std::string&) { return true; }, 1, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EmulatedLink f(WorkingMode::Async, {});
    f.link.Download(PortChoice::Fixed("emulator"));
    // The opening sequence passes; the list meets the fault.
    ASSERT_TRUE(f.scheduler.runUntil([&] { return f.link.linkState() == LinkState::Connected; }, 60000));
    f.tap.swallow = c.swallow;
    ASSERT_TRUE(f.runUntilListEnds());
    EXPECT_EQ(f.view.commandResults, std::vector<int>{c.result});
    if (c.result == 0) {
      EXPECT_TRUE(f.view.failedTransfers.empty());
      continue;
    }
    ASSERT_EQ(f.view.failedTransfers.size(), 1u);
    const auto [mode, failed, total] = f.view.failedTransfers[0];
    EXPECT_EQ(mode, static_cast<int>(LinkMode::Download));
    EXPECT_EQ(failed, static_cast<int>(f.log.errors.size())) << "each failed command is in the error log";
    EXPECT_GE(failed, 1);
    if (c.allFailed) {
      EXPECT_EQ(failed, total);
    } else {
      EXPECT_LT(failed, total);
    }
    EXPECT_EQ(f.view.statusWords.front(), StatusWord::Error);
    EXPECT_FALSE(f.link.isPortOpen());
  }
}

TEST(RealTimeKeepAlive, RunsAgainAfterAFailedListAndNoticesAReceiverSwitchedOff) {
  LinkFixture f(WorkingMode::RealTime);
  ASSERT_TRUE(f.connectRealTime());
  const std::string edit = Ext("200801200000");
  f.receiver.override = [edit](const std::string& frame) -> std::optional<std::string> {
    if (frame == edit) return std::string();  // never echoed
    return std::nullopt;
  };
  f.link.SendPacket(edit, 383);
  f.link.SendPacket("", kNoParameter);
  ASSERT_TRUE(f.runUntil([&] { return !f.view.commandResults.empty(); }, 10000));
  ASSERT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_TRUE(f.scheduler.isTimerActive(kKeepAliveTimer));

  f.receiver.silent = true;  // switched off
  f.scheduler.advance(kKeepAliveIntervalMs + kKeepAliveReplyMs + 1000);
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::ConnectionCheck});
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(f.view.connection, ConnectionState::NotConnected);
}

// Reports the receiver sends on its own while a Real Time edit waits for its echo.
class UnsolicitedDuringEdit : public ::testing::Test {
 protected:
  UnsolicitedDuringEdit() : f(WorkingMode::RealTime) {
    EXPECT_TRUE(f.connectRealTime());
    f.scheduler.advance(2000);
  }
  void startEdit() {
    f.link.SendPacket(edit, 383);
    f.link.SendPacket("", kNoParameter);
  }
  int writesOfEdit() const { return f.port.countWritten(edit); }

  LinkFixture f;
  const std::string edit = Ext("200801200000");
};

TEST_F(UnsolicitedDuringEdit, AStandardReportAndALostEchoStillGetTheEditResent) {
  const std::string volumeReport = "\x02" "002680\x03";
  int seen = 0;
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame != edit) return std::nullopt;
    return ++seen == 1 ? volumeReport : frame;  // the first echo is lost, a report comes instead
  };
  model::ParameterImage expected = *f.link.images().Image(0);
  ASSERT_TRUE(DecodeAndApplyReply(expected, volumeReport, LinkMode::RealTime));
  ASSERT_NE(expected, *f.link.images().Image(0));
  startEdit();
  ASSERT_TRUE(f.runUntil([&] { return !f.view.commandResults.empty(); }, 5000)) << "the reply watch stopped";
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
  EXPECT_EQ(writesOfEdit(), 2);
  EXPECT_EQ(*f.link.images().Image(0), expected);
}

TEST_F(UnsolicitedDuringEdit, ExtendedReportsAreAppliedAndNeitherResendNorFailTheEdit) {
  // Four rows read at start, each reported with a new value before the echo comes.
  std::string reports;
  model::ParameterImage expected = *f.link.images().Image(0);
  int found = 0;
  for (int row = 5; row < model::kRowCount - 2 && found < 4; ++row) {
    const model::CommandRow& r = model::kCommandTable[static_cast<std::size_t>(row)];
    if (!(r.flags & model::kReadAtStart) || r.replyPrefix[0] != DC4 || r.programGroup != -1) continue;
    if (std::string_view(r.replyPrefix).substr(5, 3) == std::string_view(edit).substr(5, 3)) continue;
    // A value that changes the image.
    std::string report;
    for (const char* value : {"1", "5", "01", "10", "0001", "000A"}) {
      model::ParameterImage changed = expected;
      const auto info = DecodeAndApplyReply(changed, ReplyForRow(row, value), LinkMode::RealTime);
      if (!info || info->group == 1 || changed == expected) continue;
      report = ReplyForRow(row, value);
      expected = changed;
      break;
    }
    if (report.empty()) continue;
    reports += report;
    ++found;
  }
  ASSERT_EQ(found, 4);
  ASSERT_NE(expected, *f.link.images().Image(0)) << "the reports must change something";
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame != edit) return std::nullopt;
    return reports + frame;
  };
  startEdit();
  ASSERT_TRUE(f.runUntil([&] { return !f.view.commandResults.empty(); }, 10000));
  EXPECT_EQ(f.view.commandResults, std::vector<int>{0});
  EXPECT_EQ(writesOfEdit(), 1);
  EXPECT_EQ(*f.link.images().Image(0), expected);
  EXPECT_FALSE(f.view.activeRefreshes.empty()) << "the page shows what the receiver reported";
}

// A scheduler whose pause lets the port deliver what has arrived, as a desktop event loop
// may do: whatever the port hands over then must wait for the pause to end.
class DeliveringPauses final : public Scheduler {
 public:
  explicit DeliveringPauses(VirtualScheduler& inner) : inner_(inner) {}
  void setTimerHandler(TimerHandler handler) override { inner_.setTimerHandler(std::move(handler)); }
  void setTimer(int id, int ms) override { inner_.setTimer(id, ms); }
  void killTimer(int id) override { inner_.killTimer(id); }
  bool isTimerActive(int id) const override { return inner_.isTimerActive(id); }
  void pause(int ms) override {
    if (duringPause) duringPause();
    inner_.pause(ms);
  }
  void post(Task task) override { inner_.post(std::move(task)); }
  void callAfter(int ms, Task task) override { inner_.callAfter(ms, std::move(task)); }
  std::int64_t now() const override { return inner_.now(); }

  std::function<void()> duringPause;

 private:
  VirtualScheduler& inner_;
};

// Queues three page writes for a download.
class ThreeWrites final : public PageSource {
 public:
  explicit ThreeWrites(Link*& link) : link_(link) {}
  void QueueAll(model::ParameterImage&, const model::SettingFilter& = {}) override {
    for (const char* body : {"200801200000", "200801200001", "200801200002"}) link_->SendPacket(Ext(body), 383);
  }

 private:
  Link*& link_;
};

TEST(WritePacing, NothingIsWrittenBeforeThePauseOfThePreviousWriteHasPassed) {
  VirtualScheduler clock;
  DeliveringPauses scheduler(clock);
  FakePort port(clock);
  Link* linkPointer = nullptr;
  ThreeWrites pages(linkPointer);
  Link link(port, scheduler, WorkingMode::Async);
  linkPointer = &link;
  RecordingView view;
  link.setObserver(&view);
  link.setPages(&pages);

  // Answers arrive at once and the port announces them during the link's pause.
  std::vector<std::string> arrived;
  ScriptedReceiver receiver(port, 0);
  port.onWrite = [&](const std::string& frame) {
    if (frame == Std("07E82")) {
      arrived.push_back(StatusFrame());
    } else if (const auto row = receiver.rowOf(frame)) {
      arrived.push_back(ReplyForRow(*row, *row == model::kZone2Row || *row == model::kZone3Row ? "000" : "0"));
    } else if (frame.front() == DC4) {
      arrived.push_back(frame);
    }
  };
  scheduler.duringPause = [&] {
    for (const std::string& bytes : std::exchange(arrived, {})) port.receive(bytes);
  };
  link.Download(PortChoice::Fixed("ttyA"));
  ASSERT_TRUE(clock.runUntil([&] { return !view.commandResults.empty(); }, 600000));

  ASSERT_GE(port.writes.size(), 10u);
  for (std::size_t i = 1; i < port.writes.size(); ++i) {
    const Written& previous = port.writes[i - 1];
    const int pause = previous.bytes.front() == STX ? kStandardWritePauseMs : kOtherWritePauseMs;
    EXPECT_GE(port.writes[i].at - previous.at, pause)
        << "write " << i << " " << port.writes[i].bytes << " came too soon after " << previous.bytes;
  }
}

// ---- what the fault soak found besides

// Removes the first frame beginning with `prefix` once `armed` is set (and disarms).
std::string WithoutFirst(std::string bytes, const std::string& prefix, bool& armed) {
  if (!armed) return bytes;
  const auto at = bytes.find(prefix);
  if (at == std::string::npos) return bytes;
  const auto end = bytes.find(ETX, at);
  if (end == std::string::npos) return bytes;
  armed = false;
  return bytes.erase(at, end - at + 1);
}

TEST(ExtendedEcho, AnEchoOfAnotherParameterOfTheSameBlockIsNoAcknowledgement) {
  LinkFixture f(WorkingMode::Async);
  f.receiver.silent = true;
  ASSERT_TRUE(f.connectForDownloadOnly());
  f.receiver.silent = false;
  // Rows 20 and 21 share their block ("021"); the write of row 21 is only ever answered with
  // the echo of a write of row 20.
  const std::string writeOf21 = Ext(std::string(model::kCommandTable[21].replyPrefix).substr(1, 7) + "1" +
                                    std::string(model::kCommandTable[21].replyPrefix).substr(9) + "05");
  ASSERT_EQ(std::string(model::kCommandTable[20].replyPrefix).substr(5, 3), writeOf21.substr(5, 3));
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == writeOf21) return ReplyForRow(20, "06");
    return std::nullopt;
  };
  f.link.SendPacket(writeOf21, 100);
  f.link.SendPacket("", kNoParameter);
  ASSERT_TRUE(f.runUntil([&] { return !f.view.commandResults.empty(); }, 60000));
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_EQ(f.port.countWritten(writeOf21), 4);
}

// An input selection is answered with its sound program and then the input; a memory's
// volume part with the volume and then "loaded". The second report alone confirms nothing.
TEST(PairedUploadReads, ALostFirstReportGetsTheReadResentRatherThanAStaleValueStored) {
  EmulatedLink clean(WorkingMode::Async, {"seed=77"});
  EmulatedLink lossy(WorkingMode::Async, {"seed=77"});
  bool dropProgram = false;
  bool dropVolume = false;
  bool programDropped = false;
  bool volumeDropped = false;
  lossy.tap.swallow = [&](const std::string& frame) {
    if (frame == Std("07A18") && !programDropped) dropProgram = programDropped = true;
    if (frame == Std("07E75") && !volumeDropped) dropVolume = volumeDropped = true;
    return false;
  };
  lossy.tap.incoming = [&](std::string bytes) {
    bytes = WithoutFirst(std::move(bytes), "\x02" "0028", dropProgram);
    return WithoutFirst(std::move(bytes), "\x02" "0026", dropVolume);
  };
  for (EmulatedLink* f : {&clean, &lossy}) {
    f->link.Upload(PortChoice::Fixed("emulator"));
    ASSERT_TRUE(f->runUntilListEnds());
    EXPECT_EQ(f->view.commandResults, std::vector<int>{0});
  }
  ASSERT_TRUE(programDropped && volumeDropped && !dropProgram && !dropVolume) << "both reports were lost once";
  for (int i = 0; i < model::kImageCount; ++i) {
    EXPECT_EQ(*lossy.link.images().Image(i), *clean.link.images().Image(i)) << "image " << i;
  }
}

TEST(RepeatedAnswer, TheSameAnswerAgainRightAfterItDoesNotAnswerTheNextCommand) {
  EmulatedLink f(WorkingMode::Async, {});
  const model::ParameterImage& current = *f.link.images().Image(0);
  const std::string audioSelect = BuildOperationCommand(current.basic, 2);
  const std::string decoder = BuildOperationCommand(current.basic, 3);
  ASSERT_FALSE(audioSelect.empty() || decoder.empty());
  // The decoder command never reaches the receiver; the audio select's answer comes twice.
  bool repeat = false;
  f.tap.swallow = [&](const std::string& frame) {
    repeat = repeat || frame == audioSelect;
    return frame == decoder;
  };
  f.tap.incoming = [&](std::string bytes) {
    const auto at = bytes.find("\x02" "0022");
    if (!repeat || at == std::string::npos) return bytes;
    repeat = false;
    return bytes + bytes.substr(at, 8);
  };
  f.link.Download(PortChoice::Fixed("emulator"));
  ASSERT_TRUE(f.runUntilListEnds());
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_EQ(f.log.errors, (std::vector<std::pair<std::string, int>>{{decoder, 3}}));
}

}  // namespace
}  // namespace tw::comm::test
