// A Real Time edit the receiver did not take: the page stored the new value before it was
// sent, so once the edit has failed the image must hold again what the receiver holds. And
// an input selection whose program report was lost is written again.

#include <gtest/gtest.h>

#include "comm/link_harness.h"
#include "comm/reply_decoder.h"
#include "emu/virtual_receiver.h"
#include "model/parameter_access.h"

namespace tw::comm::test {
namespace {

constexpr int kTrimNumber = 383;  // Volume Trim of the first source
std::string TrimWrite(std::string_view value) { return Ext("2008012000" + std::string(value)); }
std::string TrimGuard(std::string_view value) { return Ext("2008012100" + std::string(value)); }

std::int32_t Trim(const model::ParameterImage& image) {
  return std::get<std::int32_t>(*model::GetParameter(image, kTrimNumber));
}

class FailedEdit : public ::testing::Test {
 protected:
  FailedEdit() : f(WorkingMode::RealTime) {
    EXPECT_TRUE(f.connectRealTime());
    f.scheduler.advance(2000);
    held = Trim(image());
  }
  model::ParameterImage& image() { return *f.link.images().Image(0); }

  // What a page does: the value goes into the image, then its command is sent.
  void edit(std::string_view value) {
    const std::string write = TrimWrite(value);
    ASSERT_TRUE(DecodeAndApplyReply(image(), write, LinkMode::RealTime));
    f.link.SendPacket(write, kTrimNumber);
    f.link.SendPacket("", kNoParameter);
  }
  bool listEnded(std::size_t lists = 1) {
    return f.runUntil([&] { return f.view.commandResults.size() >= lists; }, 60000);
  }
  bool refreshedTrim() const {
    for (const auto& numbers : f.view.activeRefreshes) {
      if (std::find(numbers.begin(), numbers.end(), kTrimNumber) != numbers.end()) return true;
    }
    return false;
  }

  LinkFixture f;
  std::int32_t held = 0;
};

// Each way an edit can fail ends with the receiver's value on the page and a word shown.
TEST_F(FailedEdit, TheImageGetsBackTheValueTheReceiverHolds) {
  struct Case {
    const char* name;
    bool guard;        // the write is refused; else it goes unanswered
    StatusWord word;  // in the status bar
  };
  for (const Case c : {Case{"unanswered", false, StatusWord::Error}, Case{"refused, re-read unanswered", true, StatusWord::Guard}}) {
    SCOPED_TRACE(c.name);
    f.view.commandResults.clear();
    f.view.activeRefreshes.clear();
    f.view.statusWords.clear();
    const std::string kept = TrimGuard("00");
    f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
      if (frame == TrimWrite("14")) return c.guard ? kept : std::string();
      if (f.receiver.rowOf(frame)) return std::string();  // the re-read is lost
      return std::nullopt;
    };
    edit("14");
    ASSERT_NE(Trim(image()), held);
    ASSERT_TRUE(listEnded());
    EXPECT_EQ(Trim(image()), held);
    EXPECT_TRUE(refreshedTrim()) << "the page shows it";
    EXPECT_NE(std::find(f.view.statusWords.begin(), f.view.statusWords.end(), c.word), f.view.statusWords.end());
    EXPECT_TRUE(f.link.isPortOpen());
  }
}

// An edit the receiver acknowledged stays, though a later edit of the same item fails.
TEST_F(FailedEdit, AnAcknowledgedValueIsWhatAFailedLaterEditGoesBackTo) {
  f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
    if (frame == TrimWrite("16")) return std::string();
    return std::nullopt;
  };
  edit("14");
  ASSERT_TRUE(listEnded());
  const std::int32_t taken = Trim(image());
  ASSERT_NE(taken, held);
  edit("16");
  ASSERT_TRUE(listEnded(2));
  EXPECT_EQ(f.view.commandResults, (std::vector<int>{0, 1}));
  EXPECT_EQ(Trim(image()), taken);
}

// The connection check that fails while an edit is on the line ends the edit too: its
// dialog closes, the value goes back and the connection error is shown.
TEST_F(FailedEdit, AConnectionCheckFailingDuringAnEditEndsTheEdit) {
  f.receiver.silent = true;  // switched off
  const int keepAlives = f.port.countWritten(Std("FFFFF"));
  ASSERT_TRUE(f.runUntil([&] { return f.port.countWritten(Std("FFFFF")) > keepAlives; }, kKeepAliveIntervalMs));
  f.scheduler.advance(kKeepAliveReplyMs - 1000);  // its answer is awaited one more second
  edit("14");
  ASSERT_TRUE(listEnded());
  EXPECT_EQ(f.view.commandResults, std::vector<int>{1});
  EXPECT_FALSE(f.link.isSendingCommands());
  EXPECT_EQ(f.view.messages, std::vector<LinkMessage>{LinkMessage::ConnectionCheck});
  EXPECT_FALSE(f.link.isPortOpen());
  EXPECT_EQ(Trim(image()), held);
}

// The receiver answers an input selection with the program it switched to and the input;
// a program report that is lost gets the selection written again.
TEST(InputSelection, ALostProgramReportGetsTheSelectionWrittenAgain) {
  struct Case {
    int reportsLost;
    int writes;
    bool error;
  };
  for (const Case c : {Case{0, 1, false}, Case{2, 3, false}, Case{99, 4, true}}) {
    SCOPED_TRACE("program reports lost: " + std::to_string(c.reportsLost));
    LinkFixture f(WorkingMode::RealTime);
    ASSERT_TRUE(f.connectRealTime());
    f.scheduler.advance(2000);
    emu::VirtualReceiver receiver{emu::EmulatorConfig{}};
    int lost = 0;
    f.receiver.override = [&](const std::string& frame) -> std::optional<std::string> {
      if (frame.empty() || frame.front() != STX) return std::nullopt;
      std::string answer;
      for (const std::string& report : receiver.handleFrame(frame)) {
        if (report.substr(3, 2) == "28" && lost < c.reportsLost) {
          ++lost;
          continue;
        }
        answer += report;
      }
      return answer;
    };
    const std::string selection = Std("07A18");
    const model::ParameterImage before = *f.link.images().Image(0);
    model::ParameterImage selected = before;
    for (const std::string& report : emu::VirtualReceiver(emu::EmulatorConfig{}).handleFrame(selection)) {
      DecodeAndApplyReply(selected, report, LinkMode::RealTime);
    }
    ASSERT_NE(selected.basic[3], before.basic[3]) << "the input recalls another program";
    f.link.SendPacket(selection, 1);
    f.scheduler.advance(10 * kReplyTimeoutMs);
    EXPECT_EQ(f.port.countWritten(selection), c.writes);
    EXPECT_EQ(f.link.images().Image(0)->basic[3], c.error ? before.basic[3] : selected.basic[3]);
    const bool errorShown =
        std::find(f.view.statusWords.begin(), f.view.statusWords.end(), StatusWord::Error) != f.view.statusWords.end();
    EXPECT_EQ(errorShown, c.error);
  }
}

}  // namespace
}  // namespace tw::comm::test
