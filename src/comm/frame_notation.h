#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tw::comm {

// The one notation for frames shown to people and given on command lines:
// <STX> <ETX> <DC2> <DC4> <NUL> for the control bytes, <xNN> for any other byte below
// 0x20 or above 0x7E, every other byte as itself -- except a '<' that would read back as
// the start of a name ("<CD>" in an input's name), which is written <x3C>, so that every
// text reads back as exactly the bytes it was written from.
std::string ToNotation(std::string_view bytes);

// Text for a terminal: the control bytes (below 0x20, 0x7F, and the C1 controls 0x80..0x9F,
// raw or UTF-8 encoded) in this notation, any other byte that is no part of a UTF-8 character
// as <xNN>, the rest (UTF-8 letters included) as itself; so a text from a file can neither
// move the cursor nor retitle or clear the terminal it is shown on.
std::string EscapeControls(std::string_view text);

// The same line by line: the line ends (LF or CR LF) kept, for a multi-line text.
std::string EscapeControlsByLine(std::string_view text);

// The inverse of ToNotation; also accepts lower-case names and hex digits. A '<' that opens no name
// stands for itself; a name-like "<ABC>" that is no name gives nothing (a typing error).
std::optional<std::string> FromNotation(std::string_view text);

}  // namespace tw::comm
