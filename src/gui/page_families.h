#pragma once

#include <span>
#include <string_view>

namespace tw::gui {

// The families the page list groups the sheet's pages into, in the order they are listed.
std::span<const std::string_view> PageFamilies();

// The family of the page with this caption (an index into PageFamilies()); a page the
// table does not know yet joins the last family.
int FamilyOfPage(std::string_view caption);

}  // namespace tw::gui
