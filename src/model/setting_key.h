#pragma once

#include <compare>
#include <functional>
#include <set>

namespace tw::model {

// One setting as the receiver's reports fill it: a parameter number, and for a Graphic EQ
// value the channel record it belongs to (-1 for every other setting).
struct SettingKey {
  int number = 0;
  int record = -1;
  friend auto operator<=>(const SettingKey&, const SettingKey&) = default;
};
using SettingKeys = std::set<SettingKey>;

// The key of a page item: Graphic EQ items name their channel record by the sub-index; any
// other item is its number alone, whatever its sub-index selects.
SettingKey KeyOfItem(int number, int subIndex);

// Which settings a list sends; an empty filter sends every one.
using SettingFilter = std::function<bool(const SettingKey&)>;
inline bool Sends(const SettingFilter& filter, int number, int subIndex) {
  return !filter || filter(KeyOfItem(number, subIndex));
}

}  // namespace tw::model
