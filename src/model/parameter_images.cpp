#include "model/parameter_images.h"

#include "model/parameter_access.h"

namespace tw::model {
namespace {

bool ValidIndex(int index) { return index >= 0 && index < kImageCount; }

}  // namespace

ParameterImages::ParameterImages(int tunerRegion) {
  for (int i = 0; i < kImageCount; ++i) {
    images_[i].index = i;
    ResetToDefaults(images_[i], tunerRegion);
  }
}

ParameterImage* ParameterImages::Image(int index) { return ValidIndex(index) ? &images_[index] : nullptr; }

const ParameterImage* ParameterImages::Image(int index) const {
  return ValidIndex(index) ? &images_[index] : nullptr;
}

bool ParameterImages::SelectInUse(int index) {
  if (!ValidIndex(index)) return false;
  inUse_ = index;
  return true;
}

void ParameterImages::Reset(int index, int tunerRegion) {
  if (ValidIndex(index)) ResetToDefaults(images_[index], tunerRegion);
}

}  // namespace tw::model
