// Display Set, Advanced Setup and Other: every button's command and stored value, the
// hidden buttons, the sliders, the orders of files and downloads, file texts and "Default".

#include <gtest/gtest.h>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/speaker_fixture.h"
#include "pages/system/advanced_setup_page.h"
#include "pages/system/display_set_page.h"
#include "pages/system/other_page.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

// One radio group: per button its text, the value it stores and the command body it sends.
struct Button {
  std::string text;
  std::int32_t value;
  std::string body;  // empty: a hidden button
};
struct GroupCase {
  int number;
  std::string key;
  std::vector<Button> buttons;
};

std::int32_t ValueOf(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

// Clicks every shown button (answering OK to any question), and checks what is sent and
// stored, the file text of every button's value (hidden ones included) and that each text
// reads back to its value.
template <class Page>
void ExpectEveryButton(const std::vector<GroupCase>& cases) {
  SpeakerFixture<Page> f;
  for (const GroupCase& c : cases) {
    SCOPED_TRACE(c.key);
    ui::RadioGroup& group = f.page.group(c.number);
    ASSERT_EQ(group.count(), static_cast<int>(c.buttons.size()));
    for (int i = 0; i < group.count(); ++i) {
      const Button& b = c.buttons[static_cast<std::size_t>(i)];
      SCOPED_TRACE(b.text);
      EXPECT_EQ(group.buttonText(i), b.text);
      EXPECT_EQ(group.isButtonVisible(i), !b.body.empty());
      if (!b.body.empty()) {
        f.link.sent.clear();
        if ((c.number == 536 || c.number == 545) && i == 1) f.ui.answer(ui::MessageResult::Ok);
        ASSERT_TRUE(group.click(i));
        EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx(b.body), c.number}, {"", 564}}));
        EXPECT_EQ(ValueOf(f.image(), c.number), b.value);
      }
      model::ParameterImage image;
      ASSERT_TRUE(model::SetParameter(image, c.number, 1000));
      ASSERT_TRUE(f.page.settings().ParseItem(image, c.number, -1, b.text));
      EXPECT_EQ(ValueOf(image, c.number), b.value);
      const pages::ItemText text = f.page.settings().DescribeItem(image, c.number, -1, false);
      EXPECT_EQ(text.section, f.page.caption());
      EXPECT_EQ(text.key, c.key);
      EXPECT_EQ(text.value, b.text);
    }
  }
  // Only the two resets ask, and each asked once.
  EXPECT_EQ(f.ui.unusedAnswers(), 0u);
  EXPECT_EQ(f.ui.scriptMismatches(), 0);
}

TEST(DisplaySetButtons, EveryButtonSendsAndStoresItsValue) {
  ExpectEveryButton<pages::DisplaySetPage>({
      {517, "Video Conversion", {{"Off", 0, "26900"}, {"On", 1, "26901"}}},
      {518, "Component I/P", {{"Off", 0, "28500"}, {"On", 1, "28501"}}},
      {519, "Gray Back", {{"Off", 0, "26300"}, {"Auto", 1, "26301"}}},
      {521, "HDMI I/P", {{"Off", 0, "28600"}, {"On", 1, "28601"}}},
      {526, "Short Message", {{"Off", 0, "07EB0"}, {"On", 1, "07EB1"}, {"Full", 2, ""}}},
      {527, "On Screen", {{"Always", 3, "29303"}, {"10s", 1, "29301"}, {"30s", 2, "29302"}}},
      {528, "FL Scroll", {{"Continue", 0, "26700"}, {"Once", 1, "26701"}}},
  });
}

TEST(AdvancedSetupButtons, EveryButtonSendsAndStoresItsValue) {
  ExpectEveryButton<pages::AdvancedSetupPage>({
      {535, "Speaker Impedance", {{"8 ohm", 0, "2B300"}, {"6 ohm", 1, "2B301"}}},
      {536, "User Preset", {{"Cancel", 0, "2B700"}, {"Reset", 1, "2B701"}}},
      {537, "Remote Sensor", {{"On", 0, "2B900"}, {"Off", 1, "2B901"}}},
      {538, "Wake on 232C Access", {{"No", 0, "2BD00"}, {"Yes", 1, "2BD01"}}},
      {539, "Remote Control Amplifier ID", {{"ID 1", 0, "2B100"}, {"ID 2", 1, "2B101"}}},
      {540, "Remote Control Tuner ID", {{"ID 1", 0, "2B500"}, {"ID 2", 1, "2B501"}}},
      {541, "Remote Control XM ID", {{"ID 1", 0, "2BA00"}, {"ID 2", 1, "2BA01"}}},
      {542, "Fan Mode", {{"Auto", 0, "2B200"}, {"Cont.", 1, ""}}},
      {543, "Tuner Frequency Step", {{"AM10/FM100", 0, "2B400"}, {"AM9/FM50", 1, "2B401"}}},
      {544, "Bi-Amplifier", {{"On", 0, "2BB00"}, {"Off", 1, "2BB01"}}},
      {545, "Video Reset", {{"Cancel", 0, "2B800"}, {"Yes", 1, "2B801"}}},
  });
}

TEST(OtherButtons, EveryButtonSendsAndStoresItsValue) {
  ExpectEveryButton<pages::OtherPage>({
      {532, "Audio Select Set", {{"Auto", 0, "26000"}, {"Last", 1, "26001"}}},
      {533, "Decoder Mode Set", {{"Auto", 0, "25F00"}, {"Last", 1, "25F01"}}},
      {534, "Support Audio", {{"TQ-N4400", 0, "28F00"}, {"Other", 1, "28F01"}}},
  });
  SpeakerFixture<pages::OtherPage> f;
  EXPECT_EQ(f.page.group(534).text(), "HDMI Support Audio");
}

TEST(SystemPageTexts, ATextOfNoButtonLeavesTheValueAsItWas) {
  SpeakerFixture<pages::DisplaySetPage> display;
  SpeakerFixture<pages::AdvancedSetupPage> advanced;
  SpeakerFixture<pages::OtherPage> other;
  struct Case {
    pages::BasePage* page;
    int number;
    std::string text;
  };
  for (const Case& c : std::vector<Case>{{&display.page, 526, "full"},
                                         {&display.page, 527, "60s"},
                                         {&display.page, 525, "-5"},
                                         {&display.page, 520, "6"},
                                         {&display.page, 520, "+1"},
                                         {&advanced.page, 542, "Cont"},
                                         {&advanced.page, 536, ""},
                                         {&other.page, 534, "tq-n4400"}}) {
    model::ParameterImage image;
    ASSERT_TRUE(model::SetParameter(image, c.number, 1));
    EXPECT_FALSE(c.page->settings().ParseItem(image, c.number, -1, c.text)) << c.number << " " << c.text;
    EXPECT_EQ(ValueOf(image, c.number), 1) << c.number << " " << c.text;
  }
}

// ---------------------------------------------------------------- Display Set sliders

TEST(DisplaySetSliders, EveryValueOfBothSlidersSendsItsDigitsOnRelease) {
  SpeakerFixture<pages::DisplaySetPage> f;
  struct Case {
    ui::StepSlider* slider;
    ui::StaticText* label;
    int number;
    std::vector<std::pair<int, std::string>> bodies;
  };
  const std::vector<Case> cases = {
      {&f.page.stepSlider(525), &f.page.label(525), 525,
       {{-4, "26100"}, {-3, "26101"}, {-2, "26102"}, {-1, "26103"}, {0, "26104"}}},
      {&f.page.stepSlider(520), &f.page.label(520), 520,
       {{-5, "26200"}, {-1, "26204"}, {0, "26205"}, {4, "26209"}, {5, "2620A"}}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.slider->orientation(), ui::Orientation::Horizontal);
    for (const auto& [value, body] : c.bodies) {
      f.link.sent.clear();
      c.slider->drag(value);
      EXPECT_TRUE(f.link.sent.empty());
      EXPECT_EQ(ValueOf(f.image(), c.number), value);
      EXPECT_EQ(c.label->text(), std::to_string(value));
      c.slider->release();
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx(body), c.number}, {"", 564}})) << c.number << " " << value;
      EXPECT_EQ(f.page.settings().DescribeItem(f.image(), c.number, -1, false).value, std::to_string(value));
    }
  }
}

TEST(DisplaySetSliders, AsyncDragStoresAndLabelsButSendsNothing) {
  SpeakerFixture<pages::DisplaySetPage> f(WorkingMode::Async);
  f.page.stepSlider(520).drag(-2);
  f.page.stepSlider(520).release();
  EXPECT_EQ(ValueOf(f.image(), 520), -2);
  EXPECT_EQ(f.page.label(520).text(), "-2");
  EXPECT_TRUE(f.link.sent.empty());
}

// ---------------------------------------------------------------- orders and "Default"

std::vector<int> Numbers(const std::vector<pages::PageItem>& items) {
  std::vector<int> numbers;
  for (const pages::PageItem& item : items) {
    EXPECT_EQ(item.subIndex, -1);
    numbers.push_back(item.number);
  }
  return numbers;
}

TEST(SystemPageOrders, FilesAndDownloadsListTheirItemsInTheirOwnOrders) {
  SpeakerFixture<pages::DisplaySetPage> display;
  EXPECT_EQ(Numbers(display.page.ListItems(true, pages::kAllGroups)),
            (std::vector<int>{517, 518, 519, 520, 521, 525, 526, 527, 528}));
  EXPECT_EQ(Numbers(display.page.ListItems(false, pages::kAllGroups)),
            (std::vector<int>{517, 518, 520, 519, 521, 525, 526, 527, 528}));
  display.link.sent.clear();
  display.page.QueueAll(display.image());
  std::vector<int> sent;
  for (const Sent& s : display.link.sent) sent.push_back(s.number);
  EXPECT_EQ(sent, (std::vector<int>{517, 518, 520, 519, 521, 525, 526, 527, 528}));

  SpeakerFixture<pages::OtherPage> other;
  EXPECT_EQ(Numbers(other.page.ListItems(true, pages::kAllGroups)), (std::vector<int>{532, 533, 534}));
  EXPECT_EQ(Numbers(other.page.ListItems(false, pages::kAllGroups)), (std::vector<int>{532, 533, 534}));
}

TEST(DisplaySetDefault, RealTimeResetsTheBlockAndSendsThePageInSendOrder) {
  SpeakerFixture<pages::DisplaySetPage> f;
  f.image().displaySet.fill(1);
  f.link.sent.clear();
  f.page.defaultButton().click();
  EXPECT_EQ(f.image().displaySet, model::kDisplaySetDefaults);
  EXPECT_EQ(f.page.stepSlider(525).GetValue(), ValueOf(f.image(), 525));
  EXPECT_EQ(f.page.group(527).selected(), 2);  // 30s
  EXPECT_EQ(f.link.commands(),
            (std::vector<std::string>{Stx("26901"), Stx("28500"), Stx("26205"), Stx("26301"), Stx("28601"),
                                      Stx("26104"), Stx("07EB1"), Stx("29302"), Stx("26700")}));
  EXPECT_EQ(f.link.batchStarts(), 1);

  SpeakerFixture<pages::DisplaySetPage> async(WorkingMode::Async);
  async.image().displaySet.fill(1);
  async.page.defaultButton().click();
  EXPECT_EQ(async.image().displaySet, model::kDisplaySetDefaults);
  EXPECT_TRUE(async.link.sent.empty());
}

}  // namespace
}  // namespace tw::test
