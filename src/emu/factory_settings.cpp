#include <cstdio>
#include <cstring>
#include <string_view>

#include "emu/dsp_parameters.h"
#include "emu/receiver_settings.h"
#include "emu/row_families.h"
#include "emu/wire_codes.h"
#include "model/ascii.h"

namespace tw::emu {
namespace {

// ---- standard report values ----

enum class Pick {
  Hex2,   // two hex digits of a number lo..hi
  Digit,  // "0" and one hex digit of a number lo..hi
  List,   // one of the space-separated values of `list`
};

struct ReportSetting {
  const char* code;
  const char* factory;
  Pick pick;
  int lo;
  int hi;
  const char* list;
};

constexpr ReportSetting Hex2(const char* code, const char* factory, int lo, int hi) {
  return {code, factory, Pick::Hex2, lo, hi, nullptr};
}
constexpr ReportSetting Digit(const char* code, const char* factory, int lo, int hi) {
  return {code, factory, Pick::Digit, lo, hi, nullptr};
}
constexpr ReportSetting List(const char* code, const char* factory, const char* list) {
  return {code, factory, Pick::List, 0, 0, list};
}

constexpr const char* kZoneInputList = "00 01 02 03 04 05 06 07 09 0A 0C 0E";

// Settings that stand alone; the ones that depend on each other are made in code below.
constexpr std::array<ReportSetting, 60> kReportSettings = {{
    Digit("23", "00", 0, 1),                // mute
    List("2D", "03", "00 03 01 04 05 06"),  // surround decoding
    List("24", "05", kZoneInputList),
    List("A0", "05", kZoneInputList),
    Digit("25", "00", 0, 1),
    Digit("A1", "00", 0, 1),  // zone mutes
    Hex2("26", "77", kVolumeMin, kVolumeZero),
    Hex2("27", "77", kVolumeMin, kVolumeZero),
    Hex2("A2", "77", kVolumeMin, kVolumeZero),
    Hex2("AD", "14", 0, 40),
    Hex2("AE", "14", 0, 40),  // zone balance
    // Speaker levels, (dB * 10 + 200) / 5.
    Hex2("40", "28", 20, 60),
    Hex2("41", "28", 20, 60),
    Hex2("42", "26", 20, 60),
    Hex2("43", "26", 20, 60),
    Hex2("44", "26", 20, 60),
    Hex2("45", "26", 20, 60),
    Hex2("46", "26", 20, 60),
    Hex2("47", "28", 20, 60),
    Hex2("48", "28", 20, 60),
    Hex2("49", "28", 20, 60),
    // Tone: bypass, zone bass/treble, LFE levels, audio delay, dynamic range.
    Digit("A8", "00", 0, 1),
    Hex2("4B", "0A", 0, 20),
    Hex2("4C", "0A", 0, 20),
    Hex2("4D", "0A", 0, 20),
    Hex2("4E", "0A", 0, 20),
    Hex2("51", "14", 0, 20),
    Hex2("52", "14", 0, 20),
    Hex2("53", "00", 0, 240),
    List("64", "00", "00 01 02"),
    List("65", "00", "00 01 02"),
    // Display: video conversion, component I/P, gray back, OSD shift, HDMI I/P, dimmer,
    // on screen, FL scroll, short message (Off/On; Full has no button).
    Digit("69", "01", 0, 1),
    Digit("85", "00", 0, 1),
    Digit("63", "01", 0, 1),
    Digit("62", "05", 0, 10),
    Digit("86", "01", 0, 1),
    Digit("61", "04", 0, 4),
    Digit("93", "02", 1, 3),
    Digit("67", "00", 0, 1),
    List("2B", "01", "02 01"),
    // MULTI CH background video.
    List("6F", "01", "05 06 07 09 0A 0C 01 00"),
    // Other: audio select set, decoder mode set, HDMI support audio.
    Digit("60", "00", 0, 1),
    Digit("5F", "00", 0, 1),
    Digit("8F", "00", 0, 1),
    // Advanced setup; User Preset and Video Reset are actions and stay at Cancel.
    Digit("B3", "00", 0, 1),
    Digit("B7", "00", 0, 0),
    Digit("B9", "00", 0, 1),
    Digit("BD", "01", 0, 1),
    Digit("B1", "00", 0, 1),
    Digit("B5", "00", 0, 1),
    Digit("BA", "00", 0, 1),
    Digit("B2", "00", 0, 1),
    Digit("B4", "01", 0, 1),
    Digit("BB", "01", 0, 1),
    Digit("B8", "00", 0, 0),
    // iPod: standby charge, repeat, shuffle.
    Digit("96", "01", 0, 1),
    Digit("97", "00", 0, 2),
    Digit("98", "00", 0, 2),
    // Trigger control of both outputs.
    List("3A", "00", "01 02 03 00"),
    List("3B", "00", "01 02 03 00"),
}};

// Dependent settings at the factory: input DVD with Drama, decoder and audio Auto, night
// mode off (its parameter then Min), all zones on, internal amplifiers unused, the speaker layout and
// 6ch MULTI CH input.
constexpr std::array<std::pair<const char*, const char*>, 19> kFactoryDependent = {{
    {"21", "05"}, {"28", "29"}, {"22", "00"}, {"82", "00"}, {"8B", "00"}, {"20", "01"}, {"3E", "00"},
    {"3F", "00"}, {"66", "00"}, {"6B", "00"}, {"71", "01"}, {"70", "01"}, {"72", "01"}, {"73", "02"},
    {"74", "01"}, {"7E", "02"}, {"76", "00"}, {"7D", "01"}, {"75", "00"},
}};
// "7B" (MULTI CH 6ch) is set with the dependent ones.

// The program each input recalls at the factory (index into kProgramValues).
constexpr std::array<int, kInputCount> kFactoryInputPrograms = {28, 8,  9,  4,  7,  14, 12,
                                                                28, 28, 28, 28, 22, 28};

std::string hex2(int value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X", static_cast<unsigned>(value) & 0xFFu);
  return text;
}

std::string hexDigits(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*X", width, static_cast<unsigned>(value));
  return text;
}

int pickInt(std::mt19937& rng, int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }

std::vector<std::string_view> splitList(std::string_view list) {
  std::vector<std::string_view> items;
  while (!list.empty()) {
    const std::size_t space = list.find(' ');
    items.push_back(list.substr(0, space));
    if (space == std::string_view::npos) break;
    list.remove_prefix(space + 1);
  }
  return items;
}

std::string randomReport(const ReportSetting& setting, std::mt19937& rng) {
  switch (setting.pick) {
    case Pick::Hex2:
      return hex2(pickInt(rng, setting.lo, setting.hi));
    case Pick::Digit:
      return "0" + hexDigits(pickInt(rng, setting.lo, setting.hi), 1);
    case Pick::List: {
      const auto items = splitList(setting.list);
      return std::string(
          items[static_cast<std::size_t>(pickInt(rng, 0, static_cast<int>(items.size()) - 1))]);
    }
  }
  return setting.factory;
}

// ---- extended row values ----

// Tuner presets of each region: pages A, C, E hold the FM set, B and D the AM set.
struct TunerRegionTable {
  std::array<const char*, 8> fm;
  std::array<const char*, 8> am;
  int amFirst, amLast, amStep;  // kHz
  int fmFirst, fmLast, fmStep;  // hundredths of MHz
};

// clang-format off
constexpr std::array<TunerRegionTable, 4> kTunerRegions = {{
    {{"076.00", "083.00", "084.00", "086.00", "090.00", "078.00", "088.00", "082.10"},
     {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"},
     531, 1611, 9, 7600, 9000, 10},
    {{"087.50", "090.10", "095.10", "098.10", "107.90", "088.10", "106.10", "107.90"},
     {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"},
     530, 1710, 10, 8750, 10790, 20},
    {{"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
     {"000630", "001080", "001440", "000531", "001611", "000900", "001350", "001404"},
     531, 1611, 9, 8750, 10800, 5},
    {{"087.50", "090.10", "095.10", "098.10", "108.00", "088.10", "106.10", "108.00"},
     {"000630", "001080", "001440", "000530", "001710", "000900", "001350", "001400"},
     530, 1710, 10, 8750, 10800, 10},
}};
// clang-format on

const TunerRegionTable& regionTable(int region) {
  return kTunerRegions[static_cast<std::size_t>(region >= 0 && region < 4 ? region : 1)];
}

// Band digit and frequency: "1" for FM (the text has a decimal point), "0" for AM.
std::string tunerValue(std::string_view frequency) {
  return (frequency.find('.') != std::string_view::npos ? "1" : "0") + std::string(frequency);
}

std::string factoryTuner(std::string_view tail, int region) {
  const TunerRegionTable& table = regionTable(region);
  if (tail.size() != 2 || tail == "00") return tunerValue(table.fm[0]);
  const int page = tail[0] - '0';
  const int preset = tail[1] - '0';
  if (page < 1 || page > 5 || preset < 1 || preset > 8) return tunerValue(table.fm[0]);
  const bool fm = page % 2 == 1;
  return tunerValue((fm ? table.fm : table.am)[static_cast<std::size_t>(preset - 1)]);
}

std::string randomTuner(int region, std::mt19937& rng) {
  const TunerRegionTable& table = regionTable(region);
  char text[16];
  if (pickInt(rng, 0, 1) == 0) {
    const int steps = (table.amLast - table.amFirst) / table.amStep;
    std::snprintf(text, sizeof text, "%06d", table.amFirst + table.amStep * pickInt(rng, 0, steps));
  } else {
    const int steps = (table.fmLast - table.fmFirst) / table.fmStep;
    const int hundredths = table.fmFirst + table.fmStep * pickInt(rng, 0, steps);
    std::snprintf(text, sizeof text, "%03d.%02d", hundredths / 100, hundredths % 100);
  }
  return tunerValue(text);
}

constexpr std::array<const char*, 14> kFactoryNames = {
    " PHONO  ", "   CD   ", " TUNER  ", "  CD-R  ", "MD/TAPE ", "  DVD   ", "  DTV   ",
    "CBL/SAT ", "  VCR1  ", "DVR/VCR2", " V-AUX  ", "   XM   ", "  DOCK  ", "MULTI CH"};
constexpr std::array<std::string_view, 14> kNameInputCodes = {
    "000", "001", "002", "003", "004", "005", "006", "007", "009", "00A", "00C", "00E", "020", "010"};

int indexOf(std::string_view item, const auto& list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (list[i] == item) return static_cast<int>(i);
  }
  return -1;
}

// I/O assignment: connectors in command-table order, the factory input of each, and the
// inputs each accepts (PHONO .. MULTI CH as bits, most significant first).
constexpr std::array<std::string_view, 14> kConnectors = {"0030", "0031", "0032", "0000", "0001",
                                                          "0002", "0020", "0021", "0022", "0023",
                                                          "0010", "0011", "0060", "0061"};
constexpr std::array<int, 14> kFactoryAssignments = {5, 6, 7, 1, 5, 9, 1, 5, 6, 7, 4, 3, 5, 7};
constexpr std::array<const char*, 14> kAllowedInputs = {
    "0000011111100", "0000011111100", "0000011111100", "1101111111101", "1101111111101",
    "1101111111101", "1101111111001", "1101111111001", "1101111111001", "1101111111001",
    "1101111111100", "1101111111100", "0000011111100", "0000011111100"};

std::string randomAssignment(std::string_view tail, std::mt19937& rng) {
  const int connector = indexOf(tail, kConnectors);
  if (connector < 0) return std::string(kInputValues[0]);
  const std::string_view allowed = kAllowedInputs[static_cast<std::size_t>(connector)];
  std::vector<int> choices;
  for (std::size_t i = 0; i < allowed.size(); ++i) {
    if (allowed[i] == '1') choices.push_back(static_cast<int>(i));
  }
  return std::string(kInputValues[static_cast<std::size_t>(
      choices[static_cast<std::size_t>(pickInt(rng, 0, static_cast<int>(choices.size()) - 1))])]);
}

// Speaker distance at the factory, in centimetres, by channel digit.
int factoryDistance(std::string_view tail) {
  if (tail == "0") return 260;                                               // centre
  if (tail == "4" || tail == "5" || tail == "6" || tail == "7") return 240;  // surround, surround back
  return 300;                                                                // front, presence, subwoofer
}

// Ranges of the sound-program parameters (page units) and how each goes on the wire.
struct DspRange {
  const char* parameter;
  int min;
  int max;
  int wireOffset;
};
constexpr std::array<DspRange, 31> kDspRanges = {{
    {"0E0", -6, 3, 6},  {"1C0", 0, 5, 0},   {"000", 1, 99, 0},  {"010", 1, 20, 0},  {"020", 0, 10, 0},
    {"0B0", 10, 50, 0}, {"0C0", 0, 250, 0}, {"0D0", 0, 100, 0}, {"051", 1, 49, 0},  {"052", 1, 49, 0},
    {"085", 1, 49, 0},  {"061", 1, 20, 0},  {"062", 1, 20, 0},  {"095", 1, 20, 0},  {"071", 0, 10, 0},
    {"072", 0, 10, 0},  {"0A5", 0, 10, 0},  {"0F0", 0, 1, 0},   {"110", 0, 7, 0},   {"100", -3, 3, 3},
    {"120", 0, 10, 0},  {"200", 0, 8, 0},   {"220", 0, 8, 0},   {"240", 0, 1, 0},   {"130", 0, 100, 0},
    {"140", 0, 100, 0}, {"150", 0, 100, 0}, {"160", 0, 100, 0}, {"170", 0, 100, 0}, {"180", 0, 100, 0},
    {"190", 0, 100, 0},
}};

// Decode Type: the list of codes; the Surround Decoder has its own, longer list.
constexpr std::array<std::string_view, 3> kDecodeTypes = {"00", "06", "04"};
constexpr std::array<std::string_view, 9> kSurroundDecoderTypes = {"00", "06", "07", "08", "04",
                                                                   "05", "09", "0A", "0B"};

const DspRange* dspRange(std::string_view parameter) {
  for (const DspRange& range : kDspRanges) {
    if (parameter == range.parameter) return &range;
  }
  return nullptr;
}

// Wire value of a sound-program parameter; the Decode Type goes by its list index.
std::string dspWire(std::string_view program, std::string_view parameter, int value) {
  if (parameter == "1B0") {
    if (program == "2C") return std::string(kSurroundDecoderTypes[static_cast<std::size_t>(value) % 9]);
    return std::string(kDecodeTypes[static_cast<std::size_t>(value) % 3]);
  }
  const DspRange* range = dspRange(parameter);
  return hex2(value + (range ? range->wireOffset : 0));
}

std::string factoryDsp(std::string_view tail) {
  const std::string_view program = tail.substr(0, 2);
  const std::string_view parameter = tail.substr(2);
  for (const DspParameter& entry : kDspParameters) {
    if (program == entry.program && parameter == entry.parameter)
      return dspWire(program, parameter, entry.factory);
  }
  return "00";
}

std::string randomDsp(std::string_view tail, std::mt19937& rng) {
  const std::string_view program = tail.substr(0, 2);
  const std::string_view parameter = tail.substr(2);
  if (parameter == "1B0") return dspWire(program, parameter, pickInt(rng, 0, program == "2C" ? 8 : 2));
  const DspRange* range = dspRange(parameter);
  if (!range) return factoryDsp(tail);
  return dspWire(program, parameter, pickInt(rng, range->min, range->max));
}

std::string capabilityValue(const ReceiverIdentity& identity, RowFamily family) {
  switch (family) {
    case RowFamily::TunerRegion:
      return "00" + std::to_string(identity.tunerRegion) + "00";
    case RowFamily::Zone2:
      return identity.zone2 ? "100" : "000";
    case RowFamily::Zone3:
      return identity.zone3 ? "100" : "000";
    case RowFamily::Xm:
      return identity.xm ? "1" : "0";
    // A count and (item, value) pairs; item 3 is AAC.
    case RowFamily::CapabilityList:
      return std::string("41121") + (identity.aac ? "31" : "30") + "41";
    default:
      return {};
  }
}

struct RowFiller {
  const ReceiverIdentity& identity;
  std::mt19937* rng;  // null: factory values
  int distanceUnit;

  std::string value(int row) const {
    const RowKind kind = KindOfRow(row);
    const std::string_view tail = kind.tail;
    switch (kind.family) {
      case RowFamily::TunerRegion:
      case RowFamily::Zone2:
      case RowFamily::Zone3:
      case RowFamily::Xm:
      case RowFamily::CapabilityList:
        return capabilityValue(identity, kind.family);
      case RowFamily::KeepAlive:
        return "F0000000000";
      case RowFamily::Standard:
      case RowFamily::Unknown:
        return {};
      case RowFamily::Dsp:
        return rng ? randomDsp(tail, *rng) : factoryDsp(tail);
      case RowFamily::Tuner:
        return rng ? randomTuner(identity.tunerRegion, *rng) : factoryTuner(tail, identity.tunerRegion);
      case RowFamily::XmPreset:
        return rng ? hex2(pickInt(*rng, 0, 255)) : "01";
      case RowFamily::InputName:
        return "08" + (rng ? randomName(*rng) : factoryName(tail));
      case RowFamily::IoAssign: {
        if (rng) return randomAssignment(tail, *rng);
        const int connector = indexOf(tail, kConnectors);
        return std::string(kInputValues[static_cast<std::size_t>(
            kFactoryAssignments[static_cast<std::size_t>(connector < 0 ? 0 : connector)])]);
      }
      case RowFamily::Distance: {
        if (!rng) return "0" + hexDigits(factoryDistance(tail), 3);
        // Metres: 30..2400 cm in steps of 10; feet: 1.0..80.0 ft in steps of 0.5.
        const int distance = distanceUnit == 0 ? 10 * pickInt(*rng, 3, 240) : 5 * pickInt(*rng, 2, 160);
        return std::to_string(distanceUnit) + hexDigits(distance, 3);
      }
      // Turnover (350 Hz / 3.5 kHz at the factory) and gain, (dB * 10 + 60) / 5.
      case RowFamily::Tone:
        return rng ? hexDigits(pickInt(*rng, 0, 2), 1) + hex2(pickInt(*rng, 0, 24)) : "10C";
      case RowFamily::Trigger:
        return rng ? hexDigits(pickInt(*rng, 0, 1), 1) : "1";
      case RowFamily::VolumeTrim:
        return rng ? hex2(pickInt(*rng, 0, 24)) : "0C";
      case RowFamily::GraphicEq:
        return rng ? hex2(pickInt(*rng, 3, 27)) : "0F";
      case RowFamily::IpodOutput:
        return rng ? hexDigits(pickInt(*rng, 0, 1), 1) : "0";
    }
    return {};
  }

  static std::string factoryName(std::string_view tail) {
    const int input = indexOf(tail, kNameInputCodes);
    return kFactoryNames[static_cast<std::size_t>(input < 0 ? 0 : input)];
  }

  static std::string randomName(std::mt19937& rng) {
    static constexpr std::string_view kChars = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789 -/";
    std::string name;
    for (int i = 0; i < 8; ++i)
      name += kChars[static_cast<std::size_t>(pickInt(rng, 0, static_cast<int>(kChars.size()) - 1))];
    name[0] = kChars[static_cast<std::size_t>(pickInt(rng, 0, 25))];  // never blank
    return name;
  }
};

void fillRows(ReceiverSettings& settings, const RowFiller& filler) {
  for (int row = 0; row < model::kRowCount; ++row)
    settings.rows[static_cast<std::size_t>(row)] = filler.value(row);
}

// The speaker layout and the settings that follow from it.
void randomSpeakers(ReceiverSettings& settings, std::mt19937& rng) {
  const int surround = pickInt(rng, 0, 2);  // None, Small, Large
  const bool present = surround != 0;
  auto put = [&settings](const char* code, std::string_view chars, int index) {
    settings.reports[code] = "0" + std::string(1, chars[static_cast<std::size_t>(index)]);
  };
  put("71", "10", pickInt(rng, 0, 1));                 // front Small/Large
  put("70", "210", present ? pickInt(rng, 0, 2) : 0);  // centre
  put("72", "210", surround);
  put("73", "43210", present ? pickInt(rng, 0, 4) : 0);            // surround back
  put("74", "10", present ? pickInt(rng, 0, 1) : 0);               // presence
  put("7E", "012345678", pickInt(rng, 0, 8));                      // crossover
  settings.reports["76"] = pickInt(rng, 0, 1) == 0 ? "00" : "10";  // phase
  put("7D", "10", pickInt(rng, 0, 1));                             // PR/SB priority
  put("75", "012", present ? pickInt(rng, 0, 2) : 1);              // LFE/bass out
}

// Zone amplifiers never share an internal output; a zone on one uses VAR volume out.
void randomZoneAmplifiers(ReceiverSettings& settings, std::mt19937& rng) {
  constexpr std::array<int, 4> kOutputs = {0, 1, 2, 3};  // bit sets: none, [1], [2], both
  int zone2 = 0;
  int zone3 = 0;
  do {
    zone2 = pickInt(rng, 0, 3);
    zone3 = pickInt(rng, 0, 3);
  } while ((kOutputs[static_cast<std::size_t>(zone2)] & kOutputs[static_cast<std::size_t>(zone3)]) != 0);
  settings.reports["3E"] = "0" + std::to_string(zone2);
  settings.reports["3F"] = "0" + std::to_string(zone3);
  settings.reports["66"] = zone2 == 0 ? "0" + std::to_string(pickInt(rng, 0, 1)) : "00";
  settings.reports["6B"] = zone3 == 0 ? "0" + std::to_string(pickInt(rng, 0, 1)) : "00";
}

}  // namespace

int RowValueLength(int row) {
  if (row < 0 || row >= model::kRowCount) return 0;
  const char* prefix = model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix;
  if (!prefix || prefix[0] != '\x14') return 0;
  const std::size_t length = std::strlen(prefix);
  if (length < 5) return 0;
  const int declared = model::HexValue(std::string_view(prefix + 3, 2), model::HexLetters::UpperOnly);
  const int value = 5 + declared - static_cast<int>(length);
  return value > 0 ? value : 0;
}

ReceiverSettings FactorySettings(const ReceiverIdentity& identity) {
  ReceiverSettings settings;
  fillRows(settings, RowFiller{identity, nullptr, 0});
  for (const ReportSetting& setting : kReportSettings) settings.reports[setting.code] = setting.factory;
  for (const auto& [code, value] : kFactoryDependent) settings.reports[code] = value;
  settings.reports["7B"] = "00";
  for (int input = 0; input < kInputCount; ++input) {
    settings.inputPrograms[static_cast<std::size_t>(input)] =
        kProgramValues[static_cast<std::size_t>(kFactoryInputPrograms[static_cast<std::size_t>(input)])];
  }
  return settings;
}

ReceiverSettings RandomSettings(const ReceiverIdentity& identity, std::mt19937& rng) {
  ReceiverSettings settings;
  fillRows(settings, RowFiller{identity, &rng, pickInt(rng, 0, 1)});
  for (const ReportSetting& setting : kReportSettings)
    settings.reports[setting.code] = randomReport(setting, rng);

  // Each input recalls its own program; MULTI CH plays Straight.
  for (int input = 0; input < kInputCount; ++input) {
    const int program = input == kInputCount - 1 ? kStraight : pickInt(rng, 0, kStraight);
    settings.inputPrograms[static_cast<std::size_t>(input)] =
        kProgramValues[static_cast<std::size_t>(program)];
  }
  const int input = pickInt(rng, 0, kInputCount - 1);
  settings.reports["21"] = std::string(kInputValues[static_cast<std::size_t>(input)]);
  settings.reports["28"] = settings.inputPrograms[static_cast<std::size_t>(input)];

  const int decoder = pickInt(rng, 0, identity.aac ? 2 : 1);
  settings.reports["22"] =
      std::to_string(decoder) + kAudioSelectChars[static_cast<std::size_t>(pickInt(rng, 0, 3))];
  const int night = pickInt(rng, 0, 2);
  settings.reports["82"] = "0" + std::to_string(night);
  // With night mode off the receiver holds its night parameter at Min.
  const int nightParameter = pickInt(rng, 0, 2);
  settings.reports["8B"] = std::to_string(night) + std::to_string(night == 0 ? 0 : nightParameter);
  settings.reports["20"] = "0" + std::string(1, kPowerDigits[static_cast<std::size_t>(pickInt(rng, 0, 7))]);
  static constexpr std::array<const char*, 9> kFrontCodes = {"02", "03", "04", "05", "06",
                                                             "07", "09", "0A", "0C"};
  settings.reports["7B"] =
      pickInt(rng, 0, 1) == 0 ? "00" : kFrontCodes[static_cast<std::size_t>(pickInt(rng, 0, 8))];
  randomSpeakers(settings, rng);
  randomZoneAmplifiers(settings, rng);
  // An occasional muted zone volume, written as the receiver writes it.
  if (pickInt(rng, 0, 7) == 0) settings.reports["27"] = "00";
  // A trigger follows only zones the receiver has (Zone OR both of them); otherwise Main.
  for (const char* trigger : {"3A", "3B"}) {
    const std::string& value = settings.reports[trigger];
    const bool missing = (value == "02" && !identity.zone2) || (value == "03" && !identity.zone3) ||
                         (value == "00" && !(identity.zone2 && identity.zone3));
    if (missing) settings.reports[trigger] = "01";
  }
  return settings;
}

}  // namespace tw::emu
