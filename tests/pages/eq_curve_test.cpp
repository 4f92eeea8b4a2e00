// The Graphic EQ response curve: through every band's gain, smooth, and never beyond its
// neighbours.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "pages/eq/eq_curve.h"

namespace tw::test {
namespace {

using pages::eq::EqCurve;
using pages::eq::EqCurveAt;
using pages::eq::kBandCentresHz;
using Gains = std::array<std::int32_t, pages::eq::kBandCount>;

const std::vector<Gains> kPatterns = {
    {0, 0, 0, 0, 0, 0, 0},          {60, 60, 60, 60, 60, 60, 60},   {-60, 60, -60, 60, -60, 60, -60},
    {-60, -40, -20, 0, 20, 40, 60}, {15, -5, 0, 35, -25, 60, -60}, {0, 0, 0, 60, 0, 0, 0},
};

TEST(EqCurve, PassesThroughEveryBandGainAtItsCentre) {
  for (const Gains& gains : kPatterns) {
    for (std::size_t band = 0; band < gains.size(); ++band) {
      EXPECT_NEAR(EqCurveAt(gains, kBandCentresHz[band]), gains[band] / 10.0, 1e-9)
          << "band " << band + 1 << " of pattern starting " << gains[0];
    }
  }
}

TEST(EqCurve, StaysBetweenNeighbouringGainsAndLevelBeyondTheOuterBands) {
  for (const Gains& gains : kPatterns) {
    for (std::size_t band = 0; band + 1 < gains.size(); ++band) {
      const double low = std::min(gains[band], gains[band + 1]) / 10.0;
      const double high = std::max(gains[band], gains[band + 1]) / 10.0;
      for (int step = 1; step < 50; ++step) {
        const double hz = kBandCentresHz[band] * std::pow(kBandCentresHz[band + 1] / kBandCentresHz[band], step / 50.0);
        const double db = EqCurveAt(gains, hz);
        EXPECT_GE(db, low - 1e-9) << hz;
        EXPECT_LE(db, high + 1e-9) << hz;
      }
    }
    EXPECT_DOUBLE_EQ(EqCurveAt(gains, 20), gains.front() / 10.0);
    EXPECT_DOUBLE_EQ(EqCurveAt(gains, 40), gains.front() / 10.0);
    EXPECT_DOUBLE_EQ(EqCurveAt(gains, 20000), gains.back() / 10.0);
  }
}

TEST(EqCurve, PointsSpanTwentyHertzToTwentyKilohertzEvenlyAndWithoutJumps) {
  const Gains gains = {-60, 60, -60, 60, -60, 60, -60};
  const auto curve = EqCurve(gains, 121);
  ASSERT_EQ(curve.size(), 121u);
  EXPECT_DOUBLE_EQ(curve.front().hz, 20);
  EXPECT_DOUBLE_EQ(curve.back().hz, 20000);
  const double ratio = curve[1].hz / curve[0].hz;
  for (std::size_t i = 1; i < curve.size(); ++i) {
    EXPECT_NEAR(curve[i].hz / curve[i - 1].hz, ratio, 1e-9) << i;
    // From -6 to +6 dB between neighbouring bands, some 16 points apart: no jumps.
    EXPECT_LT(std::abs(curve[i].db - curve[i - 1].db), 2.0) << i;
    EXPECT_DOUBLE_EQ(curve[i].db, EqCurveAt(gains, curve[i].hz));
  }
  EXPECT_EQ(EqCurve(gains, 0).size(), 2u);
}

}  // namespace
}  // namespace tw::test
