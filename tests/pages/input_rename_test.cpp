// Input Rename: the name of every input, padded and sent as the receiver stores it, refused
// when the line cannot carry it, quoted in files, and shown row by row.

#include <gtest/gtest.h>

#include "pages/page_walks.h"

#include "pages/input/input_rename_page.h"
#include "pages/input_fixture.h"

namespace tw::test {
namespace {

using comm::WorkingMode;
using Fixture = PageFixture<pages::InputRenamePage>;

constexpr int kFirst = 240;

void Rename(Fixture& f, int row, const std::string& text) {
  ASSERT_TRUE(f.page.names().select(row));
  ASSERT_TRUE(f.page.edit().type(text));
  ASSERT_TRUE(f.page.enterButton().click());
}

TEST(InputRenameCommands, RenamingCdToAbcSendsTheEightCharactersWithAnUpperCaseChecksum) {
  Fixture f;
  Rename(f, 1, "ABC");
  EXPECT_EQ(TextOf(f.image(), 241), "ABC     ");
  EXPECT_EQ(f.link.sent, (std::vector<Sent>{{"\x14" "2011011100108ABC     E6\x03", 241}, {"", 564}}));
}

TEST(InputRenameCommands, EveryInputTakesItsNameUnderItsOwnCodeAndRow) {
  Fixture f;
  for (int i = 0; i < 14; ++i) {
    const NamedInputCase& input = kNamedInputs[static_cast<std::size_t>(i)];
    f.link.sent.clear();
    const std::string name = "In " + std::to_string(i);
    Rename(f, i, name);
    const std::string padded = name + std::string(8 - name.size(), ' ');
    EXPECT_EQ(TextOf(f.image(), kFirst + i), padded) << input.key;
    EXPECT_EQ(f.page.names().cell(i, 0), input.key);
    EXPECT_EQ(f.page.names().cell(i, 1), padded) << input.key;
    EXPECT_EQ(f.link.sent, (std::vector<Sent>{{Dc4Upper("201101110" + input.code + "08" + padded), kFirst + i},
                                              {"", 564}}))
        << input.key;
    EXPECT_EQ(f.page.settings().DescribeItem(f.image(), kFirst + i, -1, false).key, input.key);
  }
}

TEST(InputRenameCommands, AsyncModeStoresAndShowsButSendsNothing) {
  Fixture f(WorkingMode::Async);
  Rename(f, 12, "Dock 2");
  EXPECT_EQ(TextOf(f.image(), 252), "Dock 2  ");
  EXPECT_EQ(f.page.names().cell(12, 1), "Dock 2  ");
  EXPECT_TRUE(f.link.sent.empty());
}

TEST(InputRenameRefusals, TextsTheLineCannotCarryAreRefusedWithAMessageAndNeverSent) {
  Fixture f;
  for (const std::string bad : {"Caf\xc3\xa9", "a\tb", "\x7f"}) {
    f.link.sent.clear();
    const std::size_t shown = f.ui.messages().size();
    Rename(f, 1, bad);
    EXPECT_EQ(TextOf(f.image(), 241), "   CD   ") << bad;
    EXPECT_EQ(f.page.names().cell(1, 1), "   CD   ") << bad;
    EXPECT_TRUE(f.link.sent.empty()) << bad;
    ASSERT_EQ(f.ui.messages().size(), shown + 1) << bad;
    EXPECT_EQ(f.ui.messages().back().icon, ui::MessageIcon::Stop);
    EXPECT_NE(f.ui.messages().back().text.find("plain ASCII"), std::string::npos);
  }
  // The edit box never holds more than eight characters.
  f.page.edit().type("ABCDEFGHIJ");
  EXPECT_EQ(f.page.edit().text(), "ABCDEFGH");
}

TEST(InputRenameFiles, NamesAreQuotedSoTheirBlanksSurviveAndBadTextsChangeNothing) {
  Fixture f;
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 241, -1, false).value, "\"   CD   \"");
  EXPECT_EQ(f.page.settings().DescribeItem(f.image(), 241, -1, true).value, "\"   CD   \"");

  struct Case {
    std::string text;  // as the profile reader gives it (quotes already removed)
    std::string stored;
  };
  for (const Case& c : {Case{"ABC", "ABC     "}, Case{" Turn 1 ", " Turn 1 "}, Case{"12345678", "12345678"},
                        Case{"12345678   ", "12345678"}, Case{"", "        "}}) {
    EXPECT_TRUE(f.page.settings().ParseItem(f.image(), 240, -1, c.text)) << c.text;
    EXPECT_EQ(TextOf(f.image(), 240), c.stored) << c.text;
  }
  for (const std::string bad : {"123456789", "Caf\xc3\xa9", "a\tb"}) {
    EXPECT_FALSE(f.page.settings().ParseItem(f.image(), 240, -1, bad)) << bad;
    EXPECT_EQ(TextOf(f.image(), 240), "        ") << bad;
  }

  // Through a profile file and back.
  f.image().inputNames = {};
  ASSERT_TRUE(f.page.settings().ParseItem(f.image(), 246, -1, "TV  "));
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  const files::Profile read = files::Profile::Parse(profile.Text());
  EXPECT_NE(profile.Text().find("DTV=\"TV      \"\r\n"), std::string::npos) << profile.Text();
  model::ParameterImage& other = *f.link.images.Image(2);
  LoadItems(f.page.settings(), f.link, other, read);
  EXPECT_EQ(TextOf(other, 246), "TV      ");
}

TEST(InputRenameRefresh, RefreshingOneInputUpdatesOnlyItsOwnRow) {
  Fixture f;
  for (int i = 0; i < 14; ++i) model::SetParameterText(f.image(), kFirst + i, "NEW " + std::to_string(i));
  // One number at a time: its row follows the image, the rows after it still show the old names.
  for (int i = 0; i < 14; ++i) {
    f.page.RefreshItem(kFirst + i, true);
    for (int row = 0; row < 14; ++row) {
      const bool refreshed = row <= i;
      EXPECT_EQ(f.page.names().cell(row, 1).rfind("NEW", 0) == 0, refreshed) << "after " << kFirst + i << " row " << row;
    }
  }
  EXPECT_EQ(f.page.names().cell(12, 0), "DOCK");
  EXPECT_EQ(f.page.names().cell(12, 1), "NEW 12") << "252 is DOCK's name";
  // A page that is not active catches up when it is activated.
  model::SetParameterText(f.image(), 252, "LATER");
  f.page.setActive(false);
  f.page.RefreshItem(252, true);
  EXPECT_EQ(f.page.names().cell(12, 1), "NEW 12");
  f.page.setActive(true);
  f.page.OnSetActive();
  EXPECT_EQ(f.page.names().cell(12, 1), "LATER");
}

TEST(InputRenameSelection, TheEditBoxOffersTheSelectedInputsName) {
  Fixture f;
  EXPECT_EQ(f.page.names().selectedRow(), 0);
  EXPECT_EQ(f.page.edit().text(), " PHONO");
  f.page.names().select(4);
  EXPECT_EQ(f.page.edit().text(), "MD/TAPE");
}

TEST(InputRenameDefault, DefaultRestoresTheNamesAndSendsThemAllInRealTimeMode) {
  Fixture f;
  for (int i = 0; i < 14; ++i) model::SetParameterText(f.image(), kFirst + i, "X");
  f.link.sent.clear();
  ASSERT_TRUE(f.page.defaultButton().click());
  EXPECT_EQ(TextOf(f.image(), 240), " PHONO  ");
  EXPECT_EQ(f.page.names().cell(13, 1), "MULTI CH");
  ASSERT_EQ(f.link.sent.size(), 15u);
  EXPECT_EQ(f.link.sent[1], (Sent{Dc4Upper("2011011100108   CD   "), 241}));
  EXPECT_EQ(f.link.sent.back(), (Sent{"", 564}));
}

TEST(InputRenameAvailability, WithoutTheXmTunerTheXmNameIsNeitherSentNorEditable) {
  Fixture f(WorkingMode::RealTime);
  f.link.caps.xm = 0;
  f.page.UpdateAvailability();
  // Selecting XM disables the name box and Enter; any other input enables them again.
  for (int row : {11, 12, 11}) {
    ASSERT_TRUE(f.page.names().select(row));
    EXPECT_EQ(f.page.edit().isEnabled(), row != 11) << row;
    EXPECT_EQ(f.page.enterButton().isEnabled(), row != 11) << row;
  }
  EXPECT_FALSE(f.page.enterButton().click());
  EXPECT_TRUE(f.link.sent.empty());
  f.link.sent.clear();
  f.page.QueueAll(f.image());
  ASSERT_EQ(f.link.sent.size(), 13u);
  for (const Sent& sent : f.link.sent) EXPECT_NE(sent.number, 251);
  // The file still carries it.
  files::Profile profile;
  SaveItems(f.page.settings(), f.link, f.image(), profile);
  EXPECT_TRUE(profile.HasKey("Input Rename", "XM"));
}

}  // namespace
}  // namespace tw::test
