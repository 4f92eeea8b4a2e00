// Every decode entry against a report the receiver would send: standard reports written
// out one by one, extended replies built from the command table's read rows.

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "model/command_table.h"
#include "model/decode.h"

namespace tw::model {
namespace {

const std::string kStxText = "\x02";
const std::string kEtxText = "\x03";
const std::string kDc4Text = "\x14";

std::string Stx(const std::string& body) { return kStxText + body + kEtxText; }

std::string Checksum(const std::string& body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  char text[3];
  std::snprintf(text, sizeof text, "%02X", sum & 0xFFu);
  return text;
}
// A complete extended reply: `start` (DC4 included) followed by the value characters.
std::string Extended(const std::string& start, const std::string& value) {
  const std::string body = start.substr(1) + value;
  return kDc4Text + body + Checksum(body) + kEtxText;
}

std::string Describe(const DecodeResult& r) {
  if (!r.decoded) return "not decoded";
  std::string s = "g" + std::to_string(r.group);
  for (const DecodedValue& v : r.values) {
    s += " " + std::to_string(v.number);
    if (!v.hasValue()) continue;
    s += "=" + (v.isText() ? "\"" + v.text + "\"" : std::to_string(v.value));
  }
  return s;
}

struct Case {
  std::string frame;
  std::string expected;
};

// The standard reports, in table order, each with a value that tells the nodes apart.
std::vector<Case> StandardCases() {
  std::vector<Case> cases = {
      {Stx("00210A"), "g1 1=9"},     {Stx("002208"), "g1 3=0 2=1"}, {Stx("002213"), "g1 3=1 2=2"},
      {Stx("002224"), "g1 3=2 2=3"}, {Stx("00231F"), "g1 10=31"},   {Stx("00240C"), "g2 15=10"},
      {Stx("002507"), "g2 19=7"},    {Stx("002600"), "g1 9=-805"},  {Stx("0026A0"), "g1 9=-195"},
      {Stx("002700"), "g2 18=-805"}, {Stx("0027C8"), "g2 18=5"},
  };
  const std::pair<const char*, int> programs[] = {
      {"00", 0},  {"05", 1},  {"07", 2},  {"09", 3},  {"0B", 4},  {"0D", 5},  {"11", 6},  {"0F", 7},
      {"10", 8},  {"0E", 9},  {"2D", 10}, {"24", 11}, {"25", 12}, {"28", 13}, {"29", 14}, {"20", 15},
      {"21", 16}, {"1E", 17}, {"1F", 18}, {"18", 19}, {"1C", 20}, {"2C", 21}, {"34", 22}, {"17", 23},
      {"80", 28}, {"40", 24}, {"41", 25}, {"42", 26}, {"43", 27}};
  for (const auto& [code, program] : programs) {
    cases.push_back({Stx(std::string("0028") + code), "g1 4=" + std::to_string(program)});
  }
  const std::vector<Case> more = {
      {Stx("002B01"), "g17 526=1"},  {Stx("002D04"), "g1 6=3"},     {Stx("003A00"), "g10 307=3"},
      {Stx("003B02"), "g10 345=1"},  {Stx("003E05"), "g2 16=5"},    {Stx("003F0A"), "g2 21=10"},
      {Stx("00AD3C"), "g2 25=60"},   {Stx("00AE14"), "g2 26=20"},   {Stx("00401E"), "g7 269=-50"},
      {Stx("00411E"), "g7 268=-50"}, {Stx("00421E"), "g7 270=-50"}, {Stx("00431E"), "g7 272=-50"},
      {Stx("00441E"), "g7 271=-50"}, {Stx("00451E"), "g7 274=-50"}, {Stx("00461E"), "g7 273=-50"},
      {Stx("00471E"), "g7 276=-50"}, {Stx("00481E"), "g7 275=-50"}, {Stx("00493C"), "g7 277=100"},
      {Stx("004B0F"), "g9 298=5"},   {Stx("004C0F"), "g9 299=5"},   {Stx("004D00"), "g9 300=-10"},
      {Stx("004E14"), "g9 301=10"},  {Stx("00511C"), "g9 302=80"},  {Stx("005215"), "g9 303=10"},
      {Stx("00532A"), "g9 304=42"},  {Stx("005F01"), "g19 533=1"},  {Stx("006002"), "g19 532=2"},
      {Stx("008F03"), "g19 534=3"},  {Stx("006106"), "g17 525=2"},  {Stx("006904"), "g17 517=4"},
      {Stx("008505"), "g17 518=5"},  {Stx("006209"), "g17 520=4"},  {Stx("006301"), "g17 519=1"},
      {Stx("008602"), "g17 521=2"},  {Stx("009303"), "g17 527=3"},  {Stx("006704"), "g17 528=4"},
      {Stx("006402"), "g9 305=2"},   {Stx("006501"), "g9 306=1"},   {Stx("006603"), "g2 17=3"},
      {Stx("006B02"), "g2 22=2"},    {Stx("007000"), "g14 428=2"},  {Stx("007100"), "g14 427=1"},
      {Stx("007202"), "g14 429=0"},  {Stx("007301"), "g14 430=3"},  {Stx("007401"), "g14 431=0"},
      {Stx("007502"), "g14 433=2"},  {Stx("007610"), "g14 435=1"},  {Stx("007B00"), "g18 529=0"},
  };
  cases.insert(cases.end(), more.begin(), more.end());
  const char* fronts[] = {"02", "03", "04", "05", "06", "07", "09", "0A", "0C"};
  for (int i = 0; i < 9; ++i) {
    cases.push_back({Stx(std::string("007B") + fronts[i]), "g18 529=1 530=" + std::to_string(i)});
  }
  const char* backgrounds[] = {"05", "06", "07", "09", "0A", "0C", "01", "00"};
  for (int i = 0; i < 8; ++i) {
    cases.push_back({Stx(std::string("006F") + backgrounds[i]), "g18 531=" + std::to_string(i)});
  }
  const std::vector<Case> rest = {
      {Stx("007D00"), "g14 432=1"},  {Stx("007E08"), "g14 434=8"}, {Stx("008203"), "g1 7=3"},
      {Stx("008B12"), "g1 7=1 8=2"}, {Stx("00A00E"), "g2 20=11"},  {Stx("00A104"), "g2 24=4"},
      {Stx("00A200"), "g2 23=-805"}, {Stx("00A2B4"), "g2 23=-95"}, {Stx("00A801"), "g9 289=1"},
  };
  cases.insert(cases.end(), rest.begin(), rest.end());
  const char* advanced[] = {"00B3", "00B7", "00B9", "00BD", "00B1", "00B5",
                            "00BA", "00B2", "00B4", "00BB", "00B8"};
  for (int i = 0; i < 11; ++i) {
    cases.push_back({Stx(std::string(advanced[i]) + "0" + std::to_string(i % 10)),
                     "g20 " + std::to_string(535 + i) + "=" + std::to_string(i % 10)});
  }
  return cases;
}

std::vector<Case> TrailingStandardCases() {
  std::vector<Case> cases = {
      {Stx("009600"), "g22 548=0"}, {Stx("009601"), "g22 548=1"}, {Stx("009700"), "g22 549=0"},
      {Stx("009701"), "g22 549=1"}, {Stx("009702"), "g22 549=2"}, {Stx("009800"), "g22 550=0"},
      {Stx("009801"), "g22 550=1"}, {Stx("009802"), "g22 550=2"},
  };
  const char* memories[] = {"0030", "0031", "0032", "0033", "0037", "0038", "00A3", "00A4"};
  for (int i = 0; i < 8; ++i) {
    cases.push_back({Stx(std::string(memories[i]) + "01"), "g21 " + std::to_string(556 + i)});
  }
  const char* power[] = {"0,0,0", "1,1,1", "1,0,0", "0,1,1", "1,1,0", "1,0,1", "0,1,0", "0,0,1"};
  for (int d = 0; d < 8; ++d) {
    const std::string p = power[d];
    cases.push_back(
        {Stx("00200" + std::to_string(d)), std::string("g1 12=") + p[0] + " 13=" + p[2] + " 14=" + p[4]});
  }
  return cases;
}

const CommandRow& Row(int r) { return kCommandTable[static_cast<std::size_t>(r)]; }
std::string Reply(int r) { return Row(r).replyPrefix; }

// The Speaker Distance page's channel codes and their numbers.
int DistanceNumber(char channel) {
  const std::map<char, int> numbers = {{'2', 279}, {'3', 280}, {'0', 281}, {'4', 282}, {'5', 283},
                                       {'6', 284}, {'7', 285}, {'8', 286}, {'9', 287}, {'A', 288}};
  return numbers.at(channel);
}

int ControlOutNumber(const std::string& reply) {
  const int base = reply[9] == '0' ? 308 : 346;
  const int zone = reply[10] - '0';
  const std::string source = reply.substr(11, 2);
  const std::vector<std::string> sources = {"00", "01", "02", "03", "04", "05", "06", "07", "09", "0A", "0C"};
  for (std::size_t s = 0; s < sources.size(); ++s) {
    if (sources[s] == source) return base + 3 * static_cast<int>(s) + zone;
  }
  if (source == "10") return base + 33;
  return base + 34 + zone;  // "0E"
}

// DSP reads numbered out of row order: program code and parameter to number.
int DspNumber(const std::string& program, const std::string& param, int rowOrderNumber) {
  const std::map<std::string, int> drama = {{"0E0", 132}, {"1C0", 133}, {"000", 134}, {"010", 135},
                                            {"051", 136}, {"052", 137}, {"085", 138}, {"061", 139},
                                            {"062", 140}, {"095", 141}, {"1B0", 142}};
  const std::map<std::string, int> decoder = {{"0F0", 197}, {"110", 198}, {"100", 199}, {"120", 200},
                                              {"200", 201}, {"220", 202}, {"1B0", 203}};
  if (program == "29") return drama.at(param);
  if (program == "2C") return decoder.at(param);
  return rowOrderNumber;
}

// Extended replies to the command table's read rows, in the decode table's order.
std::vector<Case> ExtendedCases() {
  std::vector<Case> cases;
  const auto n = [](int number) { return std::to_string(number); };
  for (int r = 323; r <= 336; ++r)
    cases.push_back({Extended(Reply(r), "0C"), "g6 " + n(254 + r - 323) + "=10"});
  for (int r = 425; r <= 438; ++r)
    cases.push_back({Extended(Reply(r), "10"), "g11 " + n(383 + r - 425) + "=20"});
  for (int r = 351; r <= 424; ++r) {
    cases.push_back({Extended(Reply(r), "1"), "g10 " + n(ControlOutNumber(Reply(r))) + "=1"});
  }
  for (int r = 347; r <= 350; ++r) {
    const int first = 290 + 2 * (r - 347);
    cases.push_back({Extended(Reply(r), "120"), "g9 " + n(first) + "=1 " + n(first + 1) + "=100"});
  }
  for (int r = 337; r <= 346; ++r) {
    cases.push_back({Extended(Reply(r), "112C"), "g8 278=1 " + n(DistanceNumber(Reply(r)[9])) + "=300"});
  }
  int k = 0;
  for (int r = 19; r <= 227; ++r) {
    const std::string reply = Reply(r);
    if (reply[0] != '\x14') continue;  // a program selection
    const std::string program = reply.substr(9, 2);
    const std::string param = reply.substr(11, 3);
    const int number = DspNumber(program, param, 27 + k++);
    int value = 6;  // the value "06"
    if (param == "0E0") value = 0;
    if (param == "1B0") value = 1;
    if (program == "2C" && param == "100") value = 3;
    cases.push_back({Extended(reply, "06"), "g3 " + n(number) + "=" + n(value)});
  }
  for (int r = 439; r <= 503; ++r) {
    const std::string reply = Reply(r);
    const int channel = reply[9] <= '9' ? reply[9] - '0' : reply[9] - 'A' + 10;
    const int band = (reply[10] <= '9' ? reply[10] - '0' : reply[10] - 'A' + 10) / 2;
    cases.push_back({Extended(reply, "11"), "g12 397=" + n(channel) + " " + n(398 + band) + "=10"});
  }
  for (int r = 228; r <= 268; ++r) {
    cases.push_back({Extended(Reply(r), "1087.50"), "g15 " + n(436 + r - 228) + "=\"087.50\""});
  }
  for (int r = 269; r <= 308; ++r)
    cases.push_back({Extended(Reply(r), "FF"), "g16 " + n(477 + r - 269) + "=255"});
  for (int r = 309; r <= 322; ++r) {
    cases.push_back({Extended(Reply(r), "08ABCDEFGH"), "g5 " + n(240 + r - 309) + "=\"ABCDEFGH\""});
  }
  const std::string play(120, 'P');
  const std::string list = "2" + std::string(80, 'L');
  cases.push_back({Extended(kDc4Text + "207D00402", play), "g22 554=\"" + play + "\""});
  cases.push_back({Extended(kDc4Text + "205600502", list), "g22 555=\"" + list + "\""});
  cases.push_back({Extended(kDc4Text + "200600400", "0"), "g22 551=0"});
  cases.push_back({Extended(kDc4Text + "200600400", "1"), "g22 551=1"});
  cases.push_back({Extended(kDc4Text + "200600500", "0"), "g22 552=0"});
  cases.push_back({Extended(kDc4Text + "200600500", "1"), "g22 552=1"});
  return cases;
}

std::vector<Case> AllCases() {
  std::vector<Case> all = StandardCases();
  for (auto part : {ExtendedCases(), TrailingStandardCases()})
    all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(DecodeEntries, EveryReportDecodesToItsNumbersAndValues) {
  for (const Case& c : AllCases()) {
    EXPECT_EQ(Describe(Decode(c.frame)), c.expected) << "frame " << c.frame;
  }
}

TEST(DecodeEntries, TheCasesExerciseEveryEntryInTableOrder) {
  const std::vector<Case> cases = AllCases();
  ASSERT_EQ(cases.size(), kReplyEntryCount);
  std::set<int> hit;
  int previous = -1;
  for (const Case& c : cases) {
    const int index = FindReplyEntry(c.frame);
    ASSERT_GE(index, 0) << c.frame;
    hit.insert(index);
    // The cases follow the table's stated order, so a moved entry shows here.
    EXPECT_EQ(index, previous + 1) << "frame " << c.frame;
    previous = index;
  }
  EXPECT_EQ(hit.size(), kReplyEntryCount);
}

TEST(DecodeEntries, SurroundLayoutListsDifferForTheSurroundDecoderProgram) {
  // "08" is a layout only of the Surround Decoder program (code 2C).
  EXPECT_EQ(Describe(Decode(Extended(kDc4Text + "200B02102C1B0", "08"))), "g3 203=3");
  EXPECT_EQ(Describe(Decode(Extended(kDc4Text + "200B02102C1B0", "0B"))), "g3 203=8");
  EXPECT_EQ(Describe(Decode(Extended(kDc4Text + "200B02102D1B0", "08"))), "g3");
  EXPECT_EQ(Describe(Decode(Extended(kDc4Text + "200B02102D1B0", "04"))), "g3 98=2");
  EXPECT_EQ(Describe(Decode(Extended(kDc4Text + "200B021029"
                                                "1B0",
                                     "06"))),
            "g3 142=1");
}

// Every read row the link sends (but the two that fill no block) is answered by a reply
// that some entry decodes into numbers of the block the row reads.
TEST(DecodeEntries, EveryReadRowsReplyIsDecoded) {
  for (int r = 5; r <= 503; ++r) {
    const std::string prefix = Reply(r);
    std::string reply;
    if (prefix[0] == '\x02') {
      reply = prefix.back() == '\x03' ? prefix : prefix + "05" + kEtxText;
    } else {
      const int length = std::stoi(prefix.substr(3, 2), nullptr, 16);
      const int valueChars = length - static_cast<int>(prefix.size() - 5);
      ASSERT_GT(valueChars, 0) << "row " << r;
      std::string value(static_cast<std::size_t>(valueChars), '0');
      if (prefix.starts_with(kDc4Text + "2011")) value = "08" + std::string(8, 'N');  // a name
      reply = Extended(prefix, value);
    }
    const DecodeResult result = Decode(reply);
    EXPECT_TRUE(result.decoded) << "row " << r;
    EXPECT_FALSE(result.values.empty()) << "row " << r;
  }
}

TEST(DecodeEntries, ExtendedEntriesMirrorTheCommandTableRowsInRowOrder) {
  int previousRow = -1;
  int previousGroup = 0;
  for (std::size_t i = 0; i < kReplyEntryCount; ++i) {
    const ReplyEntry& entry = kReplyTable[i];
    const std::string prefix(entry.prefix.view());
    if (prefix[0] != '\x14') continue;
    if (prefix == kDc4Text + "207D00402" || prefix == kDc4Text + "205600502") continue;  // no read row
    int row = -1;
    for (int r = 0; r < kRowCount; ++r) {
      if (prefix.starts_with(Reply(r))) {
        row = r;
        break;
      }
    }
    ASSERT_GE(row, 5) << "entry " << i << " mirrors no read row";
    // The value follows the row's reply prefix (the names' length digits "08" excepted).
    const std::size_t valuePos = static_cast<std::size_t>(entry.nodes[0].pos);
    const bool constant = entry.nodes[0].kind >= kKindSlot1;  // the value is part of the prefix
    if (entry.nodes[0].group != kGroupGraphicEq && !constant) {
      EXPECT_TRUE(valuePos == prefix.size() || valuePos == prefix.size() + 1) << "entry " << i;
    }
    const int group = entry.nodes[0].group;
    if (group == previousGroup) {
      // Entries that spell out the value share their row; all others have one row each.
      EXPECT_GE(row, previousRow + (constant ? 0 : 1)) << "entry " << i;
    }
    previousRow = row;
    previousGroup = group;
  }
}

}  // namespace
}  // namespace tw::model
