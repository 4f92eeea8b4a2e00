// The DSP Parameters page as a user drives it and as files, reports and downloads walk
// it: one program and layout at a time on screen, one section per program in files, and a
// download that switches the receiver to each program before its parameters.

#include "pages/dsp/dsp_parameters_page.h"

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include <random>
#include <string>
#include <vector>

#include "model/dsp_layout.h"
#include "settings/configuration_memory.h"
#include "pages/page_registry.h"
#include "pages/sheet.h"
#include "settings/dsp/dsp_values.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using pages::DspParametersPage;
using pages::PageItem;
using Fixture = SpeakerFixture<DspParametersPage>;

constexpr int kPrograms = model::kSoundProgramCount;


std::int32_t Value(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

std::vector<int> Numbers(const std::vector<PageItem>& items) {
  std::vector<int> numbers;
  for (const PageItem& item : items) numbers.push_back(item.number);
  return numbers;
}

std::vector<int> Range(int first, int last) {
  std::vector<int> numbers;
  for (int n = first; n <= last; ++n) numbers.push_back(n);
  return numbers;
}

int RowOf(DspParametersPage& page, int number) {
  const auto& rows = page.rows();
  const auto found = std::find(rows.begin(), rows.end(), number);
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

// Shows `number` as a user finds it: its program, a layout that lists it, its row.
void Pick(DspParametersPage& page, int number) {
  const int program = *model::DspProgramOfNumber(number);
  if (page.programList().isEnabled()) {
    ASSERT_TRUE(page.programList().select(page.programList().findData(program)));
  } else {
    page.SetCurrentProgram(program);
  }
  ASSERT_EQ(page.program(), program);
  for (int layout = 0; layout < 3 && RowOf(page, number) < 0; ++layout) page.layoutList().select(layout);
  ASSERT_GE(RowOf(page, number), 0) << number;
  ASSERT_TRUE(page.parameterList().select(RowOf(page, number)));
}

// The factory settings' Standard program has its surround rows on all three layouts.
constexpr int kStandard = 10;

TEST(DspPage, EachProgramAndLayoutListsItsRowsWithNamesAndValueTexts) {
  Fixture f(comm::WorkingMode::Async);
  auto& page = f.page;
  ASSERT_EQ(page.programList().count(), kPrograms);
  EXPECT_EQ(page.programList().itemText(3), "Charch in Freiburg");
  EXPECT_EQ(page.layoutList().itemText(2), "Quad");
  for (int program = 0; program < kPrograms; ++program) {
    ASSERT_TRUE(page.programList().select(program));
    for (int layout = 0; layout < 3; ++layout) {
      SCOPED_TRACE(std::to_string(program) + " layout " + std::to_string(layout));
      ASSERT_TRUE(page.layoutList().select(layout));
      const pages::dsp::DspNumbers expected = pages::dsp::DspRowsOfLayout(program, layout);
      ASSERT_EQ(page.parameterList().rowCount(), expected.count);
      int row = 0;
      for (const int number : expected) {
        const auto& descriptor = *pages::dsp::FindDspDescriptor(number);
        EXPECT_EQ(page.parameterList().cell(row, 0), descriptor.name);
        EXPECT_EQ(page.parameterList().cell(row, 1), pages::dsp::DspValueText(descriptor, Value(f.image(), number)));
        ++row;
      }
    }
  }
  // Factory values as the list shows them.
  ASSERT_TRUE(page.programList().select(0));
  EXPECT_EQ(page.parameterList().cell(0, 1), "0dB");
  EXPECT_EQ(page.parameterList().cell(2, 1), "30ms");
  EXPECT_EQ(page.parameterList().cell(3, 1), "1.0");
}

TEST(DspPage, ChangingTheLayoutKeepsTheSelectedRowWhileItIsListed) {
  Fixture f(comm::WorkingMode::Async);
  Pick(f.page, 88);  // Standard Dialogue Lift: on every layout
  f.page.layoutList().select(2);
  EXPECT_EQ(f.page.selectedNumber(), 88);
  Pick(f.page, 95);  // SB. Init. Delay: Quad only
  f.page.layoutList().select(0);
  EXPECT_EQ(f.page.selectedNumber(), 0);
  EXPECT_FALSE(f.page.slider().isVisible());
  EXPECT_FALSE(f.page.upButton().isEnabled());
  EXPECT_FALSE(f.page.downButton().isEnabled());
  f.page.programList().select(0);
  EXPECT_EQ(f.page.selectedNumber(), 0);
}

TEST(DspPage, RealTimeModeShowsTheReceiversProgramAndDisablesTheProgramList) {
  Fixture rt;
  EXPECT_FALSE(rt.page.programList().isEnabled());
  EXPECT_EQ(rt.page.program(), rt.image().basic[3]);  // the image's program (Drama at the factory)
  rt.page.SetCurrentProgram(21);
  EXPECT_EQ(rt.page.program(), 21);
  EXPECT_EQ(rt.page.programList().selectedText(), "Surround Decoder");
  EXPECT_EQ(rt.page.parameterList().cell(0, 0), "Decode Type");
  // A refresh follows the receiver's program; Straight and the enhancers have no parameters.
  rt.image().basic[3] = 3;
  rt.page.OnSetActive();
  EXPECT_EQ(rt.page.program(), 3);
  rt.image().basic[3] = 28;
  rt.page.OnSetActive();
  rt.page.SetCurrentProgram(24);
  EXPECT_EQ(rt.page.program(), 3);

  Fixture async(comm::WorkingMode::Async);
  EXPECT_TRUE(async.page.programList().isEnabled());
  async.page.programList().select(5);
  async.image().basic[3] = 3;
  async.page.OnSetActive();
  EXPECT_EQ(async.page.program(), 5) << "Async Mode keeps the user's choice";
}

TEST(DspPage, TheSelectedRowHasASliderExactlyWhenItsRecordSaysSo) {
  Fixture f(comm::WorkingMode::Async);
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    SCOPED_TRACE(number);
    Pick(f.page, number);
    const auto& descriptor = *pages::dsp::FindDspDescriptor(number);
    EXPECT_EQ(f.page.slider().isVisible(), descriptor.slider != 0);
    EXPECT_EQ(f.page.slider().isEnabled(), descriptor.slider != 0);
    if (descriptor.slider != 0) {
      EXPECT_EQ(f.page.slider().minPosition(), descriptor.min);
      EXPECT_EQ(f.page.slider().maxPosition(), descriptor.max);
      EXPECT_EQ(f.page.slider().GetValue(), Value(f.image(), number));
    }
    EXPECT_TRUE(f.page.upButton().isEnabled());
  }
}

TEST(DspPage, UpAndDownStepWithinTheRangeAndSendTheUpperCaseCommand) {
  Fixture f;
  f.page.SetCurrentProgram(0);
  Pick(f.page, 27);  // DSP Level 0dB
  for (int i = 0; i < 3; ++i) f.page.upButton().click();
  EXPECT_EQ(Value(f.image(), 27), 3);
  EXPECT_EQ(f.page.parameterList().cell(0, 1), "3dB");
  f.link.sent.clear();
  f.page.upButton().click();  // at the top: nothing changes, nothing is sent
  EXPECT_EQ(Value(f.image(), 27), 3);
  EXPECT_TRUE(f.link.sent.empty());
  f.page.downButton().click();
  ASSERT_EQ(f.link.commands(), std::vector<std::string>{Dc4Upper("200B0211000E008")});
  EXPECT_EQ(f.link.sent.front().number, 27);
  EXPECT_EQ(f.link.batchStarts(), 1);

  // Surround Decoder's Dimension goes as value + 3; its bottom is -3 ("00").
  Pick(f.page, 199);
  f.link.sent.clear();
  for (int i = 0; i < 4; ++i) f.page.downButton().click();
  EXPECT_EQ(Value(f.image(), 199), -3);
  EXPECT_EQ(f.link.commands(), (std::vector<std::string>{Dc4Upper("200B02112C10002"), Dc4Upper("200B02112C10001"),
                                                         Dc4Upper("200B02112C10000")}));
  // A slider row's slider follows the buttons.
  Pick(f.page, 47);  // Charch in Freiburg Rev. Delay 130ms
  f.page.upButton().click();
  EXPECT_EQ(f.page.slider().GetValue(), 131);
  EXPECT_EQ(f.link.commands().back(), Dc4Upper("200B0211090C083"));
}

TEST(DspPage, SliderDragShowsAndStoresAndOnlyTheReleaseSends) {
  Fixture f;
  f.page.SetCurrentProgram(23);
  Pick(f.page, 208);  // 7ch Stereo SB1 LEVEL 50%
  f.link.sent.clear();
  f.page.slider().drag(75);
  f.page.slider().drag(80);
  EXPECT_EQ(Value(f.image(), 208), 80);
  EXPECT_EQ(f.page.parameterList().cell(RowOf(f.page, 208), 1), "80%");
  EXPECT_TRUE(f.link.sent.empty());
  f.page.slider().release();
  EXPECT_EQ(f.link.commands(), std::vector<std::string>{Dc4Upper("200B021117150" "50")});

  // While a transfer dialog is open a repaint writes nothing back into the image.
  f.link.dialogOpen = true;
  f.page.slider().drag(10);
  EXPECT_EQ(Value(f.image(), 208), 80);

  Fixture async(comm::WorkingMode::Async);
  Pick(async.page, 208);
  async.page.slider().drag(20);
  async.page.slider().release();
  async.page.upButton().click();
  EXPECT_EQ(Value(async.image(), 208), 21);
  EXPECT_TRUE(async.link.sent.empty()) << "Async Mode sends with the next download";
}

TEST(DspPage, DefaultResetsTheShownProgramOnlyAndSendsItInSendOrder) {
  Fixture f;
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number)
    model::SetParameter(f.image(), number, pages::dsp::FindDspDescriptor(number)->min);
  f.page.SetCurrentProgram(kStandard);
  f.link.sent.clear();
  f.page.defaultButton().click();
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    const bool standard = number >= 87 && number <= 98;
    EXPECT_EQ(Value(f.image(), number),
              standard ? *pages::dsp::DspFactoryDefault(number) : pages::dsp::FindDspDescriptor(number)->min)
        << number;
  }
  std::vector<int> sentNumbers;
  for (const Sent& s : f.link.sent) {
    if (!s.text.empty()) sentNumbers.push_back(s.number);
  }
  EXPECT_EQ(sentNumbers, (std::vector<int>{87, 88, 89, 92, 95, 90, 93, 96, 91, 94, 97, 98}));
  EXPECT_EQ(f.link.batchStarts(), 1);
  EXPECT_EQ(f.page.parameterList().cell(0, 1), "0dB");
}

TEST(DspPage, ItemsFormOneGroupPerProgramAndEveryGroupHoldsThemProgramByProgram) {
  Fixture f;
  EXPECT_TRUE(f.page.ListItems(true, -1).empty());
  std::vector<int> all;
  for (int program = 0; program < kPrograms; ++program) {
    const std::vector<PageItem> file = f.page.ListItems(true, program);
    for (const PageItem& item : file) EXPECT_EQ(item.subIndex, -1);
    const pages::dsp::DspNumbers listed = pages::dsp::DspListOrder(program);
    const pages::dsp::DspNumbers sent = pages::dsp::DspSendOrder(program);
    EXPECT_EQ(Numbers(file), std::vector<int>(listed.begin(), listed.end()));
    EXPECT_EQ(Numbers(f.page.ListItems(false, program)), std::vector<int>(sent.begin(), sent.end()));
    for (const int n : Numbers(file)) all.push_back(n);
  }
  EXPECT_EQ(Numbers(f.page.ListItems(true, pages::kAllGroups)), all);
  std::sort(all.begin(), all.end());
  EXPECT_EQ(all, Range(27, 211));
  EXPECT_EQ(Numbers(f.page.ListItems(true, 14)), (std::vector<int>{132, 133, 134, 135, 136, 139, 137, 140, 138, 141, 142}));
}

TEST(DspPage, AsyncQueueSwitchesToEachProgramBeforeItsParameters) {
  Fixture f(comm::WorkingMode::Async);
  const model::ParameterImage before = f.image();
  f.page.QueueAll(f.image());
  EXPECT_EQ(f.image(), before) << "the image keeps its own program";
  // The program selections of the receiver's read table, program by program.
  const std::vector<std::string> switches = {"07EE1", "07EE5", "07EE6", "07EE8", "07EAF", "07EEB",
                                             "07EEE", "07ECD", "07EED", "07EEC", "07EFE", "07EF9",
                                             "07EFA", "07EFB", "07EFC", "07EF7", "07EF8", "07EF2",
                                             "07ECE", "07EF3", "07EF5", "07EFD", "07EC0", "07EFF"};
  std::vector<Sent> expected;
  for (int program = 0; program < kPrograms; ++program) {
    expected.push_back({Stx(switches[static_cast<std::size_t>(program)]), 4});
    for (const int number : pages::dsp::DspSendOrder(program))
      expected.push_back({pages::dsp::DspCommand(number, Value(f.image(), number)), number});
  }
  ASSERT_EQ(f.link.sent.size(), 24u + 185u);
  EXPECT_EQ(f.link.sent, expected);
  // Standard: its switch, then the layouts' rows interleaved.
  std::vector<int> standard;
  bool inStandard = false;
  for (const Sent& s : f.link.sent) {
    if (s.number == 4) inStandard = s.text == Stx("07EFE");
    else if (inStandard) standard.push_back(s.number);
  }
  EXPECT_EQ(standard, (std::vector<int>{87, 88, 89, 92, 95, 90, 93, 96, 91, 94, 97, 98}));
  EXPECT_EQ(f.link.sent[1].text, Dc4Upper("200B0211000E006"));  // Hall in Munich DSP Level 0dB
  EXPECT_EQ(f.link.batchStarts(), 0);

  // Real Time Mode (a page-wide send) has no switches.
  Fixture rt;
  rt.page.QueueAll(rt.image());
  EXPECT_EQ(rt.link.sent.size(), 185u);
}

TEST(DspPage, AValueThatNoCommandCanCarryIsNotSent) {
  Fixture f;
  f.image().dsp[0] = 9;  // Hall in Munich DSP Level: above its range
  f.page.QueueItem(f.image(), 27, -1);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 27, -1, false).value, "9dB");
}

TEST(DspPageFiles, AFactoryFileHoldsEveryProgramsFactoryValues) {
  Fixture f;
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  std::vector<std::string> expectedSections;
  for (int program = 0; program < kPrograms; ++program) expectedSections.push_back(pages::dsp::DspSectionName(program));
  EXPECT_EQ(profile.SectionNames(), expectedSections);
  for (int program = 0; program < kPrograms; ++program) {
    const std::string section = pages::dsp::DspSectionName(program);
    std::vector<std::string> keys;
    for (const int number : pages::dsp::DspListOrder(program)) {
      keys.push_back(pages::dsp::DspKey(number));
      EXPECT_EQ(profile.GetString(section, pages::dsp::DspKey(number), "?"),
                pages::dsp::DspValueText(*pages::dsp::FindDspDescriptor(number), *pages::dsp::DspFactoryDefault(number)))
          << section << " " << number;
    }
    EXPECT_EQ(profile.KeyNames(section), keys);
  }
  const std::string text = profile.Text();
  EXPECT_NE(text.find("[DSP Parameters Hall in Munich]\r\nDSP Level=0dB\r\nDialogue Lift=0\r\nInit. Delay=30ms\r\n"
                      "Room Size=1.0\r\nLiveness=5\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Dual Sur. Init. Delay=15ms\r\nDual Sur. Room Size=1.0\r\nDual Sur. Liveness=4\r\n"
                      "Tri & Quad Sur. Init. Delay=26ms\r\n"),
            std::string::npos);
  EXPECT_NE(text.find("Quad Only SB. Liveness=5\r\nDecode Type=Pro Logic\r\n"), std::string::npos);
  EXPECT_NE(text.find("[DSP Parameters 2ch Stereo]\r\nDirect=AUTO\r\n"), std::string::npos);
}

TEST(DspPageFiles, EveryValueOfEveryProgramReadsBackExactly) {
  Fixture f;
  std::mt19937 rng(2024);
  for (int number = model::kFirstDspNumber; number <= model::kLastDspNumber; ++number) {
    const auto& d = *pages::dsp::FindDspDescriptor(number);
    model::SetParameter(f.image(), number, std::uniform_int_distribution<std::int32_t>(d.min, d.max)(rng));
  }
  files::Profile saved;
  SaveItems(f.page.settings(), f.link, f.image(), saved);
  // Through the file's own text, as a saved file is read again.
  const files::Profile reread = files::Profile::Parse(saved.Text());
  model::ParameterImage loaded = *f.link.images.Image(1);
  ASSERT_NE(loaded.dsp, f.image().dsp);
  LoadItems(f.page.settings(), f.link, loaded, reread);
  EXPECT_EQ(loaded.dsp, f.image().dsp);
}

TEST(DspPageFiles, ATextThatIsNoValueOfItsParameterLeavesItUnchanged) {
  Fixture f;
  const model::ParameterImage before = f.image();
  files::Profile profile;
  const std::vector<std::pair<std::string, std::string>> entries = {
      {"DSP Level", "4dB"},        {"DSP Level", "3"},   {"Init. Delay", "0ms"}, {"Room Size", "2.1"},
      {"Decode Type", "Neo:6"},    {"Liveness", "x"},    {"Rev. Time", "1.0sec"}};
  for (const auto& [key, value] : entries) {
    profile.WriteString("DSP Parameters Hall in Munich", key, value);
    LoadItems(f.page.settings(), f.link, f.image(), profile);
    EXPECT_EQ(f.image(), before) << key << " = " << value;
  }
  // Another program's key in this section, and this program's key in a wrong section.
  profile.WriteString("DSP Parameters Standard", "Rev. Time", "2.0sec");
  profile.WriteString("DSP Parameters", "DSP Level", "1dB");
  LoadItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(f.image(), before);
  // Names compare as the profile compares them; the value as the page shows it, case aside.
  profile.WriteString("dsp parameters standard", " dual sur. room size ", "1.5");
  profile.WriteString("DSP Parameters Standard", "Decode Type", "pro logicIIx");
  LoadItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_EQ(Value(f.image(), 90), 15);
  EXPECT_EQ(Value(f.image(), 98), 1);
}

TEST(DspPageFiles, TheReportHasOneBlockPerProgram) {
  Fixture f;
  const std::string report = ReportItems(f.page.settings(), f.link, f.image());
  EXPECT_EQ(report.rfind("\r\n(DSP Parameters Hall in Munich)\r\nDSP Level = 0dB\r\nDialogue Lift = 0\r\n", 0), 0u);
  std::size_t blocks = 0;
  for (std::size_t at = report.find("\r\n(DSP Parameters "); at != std::string::npos;
       at = report.find("\r\n(DSP Parameters ", at + 1))
    ++blocks;
  EXPECT_EQ(blocks, 24u);
  EXPECT_NE(report.find("\r\n(DSP Parameters 7ch Stereo)\r\nCT LEVEL = 100%\r\n"), std::string::npos);
  EXPECT_NE(report.find("Dimension = STD\r\nC. Image = 0.3\r\n"), std::string::npos);
}

TEST(DspPage, AReportOfAShownParameterUpdatesItsRowOnTheActivePageOnly) {
  Fixture f;
  f.image().basic[3] = 0;  // the receiver plays Hall in Munich
  f.page.SetCurrentProgram(0);
  Pick(f.page, 29);
  model::SetParameter(f.image(), 29, 45);
  f.page.RefreshItem(29, true);
  EXPECT_EQ(f.page.parameterList().cell(2, 1), "45ms");
  EXPECT_EQ(f.page.slider().GetValue(), 45);
  f.page.setActive(false);
  model::SetParameter(f.image(), 29, 46);
  f.page.RefreshItem(29, true);
  EXPECT_EQ(f.page.parameterList().cell(2, 1), "45ms");
  f.page.setActive(true);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.parameterList().cell(2, 1), "46ms");
}

// A System Memory keeps the parameters of its own sound program only.
TEST(DspPageMemory, TheSystemGroupTakesTheMemorysOwnProgram) {
  FakePageLink link(comm::WorkingMode::Async);
  const settings::PageSettings* const dspOnly[] = {&settings::DspParametersSettings()};
  const settings::MemoryGroups groups([&link] { return link.settingContext(); }, dspOnly, nullptr);
  model::ParameterImage& memory = *link.images.Image(2);
  memory.basic[3] = kStandard;
  std::vector<int> file;
  for (const settings::MemoryItem& item : groups.Items(files::MemoryCategory::System, memory))
    file.push_back(item.item.number);
  EXPECT_EQ(file, Range(87, 98));
  std::vector<int> sending;
  for (const settings::MemoryItem& item : groups.Items(files::MemoryCategory::System, memory, true))
    sending.push_back(item.item.number);
  EXPECT_EQ(sending, (std::vector<int>{87, 88, 89, 92, 95, 90, 93, 96, 91, 94, 97, 98}));

  files::Profile profile;
  groups.Save(files::MemoryCategory::System, 2, memory, profile);
  EXPECT_EQ(profile.SectionNames(), std::vector<std::string>{"System Memory 2 DSP Parameters Standard"});
  EXPECT_EQ(profile.GetString("System Memory 2 DSP Parameters Standard", "Tri & Quad Sur. Init. Delay", ""), "26ms");
  memory.basic[3] = 28;  // Straight has no parameters
  EXPECT_TRUE(groups.Items(files::MemoryCategory::System, memory).empty());
}

}  // namespace
}  // namespace tw::test
