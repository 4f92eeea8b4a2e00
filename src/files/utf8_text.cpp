#include "files/utf8_text.h"

namespace tw::files {
namespace {

// The length of the well-formed UTF-8 character at `at`, or 1 for a byte that begins none.
std::size_t CharacterLength(const std::string& text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
  }
  if (at + length > text.size()) return 1;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 1;
  }
  return length;
}

}  // namespace

std::string Utf8Prefix(std::string text, std::size_t count) {
  std::size_t at = 0;
  for (std::size_t characters = 0; characters < count && at < text.size(); ++characters) {
    at += CharacterLength(text, at);
  }
  text.resize(at);
  return text;
}

}  // namespace tw::files
