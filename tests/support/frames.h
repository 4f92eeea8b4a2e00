#pragma once

// Frames as the receiver expects them, built here on their own so that a test never checks the
// program's frames against the program's own functions.

#include <string>
#include <string_view>

namespace tw::test {

inline std::string Stx(std::string_view body) { return "\x02" + std::string(body) + "\x03"; }

// The frame of an extended command with a lower-case checksum, computed here on its own.
inline std::string Dc4Lower(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kDigits[] = "0123456789abcdef";
  return "\x14" + std::string(body) + kDigits[(sum >> 4) & 0xF] + kDigits[sum & 0xF] + "\x03";
}

// The same with an upper-case checksum.
inline std::string Dc4Upper(std::string_view body) {
  unsigned sum = 0;
  for (char c : body) sum += static_cast<unsigned char>(c);
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return "\x14" + std::string(body) + kDigits[(sum >> 4) & 0xF] + kDigits[sum & 0xF] + "\x03";
}

}  // namespace tw::test
