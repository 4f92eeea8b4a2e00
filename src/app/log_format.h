#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

namespace tw::app {

// Line formats of the communication logs. Every line ends with CR LF.

// Writes the frame bytes STX, DC2, DC4 and ETX out as text so that a log reads as lines
// of printable characters.
std::string ReplaceControlCharacters(std::string_view line);

// A frame sent ("//[送](標)") or received ("//" in front, "受"), control characters written
// out; or a comment line ("//" and the text, written as it is).
std::string TraceLine(std::string_view text, bool frame, bool sent);

// An error-log line: "section key<TAB>text" for a parameter, the text alone without one.
std::string ErrorLine(std::optional<std::pair<std::string, std::string>> item, std::string_view text);

// Minutes within the hour and seconds, as MM'SS" (hours and days are not shown); empty when
// there is no span. A negative span (the clock was set back) counts as none elapsed.
std::string FormatDuration(std::optional<std::chrono::seconds> span);

// The local date and time in the user's locale, short date and time with seconds.
std::string FormatDateTime(std::chrono::system_clock::time_point when);

}  // namespace tw::app
