#include "pages/eq/eq_curve.h"

#include <algorithm>
#include <cmath>

namespace tw::pages::eq {
namespace {

constexpr int kLast = static_cast<int>(kBandCount) - 1;

double X(int band) { return std::log10(kBandCentresHz[static_cast<std::size_t>(band)]); }
double Y(BandGains gains, int band) { return gains[static_cast<std::size_t>(band)] / 10.0; }

// The slope of the curve at a band's centre: level at the two outer bands; level where the
// band is a peak or a dip; otherwise the weighted harmonic mean of the two neighbouring
// secants, which keeps each piece between its two end values.
double SlopeAt(BandGains gains, int band) {
  if (band == 0 || band == kLast) return 0;
  const double hBefore = X(band) - X(band - 1);
  const double hAfter = X(band + 1) - X(band);
  const double before = (Y(gains, band) - Y(gains, band - 1)) / hBefore;
  const double after = (Y(gains, band + 1) - Y(gains, band)) / hAfter;
  if (before * after <= 0) return 0;
  const double w1 = 2 * hAfter + hBefore;
  const double w2 = hAfter + 2 * hBefore;
  return (w1 + w2) / (w1 / before + w2 / after);
}

}  // namespace

double EqCurveAt(BandGains gains, double hz) {
  const double x = std::log10(std::max(hz, 1.0));
  if (x <= X(0)) return Y(gains, 0);
  if (x >= X(kLast)) return Y(gains, kLast);
  int band = 0;
  while (band < kLast - 1 && x > X(band + 1)) ++band;
  const double h = X(band + 1) - X(band);
  const double t = (x - X(band)) / h;
  const double t2 = t * t;
  const double t3 = t2 * t;
  // Cubic Hermite basis.
  const double h00 = 2 * t3 - 3 * t2 + 1;
  const double h10 = t3 - 2 * t2 + t;
  const double h01 = -2 * t3 + 3 * t2;
  const double h11 = t3 - t2;
  return h00 * Y(gains, band) + h10 * h * SlopeAt(gains, band) + h01 * Y(gains, band + 1) +
         h11 * h * SlopeAt(gains, band + 1);
}

std::vector<CurvePoint> EqCurve(BandGains gains, int count) {
  const int points = std::max(count, 2);
  const double low = std::log10(kCurveLowHz);
  const double high = std::log10(kCurveHighHz);
  std::vector<CurvePoint> curve;
  curve.reserve(static_cast<std::size_t>(points));
  for (int i = 0; i < points; ++i) {
    // The ends exactly, not through pow's rounding.
    const double hz = i == 0            ? kCurveLowHz
                      : i == points - 1 ? kCurveHighHz
                                        : std::pow(10.0, low + (high - low) * i / (points - 1));
    curve.push_back({hz, EqCurveAt(gains, hz)});
  }
  return curve;
}

}  // namespace tw::pages::eq
