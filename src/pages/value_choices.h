#pragma once

#include <string>
#include <vector>

namespace tw::pages {

// Pages whose items take one of a fixed set of texts say which texts an item accepts, so
// that a tool can answer a refused text with the ones that would have been taken.
class ValueChoices {
 public:
  virtual ~ValueChoices() = default;
  // The texts item `number` accepts in a configuration file, in list order; empty for an
  // item that takes free text or is not the page's.
  virtual std::vector<std::string> AllowedTexts(int number, int subIndex) const = 0;
};

}  // namespace tw::pages
