#include "comm/protocol.h"

#include <array>
#include <cstdint>
#include <cstdio>

namespace tw::comm {
namespace {

constexpr std::array<std::string_view, 4> kIgnoredPrefixes = {
    "\x02" "0010", "\x02" "0012", "\x02" "0013", "\x02" "0014",
};

// One report synthesised from the status data. A four-character code takes two value
// characters, a five-character code one, a six-character code none. Where `zeroCode` is
// set, it replaces the whole report when the data holds "0" at `selector`.
struct StatusEntry {
  std::string_view code;
  std::int16_t first;
  std::int16_t second;
  std::string_view zeroCode;
  std::int16_t selector;
};

constexpr StatusEntry Plain(std::string_view code, int first, int second = -1) {
  return {code, static_cast<std::int16_t>(first), static_cast<std::int16_t>(second), {}, -1};
}

constexpr std::array<StatusEntry, kStatusReportCount> kStatusEntries = {{
    Plain("0021", 9, 10),    Plain("0022", 40, 11),   Plain("0028", 19, 20),   Plain("002D0", 22),
    Plain("00820", 27),      {"008B", 27, 28, "008B00", 27},           Plain("0026", 15, 16),
    Plain("00230", 12),      Plain("00240", 13),      Plain("003E0", 47),      Plain("00660", 93),
    Plain("00250", 14),      Plain("0027", 17, 18),   Plain("00A00", 127),     Plain("003F0", 100),
    Plain("006B0", 94),      Plain("00A10", 128),     Plain("00A2", 129, 130), Plain("00AD", 159, 160),
    Plain("00AE", 164, 165), Plain("0049", 66, 67),   Plain("0047", 62, 63),   Plain("0048", 64, 65),
    Plain("0045", 58, 59),   Plain("0046", 60, 61),   Plain("0043", 54, 55),   Plain("0044", 56, 57),
    Plain("0042", 52, 53),   Plain("0041", 50, 51),   Plain("0040", 48, 49),   Plain("00A80", 143),
    Plain("004B", 139, 140), Plain("004C", 141, 142), Plain("004D", 168, 169), Plain("004E", 170, 171),
    Plain("0051", 74, 75),   Plain("0052", 76, 77),   Plain("00640", 91),      Plain("00650", 92),
    Plain("0053", 78, 79),   Plain("003A0", 42),      Plain("003B0", 44),      Plain("00710", 97),
    Plain("00700", 96),      Plain("00720", 98),      Plain("00730", 99),      Plain("00740", 101),
    Plain("007E0", 135),     {"007610", -1, -1, "007600", 103},        Plain("007D0", 137),
    Plain("00750", 102),     Plain("00610", 85),      Plain("002B0", 23),      Plain("00690", 90),
    Plain("00850", 112),     Plain("00670", 149),     Plain("00620", 88),      Plain("00630", 89),
    Plain("00860", 113),     Plain("00930", 71),      Plain("007B0", 132),     Plain("006F0", 150),
    Plain("00600", 84),      Plain("005F0", 83),      Plain("008F0", 111),     Plain("00B30", 124),
    Plain("00B90", 131),     Plain("00BD0", 144),     Plain("00B10", 122),     Plain("00B50", 120),
    Plain("00BA0", 133),     Plain("00B40", 125),     Plain("00BB0", 134),     Plain("00960", 151),
    Plain("00970", 152),     Plain("00980", 153),     Plain("00200", 8),
}};

char at(std::string_view text, std::size_t i) { return i < text.size() ? text[i] : '\0'; }

bool within(std::string_view data, int offset) { return offset >= 0 && static_cast<std::size_t>(offset) < data.size(); }

}  // namespace

std::string MakeChecksum(std::string_view body) {
  std::uint8_t sum = 0;
  for (char c : body) sum = static_cast<std::uint8_t>(sum + static_cast<unsigned char>(c));
  char out[3];
  std::snprintf(out, sizeof out, "%02X", sum);
  return out;
}

std::string CompleteExtended(std::string_view text) {
  if (!IsExtended(text)) return std::string(text);
  std::string frame(text);
  frame += MakeChecksum(text.substr(1));
  frame += ETX;
  return frame;
}

std::string MakeStandard(std::string_view code) {
  std::string frame(1, STX);
  frame += code;
  frame += ETX;
  return frame;
}

bool IsStandard(std::string_view frame) { return at(frame, 0) == STX; }

bool IsExtended(std::string_view frame) { return at(frame, 0) == DC4; }

bool IsStatusFrame(std::string_view frame) {
  return at(frame, 0) == DC2 && at(frame, 7) == 'A' && at(frame, 8) == 'E' && at(frame, 16) == '0';
}

bool IsSupportedModel(std::string_view frame) { return frame.size() >= 6 && frame.substr(1, 5) == kSupportedModel; }

bool IsGuard(std::string_view frame) {
  if (IsStandard(frame)) return at(frame, 2) == '1' || at(frame, 2) == '2';
  if (IsExtended(frame)) return at(frame, 8) == '1' || at(frame, 8) == '2';
  return false;
}

bool IsParameterError(std::string_view frame) { return IsExtended(frame) && at(frame, 8) == '4'; }

bool IsIgnoredReport(std::string_view frame) {
  for (std::string_view prefix : kIgnoredPrefixes) {
    if (StartsWith(frame, prefix)) return true;
  }
  return false;
}

void NormaliseFrame(std::string& frame) {
  if (frame.size() == 8 && frame[0] == STX && frame[7] == ETX) frame[1] = '0';
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && text.substr(0, prefix.size()) == prefix;
}

bool MatchesReplyPrefix(std::string_view frame, const model::CommandRow& row, bool acceptAlt) {
  if (row.replyPrefix != nullptr && StartsWith(frame, row.replyPrefix)) return true;
  return acceptAlt && row.altReplyPrefix != nullptr && StartsWith(frame, row.altReplyPrefix);
}

bool AcknowledgesExtendedWrite(std::string_view frame, std::string_view command) {
  if (!IsExtended(frame) || !IsExtended(command) || frame.size() < 9 || command.size() < 8) return false;
  return frame[8] == '0' && frame.substr(5, 3) == command.substr(5, 3);
}

std::string_view StatusData(std::string_view statusFrame) {
  if (statusFrame.size() <= kStatusDataOffset) return {};
  std::string_view data = statusFrame.substr(kStatusDataOffset);
  if (!data.empty() && data.back() == ETX) data.remove_suffix(1);
  return data;
}

void ExpandStatusFrame(std::string_view statusData, const std::function<void(const std::string&)>& sink) {
  for (const StatusEntry& entry : kStatusEntries) {
    std::string_view code = entry.code;
    bool hasValues = true;
    if (!entry.zeroCode.empty()) {
      if (!within(statusData, entry.selector)) continue;
      if (statusData[entry.selector] == '0') {
        code = entry.zeroCode;
        hasValues = false;
      }
    }
    std::string report(1, STX);
    report += code;
    if (hasValues) {
      const std::int16_t offsets[] = {entry.first, entry.second};
      bool complete = true;
      for (std::int16_t offset : offsets) {
        if (offset < 0) continue;
        if (!within(statusData, offset)) complete = false;
        else report += statusData[offset];
      }
      if (!complete) continue;
    }
    report += ETX;
    sink(report);
  }
}

std::vector<std::string> StatusReportBeginnings() {
  std::vector<std::string> beginnings;
  for (const StatusEntry& entry : kStatusEntries) {
    beginnings.push_back(std::string(1, STX) + std::string(entry.code));
    if (!entry.zeroCode.empty()) beginnings.push_back(std::string(1, STX) + std::string(entry.zeroCode));
  }
  return beginnings;
}

}  // namespace tw::comm
