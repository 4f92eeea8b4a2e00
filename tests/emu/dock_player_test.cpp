// The docked player of the virtual receiver: what each dock operation does to it, and which
// reports follow while the iPod output settings are On.

#include <gtest/gtest.h>

#include "comm/protocol.h"
#include "emu/virtual_receiver.h"
#include "receiver_test_support.h"

namespace tw::emu {
namespace {

using test::Ext;
using test::Std;

constexpr int kPlayInfoRow = 504;
constexpr int kListInfoRow = 505;

std::string Dock(std::string_view code) { return Std("0F7F011" + std::string(code)); }

// The tool sets an iPod output setting On (its write is the row's reply with status "1").
void TurnOn(VirtualReceiver& receiver, int row) {
  std::string body = std::string(model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix).substr(1);
  body[7] = '1';
  ASSERT_EQ(receiver.handleFrame(Ext(body + "1")).size(), 1u);
  ASSERT_EQ(receiver.rowValue(row), "1");
}

// The title field and the list's cursor digit of the receiver's two reports.
struct Shown {
  std::string title;
  char cursor;
};

Shown Operate(VirtualReceiver& receiver, std::string_view code) {
  const std::vector<std::string> frames = receiver.handleFrame(Dock(code));
  EXPECT_EQ(frames.size(), 2u) << code;
  if (frames.size() != 2) return {};
  const std::string play = frames[0].substr(10, 120);
  const std::string list = frames[1].substr(10, 81);
  EXPECT_EQ(frames[0].substr(0, 10), "\x14" "207D00402");
  EXPECT_EQ(frames[1].substr(0, 10), "\x14" "205600502");
  EXPECT_EQ(frames[0], Ext("207D00402" + play));
  EXPECT_EQ(frames[1], Ext("205600502" + list));
  std::string title = play.substr(0, 40);
  title.erase(title.find_last_not_of(' ') + 1);  // all blanks: nothing plays
  return {title, list[0]};
}

TEST(DockPlayer, EachOperationMovesThePlayerAndBothReportsFollow) {
  VirtualReceiver receiver{EmulatorConfig{}};
  TurnOn(receiver, kPlayInfoRow);
  TurnOn(receiver, kListInfoRow);
  struct Step {
    std::string code;
    std::string title;  // empty: nothing plays
    char cursor;
  };
  const std::vector<Step> steps = {
      {"EE1", "Morning Light", '0'},   // Play
      {"CE3", "Paper Boats", '1'},     // +
      {"8E7", "Paper Boats", '1'},     // FF stays in the track
      {"AE5", "Paper Boats", '1'},     // Pause keeps the title
      {"DE2", "", '1'},                // Stop
      {"BE4", "", '0'},                // - while stopped
      {"BE4", "", '1'},                // - wraps to the last track, on the list's second page
      {"EE1", "Last Tram Home", '1'},  // Play
      {"7E8", "Last Tram Home", '1'},  // Rew
  };
  for (const Step& step : steps) {
    const Shown shown = Operate(receiver, step.code);
    EXPECT_EQ(shown.title, step.title) << step.code;
    EXPECT_EQ(shown.cursor, step.cursor) << step.code;
  }
}

TEST(DockPlayer, NothingIsReportedWhileTheOutputsAreOffOrForAnUnknownOperation) {
  VirtualReceiver receiver{EmulatorConfig{}};
  EXPECT_TRUE(receiver.handleFrame(Dock("EE1")).empty());
  EXPECT_EQ(receiver.rowValue(kPlayInfoRow), "0");
  TurnOn(receiver, kPlayInfoRow);
  EXPECT_EQ(receiver.handleFrame(Dock("EE1")).size(), 1u) << "the play information only";
  EXPECT_TRUE(receiver.handleFrame(Dock("123")).empty());
}

}  // namespace
}  // namespace tw::emu
