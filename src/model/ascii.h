#pragma once

#include <algorithm>
#include <string>
#include <string_view>

// Letters and hex digits of the protocol and of the profile format are ASCII: they are folded
// and read here without the C locale, which the desktop program sets from the user's.

namespace tw::model {

constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

inline std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiLower(c);
  return out;
}

inline std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

constexpr bool SameIgnoringCase(char a, char b) { return AsciiLower(a) == AsciiLower(b); }

constexpr bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return SameIgnoringCase(x, y);
         });
}

constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// Where `query` first occurs in `text`, letters of either case alike; npos when nowhere.
constexpr std::size_t FindIgnoringCase(std::string_view text, std::string_view query) {
  const auto found = std::search(text.begin(), text.end(), query.begin(), query.end(),
                                 [](char x, char y) { return SameIgnoringCase(x, y); });
  return found == text.end() ? std::string_view::npos : static_cast<std::size_t>(found - text.begin());
}

// The receiver writes hex digits in upper case; some of its inputs take either case.
enum class HexLetters { AnyCase, UpperOnly };

// The value of one hex digit, or -1 when `c` is none.
constexpr int HexDigitValue(char c, HexLetters letters = HexLetters::AnyCase) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (letters == HexLetters::AnyCase && c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// The value of hex text, or -1 when a character of it is no hex digit (0 for no text).
constexpr int HexValue(std::string_view digits, HexLetters letters = HexLetters::AnyCase) {
  int value = 0;
  for (char c : digits) {
    const int digit = HexDigitValue(c, letters);
    if (digit < 0) return -1;
    value = value * 16 + digit;
  }
  return value;
}

}  // namespace tw::model
