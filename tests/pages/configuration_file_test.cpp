// The configuration file over the pages' settings, the Basic Control group and the System Memories:
// what Save writes, what Load merges, and that bad entries change nothing.

#include "settings/configuration_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "files/profile.h"
#include "pages/configuration_fakes.h"
#include "pages/fake_page_link.h"

namespace tw::test {
namespace {

struct Fixture {
  explicit Fixture(int region = 1) { link.region = region; }
  model::ParameterImage& image(int i) { return *link.images.Image(i); }
  std::string save() const { return file.Save(link.images, memo).Text(); }

  FakePageLink link{comm::WorkingMode::Async};
  FakeCatalogue catalogue;
  FakeBasicSettings basic;
  settings::ConfigurationFile file{[this] { return link.settingContext(); }, catalogue.pages, &basic};
  std::string memo;
};

// Gives every setting the fixture knows a value of its own.
void Scramble(model::ParameterImages& images) {
  for (int i = 0; i < 7; ++i) {
    model::ParameterImage& image = *images.Image(i);
    for (int n : {0, 1, 2, 5, 6, 7, 8, 9}) image.basic[static_cast<std::size_t>(n)] = 10 * i + n + 1;
    image.basic[3] = i % 3;  // a program with parameters
    for (int d = 0; d < 6; ++d) image.dsp[static_cast<std::size_t>(d)] = 100 + 10 * i + d;
    image.multiZone[0] = -i;
    image.multiZone[3] = -200 - i;
    image.multiZone[9] = -300 - i;
    image.speakerLevel[0] = 5 * i;
    image.speakerLevel[1] = -5 * i;
    image.tone[0] = i;
    image.tone[1] = 7 + i;
    image.xm.presets[0] = 40 + i;
  }
}

TEST(ConfigurationFile, SaveWritesTheSectionsInFileOrder) {
  Fixture f;
  f.memo = "a\r\nb";
  for (int i = 0; i < 7; ++i) f.image(i).basic[3] = 0;
  f.image(0).basic[3] = 1;
  f.image(2).basic[3] = 2;
  f.image(2).dsp[4] = 9;
  f.image(5).basic[8] = -125;
  const files::Profile saved = files::Profile::Parse(f.save());
  const std::vector<std::string> expected = {
      "User Memo", "Basic Control", "Multi Zone", "DSP Parameters Hall A", "DSP Parameters Hall B",
      "DSP Parameters Club", "Speaker Level", "Tone Control", "XM Set",
      // System: memory by memory, each with its own program's DSP section only.
      "System Memory 1 Basic Control", "System Memory 1 DSP Parameters Hall A",
      "System Memory 1 Speaker Level", "System Memory 1 Tone Control", "System Memory 2 Basic Control",
      "System Memory 2 DSP Parameters Club", "System Memory 2 Speaker Level", "System Memory 2 Tone Control",
      "System Memory 3 Basic Control", "System Memory 3 DSP Parameters Hall A",
      "System Memory 3 Speaker Level", "System Memory 3 Tone Control", "System Memory 4 Basic Control",
      "System Memory 4 DSP Parameters Hall A", "System Memory 4 Speaker Level",
      "System Memory 4 Tone Control", "System Memory 5 Basic Control",
      "System Memory 5 DSP Parameters Hall A", "System Memory 5 Speaker Level",
      "System Memory 5 Tone Control", "System Memory 6 Basic Control",
      "System Memory 6 DSP Parameters Hall A", "System Memory 6 Speaker Level",
      "System Memory 6 Tone Control", "Volume Memory 1 Basic Control", "Volume Memory 2 Basic Control",
      "Volume Memory 3 Basic Control", "Volume Memory 4 Basic Control", "Volume Memory 5 Basic Control",
      "Volume Memory 6 Basic Control", "Zone2 Volume Memory 1 Multi Zone", "Zone2 Volume Memory 2 Multi Zone",
      "Zone2 Volume Memory 3 Multi Zone", "Zone2 Volume Memory 4 Multi Zone",
      "Zone2 Volume Memory 5 Multi Zone", "Zone2 Volume Memory 6 Multi Zone",
      "Zone3 Volume Memory 1 Multi Zone", "Zone3 Volume Memory 2 Multi Zone",
      "Zone3 Volume Memory 3 Multi Zone", "Zone3 Volume Memory 4 Multi Zone",
      "Zone3 Volume Memory 5 Multi Zone", "Zone3 Volume Memory 6 Multi Zone"};
  EXPECT_EQ(saved.SectionNames(), expected);
  EXPECT_EQ(saved.GetString("User Memo", "User Memo", ""), "a\\r\\nb");
  EXPECT_EQ(saved.KeyNames("Basic Control"),
            (std::vector<std::string>{"Input", "Audio Select", "Decoder Mode", "DSP Program", "EXTD SUR",
                                      "Night Mode", "Night Mode Parameter", "Main Volume", "Mute"}));
  EXPECT_EQ(saved.KeyNames("System Memory 2 Basic Control"),
            (std::vector<std::string>{"DSP Program", "Night Mode", "Night Mode Parameter"}));
  EXPECT_EQ(saved.GetString("System Memory 2 DSP Parameters Club", "Delay", ""), "v9");
  EXPECT_EQ(saved.KeyNames("System Memory 1 Tone Control"), std::vector<std::string>{"Tone Bypass"});
  EXPECT_EQ(saved.KeyNames("Volume Memory 5 Basic Control"), std::vector<std::string>{"Main Volume"});
  EXPECT_EQ(saved.GetString("Volume Memory 5 Basic Control", "Main Volume", ""), "-125");
  EXPECT_EQ(saved.KeyNames("Zone2 Volume Memory 1 Multi Zone"), std::vector<std::string>{"Zone2 Volume"});
  EXPECT_EQ(saved.KeyNames("Zone3 Volume Memory 1 Multi Zone"), std::vector<std::string>{"Zone3 Volume"});
}

TEST(ConfigurationFile, SaveLoadSaveGivesTheSameBytesAndTheSameImages) {
  Fixture a;
  Scramble(a.link.images);
  a.memo = "Living room\r\n  second line ";
  const std::string first = a.save();

  Fixture b;
  b.file.Load(files::Profile::Parse(first), b.link.images, b.memo);
  EXPECT_EQ(b.memo, a.memo);
  EXPECT_EQ(b.save(), first);
  EXPECT_EQ(b.image(0), a.image(0));
  for (int m = 1; m <= 6; ++m) {
    // A memory keeps only its own program's DSP values; everything the file names is equal.
    model::ParameterImage expected = b.image(m);
    expected.basic[3] = a.image(m).basic[3];
    expected.basic[6] = a.image(m).basic[6];
    expected.basic[7] = a.image(m).basic[7];
    expected.basic[8] = a.image(m).basic[8];
    const auto program = static_cast<std::size_t>(a.image(m).basic[3]);
    expected.dsp[2 * program] = a.image(m).dsp[2 * program];
    expected.dsp[2 * program + 1] = a.image(m).dsp[2 * program + 1];
    expected.speakerLevel = a.image(m).speakerLevel;
    expected.tone[0] = a.image(m).tone[0];
    expected.multiZone[3] = a.image(m).multiZone[3];
    expected.multiZone[9] = a.image(m).multiZone[9];
    EXPECT_EQ(b.image(m), expected) << "memory " << m;
  }
}

TEST(ConfigurationFile, OtherProgramsOfAMemoryAreNeitherWrittenNorRead) {
  Fixture f;
  f.image(3).basic[3] = 1;  // Hall B
  const files::Profile saved = files::Profile::Parse(f.save());
  EXPECT_FALSE(saved.HasKey("System Memory 3 DSP Parameters Hall A", "Delay"));
  EXPECT_TRUE(saved.HasKey("System Memory 3 DSP Parameters Hall B", "Delay"));

  const model::ParameterImage before = f.image(3);
  f.file.Load(files::Profile::Parse("[System Memory 3 DSP Parameters Hall A]\r\nDelay=v77\r\n"),
              f.link.images, f.memo);
  EXPECT_EQ(f.image(3), before);
}

TEST(ConfigurationFile, AMemoryReadsTheDspParametersOfTheProgramItsFileGives) {
  Fixture f;
  f.image(4).basic[3] = 0;
  f.file.Load(
      files::Profile::Parse("[System Memory 4 Basic Control]\r\nDSP Program=Club\r\n"
                            "[System Memory 4 DSP Parameters Club]\r\nDelay=v12\r\nRoom Size=v13\r\n"),
      f.link.images, f.memo);
  EXPECT_EQ(f.image(4).basic[3], 2);
  EXPECT_EQ(f.image(4).dsp[4], 12);
  EXPECT_EQ(f.image(4).dsp[5], 13);
}

TEST(ConfigurationFile, APartialFileMergesIntoTheImages) {
  Fixture f;
  Scramble(f.link.images);
  f.memo = "kept";
  model::ParameterImages expected = f.link.images;
  expected.Image(0)->speakerLevel[0] = 35;
  f.file.Load(files::Profile::Parse("[Speaker Level]\r\nFL=35\r\n"), f.link.images, f.memo);
  for (int i = 0; i < 7; ++i) EXPECT_EQ(f.image(i), *expected.Image(i)) << "image " << i;
  EXPECT_EQ(f.memo, "kept");
}

TEST(ConfigurationFile, XmSetIsWrittenForRegionOneOnlyAndAlwaysRead) {
  Fixture f(2);
  f.image(0).xm.presets[0] = 17;
  EXPECT_FALSE(files::Profile::Parse(f.save()).HasKey("XM Set", "PageA No.1"));
  f.file.Load(files::Profile::Parse("[XM Set]\r\nPageA No.1=33\r\n"), f.link.images, f.memo);
  EXPECT_EQ(f.image(0).xm.presets[0], 33);
  EXPECT_TRUE(f.file.KnownEntries(f.link.images, f.memo).HasKey("XM Set", "PageA No.1"));
}

TEST(ConfigurationFile, BadEntriesChangeNothing) {
  Fixture f;
  Scramble(f.link.images);
  const model::ParameterImages before = f.link.images;
  const std::string texts[] = {
      "",
      std::string("\0\0\x01\xff[\0]=", 8),
      "garbage without structure\r\n\x7f\x80\x81",
      "[Speaker Level]\r\nFL=1e3\r\nFR=\r\n[Basic Control]\r\nDSP Program=Opera\r\nMain Volume=loud\r\n",
      "[Speaker Level\r\nFL=5\r\n",  // no closing bracket: not a section
      "[Speaker Level]\r\nFL=" + std::string(100000, '9') + "\r\n",
      "[System Memory 9 Speaker Level]\r\nFL=5\r\n[System Memory 0 Speaker Level]\r\nFL=5\r\n",
  };
  for (const std::string& text : texts) {
    f.file.Load(files::Profile::Parse(text), f.link.images, f.memo);
    for (int i = 0; i < 7; ++i)
      ASSERT_EQ(f.image(i), *before.Image(i)) << "image " << i << " after " << text.size();
  }
}

TEST(ConfigurationFile, NamesMatchWithoutCaseAndBlanksAndLfOnlyLinesAndAByteOrderMarkRead) {
  Fixture f;
  f.file.Load(
      files::Profile::Parse("\xEF\xBB\xBF[ speaker level ]\nfl = 15\n[MULTI ZONE]\nZONE2 VOLUME=\"-250\"\n"),
      f.link.images, f.memo);
  EXPECT_EQ(f.image(0).speakerLevel[0], 15);
  EXPECT_EQ(f.image(0).multiZone[3], -250);
}

TEST(ConfigurationFile, SaveToAFileAndLoadItBack) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "tw_configuration_file_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const std::filesystem::path path = dir / "client.qcf";
  Fixture a;
  Scramble(a.link.images);
  ASSERT_TRUE(a.file.Save(path, a.link.images, "memo"));
  Fixture b;
  ASSERT_TRUE(b.file.Load(path, b.link.images, b.memo));
  EXPECT_EQ(b.image(0), a.image(0));
  EXPECT_EQ(b.memo, "memo");

  // A file that cannot be read changes nothing and says why.
  const files::FileStatus missing = b.file.Load(dir / "missing.qcf", b.link.images, b.memo);
  EXPECT_FALSE(missing);
  EXPECT_NE(missing.error.find("missing.qcf"), std::string::npos);
  EXPECT_EQ(b.image(0), a.image(0));
  std::filesystem::remove_all(dir);
}

TEST(ConfigurationCheck, TellsWhichEntriesWereNotRead) {
  Fixture f;
  const files::Profile before = f.file.KnownEntries(f.link.images, f.memo);
  const files::Profile text = files::Profile::Parse(
      "[Speaker Level]\r\nFL=15\r\nFR=loud\r\nSW=3\r\nFL2=\r\n"
      "[Basic Control]\r\ninput=0\r\n"
      "[Kitchen]\r\nLight=on\r\n");
  f.file.Load(text, f.link.images, f.memo);
  const settings::ConfigurationCheck check =
      settings::CheckRead(text, before, f.file.KnownEntries(f.link.images, f.memo));
  EXPECT_EQ(check.entries, 5u);  // the empty FL2 is not an entry
  EXPECT_EQ(check.read, 2u);     // FL and Input (its text equals the value held)
  ASSERT_EQ(check.ignored.size(), 3u);
  EXPECT_EQ(settings::DescribeIgnored(check.ignored[0]),
            "[Speaker Level] FR = \"loud\": not one of this setting's values, left unchanged");
  EXPECT_EQ(settings::DescribeIgnored(check.ignored[1]),
            "[Speaker Level] SW = \"3\": not a setting of this tool, ignored");
  EXPECT_EQ(check.ignored[2].section, "Kitchen");
}

}  // namespace
}  // namespace tw::test
