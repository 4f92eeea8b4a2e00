#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <random>
#include <string>

#include "model/command_table.h"

namespace tw::emu {

// Main-zone inputs in the receiver's order (PHONO .. MULTI CH).
inline constexpr int kInputCount = 13;
inline constexpr int kMemoryCount = 6;

// One set of the receiver's settings, kept as the characters that travel on the wire so
// that a read answers with exactly what was written.
struct ReceiverSettings {
  // Value characters of each extended command-table row (empty for standard rows).
  std::array<std::string, model::kRowCount> rows;
  // Two value characters per standard report code ("26" -> "77").
  std::map<std::string, std::string, std::less<>> reports;
  // The sound program ("0028" value) each main input recalls when selected.
  std::array<std::string, kInputCount> inputPrograms;
  // Extended values the receiver takes but answers no read for (the Subwoofer's equaliser
  // bands 3..7), value characters by address (the reply's text after DC4, before the value).
  std::map<std::string, std::string, std::less<>> unreadWrites;
};

// What a receiver is, apart from its settings.
struct ReceiverIdentity {
  bool zone2 = true;
  bool zone3 = true;
  bool xm = true;
  bool aac = true;
  int tunerRegion = 1;
};

// The settings a receiver leaves the factory with; they read back as the tool's defaults.
ReceiverSettings FactorySettings(const ReceiverIdentity& identity);

// Valid settings (every value within its range and consistent with the others) drawn
// from `rng`; two calls give different settings.
ReceiverSettings RandomSettings(const ReceiverIdentity& identity, std::mt19937& rng);

// Number of value characters a read of `row` answers with, after the reply prefix.
int RowValueLength(int row);

}  // namespace tw::emu
