#pragma once

#include "pages/item_page.h"

namespace tw::pages {

// Other: what the receiver remembers per input (Audio Select Set, Decoder Mode Set) and the
// HDMI audio it supports (532..534), one radio group each.
class OtherPage final : public ItemPage {
 public:
  explicit OtherPage(const PageContext& context);
};

}  // namespace tw::pages
