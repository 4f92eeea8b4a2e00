// The reply decoding table. Standard reports are spelled out one by one; the extended
// runs mirror the command table's read rows and are generated from their address lists
// below, each list in command-table row order.

#include "model/decode_table.h"

#include <initializer_list>
#include <stdexcept>

namespace tw::model {
namespace {

constexpr char kStx = '\x02';
constexpr char kDc4 = '\x14';

// ---- accepted texts of the list nodes ------------------------------------------------

constexpr std::string_view kInputCodes[] = {"00", "01", "02", "03", "04", "05", "06",
                                            "07", "09", "0A", "0C", "0E", "10"};
constexpr std::string_view kAudioSelectCodes[] = {"0", "8", "3", "4"};
constexpr std::string_view kZoneInputCodes[] = {"0", "1", "2", "3", "4", "5", "6", "7", "9", "A", "C", "E"};
constexpr std::string_view kTwoOneZero[] = {"2", "1", "0"};
constexpr std::string_view kOneZero[] = {"1", "0"};
constexpr std::string_view kFourToZero[] = {"4", "3", "2", "1", "0"};
constexpr std::string_view kDecoderModeCodes[] = {"00", "03", "01", "04", "05", "06"};
constexpr std::string_view kTriggerControlCodes[] = {"01", "02", "03", "00"};
constexpr std::string_view kZeroOneTwo[] = {"00", "01", "02"};
constexpr std::string_view kLayoutCodes[] = {"00", "06", "04"};
constexpr std::string_view kSurroundDecoderLayoutCodes[] = {"00", "06", "07", "08", "04",
                                                            "05", "09", "0A", "0B"};

// ---- node constructors (the group is set when the entry is added) ---------------------

constexpr DecodeNode Node(std::uint32_t kind, int number, int pos, int len = 0, int offset = 0, int scale = 0,
                          std::span<const std::string_view> values = {}) {
  DecodeNode node;
  node.number = static_cast<std::int16_t>(number);
  node.kind = kind;
  node.pos = static_cast<std::int16_t>(pos);
  node.len = static_cast<std::int16_t>(len);
  node.offset = static_cast<std::int16_t>(offset);
  node.scale = static_cast<std::int16_t>(scale);
  node.values = values;
  return node;
}
constexpr DecodeNode Hex(int number, int pos, int len) { return Node(kKindHex, number, pos, len); }
constexpr DecodeNode List(int number, int pos, int len, std::span<const std::string_view> values) {
  return Node(kKindList, number, pos, len, 0, 0, values);
}
constexpr DecodeNode Scaled(int number, int pos, int len, int scale, int offset) {
  return Node(kKindScaledHex, number, pos, len, offset, scale);
}
constexpr DecodeNode Text(int number, int pos, int len) { return Node(kKindText, number, pos, len); }
constexpr DecodeNode Calc(std::uint32_t kind, int number, int pos, int len) {
  return Node(kind, number, pos, len);
}
constexpr DecodeNode Const(int number, int value) { return Node(kKindConstant, number, value); }
constexpr DecodeNode NumberOnly(int number) { return Node(kKindNumberOnly, number, 0); }
constexpr DecodeNode Slot(int slot, int number, int value) {
  return Node(kKindSlot1 + static_cast<std::uint32_t>(slot - 1), number, value);
}
constexpr DecodeNode Buffer(int buffer, int number, int pos, int len) {
  return Node(kKindTextBuffer1 + static_cast<std::uint32_t>(buffer - 1), number, pos, len);
}

// A mistake in the data below stops the compilation instead of shipping a wrong table.
constexpr void Require(bool ok, const char* what) {
  if (!ok) throw std::logic_error(what);
}

constexpr ReplyPrefix MakePrefix(char start, std::initializer_list<std::string_view> parts) {
  ReplyPrefix prefix;
  prefix.chars[prefix.length++] = start;
  for (std::string_view part : parts) {
    for (char c : part) {
      Require(prefix.length + 1u < prefix.chars.size(), "reply prefix too long");
      prefix.chars[prefix.length++] = c;
    }
  }
  return prefix;
}

struct TableBuilder {
  std::array<ReplyEntry, kReplyTableLength> table{};
  std::size_t count = 0;

  constexpr void add(const ReplyPrefix& prefix, DecodeGroup group, std::initializer_list<DecodeNode> nodes) {
    Require(count < kReplyEntryCount, "more reply entries than the table holds");
    Require(nodes.size() >= 1 && nodes.size() <= kMaxNodesPerEntry, "one to three nodes per entry");
    ReplyEntry& entry = table[count++];
    entry.prefix = prefix;
    for (DecodeNode node : nodes) {
      node.group = group;
      entry.nodes[entry.nodeCount++] = node;
    }
  }
  // A standard report: STX + body.
  constexpr void report(std::string_view body, DecodeGroup group, std::initializer_list<DecodeNode> nodes) {
    add(MakePrefix(kStx, {body}), group, nodes);
  }
};

// ---- standard reports ----------------------------------------------------------------

// "0028" + program code: the sound program index. 0..23 are the sound field programs,
// 24..27 the enhancer programs, 28 Straight.
struct ProgramReport {
  std::string_view code;
  int program;
};
constexpr ProgramReport kProgramReports[] = {
    {"00", 0},  {"05", 1},  {"07", 2},  {"09", 3},  {"0B", 4},  {"0D", 5},  {"11", 6},  {"0F", 7},
    {"10", 8},  {"0E", 9},  {"2D", 10}, {"24", 11}, {"25", 12}, {"28", 13}, {"29", 14}, {"20", 15},
    {"21", 16}, {"1E", 17}, {"1F", 18}, {"18", 19}, {"1C", 20}, {"2C", 21}, {"34", 22}, {"17", 23},
    {"80", 28}, {"40", 24}, {"41", 25}, {"42", 26}, {"43", 27}};

constexpr void AddLeadingStandardReports(TableBuilder& b) {
  b.report("0021", kGroupBasicControl, {List(1, 5, 2, kInputCodes)});
  b.report("00220", kGroupBasicControl, {Const(3, 0), List(2, 6, 1, kAudioSelectCodes)});
  b.report("00221", kGroupBasicControl, {Const(3, 1), List(2, 6, 1, kAudioSelectCodes)});
  b.report("00222", kGroupBasicControl, {Const(3, 2), List(2, 6, 1, kAudioSelectCodes)});
  b.report("0023", kGroupBasicControl, {Hex(10, 5, 2)});
  b.report("00240", kGroupMultiZone, {List(15, 6, 1, kZoneInputCodes)});
  b.report("00250", kGroupMultiZone, {Hex(19, 6, 1)});
  b.report("002600", kGroupBasicControl, {Const(9, -805)});  // muted
  b.report("0026", kGroupBasicControl, {Calc(kKindHexTimes5Minus995, 9, 5, 2)});
  b.report("002700", kGroupMultiZone, {Const(18, -805)});
  b.report("0027", kGroupMultiZone, {Calc(kKindHexTimes5Minus995, 18, 5, 2)});
  for (const ProgramReport& p : kProgramReports) {
    b.add(MakePrefix(kStx, {"0028", p.code}), kGroupBasicControl, {Const(4, p.program)});
  }
  b.report("002B0", kGroupDisplaySet, {List(526, 6, 1, kTwoOneZero)});
  b.report("002D", kGroupBasicControl, {List(6, 5, 2, kDecoderModeCodes)});
  b.report("003A", kGroupControlOut, {List(307, 5, 2, kTriggerControlCodes)});
  b.report("003B", kGroupControlOut, {List(345, 5, 2, kTriggerControlCodes)});
  b.report("003E0", kGroupMultiZone, {Hex(16, 6, 1)});
  b.report("003F0", kGroupMultiZone, {Hex(21, 6, 1)});
  b.report("00AD", kGroupMultiZone, {Hex(25, 5, 2)});
  b.report("00AE", kGroupMultiZone, {Hex(26, 5, 2)});

  // Speaker levels: report codes 40..49 in code order.
  constexpr std::string_view levelCodes[] = {"0040", "0041", "0042", "0043", "0044",
                                             "0045", "0046", "0047", "0048", "0049"};
  constexpr int levelNumbers[] = {269, 268, 270, 272, 271, 274, 273, 276, 275, 277};
  for (std::size_t i = 0; i < std::size(levelCodes); ++i) {
    b.report(levelCodes[i], kGroupSpeakerLevel, {Calc(kKindHexTimes5Minus200, levelNumbers[i], 5, 2)});
  }
  b.report("004B", kGroupToneControl, {Calc(kKindHexMinus10, 298, 5, 2)});
  b.report("004C", kGroupToneControl, {Calc(kKindHexMinus10, 299, 5, 2)});
  b.report("004D", kGroupToneControl, {Calc(kKindHexMinus10, 300, 5, 2)});
  b.report("004E", kGroupToneControl, {Calc(kKindHexMinus10, 301, 5, 2)});
  b.report("0051", kGroupToneControl, {Scaled(302, 5, 2, 10, 200)});
  b.report("0052", kGroupToneControl, {Scaled(303, 5, 2, 10, 200)});
  b.report("0053", kGroupToneControl, {Hex(304, 5, 2)});
  b.report("005F0", kGroupOther, {Hex(533, 6, 1)});
  b.report("00600", kGroupOther, {Hex(532, 6, 1)});
  b.report("008F0", kGroupOther, {Hex(534, 6, 1)});
  b.report("00610", kGroupDisplaySet, {Scaled(525, 6, 1, 0, 4)});
  b.report("00690", kGroupDisplaySet, {Hex(517, 6, 1)});
  b.report("00850", kGroupDisplaySet, {Hex(518, 6, 1)});
  b.report("00620", kGroupDisplaySet, {Scaled(520, 6, 1, 0, 5)});
  b.report("00630", kGroupDisplaySet, {Hex(519, 6, 1)});
  b.report("00860", kGroupDisplaySet, {Hex(521, 6, 1)});
  b.report("00930", kGroupDisplaySet, {Hex(527, 6, 1)});
  b.report("00670", kGroupDisplaySet, {Hex(528, 6, 1)});
  b.report("0064", kGroupToneControl, {List(305, 5, 2, kZeroOneTwo)});
  b.report("0065", kGroupToneControl, {List(306, 5, 2, kZeroOneTwo)});
  b.report("00660", kGroupMultiZone, {Hex(17, 6, 1)});
  b.report("006B0", kGroupMultiZone, {Hex(22, 6, 1)});
  b.report("00700", kGroupSpeakerSet, {List(428, 6, 1, kTwoOneZero)});
  b.report("00710", kGroupSpeakerSet, {List(427, 6, 1, kOneZero)});
  b.report("00720", kGroupSpeakerSet, {List(429, 6, 1, kTwoOneZero)});
  b.report("00730", kGroupSpeakerSet, {List(430, 6, 1, kFourToZero)});
  b.report("00740", kGroupSpeakerSet, {List(431, 6, 1, kOneZero)});
  b.report("00750", kGroupSpeakerSet, {Hex(433, 6, 1)});
  b.report("0076", kGroupSpeakerSet, {Hex(435, 5, 1)});

  // MULTI CH: "007B00" is 6ch; the others are 8ch with the front input they name.
  b.report("007B00", kGroupMultiCh, {Const(529, 0)});
  constexpr std::string_view frontInputs[] = {"02", "03", "04", "05", "06", "07", "09", "0A", "0C"};
  for (std::size_t i = 0; i < std::size(frontInputs); ++i) {
    b.add(MakePrefix(kStx, {"007B", frontInputs[i]}), kGroupMultiCh,
          {Const(529, 1), Const(530, static_cast<int>(i))});
  }
  constexpr std::string_view backgroundInputs[] = {"05", "06", "07", "09", "0A", "0C", "01", "00"};
  for (std::size_t i = 0; i < std::size(backgroundInputs); ++i) {
    b.add(MakePrefix(kStx, {"006F", backgroundInputs[i]}), kGroupMultiCh, {Const(531, static_cast<int>(i))});
  }

  b.report("007D0", kGroupSpeakerSet, {List(432, 6, 1, kOneZero)});
  b.report("007E0", kGroupSpeakerSet, {Hex(434, 6, 1)});
  b.report("00820", kGroupBasicControl, {Hex(7, 6, 1)});
  b.report("008B", kGroupBasicControl, {Hex(7, 5, 1), Hex(8, 6, 1)});
  b.report("00A00", kGroupMultiZone, {List(20, 6, 1, kZoneInputCodes)});
  b.report("00A10", kGroupMultiZone, {Hex(24, 6, 1)});
  b.report("00A200", kGroupMultiZone, {Const(23, -805)});
  b.report("00A2", kGroupMultiZone, {Calc(kKindHexTimes5Minus995, 23, 5, 2)});
  b.report("00A80", kGroupToneControl, {Hex(289, 6, 1)});

  constexpr std::string_view advancedCodes[] = {"00B30", "00B70", "00B90", "00BD0", "00B10", "00B50",
                                                "00BA0", "00B20", "00B40", "00BB0", "00B80"};
  for (std::size_t i = 0; i < std::size(advancedCodes); ++i) {
    b.report(advancedCodes[i], kGroupAdvancedSetup, {Hex(535 + static_cast<int>(i), 6, 1)});
  }
}

// Standard reports that follow the extended entries.
constexpr void AddTrailingStandardReports(TableBuilder& b) {
  b.report("009600", kGroupIpod, {Slot(1, 548, 0)});
  b.report("009601", kGroupIpod, {Slot(1, 548, 1)});
  b.report("009700", kGroupIpod, {Slot(2, 549, 0)});
  b.report("009701", kGroupIpod, {Slot(2, 549, 1)});
  b.report("009702", kGroupIpod, {Slot(2, 549, 2)});
  b.report("009800", kGroupIpod, {Slot(3, 550, 0)});
  b.report("009801", kGroupIpod, {Slot(3, 550, 1)});
  b.report("009802", kGroupIpod, {Slot(3, 550, 2)});

  // System Memory commands: the view only learns the number.
  constexpr std::string_view memoryCodes[] = {"0030", "0031", "0032", "0033", "0037", "0038", "00A3", "00A4"};
  for (std::size_t i = 0; i < std::size(memoryCodes); ++i) {
    b.report(memoryCodes[i], kGroupReportOnly, {NumberOnly(556 + static_cast<int>(i))});
  }

  // Power of the main zone, Zone 2 and Zone 3 (numbers 12, 13, 14).
  struct PowerReport {
    std::string_view code;
    int main, zone2, zone3;
  };
  constexpr PowerReport powerReports[] = {{"002000", 0, 0, 0}, {"002001", 1, 1, 1}, {"002002", 1, 0, 0},
                                          {"002003", 0, 1, 1}, {"002004", 1, 1, 0}, {"002005", 1, 0, 1},
                                          {"002006", 0, 1, 0}, {"002007", 0, 0, 1}};
  for (const PowerReport& p : powerReports) {
    b.report(p.code, kGroupBasicControl, {Const(12, p.main), Const(13, p.zone2), Const(14, p.zone3)});
  }
}

// ---- extended replies: one entry per read row, value right after the prefix ------------

constexpr std::string_view kIoAssignAddresses[] = {"0030", "0031", "0032", "0000", "0001", "0002", "0020",
                                                   "0021", "0022", "0023", "0010", "0011", "0060", "0061"};
constexpr std::string_view kVolumeTrimSources[] = {"00", "01", "02", "03", "04", "05", "06",
                                                   "07", "09", "0A", "0C", "10", "0E", "20"};
// CONTROL OUT sources with three zone columns each (positions 0..10).
constexpr std::string_view kTriggerSources[] = {"00", "01", "02", "03", "04", "05",
                                                "06", "07", "09", "0A", "0C"};
constexpr std::string_view kToneAddresses[] = {"3000", "3001", "3010", "3011"};

// Speaker Distance: the channel codes in row order, each numbered as the distance page's
// command for that channel code, so a written distance reads back into the same slider.
struct DistanceChannel {
  std::string_view code;
  int number;
};
constexpr DistanceChannel kDistanceChannels[] = {{"0", 281}, {"2", 279}, {"3", 280}, {"4", 282}, {"5", 283},
                                                 {"6", 284}, {"7", 285}, {"8", 286}, {"9", 287}, {"A", 288}};

// DSP parameter reads per sound program, in row order.
constexpr std::string_view kParamsPlain[] = {"0E0", "1C0", "000", "010", "020"};
constexpr std::string_view kParamsNoDelay[] = {"0E0", "1C0", "000", "020", "0B0", "0C0", "0D0"};
constexpr std::string_view kParamsReverb[] = {"0E0", "1C0", "000", "010", "020", "0B0", "0C0", "0D0"};
constexpr std::string_view kParamsStandard[] = {"0E0", "1C0", "051", "061", "071", "052",
                                                "062", "072", "085", "095", "0A5", "1B0"};
constexpr std::string_view kParamsCinemaLayout[] = {"0E0", "1C0", "000", "010", "051", "061",
                                                    "052", "062", "085", "095", "1B0"};
constexpr std::string_view kParamsCinema[] = {"0E0", "1C0", "000", "010", "051",
                                              "061", "052", "062", "085", "095"};
constexpr std::string_view kParamsGame[] = {"0E0", "1C0", "000", "010", "052", "062", "085", "095"};
constexpr std::string_view kParamsSurroundDecoder[] = {"1B0", "0F0", "110", "100", "120", "200", "220"};
constexpr std::string_view kParamsTwoChannel[] = {"240"};
constexpr std::string_view kParamsSevenChannel[] = {"130", "140", "160", "150", "190", "170", "180"};

// Two programs number their reads out of row order (the numbers follow the page's list).
constexpr std::int16_t kDramaNumbers[] = {132, 133, 134, 135, 136, 139, 137, 140, 138, 141, 142};
constexpr std::int16_t kSurroundDecoderNumbers[] = {203, 197, 198, 199, 200, 201, 202};

struct DspProgram {
  std::string_view code;
  std::span<const std::string_view> params;
  std::span<const std::int16_t> numbers;  // empty: numbered in row order
};
constexpr DspProgram kDspPrograms[] = {{"00", kParamsPlain, {}},
                                       {"05", kParamsPlain, {}},
                                       {"07", kParamsPlain, {}},
                                       {"09", kParamsNoDelay, {}},
                                       {"0B", kParamsNoDelay, {}},
                                       {"0D", kParamsPlain, {}},
                                       {"11", kParamsReverb, {}},
                                       {"0F", kParamsPlain, {}},
                                       {"10", kParamsReverb, {}},
                                       {"0E", kParamsPlain, {}},
                                       {"2D", kParamsStandard, {}},
                                       {"24", kParamsCinemaLayout, {}},
                                       {"25", kParamsCinemaLayout, {}},
                                       {"28", kParamsCinemaLayout, {}},
                                       {"29", kParamsCinemaLayout, kDramaNumbers},
                                       {"20", kParamsReverb, {}},
                                       {"21", kParamsCinema, {}},
                                       {"1E", kParamsGame, {}},
                                       {"1F", kParamsGame, {}},
                                       {"18", kParamsCinema, {}},
                                       {"1C", kParamsCinema, {}},
                                       {"2C", kParamsSurroundDecoder, kSurroundDecoderNumbers},
                                       {"34", kParamsTwoChannel, {}},
                                       {"17", kParamsSevenChannel, {}}};

constexpr std::string_view kEqChannels[] = {"0", "2", "3", "4", "5", "6", "7", "8", "9"};
constexpr std::string_view kEqBands[] = {"0", "2", "4", "6", "8", "A", "C"};
constexpr std::string_view kEqLastChannelBands[] = {"0", "2"};  // channel "A" has two bands

constexpr std::string_view kDigits1to8[] = {"1", "2", "3", "4", "5", "6", "7", "8"};
constexpr std::string_view kDigits1to5[] = {"1", "2", "3", "4", "5"};
constexpr std::string_view kRenameInputs[] = {"000", "001", "002", "003", "004", "005", "006",
                                              "007", "009", "00A", "00C", "00E", "020", "010"};

constexpr void AddDspReads(TableBuilder& b) {
  int firstNumber = 27;
  for (const DspProgram& program : kDspPrograms) {
    const int count = static_cast<int>(program.params.size());
    Require(program.numbers.empty() || program.numbers.size() == program.params.size(),
            "one number per DSP read");
    for (int k = 0; k < count; ++k) {
      const std::string_view param = program.params[static_cast<std::size_t>(k)];
      const int number =
          program.numbers.empty() ? firstNumber + k : program.numbers[static_cast<std::size_t>(k)];
      Require(number >= firstNumber && number < firstNumber + count, "DSP number outside its program");
      const ReplyPrefix prefix = MakePrefix(kDc4, {"200B0210", program.code, param});
      const int pos = prefix.length;
      DecodeNode node = Hex(number, pos, 2);
      if (param == "0E0") {
        node = Scaled(number, pos, 2, 0, 6);
      } else if (param == "1B0") {
        node = List(number, pos, 2,
                    program.code == "2C" ? std::span<const std::string_view>(kSurroundDecoderLayoutCodes)
                                         : std::span<const std::string_view>(kLayoutCodes));
      } else if (program.code == "2C" && param == "100") {
        node = Scaled(number, pos, 2, 0, 3);
      }
      b.add(prefix, kGroupDspParameters, {node});
    }
    firstNumber += count;
  }
  Require(firstNumber == 212, "DSP reads must number 27..211");
}

constexpr void AddExtendedReplies(TableBuilder& b) {
  for (std::size_t i = 0; i < std::size(kIoAssignAddresses); ++i) {
    const ReplyPrefix p = MakePrefix(kDc4, {"200801", kIoAssignAddresses[i]});
    b.add(p, kGroupIoAssign, {List(254 + static_cast<int>(i), p.length, 2, kInputCodes)});
  }
  for (std::size_t i = 0; i < std::size(kVolumeTrimSources); ++i) {
    const ReplyPrefix p = MakePrefix(kDc4, {"20080120", kVolumeTrimSources[i]});
    b.add(p, kGroupVolumeTrim, {Calc(kKindHexTimes5Minus60, 383 + static_cast<int>(i), p.length, 2)});
  }

  // CONTROL OUT, per trigger output and zone (rows run zone by zone): the sources, MULTI
  // CH (main zone only), then XM. The numbers run source by source, three zones each.
  constexpr std::string_view zones[] = {"0", "1", "2"};
  constexpr std::string_view triggers[] = {"0", "1"};
  for (std::size_t t = 0; t < std::size(triggers); ++t) {
    const int base = t == 0 ? 308 : 346;
    for (std::size_t z = 0; z < std::size(zones); ++z) {
      const int zone = static_cast<int>(z);
      auto addTrigger = [&](std::string_view source, int number) {
        const ReplyPrefix p = MakePrefix(kDc4, {"20090400", triggers[t], zones[z], source});
        b.add(p, kGroupControlOut, {Hex(number, p.length, 1)});
      };
      for (std::size_t s = 0; s < std::size(kTriggerSources); ++s) {
        addTrigger(kTriggerSources[s], base + 3 * static_cast<int>(s) + zone);
      }
      if (zone == 0) addTrigger("10", base + 33);
      addTrigger("0E", base + 34 + zone);
    }
  }

  for (std::size_t i = 0; i < std::size(kToneAddresses); ++i) {
    const ReplyPrefix p = MakePrefix(kDc4, {"200903", kToneAddresses[i]});
    const int first = 290 + 2 * static_cast<int>(i);
    b.add(p, kGroupToneControl,
          {Hex(first, p.length, 1), Calc(kKindHexTimes5Minus60, first + 1, p.length + 1, 2)});
  }
  for (const DistanceChannel& channel : kDistanceChannels) {
    const ReplyPrefix p = MakePrefix(kDc4, {"20090410", channel.code});
    b.add(p, kGroupSpeakerDistance, {Hex(278, p.length, 1), Hex(channel.number, p.length + 1, 3)});
  }

  AddDspReads(b);

  // Graphic EQ: the channel digit names the record, the band digit the band number.
  auto addEqBands = [&](std::string_view channel, std::span<const std::string_view> bands) {
    for (std::size_t band = 0; band < bands.size(); ++band) {
      const ReplyPrefix p = MakePrefix(kDc4, {"20080300", channel, bands[band]});
      b.add(p, kGroupGraphicEq,
            {Hex(397, p.length - 2, 1),
             Calc(kKindHexTimes5Minus75, 398 + static_cast<int>(band), p.length, 2)});
    }
  };
  for (std::string_view channel : kEqChannels) addEqBands(channel, kEqBands);
  addEqBands("A", kEqLastChannelBands);

  // Tuner: the current frequency, then presets A1..E8; the frequency text follows a band digit.
  {
    int number = 436;
    const ReplyPrefix current = MakePrefix(kDc4, {"200D0500", "00"});
    b.add(current, kGroupTuner, {Text(number++, current.length + 1, 6)});
    for (std::string_view page : kDigits1to5) {
      for (std::string_view preset : kDigits1to8) {
        const ReplyPrefix p = MakePrefix(kDc4, {"200D0500", page, preset});
        b.add(p, kGroupTuner, {Text(number++, p.length + 1, 6)});
      }
    }
  }
  {
    int number = 477;
    for (std::string_view page : kDigits1to5) {
      for (std::string_view preset : kDigits1to8) {
        const ReplyPrefix p = MakePrefix(kDc4, {"20080510", page, preset});
        b.add(p, kGroupXm, {Hex(number++, p.length, 2)});
      }
    }
  }
  for (std::size_t i = 0; i < std::size(kRenameInputs); ++i) {
    const ReplyPrefix p = MakePrefix(kDc4, {"20110110", kRenameInputs[i], "08"});
    b.add(p, kGroupInputRename, {Text(240 + static_cast<int>(i), p.length, 8)});
  }

  // iPod play and list information, and the two output settings.
  const ReplyPrefix playInfo = MakePrefix(kDc4, {"207D00402"});
  b.add(playInfo, kGroupIpod, {Buffer(2, 554, playInfo.length, 120)});
  const ReplyPrefix listInfo = MakePrefix(kDc4, {"205600502"});
  b.add(listInfo, kGroupIpod, {Buffer(3, 555, listInfo.length, 81)});
  b.add(MakePrefix(kDc4, {"2006004000"}), kGroupIpod, {Slot(4, 551, 0)});
  b.add(MakePrefix(kDc4, {"2006004001"}), kGroupIpod, {Slot(4, 551, 1)});
  b.add(MakePrefix(kDc4, {"2006005000"}), kGroupIpod, {Slot(5, 552, 0)});
  b.add(MakePrefix(kDc4, {"2006005001"}), kGroupIpod, {Slot(5, 552, 1)});
}

consteval std::array<ReplyEntry, kReplyTableLength> BuildReplyTable() {
  TableBuilder b;
  AddLeadingStandardReports(b);
  AddExtendedReplies(b);
  AddTrailingStandardReports(b);
  Require(b.count == kReplyEntryCount, "the reply table holds exactly 616 entries");
  return b.table;  // the last entry stays empty: the terminator
}

}  // namespace

constexpr std::array<ReplyEntry, kReplyTableLength> kReplyTable = BuildReplyTable();

}  // namespace tw::model
