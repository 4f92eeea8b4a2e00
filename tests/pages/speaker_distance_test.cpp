// Speaker Distance: the unit rules, the distance command, "Default", orders, file texts.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "pages/speaker/speaker_distance_page.h"
#include "pages/speaker_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = SpeakerFixture<pages::SpeakerDistancePage>;

std::int32_t Distance(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

TEST(SpeakerDistanceUnit, ButtonsOnlyInAsyncMode) {
  Fixture realTime;
  EXPECT_FALSE(realTime.page.unitButtons().isButtonEnabled(0));
  EXPECT_FALSE(realTime.page.unitButtons().isButtonEnabled(1));
  EXPECT_FALSE(realTime.page.unitButtons().click(1));
  EXPECT_EQ(realTime.image().speakerDistance.unit, 0);

  Fixture async(WorkingMode::Async);
  EXPECT_TRUE(async.page.unitButtons().isButtonEnabled(1));
  // What the main view says at start-up holds through every refresh.
  async.page.SetModeAndUnit(false, 0);
  async.page.RefreshAll();
  EXPECT_FALSE(async.page.unitButtons().isButtonEnabled(1));
  realTime.page.SetModeAndUnit(true, 1);
  EXPECT_TRUE(realTime.page.unitButtons().isButtonEnabled(0));
  EXPECT_EQ(realTime.page.range(), (settings::speaker::DistanceRange{10, 800, 5, 1}));
}

TEST(SpeakerDistanceUnit, MeterToFeetGivesTheFeetDefaultsWhateverTheMetres) {
  Fixture f(WorkingMode::Async);
  f.page.slider(279).drag(1230);
  f.page.slider(281).drag(2400);
  ASSERT_TRUE(f.page.unitButtons().click(1));
  EXPECT_EQ(f.image().speakerDistance.unit, 1);
  EXPECT_EQ(Distance(f.image(), 279), 100);  // FL 10.0 ft
  EXPECT_EQ(Distance(f.image(), 281), 85);   // CT
  EXPECT_EQ(Distance(f.image(), 282), 80);   // SL
  EXPECT_EQ(f.page.label(279).text(), " 10.0");
  EXPECT_EQ(f.page.label(281).text(), " 8.5");
  EXPECT_EQ(f.page.slider(279).minPosition(), 2);    // 10 / 5
  EXPECT_EQ(f.page.slider(279).maxPosition(), 160);  // 800 / 5
  EXPECT_EQ(f.page.slider(279).GetValue(), 100);
  EXPECT_TRUE(f.link.sent.empty());

  ASSERT_TRUE(f.page.unitButtons().click(0));
  EXPECT_EQ(Distance(f.image(), 279), 300);
  EXPECT_EQ(Distance(f.image(), 281), 260);
  EXPECT_EQ(f.page.label(279).text(), " 3.00");
}

TEST(SpeakerDistanceUnit, ClickingTheUnitInForceKeepsEveryDistance) {
  Fixture f(WorkingMode::Async);
  f.page.slider(279).drag(1230);
  const model::ParameterImage before = f.image();
  ASSERT_TRUE(f.page.unitButtons().click(0));
  EXPECT_EQ(f.image(), before);
  EXPECT_EQ(f.page.label(279).text(), " 12.30");
}

TEST(SpeakerDistanceCommand, ReleaseSendsTheDistanceWithTheUnitAndLowerCaseChecksum) {
  Fixture f;
  f.page.slider(279).drag(310);
  f.page.slider(279).drag(300);
  EXPECT_TRUE(f.link.sent.empty());
  EXPECT_EQ(f.page.label(279).text(), " 3.00");
  f.page.slider(279).release();
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Lower("200904112012c"), 279}, {"", 564}}));
}

TEST(SpeakerDistanceCommand, EveryChannelCodeAtTheEndsOfBothRanges) {
  const std::vector<std::pair<int, char>> codes = {{279, '2'}, {280, '3'}, {281, '0'}, {282, '4'},
                                                   {283, '5'}, {284, '6'}, {285, '7'}, {286, '8'},
                                                   {287, '9'}, {288, 'A'}};
  Fixture f;
  for (auto [number, code] : codes) {
    for (auto [unit, distance, digits] : std::vector<std::tuple<int, int, std::string>>{
             {0, 30, "001e"}, {0, 2400, "0960"}, {1, 10, "100a"}, {1, 800, "1320"}}) {
      model::ParameterImage image;
      image.speakerDistance.unit = unit;
      ASSERT_TRUE(model::SetParameter(image, number, distance));
      f.link.sent.clear();
      f.page.QueueItem(image, number, -1);
      EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Lower(std::string("20090411") + code + digits), number}}))
          << number << " " << distance;
    }
  }
  f.link.sent.clear();
  f.page.QueueItem(f.image(), 278, -1);  // the unit has no command of its own
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(SpeakerDistanceDefault, RealTimeMetresResetAndSendInNumberOrder) {
  Fixture f;
  f.image().speakerDistance.distances.fill(1000);
  f.page.defaultButton().click();
  EXPECT_EQ(f.link.commands(),
            (std::vector<std::string>{Dc4Lower("200904112012c"), Dc4Lower("200904113012c"),
                                      Dc4Lower("2009041100104"), Dc4Lower("20090411400f0"),
                                      Dc4Lower("20090411500f0"), Dc4Lower("20090411600f0"),
                                      Dc4Lower("20090411700f0"), Dc4Lower("200904118012c"),
                                      Dc4Lower("200904119012c"), Dc4Lower("20090411A012c")}));
  EXPECT_EQ(f.link.batchStarts(), 1);
  EXPECT_EQ(f.page.label(281).text(), " 2.60");
}

TEST(SpeakerDistanceItems, UnitFirstInFilesAndNeverSent) {
  Fixture f;
  std::vector<int> send, file;
  for (const auto& item : f.page.ListItems(false, pages::kAllGroups)) send.push_back(item.number);
  for (const auto& item : f.page.ListItems(true, pages::kAllGroups)) file.push_back(item.number);
  EXPECT_EQ(send, (std::vector<int>{279, 280, 281, 282, 283, 284, 285, 286, 287, 288}));
  EXPECT_EQ(file, (std::vector<int>{278, 279, 280, 281, 282, 283, 284, 285, 286, 287, 288}));
}

TEST(SpeakerDistanceFile, FeetRoundTripSwitchesThePageToFeet) {
  Fixture f(WorkingMode::Async);
  model::ParameterImage feet;
  feet.speakerDistance.unit = 1;
  model::WriteSpeakerDistanceDefaults(feet.speakerDistance);
  ASSERT_TRUE(model::SetParameter(feet, 288, 795));
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, feet, profile);
  EXPECT_EQ(
      profile.Text(),
      "[Speaker Distance]\r\nUnit=Feet\r\nFL=10.0\r\nFR=10.0\r\nCT=8.5\r\nSL=8.0\r\nSR=8.0\r\nSBL=8.0\r\n"
      "SBR=8.0\r\nPRL=10.0\r\nPRR=10.0\r\nSW=79.5\r\n");

  LoadItems(f.page.settings(), f.link, f.image(), files::Profile::Parse(profile.Text()));
  EXPECT_EQ(f.image().speakerDistance, feet.speakerDistance);
  EXPECT_EQ(f.page.unit(), 0);  // the page follows at its next refresh
  f.page.RefreshAll();
  EXPECT_EQ(f.page.unit(), 1);
  EXPECT_EQ(f.page.unitButtons().selected(), 1);
  EXPECT_EQ(f.page.label(288).text(), " 79.5");
}

TEST(SpeakerDistanceFile, DistancesWrittenInTheOtherUnitAreRefused) {
  Fixture f(WorkingMode::Async);
  const auto metres = f.image().speakerDistance;
  // Feet texts in a metre file: 10.0 would otherwise read as 1.00 m.
  LoadItems(f.page.settings(), f.link, f.image(),
                   files::Profile::Parse("[Speaker Distance]\r\nUnit=Meter\r\nFL=10.0\r\nCT=8.5\r\n"));
  EXPECT_EQ(f.image().speakerDistance, metres);
  // Metre texts in a feet file.
  LoadItems(f.page.settings(), f.link, f.image(),
                   files::Profile::Parse("[Speaker Distance]\r\nUnit=Feet\r\nFL=3.00\r\nSW=24.00\r\n"));
  EXPECT_EQ(f.image().speakerDistance.unit, 1);
  EXPECT_EQ(f.image().speakerDistance.distances, metres.distances);
}

TEST(SpeakerDistanceFile, UnitMustBeAButtonText) {
  Fixture f;
  for (std::string_view bad : {"meter", "Feet ", "Metres", ""})
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 278, -1, bad));
  EXPECT_EQ(f.image().speakerDistance.unit, 0);
  EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 289, -1, "3.00"));
}

TEST(SpeakerDistanceFile, AMemoryImageIsDescribedInItsOwnUnit) {
  Fixture f;  // the page shows metres
  model::ParameterImage& memory = *f.link.images.Image(2);
  memory.speakerDistance.unit = 1;
  model::WriteSpeakerDistanceDefaults(memory.speakerDistance);
  EXPECT_EQ(f.page.settings().DescribeItem(memory, 281, -1, true).value, "8.5");
  EXPECT_EQ(f.page.settings().DescribeItem(memory, 278, -1, false).value, "Feet");
  EXPECT_TRUE(f.page.settings().ParseItem(memory, 281, -1, "80.0"));
  EXPECT_EQ(Distance(memory, 281), 800);
  EXPECT_EQ(f.page.unit(), 0);
}

TEST(SpeakerDistanceRefresh, ItemOnTheActivePageAndAUnitChangeUnderIt) {
  Fixture f;
  ASSERT_TRUE(model::SetParameter(f.image(), 280, 450));
  f.page.RefreshItem(280, true);
  EXPECT_EQ(f.page.label(280).text(), " 4.50");
  EXPECT_EQ(f.page.slider(280).GetValue(), 450);

  // The receiver reports a distance in feet: unit 278 first, then the distance.
  f.image().speakerDistance.unit = 1;
  ASSERT_TRUE(model::SetParameter(f.image(), 280, 120));
  f.page.RefreshItem(278, false);
  EXPECT_EQ(f.page.unit(), 0);
  f.page.RefreshItem(280, true);
  EXPECT_EQ(f.page.unit(), 1);
  EXPECT_EQ(f.page.label(280).text(), " 12.0");
  EXPECT_EQ(f.page.label(279).text(), " 30.0");  // every slider now reads feet
  EXPECT_EQ(f.page.slider(280).maxPosition(), 160);

  f.page.setActive(false);
  ASSERT_TRUE(model::SetParameter(f.image(), 280, 125));
  f.page.RefreshItem(280, true);
  EXPECT_EQ(f.page.label(280).text(), " 12.0");
}

}  // namespace
}  // namespace tw::test
