#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "files/profile.h"

namespace tw::files {

inline constexpr std::string_view kUserMemoSection = "User Memo";
inline constexpr std::string_view kUserMemoKey = "User Memo";
// The memo editor takes at most this many characters. The memo is the user's text as typed,
// in UTF-8 (older files may hold 8-bit text of another encoding; it is kept byte for byte).
inline constexpr std::size_t kUserMemoMaxLength = 1024;

// The memo as one profile line: every line break becomes the four characters \r\n.
// The memo is held with CR LF breaks; a lone CR or LF (a memo typed where lines end in LF)
// is a line break too, so that no break is lost or turned into a blank by the profile.
std::string EscapeUserMemo(std::string_view memo);
// Every \r\n of the file text becomes CR LF again.
std::string UnescapeUserMemo(std::string_view text);

// [User Memo] "User Memo" = the escaped memo, in double quotes when it begins or ends with
// a blank or a quote (which a profile read would otherwise drop).
void WriteUserMemo(Profile& profile, std::string_view memo);
// A non-empty entry replaces `memo` (at most kUserMemoMaxLength characters, never ending
// inside a character or a CR LF pair); an empty or missing entry leaves it as it was. True when read.
//
// The entry is read whole: a memo that the editor accepts escapes to more than a 1024-byte
// read buffer holds whenever it has line breaks, and cutting the escaped text would lose
// its end (or leave half an escape) on every save and load.
bool ReadUserMemo(const Profile& profile, std::string& memo);

}  // namespace tw::files
