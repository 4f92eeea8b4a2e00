#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tw::emu {

// The iPod in the receiver's dock, as far as the receiver reports it: a short play list,
// the track it is at and whether it plays. The dock operations (STX "0F7F011" + code) move
// it; after each one the receiver reports its play information and its list information,
// each only while its output setting is On.
class DockPlayer {
 public:
  // Dock operation `code` ("EE1" Play, "DE2" Stop, "7E8" Rew, "8E7" FF, "AE5" Pause,
  // "BE4" previous, "CE3" next); false for any other code.
  bool Operate(std::string_view code);
  // The reports that follow an operation: those whose output setting is On.
  std::vector<std::string> Reports(bool playInfoOut, bool listInfoOut) const;

  // DC4 "207D00402" + 120 characters: title (40), artist, album, channel, category (20 each).
  std::string PlayInformation() const;
  // DC4 "205600502" + 81 characters: the cursor line "0".."3", then four lines of 20.
  std::string ListInformation() const;

 private:
  enum class State { Stopped, Playing, Paused };

  int track_ = 0;
  State state_ = State::Stopped;
};

}  // namespace tw::emu
