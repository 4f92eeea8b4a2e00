#pragma once

#include <string>
#include <string_view>

namespace tw::settings {

// A text the receiver reported, as it may be shown or written to a file: every byte outside
// printable ASCII (control bytes, 8-bit bytes of an unknown character set) becomes "?".
inline std::string Printable(std::string_view text) {
  std::string shown(text);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte > 0x7E) c = '?';
  }
  return shown;
}

}  // namespace tw::settings
