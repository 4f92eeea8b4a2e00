#pragma once

#include <string_view>

#include "model/parameter_image.h"
#include "pages/base_page.h"

namespace tw::pages {

// The Basic Control group's items (section "Basic Control") as the configuration file, the
// report and the System Memory groups see them. The group itself lives with the main form;
// BasicItemsOf adapts it, so that files and reports need nothing else of the form.
class BasicItemSource {
 public:
  virtual ~BasicItemSource() = default;
  // Section, key and value of item `number`; three empty texts for a number without a key.
  virtual ItemText DescribeBasicItem(const model::ParameterImage& image, int number) const = 0;
  // True when `text` was one of the item's values and is now stored in `image`.
  virtual bool ParseBasicItem(model::ParameterImage& image, int number, std::string_view text) const = 0;
};

// Any group with DescribeBasicItem(image, number) giving section/key/value fields and
// ParseBasicItem(image, number, text).
template <class Group>
class BasicItemsOf final : public BasicItemSource {
 public:
  explicit BasicItemsOf(const Group& group) : group_(group) {}
  ItemText DescribeBasicItem(const model::ParameterImage& image, int number) const override {
    auto text = group_.DescribeBasicItem(image, number);
    return {std::move(text.section), std::move(text.key), std::move(text.value)};
  }
  bool ParseBasicItem(model::ParameterImage& image, int number, std::string_view text) const override {
    return group_.ParseBasicItem(image, number, text);
  }

 private:
  const Group& group_;
};

// The Basic Control numbers that files and reports carry, in their order.
inline constexpr int kBasicFileNumbers[] = {1, 2, 3, 4, 6, 7, 8, 9, 10};

}  // namespace tw::pages
