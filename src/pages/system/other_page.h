#pragma once

#include <array>
#include <string_view>

#include "pages/item_page.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {

// Other: what the receiver remembers per input (Audio Select Set, Decoder Mode Set) and the
// HDMI audio it supports (532..534), one radio group each.
class OtherPage final : public ItemPage {
 public:

  explicit OtherPage(const PageContext& context);

  // The radio group of parameter 532..534; Audio Select Set's for any other number.
  ui::RadioGroup& group(int number);

  void RestoreFocus() override;

 private:
  std::array<ui::RadioGroup, 3> groups_;
};

}  // namespace tw::pages
