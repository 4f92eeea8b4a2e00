#pragma once

#include <string>

namespace tw::pages {

// A page that can say which values an item takes, so that a message about a refused value
// tells the user what to type instead (tunewright-cli set).
class ItemRangeSource {
 public:
  virtual ~ItemRangeSource() = default;
  // "-6dB .. 3dB", or the names of a list; empty for an item the page does not know.
  virtual std::string DescribeRange(int number, int subIndex) const = 0;
};

}  // namespace tw::pages
