#pragma once

#include "model/parameter_image.h"

#include <array>

namespace tw::model {

inline constexpr int kDefaultTunerRegion = 1;

// The seven images (0 the current settings, 1..6 System Memory 1..6), built with factory
// defaults, and the one in use: decoded replies go into it and the pages show it.
class ParameterImages {
 public:
  explicit ParameterImages(int tunerRegion = kDefaultTunerRegion);

  // Image `index`, or nullptr outside 0..6.
  ParameterImage* Image(int index);
  const ParameterImage* Image(int index) const;
  std::array<ParameterImage, kImageCount>& All() { return images_; }
  const std::array<ParameterImage, kImageCount>& All() const { return images_; }

  // Points the image in use at image `index`; outside 0..6 nothing changes (false).
  bool SelectInUse(int index);
  int InUseIndex() const { return inUse_; }
  ParameterImage& InUse() { return images_[inUse_]; }
  const ParameterImage& InUse() const { return images_[inUse_]; }

  // Factory defaults for image `index` (ignored outside 0..6).
  void Reset(int index, int tunerRegion);

 private:
  std::array<ParameterImage, kImageCount> images_{};
  int inUse_ = 0;
};

}  // namespace tw::model
