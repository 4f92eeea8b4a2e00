#pragma once

// The receiver's Basic Control settings in the tool's terms, read from the virtual
// receiver's own report values and wire tables (never through the tool's decoder).

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "emu/receiver_settings.h"
#include "emu/wire_codes.h"
#include "model/parameter_image.h"

namespace tw::pages::test {

template <std::size_t N>
int IndexOf(const std::array<std::string_view, N>& values, std::string_view value) {
  const auto it = std::find(values.begin(), values.end(), value);
  return it == values.end() ? -1 : static_cast<int>(it - values.begin());
}

inline std::string ReportOf(const emu::ReceiverSettings& settings, std::string_view code) {
  const auto it = settings.reports.find(code);
  return it == settings.reports.end() ? std::string() : it->second;
}

inline int Digit(char c) { return c >= '0' && c <= '9' ? c - '0' : -1; }

// Main volume in tenths of dB: "00" is muted (-805), otherwise (dB * 10 + 995) / 5.
inline int VolumeOf(std::string_view hex) {
  const int raw = std::stoi(std::string(hex), nullptr, 16);
  return raw == emu::kVolumeMuted ? -805 : raw * 5 - 995;
}

// The Basic Control block integers (1-based as the block counts them) that a receiver's
// reports fix; -1 where the report says nothing.
struct BasicExpectation {
  int input = -1, audioSelect = -1, decoder = -1, program = -1, surround = -1, night = -1, nightParameter = -1,
      volume = -1, mute = -1;
};

inline BasicExpectation ExpectedBasic(const emu::ReceiverSettings& settings) {
  BasicExpectation e;
  e.input = IndexOf(emu::kInputValues, ReportOf(settings, "21"));
  e.program = IndexOf(emu::kProgramValues, ReportOf(settings, "28"));
  const std::string select = ReportOf(settings, "22");
  if (select.size() == 2) {
    e.decoder = Digit(select[0]);
    const auto audio = emu::kAudioSelectChars.find(select[1]);
    e.audioSelect = audio == std::string_view::npos ? -1 : static_cast<int>(audio);
  }
  e.surround = IndexOf(emu::kSurroundValues, ReportOf(settings, "2D"));
  const std::string night = ReportOf(settings, "8B");
  if (night.size() == 2) {
    e.night = Digit(night[0]);
    e.nightParameter = Digit(night[1]);
  }
  if (const std::string volume = ReportOf(settings, "26"); volume.size() == 2) e.volume = VolumeOf(volume);
  if (const std::string mute = ReportOf(settings, "23"); mute.size() == 2) e.mute = Digit(mute[1]);
  return e;
}

// Compares the items a receiver's reports fix with block integers of `image`.
inline void ExpectBasicMatches(const emu::ReceiverSettings& settings, const model::ParameterImage& image,
                               const std::string& what) {
  const BasicExpectation e = ExpectedBasic(settings);
  SCOPED_TRACE(what);
  EXPECT_EQ(image.basic[0], e.input) << "input";
  EXPECT_EQ(image.basic[3], e.program) << "sound program";
  EXPECT_EQ(image.basic[2], e.decoder) << "decoder";
  EXPECT_EQ(image.basic[1], e.audioSelect) << "audio select";
  EXPECT_EQ(image.basic[5], e.surround) << "surround";
  EXPECT_EQ(image.basic[6], e.night) << "night mode";
  if (e.night != 0) {
    EXPECT_EQ(image.basic[7], e.nightParameter) << "night parameter";
  }
  EXPECT_EQ(image.basic[8], e.volume) << "main volume";
  EXPECT_EQ(image.basic[9], e.mute) << "mute";
}

}  // namespace tw::pages::test
