// The System Memory window: its lists, the memory commands in Real Time Mode with the
// reload question after a System load, and the copies between the images in Async Mode.

#include <gtest/gtest.h>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/configuration_fakes.h"
#include "settings/configuration_memory.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/catalogue.h"
#include "settings/dsp/dsp_parameters_settings.h"
#include "pages/system/memory_page.h"
#include "pages/system_fixture.h"
#include "support/scripted_ui_services.h"
#include "ui/basic_control/basic_control_group.h"

namespace tw::test {
namespace {

using comm::WorkingMode;

constexpr int kSystem = 0, kMainVolume = 1, kZone2 = 2, kZone3 = 3;

// The window over the groups of the whole catalogue, as the main window holds it.
struct Fixture {
  explicit Fixture(WorkingMode mode) : link(mode), page({link, ui, 0, &host}, groups) { page.OnInitDialog(); }
  model::ParameterImage& image(int index) { return *link.fake.images.Image(index); }
  void select(int part, int memory) { ASSERT_TRUE(page.list(part).setCurSel(memory - 1)); }

  ModeLink link;
  ui::ScriptedUiServices ui;
  RecordingHost host;
  settings::MemoryGroups groups{[this] { return link.settingContext(); }};
  pages::SystemMemoryPage page;
};

TEST(SystemMemoryWindow, FourGroupsListMemoriesOneToSixWithTheFirstSelected) {
  Fixture f(WorkingMode::Async);
  EXPECT_EQ(f.page.caption(), "System Memory");
  const std::vector<std::string> captions = {"System", "Main Volume", "Zone2 Volume", "Zone3 Volume"};
  for (int part = 0; part < 4; ++part) {
    const ui::ListBox& list = f.page.list(part);
    ASSERT_EQ(list.count(), 6);
    for (int i = 0; i < 6; ++i) {
      EXPECT_EQ(list.itemText(i), "Memory " + std::to_string(i + 1));
      EXPECT_EQ(list.itemData(i), i + 1);
    }
    EXPECT_EQ(list.curSel(), 0);
    EXPECT_EQ(f.page.loadButton(part).text(), "Load");
    EXPECT_EQ(f.page.saveButton(part).text(), "Save");
    const ui::Control* box = f.page.form().find(f.page.list(part).id() - 1);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), captions[static_cast<std::size_t>(part)]);
  }
}

TEST(SystemMemoryWindow, ShowingCreatesItOnceAndTellsTheRenderer) {
  Fixture f(WorkingMode::Async);
  int shows = 0;
  f.page.onShowWindow = [&] { ++shows; };
  EXPECT_FALSE(f.page.isWindowShown());
  f.page.list(kSystem).setCurSel(4);
  f.page.ShowWindow();
  f.page.ShowWindow();
  EXPECT_TRUE(f.page.isWindowShown());
  EXPECT_EQ(shows, 2);
  EXPECT_EQ(f.page.list(kSystem).curSel(), 4) << "showing again keeps the selection";
  f.page.HideWindow();
  EXPECT_FALSE(f.page.isWindowShown());
}

// ---------------------------------------------------------------- Real Time Mode

TEST(SystemMemoryRealTime, EveryLoadAndSaveSendsItsOperationCommandWithItsNumber) {
  // The receiver's codes after "07E", by group and memory.
  const std::vector<std::vector<std::string>> loads = {{"35", "36", "37", "38", "39", "3A"},
                                                       {"75", "76", "77", "78", "79", "7A"},
                                                       {"8D", "8E", "8F", "90", "91", "92"},
                                                       {"60", "61", "62", "63", "64", "65"}};
  const std::vector<std::vector<std::string>> saves = {{"2B", "2C", "2D", "2E", "2F", "30"},
                                                       {"6B", "6C", "6D", "6E", "6F", "70"},
                                                       {"87", "88", "89", "8A", "8B", "8C"},
                                                       {"20", "21", "22", "23", "24", "25"}};
  Fixture f(WorkingMode::RealTime);
  const model::ParameterImages before = f.link.fake.images;
  for (int part = 0; part < 4; ++part) {
    for (int memory = 1; memory <= 6; ++memory) {
      SCOPED_TRACE("group " + std::to_string(part) + ", memory " + std::to_string(memory));
      const auto p = static_cast<std::size_t>(part);
      const auto m = static_cast<std::size_t>(memory - 1);
      f.select(part, memory);
      f.link.fake.sent.clear();
      if (part == kSystem) f.ui.answer(ui::MessageResult::No);
      ASSERT_TRUE(f.page.loadButton(part).click());
      EXPECT_EQ(f.link.fake.sent, (std::vector<Sent>{{Stx("07E" + loads[p][m]), 556 + 2 * part}, {"", 564}}));
      f.link.fake.sent.clear();
      ASSERT_TRUE(f.page.saveButton(part).click());
      EXPECT_EQ(f.link.fake.sent, (std::vector<Sent>{{Stx("07E" + saves[p][m]), 557 + 2 * part}, {"", 564}}));
    }
  }
  // Only a System load asks, once per load; the images stay as they were.
  EXPECT_EQ(f.ui.messages().size(), 6u);
  EXPECT_EQ(f.ui.unusedAnswers(), 0u);
  EXPECT_EQ(f.host.reloads, 0);
  EXPECT_EQ(f.host.pageRefreshes, 0);
  for (int i = 0; i < model::kImageCount; ++i) EXPECT_EQ(*f.link.fake.images.Image(i), *before.Image(i));
}

TEST(SystemMemoryRealTime, LoadingSystemMemoryThreeSendsItThenAsksWhetherToReload) {
  for (ui::MessageResult answer : {ui::MessageResult::Yes, ui::MessageResult::No}) {
    Fixture f(WorkingMode::RealTime);
    f.select(kSystem, 3);
    std::vector<Sent> sentWhenAsked;
    f.ui.answer(answer, [&] { sentWhenAsked = f.link.fake.sent; });
    f.page.loadButton(kSystem).click();
    EXPECT_EQ(sentWhenAsked, (std::vector<Sent>{{Stx("07E37"), 556}, {"", 564}}));
    ASSERT_EQ(f.ui.messages().size(), 1u);
    EXPECT_EQ(f.ui.messages().front().text,
              "\"System Memory Load\" was selected.\r\nGUI does not reflect the loaded values.\r\n"
              "Wolud you like to refresh the GUI?\r\n(It will take about 2 minutes.)");
    EXPECT_EQ(f.ui.messages().front().buttons, ui::MessageButtons::YesNo);
    EXPECT_EQ(f.host.reloads, answer == ui::MessageResult::Yes ? 1 : 0);
    EXPECT_EQ(f.ui.waitCursorDepth(), 0);
  }
}

TEST(SystemMemoryRealTime, WithoutAConnectionNothingIsLoadedSoNothingIsAsked) {
  Fixture f(WorkingMode::RealTime);
  f.link.sendResult = 0;
  f.page.loadButton(kSystem).click();
  EXPECT_TRUE(f.ui.messages().empty());
  EXPECT_EQ(f.host.reloads, 0);
}

TEST(SystemMemoryWindow, LoadAndSaveDoNothingWhileATransferRuns) {
  for (WorkingMode mode : {WorkingMode::RealTime, WorkingMode::Async}) {
    for (int busy = 0; busy < 3; ++busy) {
      Fixture f(mode);
      if (busy == 0) f.link.fake.dialogOpen = true;
      if (busy == 1) f.link.linkModeValue = comm::LinkMode::Upload;
      if (busy == 2) f.link.linkModeValue = comm::LinkMode::Download;
      f.image(2).basic[8] = -300;
      const model::ParameterImages before = f.link.fake.images;
      for (int part = 0; part < 4; ++part) {
        f.select(part, 2);
        f.page.loadButton(part).click();
        f.page.saveButton(part).click();
      }
      EXPECT_TRUE(f.link.fake.sent.empty());
      EXPECT_TRUE(f.ui.messages().empty());
      EXPECT_EQ(f.host.pageRefreshes, 0);
      for (int i = 0; i < model::kImageCount; ++i) EXPECT_EQ(*f.link.fake.images.Image(i), *before.Image(i));
    }
  }
}

// ---------------------------------------------------------------- Async Mode

// Every parameter of an image set to a value of its own, so that a copy of anything shows.
void Scatter(model::ParameterImage& image, int offset) {
  for (int number = 1; number < 564; ++number) model::SetParameter(image, number, offset + number % 7);
  image.basic[3] = offset % 24;  // a sound program with parameters
}

// `to` as it must be after copying `numbers` from `from`, and nothing else.
model::ParameterImage WithCopied(model::ParameterImage to, const model::ParameterImage& from,
                                 const std::vector<int>& numbers) {
  for (int number : numbers) {
    const auto value = model::GetParameter(from, number);
    EXPECT_TRUE(value.has_value()) << number;
    if (value) model::SetParameter(to, number, std::get<std::int32_t>(*value));
  }
  return to;
}

// The numbers a group keeps, as the System Memory lists them (the trims only where the
// image copied from knows them).
std::vector<int> GroupNumbers(int part, int program, bool trims) {
  auto has = [](std::string_view caption) { return settings::FindPageSettings(caption) != nullptr; };
  std::vector<int> numbers;
  auto range = [&](int first, int last) {
    for (int n = first; n <= last; ++n) numbers.push_back(n);
  };
  switch (part) {
    case kSystem:
      numbers = {4, 7, 8};
      if (has("DSP Parameters")) {
        for (const settings::PageItem& item : settings::DspParametersSettings().ListItems(true, {}, program))
          numbers.push_back(item.number);
      }
      if (has("Speaker Level")) range(268, 277);
      if (has("Speaker Distance")) range(278, 288);
      if (has("Tone Control")) numbers.insert(numbers.end(), {289, 291, 293, 290, 292, 302, 304, 305});
      if (has("Volume Trim") && trims) range(383, 396);
      if (has("Speaker Set")) range(427, 435);
      if (has("Display Set")) numbers.insert(numbers.end(), {517, 518, 519, 520, 521, 525, 527, 528});
      if (has("Other")) numbers.push_back(534);
      return numbers;
    case kMainVolume:
      return {9};
    case kZone2:
      return {18};
    default:
      return {23};
  }
}

TEST(SystemMemoryAsync, LoadAndSaveCopyExactlyTheGroupsParametersThenRefreshEveryPage) {
  for (int part = 0; part < 4; ++part) {
    for (bool load : {true, false}) {
      SCOPED_TRACE("group " + std::to_string(part) + (load ? " load" : " save"));
      Fixture f(WorkingMode::Async);
      Scatter(f.image(0), 100);
      Scatter(f.image(5), 200);
      const model::ParameterImages before = f.link.fake.images;
      const model::ParameterImage& from = load ? *before.Image(5) : *before.Image(0);
      const int target = load ? 0 : 5;
      // The current settings' trims are known; a factory memory's are not.
      model::ParameterImage expected =
          WithCopied(*before.Image(target), from, GroupNumbers(part, from.basic[3], !load));
      expected.memoryTrimsKnown = !load && part == kSystem;

      f.select(part, 5);
      (load ? f.page.loadButton(part) : f.page.saveButton(part)).click();

      EXPECT_EQ(f.image(target), expected);
      for (int i = 0; i < model::kImageCount; ++i) {
        if (i != target) {
          EXPECT_EQ(*f.link.fake.images.Image(i), *before.Image(i)) << "image " << i;
        }
      }
      EXPECT_TRUE(f.link.fake.sent.empty());
      EXPECT_TRUE(f.ui.messages().empty());
      EXPECT_EQ(f.host.pageRefreshes, 1);
    }
  }
}

// What a memory's download would send, item by item, from `image`.
std::vector<std::string> MemoryFrames(Fixture& f, const model::ParameterImage& image) {
  std::vector<std::string> frames;
  for (const settings::MemoryItem& item : f.groups.Items(files::MemoryCategory::System, image, true)) {
    if (item.page == &settings::BasicControlSettings()) continue;
    for (std::string& frame : item.page->Commands(image, item.item.number, item.item.subIndex, f.link.settingContext()))
      frames.push_back(std::move(frame));
  }
  return frames;
}

TEST(SystemMemoryAsync, ASaveThenALoadCarryEveryValueTheMemorysDownloadSends) {
  Fixture f(WorkingMode::Async);
  Scatter(f.image(0), 100);
  model::WriteGraphicEqDefaults(f.image(0).graphicEq);  // every channel's code
  for (auto& channel : f.image(0).graphicEq) channel.bands = {-60, -55, -50, -45, -40, -35, -30};
  const std::vector<std::string> sent = MemoryFrames(f, f.image(0));
  f.select(kSystem, 3);
  f.page.saveButton(kSystem).click();
  EXPECT_EQ(MemoryFrames(f, f.image(3)), sent);
  model::ResetToDefaults(f.image(0), 1);
  f.page.loadButton(kSystem).click();
  EXPECT_EQ(MemoryFrames(f, f.image(0)), sent);
}

TEST(SystemMemoryAsync, SavingMainVolumeToMemorySixQueuesNothingAndStoresTheVolume) {
  Fixture f(WorkingMode::Async);
  f.image(0).basic[8] = -235;
  model::ParameterImage expected = f.image(6);
  expected.basic[8] = -235;
  f.select(kMainVolume, 6);
  f.page.saveButton(kMainVolume).click();
  EXPECT_TRUE(f.link.fake.sent.empty());
  EXPECT_EQ(f.image(6), expected);
}

TEST(SystemMemoryAsync, ASystemLoadTakesTheDspParametersOfTheMemorysOwnProgram) {
  // The DSP page of the configuration fakes: programs 0..2, two parameters each.
  ModeLink link(WorkingMode::Async);
  ui::ScriptedUiServices ui;
  RecordingHost host;
  const FakeCatalogue catalogue;
  const FakeBasicSettings basic;
  const settings::MemoryGroups groups([&link] { return link.settingContext(); }, catalogue.pages, &basic);
  pages::SystemMemoryPage page({link, ui, 0, &host}, groups);
  page.OnInitDialog();
  model::ParameterImage& current = *link.image(0);
  model::ParameterImage& memory = *link.image(2);
  current.basic[3] = 0;
  memory.basic[3] = 1;
  for (int i = 0; i < 6; ++i) {
    current.dsp[static_cast<std::size_t>(i)] = 10 + i;
    memory.dsp[static_cast<std::size_t>(i)] = 20 + i;
  }
  page.list(kSystem).setCurSel(1);
  page.loadButton(kSystem).click();
  EXPECT_EQ(current.basic[3], 1);
  // Program 1's two parameters (numbers 29 and 30) came along; programs 0 and 2 stayed.
  EXPECT_EQ((std::vector<int>(current.dsp.begin(), current.dsp.begin() + 6)),
            (std::vector<int>{10, 11, 22, 23, 14, 15}));
}

}  // namespace
}  // namespace tw::test
