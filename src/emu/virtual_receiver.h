#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "emu/emulator_options.h"
#include "emu/receiver_settings.h"

namespace tw::emu {

// The TQ-N4400 as the tool sees it through its commands: current settings, six System
// Memories, and the answer to every frame. Timing and faults of the line are not its
// business (see ReceiverLine); it answers at once.
class VirtualReceiver {
 public:
  explicit VirtualReceiver(const EmulatorConfig& config);

  // One complete frame from the tool, start byte to ETX. Returns the frames the receiver
  // sends back, in order; nothing for what a receiver leaves unanswered.
  std::vector<std::string> handleFrame(std::string_view frame);

  // The status frame for the current settings.
  std::string statusFrame() const;

  // The volume knob at the front panel turned by `steps` half-dB steps; returns the report
  // the receiver sends about it.
  std::string turnVolumeKnob(int steps);

  const ReceiverSettings& current() const { return current_; }
  // System Memory 1..6; any other number gives memory 1.
  const ReceiverSettings& memory(int number) const;

  // What a read of `row` answers after its reply prefix; empty for standard rows.
  std::string rowValue(int row) const;
  // Two value characters of a standard report code, or empty.
  std::string reportValue(std::string_view code) const;

 private:
  std::vector<std::string> handleStandard(std::string_view code);
  std::vector<std::string> handleExtended(std::string_view frame);
  std::vector<std::string> handleRead(std::string_view body);
  std::vector<std::string> handleWrite(std::string_view body);
  std::vector<std::string> handleMemory(bool load, int group, int number);

  // Applies a standard command to `settings`; returns the reports that answer it, or
  // nothing for a command the receiver does not know.
  std::optional<std::vector<std::string>> applyStandard(std::string_view code,
                                                        ReceiverSettings& settings) const;
  std::string report(std::string_view code, char guard = '0') const;
  bool eligible(int row) const;

  EmulatorConfig config_;
  ReceiverIdentity identity_;
  ReceiverSettings current_;
  std::array<ReceiverSettings, kMemoryCount> memories_;
};

// The standard report codes a System save keeps besides the rows read per memory (sound
// program, night mode, speaker levels, tone, speaker set, display, HDMI support audio).
std::span<const char* const> SystemMemoryReportCodes();

// Builds an extended frame DC4 + body + checksum + ETX.
std::string MakeExtendedFrame(std::string_view body);

// Standard report: STX, class "0", the guard character, code, value, ETX.
std::string MakeReport(std::string_view code, std::string_view value, char guard = '0');

}  // namespace tw::emu
