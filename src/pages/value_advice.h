#pragma once

#include <string>

#include "model/parameter_image.h"

namespace tw::pages {

// A page that accepts values the receiver may still not take (a frequency outside the tuner
// region's band) says so here, so that a front end can tell the user after an edit.
class ValueAdvice {
 public:
  virtual ~ValueAdvice() = default;
  // A one-line note about the value of `number` in `image`; empty when there is nothing to say.
  virtual std::string AdviceOn(const model::ParameterImage& image, int number, int subIndex) const = 0;
};

}  // namespace tw::pages
