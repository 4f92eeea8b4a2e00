#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/page_settings.h"

namespace tw::settings {

namespace input_rename {
inline constexpr int kFirstNumber = 240;
inline constexpr int kInputCount = 14;
inline constexpr std::size_t kNameLength = 8;
// A name as the receiver stores it: the text padded with blanks to eight characters.
// Nothing for a text the line cannot carry (beyond printable ASCII, or longer than eight
// characters once blanks past the eighth are dropped).
std::optional<std::string> PaddedName(std::string_view text);
}  // namespace input_rename

// Input Rename (240..253): an eight-character name per input, in block order. Files and
// reports hold the name between double quotes, so that its trailing blanks survive the
// profile reader.
const PageSettings& InputRenameSettings();

}  // namespace tw::settings
