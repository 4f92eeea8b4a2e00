#pragma once

#include <cstddef>
#include <string>

namespace tw::files {

// The first `count` characters of UTF-8 `text` (all of it when shorter), never ending inside
// a character. A byte that continues no character (8-bit text of another encoding) counts
// as a character of its own.
std::string Utf8Prefix(std::string text, std::size_t count);

}  // namespace tw::files
