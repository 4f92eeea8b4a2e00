// Graphic EQ and Tone Control on the real link against the in-process virtual receiver:
// Real Time edits of every channel are acknowledged and read back into their own record,
// and an Async download carries both pages in their orders.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>

#include "model/command_table.h"
#include "pages/eq/graphic_eq_page.h"
#include "pages/eq/tone_control_page.h"
#include "pages/sheet_receiver.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

constexpr std::string_view kChannelDigits = "023456789A";       // as the receiver reports them
constexpr std::string_view kWriteChannelDigits = "023456789a";  // as the tool writes them
constexpr std::string_view kBandCodes = "02468AC";

// The receiver's read row of a channel's band (the Subwoofer has rows for two bands only).
int EqRow(int record, int band) {
  const std::string prefix = std::string("\x14" "20080300") + kChannelDigits[static_cast<std::size_t>(record)] +
                             kBandCodes[static_cast<std::size_t>(band)];
  for (int row = 0; row < model::kRowCount; ++row) {
    const char* reply = model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix;
    if (reply != nullptr && prefix == reply) return row;
  }
  return -1;
}

// The receiver's two value digits for a gain in tenths of a dB.
std::string Wire(int gain) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  const int code = (gain + 75) / 5;
  return {kDigits[code >> 4], kDigits[code & 0xF]};
}

// A value the receiver took without a read row for it; empty when it has none.
std::string Unread(Receiver& r, const std::string& address) {
  const auto& held = r.port.receiver().current().unreadWrites;
  const auto found = held.find(address);
  return found == held.end() ? std::string() : found->second;
}

bool Refreshed(const Receiver& r, int number) {
  return std::find(r.view.refreshed.begin(), r.view.refreshed.end(), number) != r.view.refreshed.end();
}

TEST(EqOnReceiver, EveryChannelsEditIsAcknowledgedAndReadBackIntoItsOwnRecord) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::GraphicEqPage>();
  for (int record = 0; record < 10; ++record) {
    SCOPED_TRACE("record " + std::to_string(record));
    const int gain = -45 + 10 * record;
    ASSERT_TRUE(page.channelList().select(record));
    page.slider(399).drag(gain);
    page.slider(399).release();
    r.view.commands = -1;
    r.settle();
    EXPECT_EQ(r.view.commands, 0) << "acknowledged";
    EXPECT_EQ(r.port.receiver().rowValue(EqRow(record, 1)), Wire(gain));
    EXPECT_EQ(page.label(399).text(), " " + pages::TenthsDbText(gain));
  }
  EXPECT_TRUE(r.view.messages.empty());

  // A fresh start-up read finds every value in its own record.
  const auto edited = r.image().graphicEq;
  for (int record = 0; record < 10; ++record) {
    EXPECT_EQ(edited[static_cast<std::size_t>(record)].bands[1], -45 + 10 * record) << record;
  }
  r.link.Close();
  r.link.ResetImage(0);
  ASSERT_TRUE(r.connect());
  EXPECT_EQ(r.image().graphicEq, edited);
}

// A receiver that refuses a band (a guard reply) is asked for the band again, and its answer
// goes into the record that was edited: the tool never shows a gain the receiver did not take.
TEST(EqOnReceiver, ARefusedBandIsReadBackIntoTheRecordThatWasEdited) {
  emu::EmulatorConfig config;
  for (int record = 0; record < 10; ++record) config.guardRows.insert(EqRow(record, 1));
  Receiver r(WorkingMode::RealTime, config);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::GraphicEqPage>();
  for (auto& channel : r.image().graphicEq) channel.bands[1] = 25;  // what no receiver holds here
  for (int record = 0; record < 10; ++record) {
    SCOPED_TRACE("record " + std::to_string(record));
    ASSERT_TRUE(page.channelList().select(record));
    page.slider(399).drag(-60);
    page.slider(399).release();
    r.view.refreshed.clear();
    r.view.commands = -1;
    r.settle();
    EXPECT_EQ(r.view.commands, 0);
    EXPECT_TRUE(Refreshed(r, 399));
    EXPECT_EQ(r.image().graphicEq[static_cast<std::size_t>(record)].bands[1], 0) << "the receiver's own value";
    EXPECT_EQ(page.label(399).text(), " 0.0dB");
    for (int other = record + 1; other < 10; ++other) {
      EXPECT_EQ(r.image().graphicEq[static_cast<std::size_t>(other)].bands[1], 25) << "record " << other;
    }
  }
}

// The Subwoofer's channel digit goes out as "a"; the receiver echoes it as "A", which still
// acknowledges the write, and keeps every band (the upper five without a read row).
TEST(EqOnReceiver, TheSubwoofersSevenBandsAtBothEndsAreSentWithALowerCaseDigitAndTaken) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::GraphicEqPage>();
  ASSERT_TRUE(page.channelList().select(9));
  for (int band = 0; band < 7; ++band) {
    for (int gain : {-60, 60}) {
      SCOPED_TRACE("band " + std::to_string(band + 1) + " gain " + std::to_string(gain));
      page.slider(398 + band).drag(gain);
      page.slider(398 + band).release();
      r.view.commands = -1;
      r.settle();
      EXPECT_EQ(r.view.commands, 0) << "acknowledged";
      const char code = kBandCodes[static_cast<std::size_t>(band)];
      EXPECT_EQ(r.port.transcript().receivedFrames().back().substr(1, 10), std::string("20080301a") + code);
      const int row = EqRow(9, band);
      EXPECT_EQ(row >= 0 ? r.port.receiver().rowValue(row) : Unread(r, std::string("20080300A") + code), Wire(gain));
    }
  }
  EXPECT_TRUE(r.view.messages.empty());
}

TEST(EqOnReceiver, RealTimeToneEditsAreAcknowledgedAndReportedBack) {
  Receiver r(WorkingMode::RealTime);
  ASSERT_TRUE(r.connect());
  auto& page = r.show<pages::ToneControlPage>();
  page.slider(291).drag(-25);  // speaker bass, with the receiver's turnover (350Hz at the factory)
  page.slider(291).release();
  r.settle();
  EXPECT_EQ(r.view.commands, 0);
  EXPECT_EQ(r.port.receiver().rowValue(347), "107");
  EXPECT_EQ(Value(r.image(), 291), -25);

  page.slider(298).drag(-3);
  page.slider(298).release();
  page.slider(302).drag(-200);
  page.slider(302).release();
  ASSERT_TRUE(page.group(305).click(2));
  ASSERT_TRUE(page.list(289).select(1));
  r.settle();
  EXPECT_EQ(r.report("4B"), "07");
  EXPECT_EQ(r.report("51"), "00");
  EXPECT_EQ(r.report("64"), "02");
  EXPECT_EQ(r.report("A8"), "01");
  for (int number : {298, 302, 305, 289}) EXPECT_TRUE(Refreshed(r, number)) << number;
  EXPECT_EQ(Value(r.image(), 302), -200);

  ASSERT_TRUE(page.resetButton(pages::ToneControlPage::Reset::Speaker).click());
  r.settle();
  EXPECT_EQ(r.port.receiver().rowValue(347), "10C");
  EXPECT_EQ(r.port.receiver().rowValue(348), "10C");
  EXPECT_TRUE(r.view.messages.empty());
}

TEST(EqOnReceiver, AsyncDownloadCarriesToneControlThenGraphicEqInTheirOrders) {
  Receiver r(WorkingMode::Async);
  model::ParameterImage& image = r.image();
  // Values no memory image holds, so that the pages' own frames are told apart.
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      image.graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)] =
          -55 + 10 * ((record + band) % 12);
    }
  }
  const std::vector<std::pair<int, int>> tone = {{289, 1},  {290, 2},  {291, -55}, {292, 0},   {293, 55},
                                                 {294, 2},  {295, -5}, {296, 0},   {297, 5},   {298, -3},
                                                 {299, 4},  {300, -9}, {301, 9},   {302, -150}, {303, -70},
                                                 {304, 77}, {305, 2},  {306, 1}};
  for (auto [number, value] : tone) ASSERT_TRUE(model::SetParameter(image, number, value));

  r.link.Download(comm::PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
  ASSERT_TRUE(
      r.scheduler.runUntil([&] { return r.view.commands >= 0 || r.view.connect == 0; }, 60 * 60 * 1000));
  ASSERT_EQ(r.view.commands, 0);

  const std::vector<std::string> toneFrames = {
      Stx("2A801"), Dc4Upper("2009033100201"), Dc4Upper("2009033101017"), Dc4Upper("200903311020B"),
      Dc4Upper("200903311100D"), Stx("24B07"), Stx("24C0E"), Stx("24D01"), Stx("24E13"), Stx("25105"),
      Stx("2520D"), Stx("2534D"), Stx("26402"), Stx("26501")};
  std::vector<std::string> expected = toneFrames;
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      std::string data = Wire(image.graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)]);
      std::transform(data.begin(), data.end(), data.begin(), [](char c) { return static_cast<char>(std::tolower(c)); });
      expected.push_back(Dc4Lower(std::string("20080301") + kWriteChannelDigits[static_cast<std::size_t>(record)] +
                                  kBandCodes[static_cast<std::size_t>(band)] + data));
    }
  }
  std::vector<std::string> pageFrames;
  for (const std::string& frame : r.port.transcript().receivedFrames()) {
    if (std::find(expected.begin(), expected.end(), frame) != expected.end()) pageFrames.push_back(frame);
  }
  EXPECT_EQ(pageFrames, expected);

  // The receiver holds them: every band with a read row, the Subwoofer's others apart.
  for (int record = 0; record < 10; ++record) {
    for (int band = 0; band < 7; ++band) {
      const std::string want = Wire(image.graphicEq[static_cast<std::size_t>(record)].bands[static_cast<std::size_t>(band)]);
      const int row = EqRow(record, band);
      if (row >= 0) {
        EXPECT_EQ(r.port.receiver().rowValue(row), want) << record << " " << band;
      } else {
        EXPECT_EQ(Unread(r, std::string("20080300A") + kBandCodes[static_cast<std::size_t>(band)]), want) << band;
      }
    }
  }
  EXPECT_EQ(r.port.receiver().rowValue(347), "201");
  EXPECT_EQ(r.report("53"), "4D");
  EXPECT_TRUE(r.view.messages.empty());
}

}  // namespace
}  // namespace tw::test
