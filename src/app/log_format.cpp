#include "app/log_format.h"

#include <cstdio>
#include <ctime>

namespace tw::app {
namespace {

constexpr char kStx = 0x02;
constexpr char kEtx = 0x03;
constexpr char kDc2 = 0x12;
constexpr char kDc4 = 0x14;

constexpr std::string_view kCrLf = "\r\n";

}  // namespace

std::string ReplaceControlCharacters(std::string_view line) {
  std::string out;
  out.reserve(line.size() + 16);
  for (char c : line) {
    switch (c) {
      case kStx: out += "STX, \""; break;
      case kDc2: out += "DC2, \""; break;
      case kDc4: out += "DC4, \""; break;
      case kEtx: out += "\", ETX  "; break;
      default: out += c; break;
    }
  }
  return out;
}

std::string TraceLine(std::string_view text, bool frame, bool sent) {
  if (!frame) return "//" + std::string(text) + std::string(kCrLf);
  std::string line = sent ? std::string() : std::string("//");
  line += text;
  line += "\t//[";
  line += sent ? "送" : "受";
  line += "](";
  line += !text.empty() && text.front() == kStx ? "標" : "拡";
  line += ")";
  return ReplaceControlCharacters(line) + std::string(kCrLf);
}

std::string ErrorLine(std::optional<std::pair<std::string, std::string>> item, std::string_view text) {
  std::string line;
  if (item) line = item->first + " " + item->second + "\t";
  line += text;
  line += kCrLf;
  return ReplaceControlCharacters(line);
}

std::string FormatDuration(std::optional<std::chrono::seconds> span) {
  if (!span) return {};
  const long long total = span->count() < 0 ? 0 : span->count();
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02lld'%02lld\"", (total / 60) % 60, total % 60);
  return buffer;
}

std::string FormatDateTime(std::chrono::system_clock::time_point when) {
  const std::time_t t = std::chrono::system_clock::to_time_t(when);
  std::tm local{};
  if (localtime_r(&t, &local) == nullptr) return {};
  char buffer[64];
  const std::size_t n = std::strftime(buffer, sizeof buffer, "%x %X", &local);
  return std::string(buffer, n);
}

}  // namespace tw::app
