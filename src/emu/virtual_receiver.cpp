#include "emu/virtual_receiver.h"

#include <algorithm>
#include <cstring>
#include <map>

#include "comm/protocol.h"
#include "emu/operation_codes.h"
#include "emu/row_families.h"
#include "emu/status_frame.h"
#include "emu/wire_codes.h"
#include "model/ascii.h"

namespace tw::emu {
namespace {

// System commands "2" + address + value set the report of the same code, except where
// the receiver reports the setting under another code (volumes, and four speaker levels
// whose report codes name the channels the other way round).
struct SystemAddress {
  const char* address;
  const char* code;
};

constexpr std::array<SystemAddress, 73> kSystemAddresses = {{
    {"30", "26"}, {"31", "27"}, {"34", "A2"},  // main, Zone 2, Zone 3 volume
    {"40", "40"}, {"41", "41"}, {"42", "42"}, {"43", "43"}, {"44", "44"}, {"45", "47"}, {"46", "48"},
    {"47", "45"}, {"48", "46"}, {"49", "49"},                                            // speaker levels
    {"3E", "3E"}, {"3F", "3F"}, {"66", "66"}, {"6B", "6B"}, {"AD", "AD"}, {"AE", "AE"},  // zones
    {"A8", "A8"}, {"4B", "4B"}, {"4C", "4C"}, {"4D", "4D"}, {"4E", "4E"}, {"51", "51"}, {"52", "52"},
    {"53", "53"}, {"64", "64"}, {"65", "65"},  // tone
    {"70", "70"}, {"71", "71"}, {"72", "72"}, {"73", "73"}, {"74", "74"}, {"75", "75"}, {"76", "76"},
    {"7D", "7D"}, {"7E", "7E"},  // speaker set
    {"7B", "7B"}, {"6F", "6F"},  // MULTI CH
    {"69", "69"}, {"85", "85"}, {"63", "63"}, {"62", "62"}, {"86", "86"}, {"61", "61"}, {"93", "93"},
    {"67", "67"},                              // display
    {"60", "60"}, {"5F", "5F"}, {"8F", "8F"},  // other
    {"B3", "B3"}, {"B7", "B7"}, {"B9", "B9"}, {"BD", "BD"}, {"B1", "B1"}, {"B5", "B5"}, {"BA", "BA"},
    {"B2", "B2"}, {"B4", "B4"}, {"BB", "BB"}, {"B8", "B8"},  // advanced setup
    {"96", "96"}, {"97", "97"}, {"98", "98"},                // iPod
    {"8B", "8B"},                                            // night mode and its parameter
    {"23", "23"}, {"24", "24"}, {"25", "25"}, {"A0", "A0"}, {"A1", "A1"}, {"2D", "2D"}, {"2B", "2B"},
}};

// Standard settings a System Memory holds (besides every row read per memory).
// Program and night mode, speaker levels, tone (bypass, LFE, delay, dynamic range), speaker
// set, display set and HDMI support audio.
constexpr std::array<const char*, 35> kSystemMemoryCodes = {
    "28", "82", "8B", "40", "41", "42", "43", "44", "45", "46", "47", "48",
    "49", "A8", "51", "53", "64", "70", "71", "72", "73", "74", "75", "76",
    "7D", "7E", "69", "85", "63", "62", "86", "61", "93", "67", "8F"};

// Per memory group: the volume report it recalls (none for System) and the reports that
// confirm a load and a save.
struct MemoryGroup {
  const char* volumeCode;
  const char* loadedCode;
  const char* savedCode;
};
constexpr std::array<MemoryGroup, 4> kMemoryGroups = {
    {{nullptr, "30", "31"}, {"26", "32", "33"}, {"27", "37", "38"}, {"A2", "A3", "A4"}}};

bool isHex(char c) { return model::HexDigitValue(c) >= 0; }

std::string hex2(int value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

char digit(int value) { return static_cast<char>('0' + value); }

const SystemAddress* findSystemAddress(std::string_view address) {
  for (const SystemAddress& entry : kSystemAddresses) {
    if (address == entry.address) return &entry;
  }
  return nullptr;
}

const OperationCode* findOperation(std::string_view code) {
  for (const OperationCode& entry : kOperationCodes) {
    if (code == entry.code) return &entry;
  }
  return nullptr;
}

// Extended read requests by their text (DC4 included), for the rows the receiver answers.
const std::map<std::string, int, std::less<>>& readIndex() {
  static const std::map<std::string, int, std::less<>> index = [] {
    std::map<std::string, int, std::less<>> rows;
    for (int row = 0; row < model::kRowCount; ++row) {
      const char* request = model::kCommandTable[static_cast<std::size_t>(row)].request;
      if (request && request[0] == comm::DC4) rows.emplace(request, row);
    }
    return rows;
  }();
  return index;
}

// The row whose reply prefix begins `text` and leaves exactly its value length. Commands may
// write an address digit in lower case where the receiver's own reports write it in upper case.
int rowForWrite(std::string_view text) {
  for (int row = 0; row < model::kRowCount; ++row) {
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    if (!entry.replyPrefix || entry.replyPrefix[0] != comm::DC4) continue;
    const std::string_view prefix(entry.replyPrefix);
    if (!model::StartsWithIgnoringCase(text, prefix)) continue;
    if (static_cast<int>(text.size() - prefix.size()) == RowValueLength(row)) return row;
  }
  return -1;
}

// Rows whose value the receiver decides itself.
bool readOnly(RowFamily family) {
  switch (family) {
    case RowFamily::TunerRegion:
    case RowFamily::Zone2:
    case RowFamily::Zone3:
    case RowFamily::Xm:
    case RowFamily::CapabilityList:
    case RowFamily::KeepAlive:
    case RowFamily::Standard:
    case RowFamily::Unknown:
      return true;
    default:
      return false;
  }
}

bool validValue(RowFamily family, std::string_view value) {
  for (char c : value) {
    const auto u = static_cast<unsigned char>(c);
    if (HoldsText(family) ? (u < 0x20 || u > 0x7E) : !isHex(c)) return false;
  }
  return true;
}

int inputIndex(const ReceiverSettings& settings) {
  auto found = settings.reports.find("21");
  if (found == settings.reports.end()) return 0;
  for (std::size_t i = 0; i < kInputValues.size(); ++i) {
    if (kInputValues[i] == found->second) return static_cast<int>(i);
  }
  return 0;
}

std::string& reportOf(ReceiverSettings& settings, const char* code) {
  std::string& value = settings.reports[code];
  if (value.size() != 2) value = "00";
  return value;
}

// The Subwoofer's equaliser bands 3..7 (band codes 4, 6, 8, A, C): the receiver sets them,
// but its read requests cover only the first two bands, so they have no row. `text` is a
// write with its status character already turned into a reply's "0".
constexpr std::string_view kSubwooferEqWrite = "\x14"
                                               "20080300A";
constexpr std::string_view kRowlessEqBands = "468AC";
constexpr std::size_t kEqValueLength = 2;

bool isRowlessEqWrite(std::string_view text) {
  if (text.size() != kSubwooferEqWrite.size() + 1 + kEqValueLength) return false;
  if (!model::StartsWithIgnoringCase(text, kSubwooferEqWrite)) return false;
  const char band = model::AsciiUpper(text[kSubwooferEqWrite.size()]);
  if (kRowlessEqBands.find(band) == std::string_view::npos) return false;
  const std::string_view value = text.substr(kSubwooferEqWrite.size() + 1);
  return std::all_of(value.begin(), value.end(), isHex);
}

void copyMemoryPart(const ReceiverSettings& from, ReceiverSettings& to) {
  to.unreadWrites = from.unreadWrites;
  for (int row = 0; row < model::kRowCount; ++row) {
    const model::CommandRow& entry = model::kCommandTable[static_cast<std::size_t>(row)];
    if ((entry.flags & model::kReadPerMemory) && entry.request && entry.request[0] == comm::DC4) {
      to.rows[static_cast<std::size_t>(row)] = from.rows[static_cast<std::size_t>(row)];
    }
  }
  auto copyCode = [&](const char* code) {
    auto found = from.reports.find(code);
    if (found != from.reports.end()) to.reports[code] = found->second;
  };
  for (const char* code : kSystemMemoryCodes) copyCode(code);
}

}  // namespace

std::span<const char* const> SystemMemoryReportCodes() { return kSystemMemoryCodes; }

std::string MakeExtendedFrame(std::string_view body) {
  std::string frame(1, comm::DC4);
  frame += body;
  frame += comm::MakeChecksum(body);
  frame += comm::ETX;
  return frame;
}

std::string MakeReport(std::string_view code, std::string_view value, char guard) {
  std::string frame(1, comm::STX);
  frame += '0';
  frame += guard;
  frame += code;
  frame += value;
  frame += comm::ETX;
  return frame;
}

VirtualReceiver::VirtualReceiver(const EmulatorConfig& config) : config_(config) {
  identity_.zone2 = config.zone2;
  identity_.zone3 = config.zone3;
  identity_.xm = config.xm;
  identity_.aac = config.aac;
  identity_.tunerRegion = config.tunerRegion;
  if (config.settingsSeed) {
    std::mt19937 rng(*config.settingsSeed);
    current_ = RandomSettings(identity_, rng);
    for (ReceiverSettings& memory : memories_) memory = RandomSettings(identity_, rng);
  } else {
    current_ = FactorySettings(identity_);
    memories_.fill(current_);
  }
  for (const std::string& frame : config.presetCommands) handleFrame(frame);
}

const ReceiverSettings& VirtualReceiver::memory(int number) const {
  return memories_[static_cast<std::size_t>(number >= 1 && number <= kMemoryCount ? number - 1 : 0)];
}

std::string VirtualReceiver::rowValue(int row) const {
  if (row < 0 || row >= model::kRowCount) return {};
  return current_.rows[static_cast<std::size_t>(row)];
}

std::string VirtualReceiver::reportValue(std::string_view code) const {
  auto found = current_.reports.find(code);
  return found == current_.reports.end() ? std::string() : found->second;
}

std::string VirtualReceiver::statusFrame() const { return ComposeStatusFrame(current_, config_.modelCode); }

std::string VirtualReceiver::report(std::string_view code, char guard) const {
  return MakeReport(code, reportValue(code), guard);
}

bool VirtualReceiver::ipodOutputOn(std::string_view request) const {
  const auto found = readIndex().find(std::string(1, comm::DC4) + std::string(request));
  return found != readIndex().end() && current_.rows[static_cast<std::size_t>(found->second)] == "1";
}

bool VirtualReceiver::eligible(int row) const {
  const std::uint32_t flags = model::kCommandTable[static_cast<std::size_t>(row)].flags;
  return !((flags & model::kNeedsZone2) && !identity_.zone2) &&
         !((flags & model::kNeedsZone3) && !identity_.zone3) && !((flags & model::kNeedsXm) && !identity_.xm);
}

std::vector<std::string> VirtualReceiver::handleFrame(std::string_view frame) {
  if (frame.size() < 3 || frame.back() != comm::ETX) return {};
  if (frame[0] == comm::STX) return handleStandard(frame.substr(1, frame.size() - 2));
  if (frame[0] == comm::DC4) return handleExtended(frame);
  return {};
}

std::string VirtualReceiver::turnVolumeKnob(int steps) {
  std::string& volume = reportOf(current_, "26");
  const int now = std::max(model::HexValue(volume), kVolumeMin);
  volume = hex2(std::clamp(now + steps, kVolumeMin, kVolumeMax));
  return report("26");
}

// ---- standard commands ----

std::vector<std::string> VirtualReceiver::handleStandard(std::string_view code) {
  // A dock operation moves the docked player; the receiver then reports what it plays.
  constexpr std::string_view kDockPrefix = "0F7F011";
  if (code.size() == kDockPrefix.size() + 3 && code.starts_with(kDockPrefix)) {
    if (!dock_.Operate(code.substr(kDockPrefix.size()))) return {};
    return dock_.Reports(ipodOutputOn("200500400"), ipodOutputOn("200500500"));
  }
  // Memory commands and the status request answer with more than a report.
  if (const OperationCode* operation = findOperation(code)) {
    switch (operation->operation) {
      case Operation::StatusRequest:
        return {statusFrame()};
      case Operation::Acknowledged:
        return {};
      case Operation::MemoryLoad:
      case Operation::MemorySave:
        return handleMemory(operation->operation == Operation::MemoryLoad, operation->arg / 10,
                            operation->arg % 10);
      default:
        break;
    }
  }
  ReceiverSettings proposal = current_;
  auto replies = applyStandard(code, proposal);
  if (!replies) return {};
  // A refused change leaves everything as it was and says so in the guard character.
  bool refused = false;
  for (const auto& [reportCode, value] : proposal.reports) {
    if (config_.guardCodes.count(reportCode) && reportValue(reportCode) != value) refused = true;
  }
  if (refused) {
    std::vector<std::string> guarded;
    for (const std::string& reply : *replies) guarded.push_back(report(reply, '1'));
    return guarded;
  }
  current_ = std::move(proposal);
  std::vector<std::string> frames;
  for (const std::string& reply : *replies) frames.push_back(report(reply));
  return frames;
}

// Returns the report codes that answer `code`, in sending order, after changing `settings`.
std::optional<std::vector<std::string>> VirtualReceiver::applyStandard(std::string_view code,
                                                                       ReceiverSettings& settings) const {
  if (code.size() != 5) return std::nullopt;
  if (const OperationCode* operation = findOperation(code)) {
    const int arg = operation->arg;
    const auto index = static_cast<std::size_t>(arg);
    switch (operation->operation) {
      case Operation::Input:
        // The input recalls its own program; the program report goes first so that the
        // input report finds it in place.
        settings.reports["21"] = std::string(kInputValues[index]);
        settings.reports["28"] = settings.inputPrograms[index];
        return std::vector<std::string>{"28", "21"};
      case Operation::Program:
        settings.reports["28"] = std::string(kProgramValues[index]);
        settings.inputPrograms[static_cast<std::size_t>(inputIndex(settings))] = settings.reports["28"];
        return std::vector<std::string>{"28"};
      case Operation::AudioSelect:
        reportOf(settings, "22")[1] = kAudioSelectChars[index];
        return std::vector<std::string>{"22"};
      case Operation::Decoder:
        reportOf(settings, "22")[0] = digit(arg);
        return std::vector<std::string>{"22"};
      case Operation::Surround:
        settings.reports["2D"] = std::string(kSurroundValues[index]);
        return std::vector<std::string>{"2D"};
      case Operation::Night:
        // Night mode off holds the parameter at Min (the status frame then gives none).
        if (arg == 0) settings.reports["8B"] = "00";
        reportOf(settings, "8B")[0] = digit(arg);
        settings.reports["82"] = std::string("0") + digit(arg);
        return std::vector<std::string>{"82"};
      case Operation::Mute:
        settings.reports["23"] = std::string("0") + digit(arg);
        return std::vector<std::string>{"23"};
      case Operation::MainPower:
      case Operation::Zone2Power:
      case Operation::Zone3Power: {
        std::string& power = reportOf(settings, "20");
        const std::size_t found = kPowerDigits.find(power[1]);
        int bits = found == std::string_view::npos ? 7 : static_cast<int>(found);
        const int bit = operation->operation == Operation::MainPower    ? 4
                        : operation->operation == Operation::Zone2Power ? 2
                                                                        : 1;
        bits = arg ? (bits | bit) : (bits & ~bit);
        power = std::string("0") + kPowerDigits[static_cast<std::size_t>(bits)];
        return std::vector<std::string>{"20"};
      }
      case Operation::Zone2Input:
      case Operation::Zone3Input: {
        const char* reportCode = operation->operation == Operation::Zone2Input ? "24" : "A0";
        settings.reports[reportCode] = std::string("0") + kZoneInputChars[index];
        return std::vector<std::string>{reportCode};
      }
      case Operation::Zone2Mute:
      case Operation::Zone3Mute: {
        const char* reportCode = operation->operation == Operation::Zone2Mute ? "25" : "A1";
        settings.reports[reportCode] = std::string("0") + digit(arg);
        return std::vector<std::string>{reportCode};
      }
      case Operation::ShortMessage:
        settings.reports["2B"] = std::string("0") + kShortMessageChars[index];
        return std::vector<std::string>{"2B"};
      case Operation::TriggerControl1:
      case Operation::TriggerControl2: {
        const char* reportCode = operation->operation == Operation::TriggerControl1 ? "3A" : "3B";
        settings.reports[reportCode] = std::string(kTriggerControlValues[index]);
        return std::vector<std::string>{reportCode};
      }
      default:
        return std::nullopt;
    }
  }
  if (code[0] != '2') return std::nullopt;
  const std::string address = model::AsciiUpper(code.substr(1, 2));
  const std::string value = model::AsciiUpper(code.substr(3, 2));
  if (model::HexValue(address) < 0 || model::HexValue(value) < 0) return std::nullopt;
  const SystemAddress* target = findSystemAddress(address);
  if (!target) return std::nullopt;
  settings.reports[target->code] = value;
  // Night mode is reported twice over: on its own and with its parameter, which is Min
  // while night mode is off.
  if (address == "8B") {
    if (value[0] == '0') settings.reports[target->code] = "00";
    settings.reports["82"] = std::string("0") + value[0];
  }
  return std::vector<std::string>{target->code};
}

std::vector<std::string> VirtualReceiver::handleMemory(bool load, int group, int number) {
  if (group < 0 || group > 3 || number < 1 || number > kMemoryCount) return {};
  const MemoryGroup& part = kMemoryGroups[static_cast<std::size_t>(group)];
  ReceiverSettings& memory = memories_[static_cast<std::size_t>(number - 1)];
  const std::string numberValue = std::string("0") + digit(number);
  if (group == 0) {
    if (!load) {
      copyMemoryPart(current_, memory);
      return {MakeReport(part.savedCode, numberValue)};
    }
    copyMemoryPart(memory, current_);
    current_.inputPrograms[static_cast<std::size_t>(inputIndex(current_))] = reportOf(current_, "28");
    return {statusFrame()};
  }
  if (!load) {
    memory.reports[part.volumeCode] = reportOf(current_, part.volumeCode);
    return {MakeReport(part.savedCode, numberValue)};
  }
  current_.reports[part.volumeCode] = reportOf(memory, part.volumeCode);
  return {report(part.volumeCode), MakeReport(part.loadedCode, numberValue)};
}

// ---- extended commands ----

std::vector<std::string> VirtualReceiver::handleExtended(std::string_view frame) {
  // DC4, "20", length, address, status, payload, two checksum characters, ETX.
  if (frame.size() < 12) return {};
  const std::string_view body = frame.substr(1, frame.size() - 4);
  const std::string_view checksum = frame.substr(frame.size() - 3, 2);
  // A frame spoilt on the line is not answered; the tool sends it again.
  if (model::AsciiUpper(checksum) != comm::MakeChecksum(body)) return {};
  const int declared = model::HexValue(body.substr(2, 2));
  if (body.substr(0, 2) != "20" || declared < 0 || static_cast<int>(body.size()) != 4 + declared) {
    std::string refused(body);
    refused[7] = '4';
    return {MakeExtendedFrame(refused)};
  }
  if (body[7] == '0') return handleRead(body);
  if (body[7] == '1') return handleWrite(body);
  std::string refused(body);
  refused[7] = '4';
  return {MakeExtendedFrame(refused)};
}

std::vector<std::string> VirtualReceiver::handleRead(std::string_view body) {
  const std::string request = std::string(1, comm::DC4) + std::string(body);
  auto found = readIndex().find(request);
  const int row = found == readIndex().end() ? -1 : found->second;
  if (row < 0 || config_.errorRows.count(row) || !eligible(row)) {
    std::string refused(body);
    refused[7] = '4';
    return {MakeExtendedFrame(refused)};
  }
  const std::string_view prefix(model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix);
  return {MakeExtendedFrame(std::string(prefix.substr(1)) + current_.rows[static_cast<std::size_t>(row)])};
}

std::vector<std::string> VirtualReceiver::handleWrite(std::string_view body) {
  std::string text = std::string(1, comm::DC4) + std::string(body);
  text[8] = '0';
  const int row = rowForWrite(text);
  const RowFamily family = KindOfRow(row).family;
  std::string refused(body);
  refused[7] = '4';
  if (row < 0 && isRowlessEqWrite(text)) {
    const std::size_t valueAt = text.size() - kEqValueLength;
    const std::string address = model::AsciiUpper(std::string_view(text).substr(1, valueAt - 1));
    std::string& stored = current_.unreadWrites[address];
    stored = model::AsciiUpper(std::string_view(text).substr(valueAt));
    return {MakeExtendedFrame(address + stored)};
  }
  if (row < 0 || readOnly(family) || config_.errorRows.count(row) || !eligible(row)) {
    return {MakeExtendedFrame(refused)};
  }
  const std::string_view prefix(model::kCommandTable[static_cast<std::size_t>(row)].replyPrefix);
  const std::string_view value = std::string_view(text).substr(prefix.size());
  if (!validValue(family, value)) return {MakeExtendedFrame(refused)};
  std::string& stored = current_.rows[static_cast<std::size_t>(row)];
  if (config_.guardRows.count(row)) {
    std::string guarded = std::string(prefix.substr(1)) + stored;
    guarded[7] = '1';
    return {MakeExtendedFrame(guarded)};
  }
  stored = HoldsText(family) ? std::string(value) : model::AsciiUpper(value);
  return {MakeExtendedFrame(std::string(prefix.substr(1)) + stored)};
}

}  // namespace tw::emu
