// Reply pacing of reads (opt-in): an upload and a Real Time start-up read against the
// in-process virtual receiver read exactly what the mandated pacing reads; writes, memory
// loads and their waits keep the full pauses; a receiver that drops requests coming too
// soon puts the connection back on the full pauses through the usual resend rules.

#include "comm/link.h"
#include "comm/frame_notation.h"
#include "comm/line_pacer.h"
#include "comm/link_log.h"
#include "comm/link_observer.h"
#include "comm/protocol.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "model/command_table.h"
#include "link_harness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tw::comm {
namespace {

using test::EndView;

// Every frame on the line, in order, with the link's clock; comments too.
class LineLog final : public LinkLog {
 public:
  explicit LineLog(const VirtualScheduler& clock) : clock_(clock) {}
  struct Line {
    std::int64_t at;
    std::string text;
    bool frame;
    bool sent;
  };
  void WriteTrace(std::string_view text, bool frame, bool sent) override {
    lines.push_back({clock_.now(), std::string(text), frame, sent});
  }
  void WriteErrorLog(std::string_view, int) override { ++errors; }
  int count(std::string_view comment) const {
    int n = 0;
    for (const Line& line : lines) n += !line.frame && line.text.rfind(comment, 0) == 0;
    return n;
  }
  std::vector<Line> lines;
  int errors = 0;

 private:
  const VirtualScheduler& clock_;
};

bool IsRead(std::string_view frame) {
  for (int r = 0; r < model::kRowCount; ++r) {
    const char* request = model::kCommandTable[static_cast<std::size_t>(r)].request;
    if (request[0] == DC4 && CompleteExtended(request) == frame) return true;
  }
  return false;
}

struct Session {
  Session(WorkingMode mode, ReadPacing pacing, std::vector<std::string> faults = {})
      : port(scheduler, config(std::move(faults))), link(port, scheduler, mode), log(scheduler) {
    link.setObserver(&view);
    link.setLog(&log);
    link.setReadPacing(pacing);
  }
  static emu::EmulatorConfig config(const std::vector<std::string>& faults) {
    emu::EmulatorConfig c;
    c.settingsSeed = 11;
    EXPECT_FALSE(emu::ApplyEmulatorOptions(c, faults).has_value());
    return c;
  }
  void upload() {
    link.Upload(PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
    ASSERT_TRUE(scheduler.runUntil([&] { return view.commands >= 0; }, 6LL * 3600 * 1000));
  }
  void open() {
    link.Open(PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
    ASSERT_TRUE(scheduler.runUntil([&] { return view.connect >= 0; }, 6LL * 3600 * 1000));
  }
  // Time from each written frame to the next one, with what the link read in between.
  struct Gap {
    std::string frame;
    std::int64_t ms;
    bool answered;
  };
  std::vector<Gap> gaps() const {
    std::vector<Gap> out;
    const LineLog::Line* last = nullptr;
    bool answered = false;
    for (const LineLog::Line& line : log.lines) {
      if (!line.frame) continue;
      if (!line.sent) {
        answered = true;
        continue;
      }
      if (last) out.push_back({last->text, line.at - last->at, answered});
      last = &line;
      answered = false;
    }
    return out;
  }

  VirtualScheduler scheduler;
  emu::EmulatorPort port;
  Link link;
  EndView view;
  LineLog log;
};

// The same connection (Session::upload or Session::open) made once with each pacing, each
// against its own receiver with the same settings and faults.
struct BothPacings {
  BothPacings(WorkingMode mode, void (Session::*connect)(), const std::vector<std::string>& faults = {})
      : mandated(mode, ReadPacing::Mandated, faults), paced(mode, ReadPacing::Reply, faults) {
    (mandated.*connect)();
    (paced.*connect)();
  }
  Session mandated;
  Session paced;
};

int LongWaits(const std::vector<Session::Gap>& gaps) {
  int n = 0;
  for (const Session::Gap& gap : gaps) n += gap.ms >= 1000 + 150;
  return n;
}

// Every frame that is not a read kept its full pause; a read was followed by the next frame
// only once its answer was in, and never sooner than the settle time.
void ExpectPacingRules(const std::vector<Session::Gap>& gaps, bool replyPaced, int minPacedReads = 0) {
  int pacedReads = 0;
  for (const Session::Gap& gap : gaps) {
    if (replyPaced && IsRead(gap.frame) && gap.ms < LinePacer::PauseAfter(gap.frame, std::nullopt)) {
      ++pacedReads;
      EXPECT_TRUE(gap.answered) << ToNotation(gap.frame);
      EXPECT_GE(gap.ms, kReplySettleMs) << ToNotation(gap.frame);
      continue;
    }
    EXPECT_GE(gap.ms, LinePacer::PauseAfter(gap.frame, std::nullopt)) << ToNotation(gap.frame);
  }
  if (replyPaced) {
    EXPECT_GT(pacedReads, minPacedReads);
  } else {
    EXPECT_EQ(pacedReads, 0);
  }
}

TEST(ReplyPacing, UploadReadsExactlyWhatTheMandatedPacingReadsAndKeepsEveryWritePause) {
  BothPacings both(WorkingMode::Async, &Session::upload);
  auto& [mandated, paced] = both;
  ASSERT_EQ(mandated.view.commands, 0);
  ASSERT_EQ(paced.view.commands, 0);

  EXPECT_TRUE(paced.link.images().All() == mandated.link.images().All());
  EXPECT_TRUE(paced.port.receiver().current().rows == mandated.port.receiver().current().rows);
  // Nothing is resent on a clean line, also where two memory parts in a row are answered
  // with the same report (with this seed they are): the second is no repeat of the first.
  EXPECT_EQ(mandated.log.count("[再送]"), 0);
  EXPECT_EQ(paced.log.count("[再送]"), 0);
  EXPECT_EQ(mandated.log.count("[same answer again"), 0);
  ExpectPacingRules(mandated.gaps(), false);
  ExpectPacingRules(paced.gaps(), true, 1000);
  // The six memory loads keep their waits.
  EXPECT_EQ(LongWaits(paced.gaps()), LongWaits(mandated.gaps()));
  EXPECT_GE(LongWaits(paced.gaps()), 6);
}

TEST(ReplyPacing, StartupReadReadsTheSameSettingsAndOnlyTheReadsArePaced) {
  BothPacings both(WorkingMode::RealTime, &Session::open);
  auto& [mandated, paced] = both;
  ASSERT_EQ(mandated.view.connect, 1);
  ASSERT_EQ(paced.view.connect, 1);
  EXPECT_TRUE(paced.link.images().All() == mandated.link.images().All());
  ExpectPacingRules(paced.gaps(), true, 400);
}

int TooSoon(Session& session) {
  int dropped = 0;
  for (const emu::TranscriptEntry& entry : session.port.transcript().entries()) {
    dropped += entry.note.find("too soon") != std::string::npos;
  }
  return dropped;
}

// The receiver drops every command that starts within 11 ms of its last answer. Even the
// mandated pacing meets that once (the first read follows the status frame at once); with
// reply pacing that first unanswered read is resent by the reply watch as usual and the rest
// of the connection keeps the full pauses, so both read the same with the same resends.
TEST(ReplyPacing, ReceiverThatNeedsThePausesPutsTheUploadBackOnThemThroughTheResendRule) {
  BothPacings both(WorkingMode::Async, &Session::upload, {"min-gap=11"});
  auto& [mandated, paced] = both;
  ASSERT_EQ(mandated.view.commands, 0);
  ASSERT_EQ(paced.view.commands, 0);

  EXPECT_EQ(paced.log.count("reply pacing:"), 1);
  EXPECT_FALSE(paced.link.replyPacingActive());
  EXPECT_EQ(paced.log.count("[再送]"), mandated.log.count("[再送]"));
  EXPECT_EQ(TooSoon(paced), TooSoon(mandated));
  EXPECT_EQ(paced.log.errors, 0);
  EXPECT_TRUE(paced.link.images().All() == mandated.link.images().All());
  ExpectPacingRules(paced.gaps(), false);  // after the fallback nothing was paced by reply

  // A new connection tries reply pacing again.
  paced.view.commands = -1;
  paced.upload();
  EXPECT_EQ(paced.view.commands, 0);
  EXPECT_EQ(paced.log.count("reply pacing:"), 2);
}

// In the start-up read the reply pacing itself meets the receiver's limit: the second row
// follows its predecessor's answer after 10 ms and is dropped. Its time-out reads the row
// again with the full pauses instead of ending the connection, once.
TEST(ReplyPacing, StartupReadFallsBackOnceInsteadOfGivingUp) {
  BothPacings both(WorkingMode::RealTime, &Session::open, {"min-gap=11"});
  auto& [mandated, paced] = both;
  ASSERT_EQ(paced.view.connect, 1);
  EXPECT_TRUE(paced.view.messages.empty());
  EXPECT_EQ(paced.log.count("reply pacing:"), 1);
  EXPECT_EQ(TooSoon(paced), 1);
  EXPECT_EQ(TooSoon(mandated), 0);
  EXPECT_TRUE(paced.link.images().All() == mandated.link.images().All());
}

// A row that is never answered still ends the start-up read with the usual message: the
// fallback reads it once more with the full pause, then the time-out gives up as always.
TEST(ReplyPacing, UnansweredRowIsReadOnceMoreThenTheStartupReadGivesUpAsUsual) {
  VirtualScheduler scheduler;
  test::FakePort port(scheduler);
  test::ScriptedReceiver receiver(port);
  // A row well into the read that every receiver is asked for.
  int silentRow = 20;
  constexpr std::uint32_t kConditional = model::kNeedsZone2 | model::kNeedsZone3 | model::kNeedsXm | model::kErrorTolerated;
  auto flags = [](int row) { return model::kCommandTable[static_cast<std::size_t>(row)].flags; };
  while (!(flags(silentRow) & model::kReadAtStart) || (flags(silentRow) & kConditional)) ++silentRow;
  const std::string silentRequest = CompleteExtended(model::kCommandTable[static_cast<std::size_t>(silentRow)].request);
  receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == silentRequest) return std::string();
    return std::nullopt;
  };
  EndView view;
  Link link(port, scheduler, WorkingMode::RealTime);
  link.setObserver(&view);
  link.setReadPacing(ReadPacing::Reply);
  link.Open(PortChoice::Fixed("ttyS0"));
  ASSERT_TRUE(scheduler.runUntil([&] { return view.connect >= 0; }, 600000));
  EXPECT_EQ(view.connect, 0);
  EXPECT_EQ(view.messages, std::vector<LinkMessage>{LinkMessage::InitFailed});
  EXPECT_EQ(port.countWritten(silentRequest), 2);
}

}  // namespace
}  // namespace tw::comm
