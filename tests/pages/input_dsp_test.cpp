// Input DSP: the sound program each input recalls, the shared enhancer, the main form's
// program display, and the download commands that leave the current input and program as
// they were.

#include <gtest/gtest.h>

#include "app/application.h"
#include "pages/input/input_dsp_page.h"
#include "pages/input_fixture.h"
#include "pages/page_host.h"
#include "pages/workbench_fixture.h"
#include "ui/view_harness.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

constexpr int kStraight = 28;
const std::vector<std::string> kInputCodes = {"14", "15", "16", "19", "18", "C1",
                                              "54", "C0", "0F", "13", "55", "B4"};
const std::vector<std::string> kInputKeys = {"PHONO",   "CD",   "TUNER",    "CD-R",       "MD/TAPE", "DVD",
                                             "DTV",     "CBL/SAT", "VCR1", "DVR/VCR2", "V-AUX/DOCK", "XM"};

class RecordingHost final : public pages::PageHost {
 public:
  void RefreshProgramDisplay() override { ++programRefreshes; }
  void RefreshAllPages() override {}
  void ReloadConfiguration() override {}
  ui::DialogHost& dialogs() override { return dialogHost; }

  int programRefreshes = 0;
  ui::test::RecordingDialogHost dialogHost;
};

struct DspFixture {
  explicit DspFixture(WorkingMode mode = WorkingMode::Async) : link(mode), page({link, ui, 0, &host}) {
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }
  std::int32_t setting(int input) { return image().inputDsp[static_cast<std::size_t>(2 * input)]; }
  void setAll(const std::array<std::int32_t, 12>& values) {
    for (int i = 0; i < 12; ++i) image().inputDsp[static_cast<std::size_t>(2 * i)] = values[static_cast<std::size_t>(i)];
    page.RefreshAll();
  }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  RecordingHost host;
  pages::InputDspPage page;
};

TEST(InputDspShow, SelectingAnInputShowsItsSettingInTheButtonsAndLists) {
  DspFixture f;
  struct Case {
    std::int32_t value;
    int selector;
    int program;   // program list selection, -1: not checked
    int enhancer;  // enhancer list selection, -1: not checked
  };
  const std::vector<Case> cases = {{0, 0, 0, -1},  {13, 0, 13, -1}, {23, 0, 23, -1}, {24, 2, -1, 0},
                                   {25, 2, -1, 1}, {27, 2, -1, 3},  {28, 1, -1, -1}};
  for (int input = 0; input < 12; ++input) {
    for (const Case& c : cases) {
      f.image().inputDsp[static_cast<std::size_t>(2 * input)] = c.value;
      f.page.RefreshAll();
      ASSERT_TRUE(f.page.inputs().select(input));
      SCOPED_TRACE(kInputKeys[static_cast<std::size_t>(input)] + " " + std::to_string(c.value));
      EXPECT_EQ(f.page.selector().selected(), c.selector);
      EXPECT_EQ(f.page.programs().isEnabled(), c.selector == 0);
      EXPECT_EQ(f.page.enhancers().isEnabled(), c.selector == 2);
      if (c.program >= 0) {
        EXPECT_EQ(f.page.programs().curSel(), c.program);
      }
      if (c.enhancer >= 0) {
        EXPECT_EQ(f.page.enhancers().curSel(), c.enhancer);
      }
    }
  }
}

TEST(InputDspShow, EachRowShowsItsInputAndTheNameOfItsSetting) {
  DspFixture f;
  EXPECT_EQ(f.page.inputs().rowCount(), 12);
  for (int input = 0; input < 12; ++input) EXPECT_EQ(f.page.inputs().cell(input, 0), kInputKeys[static_cast<std::size_t>(input)]);
  EXPECT_EQ(f.page.inputs().cell(1, 1), "The Roxy Theatre");  // CD's factory setting
  EXPECT_EQ(f.page.inputs().cell(0, 1), "Straight");
  const std::vector<std::string> names = {"Hall in Munich", "Charch in Freiburg", "7ch Stereo", "2ch Enhancer Low",
                                          "7ch Enhancer High", "Straight"};
  const std::vector<std::int32_t> values = {0, 3, 23, 24, 27, 28};
  for (std::size_t i = 0; i < values.size(); ++i) {
    f.image().inputDsp[6] = values[i];
    f.page.RefreshItem(218, true);
    EXPECT_EQ(f.page.inputs().cell(3, 1), names[i]);
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 218, -1, false).value, names[i]);
  }
}

TEST(InputDspEdit, ProgramsAndStraightAreStoredForTheSelectedInputAndNothingIsSent) {
  for (WorkingMode mode : {WorkingMode::Async, WorkingMode::RealTime}) {
    DspFixture f(mode);
    f.page.inputs().select(5);  // DVD: Drama
    ASSERT_TRUE(f.page.programs().select(12));
    EXPECT_EQ(f.setting(5), 12);
    EXPECT_EQ(f.page.inputs().cell(5, 1), "Sci-Fi");
    ASSERT_TRUE(f.page.selector().click(1));
    EXPECT_EQ(f.setting(5), kStraight);
    EXPECT_EQ(f.page.inputs().cell(5, 1), "Straight");
    EXPECT_FALSE(f.page.programs().isEnabled());
    ASSERT_TRUE(f.page.selector().click(0));
    EXPECT_EQ(f.setting(5), 12) << "back to the program the list shows";
    ASSERT_TRUE(f.page.selector().click(2));
    EXPECT_EQ(f.setting(5), 24) << "the first enhancer when none was chosen";
    EXPECT_TRUE(f.link.sent.empty());
  }
}

TEST(InputDspEnhancer, AnEnhancerChoiceIsSharedByEveryInputOfItsFamily) {
  const std::array<std::int32_t, 12> start = {24, 25, 26, 27, 0, 28, 24, 26, 5, 25, 27, 28};
  for (int mode = 0; mode < 4; ++mode) {
    DspFixture f;
    f.setAll(start);
    f.page.inputs().select(0);  // PHONO, on 2ch Enhancer Low
    ASSERT_TRUE(f.page.enhancers().isEnabled());
    f.page.enhancers().select(mode);
    const std::int32_t chosen = 24 + mode;
    for (int input = 0; input < 12; ++input) {
      const std::int32_t before = start[static_cast<std::size_t>(input)];
      const bool sameFamily = before >= 24 && before <= 27 && (before - 24) / 2 == mode / 2;
      const std::int32_t expected = input == 0 || sameFamily ? chosen : before;
      EXPECT_EQ(f.setting(input), expected) << "enhancer " << mode << " input " << input;
      EXPECT_EQ(f.page.inputs().cell(input, 1), f.page.settings().DescribeItem(f.image(), 212 + 2 * input, -1, false).value);
    }
  }
}

TEST(InputDspEnhancer, TheMusicEnhancerButtonAppliesTheListsEnhancerToItsFamilyToo) {
  DspFixture f;
  f.setAll({27, 0, 26, 28, 0, 0, 0, 0, 0, 0, 24, 0});
  f.page.inputs().select(0);  // shows 7ch Enhancer High in the list
  f.page.inputs().select(1);
  ASSERT_TRUE(f.page.selector().click(2));
  EXPECT_EQ(f.setting(1), 27);
  EXPECT_EQ(f.setting(2), 27) << "the other 7ch input follows";
  EXPECT_EQ(f.setting(10), 24) << "the 2ch input keeps its own";
}

TEST(InputDspMainForm, ChangingTheReceiversCurrentInputMovesTheMainFormsProgram) {
  DspFixture f;
  f.image().basic[0] = 1;  // CD is the current input
  f.page.inputs().select(5);
  f.page.selector().click(1);
  EXPECT_EQ(f.image().basic[3], 14) << "DVD is not the current input";
  EXPECT_EQ(f.host.programRefreshes, 0);

  f.page.inputs().select(1);
  f.page.selector().click(1);
  EXPECT_EQ(f.image().basic[3], kStraight);
  EXPECT_EQ(f.image().basic[11], 1);
  EXPECT_EQ(f.host.programRefreshes, 1);

  // The shared enhancer reaches the current input from another input's edit.
  f.page.selector().click(2);  // CD: 2ch Enhancer Low
  f.page.inputs().select(7);
  f.page.selector().click(2);
  f.page.enhancers().select(1);  // CBL/SAT: 2ch Enhancer High, so CD too
  EXPECT_EQ(f.setting(1), 25);
  EXPECT_EQ(f.image().basic[3], 25);
  EXPECT_EQ(f.image().basic[10], 1) << "the main form's enhancer list follows";
  EXPECT_EQ(f.host.programRefreshes, 3);
}

TEST(InputDspMainForm, WithoutAWindowThePageStillKeepsTheImageRight) {
  FakePageLink link(WorkingMode::Async);
  ui::ScriptedUiServices ui;
  pages::InputDspPage page({link, ui});
  page.setActive(true);
  page.OnSetActive();
  link.images.Image(0)->basic[0] = 0;
  page.selector().click(2);
  EXPECT_EQ(link.images.Image(0)->basic[3], 24);
}

TEST(InputDspQueue, EachInputIsSelectedAndGivenItsProgramAndTheCurrentOnesStay) {
  DspFixture f;
  struct Program {
    std::int32_t value;
    std::string command;
  };
  const std::vector<Program> programs = {{0, "07EE1"}, {3, "07EE8"}, {21, "07EFD"}, {23, "07EFF"},
                                         {24, "2AF01"}, {25, "2AF02"}, {27, "2AF04"}, {28, "07EE0"}};
  f.image().basic[0] = 7;
  f.image().basic[3] = 19;
  for (int input = 0; input < 12; ++input) {
    for (const Program& p : programs) {
      f.image().inputDsp[static_cast<std::size_t>(2 * input)] = p.value;
      const model::ParameterImage before = f.image();
      f.link.sent.clear();
      f.page.QueueItem(f.image(), 212 + 2 * input, -1);
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Stx("07A" + kInputCodes[static_cast<std::size_t>(input)]), 212 + 2 * input},
                                                {Stx(p.command), 212 + 2 * input}}))
          << kInputKeys[static_cast<std::size_t>(input)] << " " << p.value;
      EXPECT_EQ(f.image(), before) << "the image, current input and program included, is untouched";
    }
  }
}

TEST(InputDspQueue, ADownloadListsTheTwelveInputsInOrderAndSkipsXmWithoutTheTuner) {
  DspFixture f;
  f.page.QueueAll(f.image());
  ASSERT_EQ(f.link.sent.size(), 24u);
  for (int input = 0; input < 12; ++input) {
    EXPECT_EQ(f.link.sent[static_cast<std::size_t>(2 * input)].text,
              Stx("07A" + kInputCodes[static_cast<std::size_t>(input)]));
  }
  EXPECT_EQ(f.link.sent[3].text, Stx("07EED")) << "CD: The Roxy Theatre";
  f.link.caps.xm = 0;
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.link.sent.size(), 22u);
  // Real Time Mode never queues the page: the main form changes the current input's program.
  DspFixture realTime(WorkingMode::RealTime);
  realTime.page.QueueAll(realTime.image());
  realTime.page.SendItem(212);
  EXPECT_TRUE(realTime.link.sent.empty());
}

TEST(InputDspFiles, SettingNamesAreReadWithoutRegardToLetterCase) {
  DspFixture f;
  model::ParameterImage& image = f.image();
  struct Case {
    std::string text;
    std::int32_t value;
  };
  for (const Case& c : {Case{"straight", 28}, Case{"2CH ENHANCER HIGH", 25}, Case{"sci-fi", 12},
                        Case{"Charch in Freiburg", 3}, Case{"7ch Enhancer Low", 26}, Case{"Hall in Munich", 0}}) {
    EXPECT_TRUE(f.page.settings().ParseItem(image, 234, -1, c.text)) << c.text;
    EXPECT_EQ(image.inputDsp[22], c.value) << c.text;
  }
  const model::ParameterImage before = image;
  for (const std::string bad : {"Church in Freiburg", "Hall in Munich ", "29", "Enhancer", "DSP Program"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(image, 234, -1, bad)) << bad;
  }
  EXPECT_FALSE(f.page.settings().ParseItem(image, 213, -1, "Straight")) << "the second value of a pair is no item";
  EXPECT_EQ(image, before);
}

TEST(InputDspDefault, DefaultRestoresTheSettingsAndTheCurrentInputsProgram) {
  DspFixture f;
  f.image().inputDsp.fill(0);
  f.image().basic[0] = 5;  // DVD
  f.image().basic[3] = 0;
  f.page.RefreshAll();
  ASSERT_TRUE(f.page.defaultButton().click());
  EXPECT_EQ(f.image().inputDsp, model::kInputDspDefaults);
  EXPECT_EQ(f.page.inputs().cell(11, 1), "2ch Stereo");
  EXPECT_EQ(f.image().basic[3], 14) << "DVD's factory program, Drama";
  EXPECT_EQ(f.host.programRefreshes, 1);
  EXPECT_TRUE(f.link.sent.empty());
}

// The main form's program edits in Async Mode reach the Input DSP page through the view.
TEST(InputDspMainForm, TheMainFormsProgramEditShowsOnThePage) {
  pages::test::BenchFixture f(app::kStartModeAsync, {}, 1);
  ASSERT_TRUE(f.bench.sheet().SetActivePage("Input DSP"));
  auto* page = f.bench.sheet().Find<pages::InputDspPage>();
  ASSERT_NE(page, nullptr);
  page->inputs().select(2);  // TUNER
  ui::BasicControlGroup& group = f.bench.basicControls();
  group.input.select(2);
  group.program.select(13);  // Adventure
  EXPECT_EQ(f.image(0).inputDsp[4], 13);
  EXPECT_EQ(page->inputs().cell(2, 1), "Adventure");
  EXPECT_EQ(page->programs().curSel(), 13);
  // And the other way round: the page's edit of the current input moves the main form.
  page->selector().click(1);
  EXPECT_EQ(f.image(0).basic[3], kStraight);
  EXPECT_EQ(group.selector.selected(), 1);
}

}  // namespace
}  // namespace tw::test
