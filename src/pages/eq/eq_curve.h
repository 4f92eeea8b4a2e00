#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The response curve the Graphic EQ page draws beside its sliders: what the seven band gains
// of one channel do across the audible range. Pure functions, so the drawing in the desktop
// program only scales the points.
namespace tw::pages::eq {

inline constexpr std::size_t kBandCount = 7;
// Centre frequency of each band, in Hz (63Hz .. 16kHz).
inline constexpr std::array<double, kBandCount> kBandCentresHz = {63, 160, 400, 1000, 2500, 6300, 16000};
// The range the curve covers.
inline constexpr double kCurveLowHz = 20;
inline constexpr double kCurveHighHz = 20000;

struct CurvePoint {
  double hz = 0;
  double db = 0;
};

using BandGains = std::span<const std::int32_t, kBandCount>;

// The curve at `hz` for band gains in tenths of a dB, in dB. It passes through each band's
// gain at the band's centre, runs smoothly between them on a logarithmic frequency axis
// without overshooting either neighbour (a monotone cubic), and stays level beyond the
// outermost bands.
double EqCurveAt(BandGains gains, double hz);

// `count` points of that curve (at least two), evenly spaced on the logarithmic axis from
// 20 Hz to 20 kHz.
std::vector<CurvePoint> EqCurve(BandGains gains, int count);

}  // namespace tw::pages::eq
