// Tone Control: every item's command at both ends of its range, the turnovers inside the
// gain commands, the seven reset buttons, orders, value texts and the range check on reading.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <tuple>

#include "pages/eq/tone_control_page.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Reset = pages::ToneControlPage::Reset;
using Fixture = SpeakerFixture<pages::ToneControlPage>;

std::int32_t Get(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

// The turnovers are filed after the gains that carry them.
const std::vector<int> kOrder = {289, 291, 293, 295, 297, 290, 292, 294, 296, 298, 299, 300, 301, 302, 303, 304, 305, 306};

TEST(ToneControlCommands, EveryItemAtBothEndsOfItsRange) {
  struct Case {
    int number;
    int value;
    std::string frame;
  };
  const std::vector<Case> cases = {
      {289, 0, Stx("2A800")},         {289, 1, Stx("2A801")},
      {298, -10, Stx("24B00")},       {298, 10, Stx("24B14")},        {299, -10, Stx("24C00")},
      {299, 10, Stx("24C14")},        {300, -10, Stx("24D00")},       {300, 10, Stx("24D14")},
      {301, -10, Stx("24E00")},       {301, 10, Stx("24E14")},        {302, -200, Stx("25100")},
      {302, 0, Stx("25114")},         {303, -200, Stx("25200")},      {303, 0, Stx("25214")},
      {304, 0, Stx("25300")},         {304, 240, Stx("253F0")},       {305, 0, Stx("26400")},
      {305, 2, Stx("26402")},         {306, 0, Stx("26500")},         {306, 2, Stx("26502")},
  };
  Fixture f;
  for (const Case& c : cases) {
    model::ParameterImage image;
    ASSERT_TRUE(model::SetParameter(image, c.number, c.value));
    f.link.sent.clear();
    f.page.QueueItem(image, c.number, -1);
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{c.frame, c.number}})) << c.number << " " << c.value;
  }
}

TEST(ToneControlCommands, GainsCarryTheirTurnoverInUpperCase) {
  const std::vector<std::pair<int, std::string>> gains = {
      {291, "2009033100"}, {293, "2009033101"}, {295, "2009033110"}, {297, "2009033111"}};
  Fixture f;
  for (const auto& [number, address] : gains) {
    for (auto [turnover, gain, data] : std::vector<std::tuple<int, int, std::string>>{
             {0, -60, "00"}, {2, 60, "18"}, {1, 0, "0C"}, {1, -5, "0B"}}) {
      model::ParameterImage image;
      ASSERT_TRUE(model::SetParameter(image, number - 1, turnover));
      ASSERT_TRUE(model::SetParameter(image, number, gain));
      f.link.sent.clear();
      f.page.QueueItem(image, number, -1);
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Upper(address + std::to_string(turnover) + data), number}}))
          << number << " turnover " << turnover << " gain " << gain;
    }
    // The turnover is filed, but never sent on its own.
    f.link.sent.clear();
    f.page.QueueItem(f.image(), number - 1, -1);
    EXPECT_TRUE(f.link.sent.empty());
  }
}

TEST(ToneControlControls, EditsSendOnReleaseOrSelectionWithTheirLabels) {
  Fixture f;
  struct Drag {
    int number;
    int value;
    std::string label;
    std::string frame;
  };
  for (const Drag& d : std::vector<Drag>{{298, -3, " -3dB", Stx("24B07")},
                                         {302, -200, " -20.0dB", Stx("25100")},
                                         {304, 240, " 240", Stx("253F0")},
                                         {293, 25, " 2.5dB", Dc4Upper("2009033101111")}}) {
    f.link.sent.clear();
    f.page.slider(d.number).drag(d.value);
    EXPECT_TRUE(f.link.sent.empty());
    EXPECT_EQ(f.page.label(d.number).text(), d.label);
    f.page.slider(d.number).release();
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{d.frame, d.number}, {"", 564}})) << d.number;
    EXPECT_EQ(Get(f.image(), d.number), d.value);
  }
  f.link.sent.clear();
  ASSERT_TRUE(f.page.list(289).select(1));
  ASSERT_TRUE(f.page.group(306).click(1));
  EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Stx("2A801"), Stx("26501")}));
  EXPECT_EQ(Get(f.image(), 289), 1);
  EXPECT_EQ(Get(f.image(), 306), 1);
}

// What each reset button stores and, in Real Time Mode only, sends.
struct ResetCase {
  Reset button;
  std::string caption;
  std::vector<std::pair<int, int>> values;
  std::vector<std::string> frames;
};

const std::vector<ResetCase> kResetCases = {
    {Reset::Speaker, "Flat", {{290, 1}, {292, 1}, {291, 0}, {293, 0}},
     {Dc4Upper("200903310010C"), Dc4Upper("200903310110C")}},
    {Reset::Headphone, "Flat", {{294, 1}, {296, 1}, {295, 0}, {297, 0}},
     {Dc4Upper("200903311010C"), Dc4Upper("200903311110C")}},
    {Reset::Zone2, "Flat", {{298, 0}, {299, 0}}, {Stx("24B0A"), Stx("24C0A")}},
    {Reset::Zone3, "Flat", {{300, 0}, {301, 0}}, {Stx("24D0A"), Stx("24E0A")}},
    {Reset::Lfe, "Flat", {{302, 0}, {303, 0}}, {Stx("25114"), Stx("25214")}},
    {Reset::AudioDelay, "Default", {{304, 0}}, {Stx("25300")}},
    {Reset::DynamicRange, "Default", {{305, 0}, {306, 0}}, {Stx("26400"), Stx("26500")}},
};

// Every value away from what any reset writes.
void Unsettle(model::ParameterImage& image) {
  for (int number : {290, 292, 294, 296}) model::SetParameter(image, number, 2);
  for (int number : {291, 293, 295, 297}) model::SetParameter(image, number, -45);
  for (int number : {298, 299, 300, 301}) model::SetParameter(image, number, 7);
  for (int number : {302, 303}) model::SetParameter(image, number, -120);
  model::SetParameter(image, 304, 99);
  model::SetParameter(image, 305, 2);
  model::SetParameter(image, 306, 1);
}

TEST(ToneControlResets, EachButtonResetsItsGroupAndSendsExactlyItsCommandsInRealTime) {
  for (const ResetCase& c : kResetCases) {
    Fixture f;
    Unsettle(f.image());
    f.page.RefreshAll();
    model::ParameterImage expected = f.image();
    for (auto [number, value] : c.values) model::SetParameter(expected, number, value);
    ui::Button& button = f.page.resetButton(c.button);
    EXPECT_EQ(button.text(), c.caption);
    ASSERT_TRUE(button.click());
    EXPECT_EQ(f.image(), expected) << c.frames.front();
    EXPECT_EQ(f.link.commands(), c.frames);
    EXPECT_EQ(f.link.batchStarts(), 1);
    EXPECT_EQ(f.ui.waitCursorDepth(), 0);
  }
}

TEST(ToneControlResets, TheControlsShowTheResetValues) {
  Fixture f;
  Unsettle(f.image());
  f.page.RefreshAll();
  EXPECT_EQ(f.page.group(305).selected(), 2);
  for (const ResetCase& c : kResetCases) f.page.resetButton(c.button).click();
  for (auto [number, label] : std::vector<std::pair<int, std::string>>{
           {291, " 0.0dB"}, {297, " 0.0dB"}, {299, " 0dB"}, {300, " 0dB"}, {303, " 0.0dB"}, {304, " 0"}}) {
    EXPECT_EQ(f.page.label(number).text(), label) << number;
  }
  EXPECT_EQ(f.page.group(305).selected(), 0);
  EXPECT_EQ(f.page.group(306).selected(), 0);
}

TEST(ToneControlResets, AsyncModeResetsTheSameValuesAndSendsNothing) {
  for (const ResetCase& c : kResetCases) {
    Fixture f(WorkingMode::Async);
    Unsettle(f.image());
    ASSERT_TRUE(f.page.resetButton(c.button).click());
    for (auto [number, value] : c.values) EXPECT_EQ(Get(f.image(), number), value) << number;
    EXPECT_TRUE(f.link.sent.empty());
  }
}

TEST(ToneControlItems, FileAndSendOrderWithTheirKeys) {
  Fixture f;
  std::vector<int> file;
  std::vector<int> send;
  for (const auto& item : f.page.ListItems(true, pages::kAllGroups)) file.push_back(item.number);
  for (const auto& item : f.page.ListItems(false, pages::kAllGroups)) send.push_back(item.number);
  EXPECT_EQ(file, kOrder);
  EXPECT_EQ(send, kOrder);
  const std::vector<std::string> keys = {
      "Tone Bypass",     "Speaker Bass Gain", "Speaker Treble Gain", "Headphone Bass Gain", "Headphone Treble Gain",
      "Speaker Bass Turnover", "Speaker Treble Turnover", "Headphone Bass Turnover", "Headphone Treble Turnover",
      "Zone2 Bass Gain", "Zone2 Treble Gain", "Zone3 Bass Gain",     "Zone3 Treble Gain",   "LFE Level SP",
      "LFE Level HP",    "Audio Delay",       "Dynamic Range Speaker", "Dynamic Range Headphone"};
  for (std::size_t i = 0; i < kOrder.size(); ++i) {
    const pages::ItemText text = f.page.settings().DescribeItem(f.image(), kOrder[i], -1, false);
    EXPECT_EQ(text.section, "Tone Control");
    EXPECT_EQ(text.key, keys[i]);
  }
}

TEST(ToneControlFile, EachItemWritesItsValueText) {
  Fixture f;
  const std::vector<std::pair<int, int>> values = {{289, 1},   {291, -60}, {293, 60}, {295, -5},  {297, 5},
                                                   {290, 0},   {292, 2},   {294, 1},  {296, 0},
                                                   {298, -3},  {299, 10},  {300, -10}, {301, 0},  {302, -200},
                                                   {303, -10}, {304, 240}, {305, 2},  {306, 1}};
  for (auto [number, value] : values) model::SetParameter(f.image(), number, value);
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(profile.Text(),
            "[Tone Control]\r\nTone Bypass=OFF\r\nSpeaker Bass Gain=-6.0dB\r\nSpeaker Treble Gain=6.0dB\r\n"
            "Headphone Bass Gain=-0.5dB\r\nHeadphone Treble Gain=0.5dB\r\nSpeaker Bass Turnover=125Hz\r\n"
            "Speaker Treble Turnover=8.0kHz\r\nHeadphone Bass Turnover=350Hz\r\nHeadphone Treble Turnover=2.5kHz\r\n"
            "Zone2 Bass Gain=-3dB\r\n"
            "Zone2 Treble Gain=10dB\r\nZone3 Bass Gain=-10dB\r\nZone3 Treble Gain=0dB\r\nLFE Level SP=-20.0dB\r\n"
            "LFE Level HP=-1.0dB\r\nAudio Delay=240\r\nDynamic Range Speaker=Min\r\nDynamic Range Headphone=Std\r\n");
}

// Our choice where the page was left open: values outside what the controls show are
// refused like on every other page, so a hand-edited file never sends them.
TEST(ToneControlFile, ParseRefusesValuesOutsideTheRangeOrOffTheStep) {
  struct Case {
    int number;
    std::vector<std::string> good;
    std::vector<std::string> bad;
  };
  const std::vector<Case> cases = {
      {289, {"AUTO", "OFF"}, {"ON", "", "AUTO "}},
      {291, {"-6.0dB", "6.0dB", "-0.5dB"}, {"6.5dB", "-6.5dB", "0.3dB", "6dB", "abc", ""}},
      {298, {"-10dB", "10dB", "-3dB", "0dB"}, {"11dB", "-11dB", "-3.0dB", "-3", "3 dB"}},
      {302, {"-20.0dB", "0.0dB", "-1.0dB"}, {"0.5dB", "1.0dB", "-21.0dB", "-0.5dB", "-20dB"}},
      {304, {"0", "240", "17"}, {"241", "-1", "17ms", "1.0", ""}},
      {306, {"Max", "Std", "Min"}, {"max", "Off", ""}},
  };
  Fixture f;
  for (const Case& c : cases) {
    for (const std::string& text : c.good) EXPECT_TRUE(f.page.settings().ParseItem(f.image(), c.number, -1, text)) << c.number << " " << text;
    const std::int32_t kept = Get(f.image(), c.number);
    for (const std::string& text : c.bad) {
      EXPECT_FALSE(f.page.settings().ParseItem(f.image(), c.number, -1, text)) << c.number << " " << text;
      EXPECT_EQ(Get(f.image(), c.number), kept);
    }
  }
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), 298, -1, "11dB"), "allowed: \"-10dB\", \"-9dB\" ..., \"10dB\"");
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), 305, -1, "max"), "allowed: \"Max\", \"Std\", \"Min\"");
  EXPECT_EQ(f.page.settings().RefusalReason(f.image(), 290, -1, "1"), "allowed: \"125Hz\", \"350Hz\", \"500Hz\"");
}

}  // namespace
}  // namespace tw::test
