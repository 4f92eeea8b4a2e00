#include "files/user_memo.h"

#include "files/utf8_text.h"

#include <limits>

namespace tw::files {
namespace {

constexpr std::string_view kEscapedBreak = "\\r\\n";
constexpr std::string_view kCrLf = "\r\n";

}  // namespace

std::string EscapeUserMemo(std::string_view memo) {
  std::string escaped;
  escaped.reserve(memo.size() + memo.size() / 8);
  for (std::size_t i = 0; i < memo.size(); ++i) {
    const char c = memo[i];
    if (c == '\r') {
      if (i + 1 < memo.size() && memo[i + 1] == '\n') ++i;  // CR LF is one break
      escaped += kEscapedBreak;
    } else if (c == '\n') {
      escaped += kEscapedBreak;
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string UnescapeUserMemo(std::string_view text) {
  std::string memo;
  memo.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t found = text.find(kEscapedBreak, pos);
    if (found == std::string_view::npos) {
      memo += text.substr(pos);
      break;
    }
    memo += text.substr(pos, found - pos);
    memo += kCrLf;
    pos = found + kEscapedBreak.size();
  }
  return memo;
}

void WriteUserMemo(Profile& profile, std::string_view memo) {
  std::string escaped = EscapeUserMemo(memo);
  // A profile read drops surrounding blanks and one pair of surrounding quotes; quoting such
  // a memo keeps it as typed (a reader strips exactly the quotes added here).
  const auto kept = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '"'; };
  if (!escaped.empty() && (kept(escaped.front()) || kept(escaped.back()))) escaped = '"' + escaped + '"';
  profile.WriteString(kUserMemoSection, kUserMemoKey, escaped);
}

bool ReadUserMemo(const Profile& profile, std::string& memo) {
  const std::string text =
      profile.GetString(kUserMemoSection, kUserMemoKey, "", std::numeric_limits<std::size_t>::max());
  if (text.empty()) return false;
  const std::string whole = UnescapeUserMemo(text);
  std::string read = Utf8Prefix(whole, kUserMemoMaxLength);
  if (read.size() < whole.size() && !read.empty() && read.back() == '\r' && whole[read.size()] == '\n') {
    read.pop_back();  // keep a CR LF pair whole
  }
  memo = std::move(read);
  return true;
}

}  // namespace tw::files
