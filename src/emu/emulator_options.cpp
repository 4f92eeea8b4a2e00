#include "emu/emulator_options.h"

#include "comm/frame_notation.h"
#include "model/ascii.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tw::emu {
namespace {

using Setter = bool (*)(EmulatorConfig&, std::string_view);

struct OptionKey {
  std::string_view key;
  std::string_view accepts;
  std::string_view meaning;
  Setter set;
};

std::optional<long long> parseInteger(std::string_view text, long long min, long long max) {
  long long value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end || value < min || value > max) return std::nullopt;
  return value;
}

std::optional<bool> parseSwitch(std::string_view text) {
  if (text == "1" || text == "on" || text == "yes" || text == "true") return true;
  if (text == "0" || text == "off" || text == "no" || text == "false") return false;
  return std::nullopt;
}

// A probability 0..1, written as a decimal number.
std::optional<double> parseRate(std::string_view text) {
  if (text.empty() || text.size() > 32) return std::nullopt;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && c != '.') return std::nullopt;
  }
  const std::string copy(text);
  char* end = nullptr;
  const double value = std::strtod(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size() || !std::isfinite(value) || value < 0.0 || value > 1.0)
    return std::nullopt;
  return value;
}

// Comma-separated items; an empty text is an empty list.
template <typename Item, typename Parse>
bool parseList(std::string_view text, std::set<Item>& out, Parse parse) {
  std::set<Item> items;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    auto parsed = parse(item);
    if (!parsed) return false;
    items.insert(*parsed);
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
    if (text.empty()) return false;  // a trailing comma is a typing error
  }
  out = std::move(items);
  return true;
}

bool setSwitch(bool& field, std::string_view value) {
  auto parsed = parseSwitch(value);
  if (parsed) field = *parsed;
  return parsed.has_value();
}

bool setRate(double& field, std::string_view value) {
  auto parsed = parseRate(value);
  if (parsed) field = *parsed;
  return parsed.has_value();
}

template <typename Int>
bool setInteger(Int& field, std::string_view value, long long min, long long max) {
  auto parsed = parseInteger(value, min, max);
  if (parsed) field = static_cast<Int>(*parsed);
  return parsed.has_value();
}

std::optional<std::string> parseReportCode(std::string_view text) {
  if (text.size() != 2 || model::HexValue(text) < 0) return std::nullopt;
  return model::AsciiUpper(text);
}

constexpr long long kMaxMs = 24LL * 3600 * 1000;

const std::array<OptionKey, 26> kKeys = {{
    {"zone2", "0|1", "the receiver has Zone 2 (default 1)",
     [](EmulatorConfig& c, std::string_view v) { return setSwitch(c.zone2, v); }},
    {"zone3", "0|1", "the receiver has Zone 3 (default 1)",
     [](EmulatorConfig& c, std::string_view v) { return setSwitch(c.zone3, v); }},
    {"xm", "0|1", "the receiver has XM satellite radio (default 1)",
     [](EmulatorConfig& c, std::string_view v) { return setSwitch(c.xm, v); }},
    {"aac", "0|1", "the receiver decodes AAC (default 1)",
     [](EmulatorConfig& c, std::string_view v) { return setSwitch(c.aac, v); }},
    {"region", "0..3", "tuner region: 0 Japan, 1 USA/Canada, 2 EU/Asia, 3 Other (default 1)",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.tunerRegion, v, 0, 3); }},
    {"model", "5 characters",
     "model code in the status frame (default R0210; anything else is a wrong model)",
     [](EmulatorConfig& c, std::string_view v) {
       if (v.size() != 5) return false;
       for (char ch : v) {
         if (static_cast<unsigned char>(ch) < 0x20 || static_cast<unsigned char>(ch) > 0x7E) return false;
       }
       c.modelCode = std::string(v);
       return true;
     }},
    {"seed", "0..4294967295",
     "start from random valid settings (current and each memory) made from this seed",
     [](EmulatorConfig& c, std::string_view v) {
       std::uint32_t seed = 0;
       if (!setInteger(seed, v, 0, 4294967295LL)) return false;
       c.settingsSeed = seed;
       return true;
     }},
    {"preset", "FRAME[,FRAME...]",
     "commands the receiver takes before the tool connects, as from its front panel, in the frame "
     "notation (preset=<STX>2B201<ETX> sets Fan Mode to Cont.); repeatable",
     [](EmulatorConfig& c, std::string_view v) {
       std::vector<std::string> frames;
       while (!v.empty()) {
         const std::size_t comma = v.find(',');
         const auto frame = comm::FromNotation(v.substr(0, comma));
         if (!frame || frame->empty()) return false;
         frames.push_back(*frame);
         if (comma == std::string_view::npos) break;
         v.remove_prefix(comma + 1);
       }
       c.presetCommands.insert(c.presetCommands.end(), frames.begin(), frames.end());
       return !frames.empty();
     }},
    {"latency", "0..10000",
     "milliseconds from the end of a command to the first byte of the answer (default 10)",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.latencyMs, v, 0, 10000); }},
    {"fault-seed", "0..4294967295", "seed of the random faults below (default 1); the same seed repeats them",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.faultSeed, v, 0, 4294967295LL); }},
    {"silent", "0|1", "answer nothing at all",
     [](EmulatorConfig& c, std::string_view v) { return setSwitch(c.silent, v); }},
    {"drop", "0..1", "probability that an answer is lost",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.dropRate, v); }},
    {"late", "0..1", "probability that an answer comes late-ms later",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.lateRate, v); }},
    {"late-ms", "0..86400000", "extra delay of a late answer in milliseconds (default 1500)",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.lateMs, v, 0, kMaxMs); }},
    {"duplicate", "0..1", "probability that an answer is sent twice",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.duplicateRate, v); }},
    {"garbage", "0..1", "probability of 1..8 random non-frame bytes before an answer",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.garbageRate, v); }},
    {"nul", "0..1", "probability of NUL bytes inside an answer",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.nulRate, v); }},
    {"split", "0..1", "probability that an answer reaches the tool in two or three reads",
     [](EmulatorConfig& c, std::string_view v) { return setRate(c.splitRate, v); }},
    {"faults-from", "MS",
     "drop, late, duplicate, garbage, nul and split start this many milliseconds after start (default 0)",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.faultsFromMs, v, 0, kMaxMs); }},
    {"guard-rows", "ROW[,ROW...]", "command-table rows whose extended writes are refused with a guard reply",
     [](EmulatorConfig& c, std::string_view v) {
       return parseList(v, c.guardRows, [](std::string_view item) {
         auto n = parseInteger(item, 0, 100000);
         return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
       });
     }},
    {"guard-codes", "HH[,HH...]",
     "standard report codes (two hex digits) whose changes are refused with a guard report",
     [](EmulatorConfig& c, std::string_view v) { return parseList(v, c.guardCodes, parseReportCode); }},
    {"error-rows", "ROW[,ROW...]", "command-table rows answered with a parameter error (reads and writes)",
     [](EmulatorConfig& c, std::string_view v) {
       return parseList(v, c.errorRows, [](std::string_view item) {
         auto n = parseInteger(item, 0, 100000);
         return n ? std::optional<int>(static_cast<int>(*n)) : std::nullopt;
       });
     }},
    {"cts-off-at", "MS",
     "from this many milliseconds after start the cable counts as pulled: CTS off, nothing passes",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.ctsOffAtMs, v, 0, kMaxMs); }},
    {"vanish-at", "MS",
     "from this many milliseconds after start the port is gone, as a USB adapter pulled out: it closes, "
     "writes fail and it cannot be opened again",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.vanishAtMs, v, 0, kMaxMs); }},
    {"knob", "0..86400000",
     "every this many milliseconds the volume knob turns one step and the receiver reports the new volume "
     "(0: never)",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.knobIntervalMs, v, 0, kMaxMs); }},
    {"min-gap", "0..10000",
     "a command that begins sooner than this many milliseconds after the receiver's last answer ended "
     "is dropped unanswered (0: never), as a receiver that needs the pauses would",
     [](EmulatorConfig& c, std::string_view v) { return setInteger(c.minRequestGapMs, v, 0, 10000); }},
}};

const OptionKey* findKey(std::string_view key) {
  for (const OptionKey& option : kKeys) {
    if (option.key == key) return &option;
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> ApplyEmulatorOption(EmulatorConfig& config, std::string_view keyValue) {
  const std::size_t equals = keyValue.find('=');
  if (equals == std::string_view::npos) {
    return "emulator option \"" + std::string(keyValue) + "\" is not KEY=VALUE; see --help for the keys";
  }
  const std::string_view key = keyValue.substr(0, equals);
  const std::string_view value = keyValue.substr(equals + 1);
  const OptionKey* option = findKey(key);
  if (!option) return "unknown emulator option key \"" + std::string(key) + "\"; see --help for the keys";
  EmulatorConfig changed = config;
  if (!option->set(changed, value)) {
    return "emulator option " + std::string(key) + " takes " + std::string(option->accepts) + ", not \"" +
           std::string(value) + "\"";
  }
  config = std::move(changed);
  return std::nullopt;
}

std::optional<std::string> ApplyEmulatorOptions(EmulatorConfig& config,
                                                const std::vector<std::string>& options) {
  for (const std::string& option : options) {
    if (auto error = ApplyEmulatorOption(config, option)) return error;
  }
  return std::nullopt;
}

std::string EmulatorOptionHelp() {
  std::string text;
  auto line = [&text](const OptionKey& option) {
    text += "  " + std::string(option.key) + "=" + std::string(option.accepts) + "\n      " +
            std::string(option.meaning) + "\n";
  };
  for (const OptionKey& option : kKeys) line(option);
  return text;
}

}  // namespace tw::emu
