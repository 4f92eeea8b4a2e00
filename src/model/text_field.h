#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace tw::model {

// Stores `text` into a terminated character field: at most `maxLength` characters (and never
// more than the field holds less its terminator), cut at an embedded NUL; the rest of the
// field is cleared so that no older, longer text shows through.
inline void CopyText(std::span<char> field, std::string_view text, std::size_t maxLength) {
  if (field.empty()) return;
  const std::size_t limit = std::min(maxLength, field.size() - 1);
  const std::size_t length = std::min({text.size(), limit, text.find('\0')});
  std::fill(std::copy_n(text.begin(), length, field.begin()), field.end(), '\0');
}

// The text a field holds, up to its terminator or its end.
inline std::string ReadText(std::span<const char> field) {
  const auto end = std::find(field.begin(), field.end(), '\0');
  return std::string(field.begin(), end);
}

}  // namespace tw::model
