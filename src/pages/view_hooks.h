#pragma once

namespace tw::pages {

// Pages that the main view talks to beyond the page operations implement these small
// interfaces; the view finds them in the sheet by caption and reaches them through them,
// so a page that is not written yet is simply not told.

// DSP Parameters in Real Time Mode follows the receiver's current sound program; the Basic
// Control group tells it whenever the program changes there.
class ProgramFollower {
 public:
  virtual ~ProgramFollower() = default;
  // `program` is a sound program 0..23.
  virtual void SetCurrentProgram(int program) = 0;
};

// Speaker Distance learns at the view's initial update whether the mode is Async Mode
// (only then may its unit change) and the unit stored in the current image.
class ModeAndUnitFollower {
 public:
  virtual ~ModeAndUnitFollower() = default;
  virtual void SetModeAndUnit(bool async, int unit) = 0;
};

// The parameter number of the distance unit in the current image.
inline constexpr int kDistanceUnitNumber = 278;

}  // namespace tw::pages
