#include "comm/frame_notation.h"

#include <array>
#include <cctype>
#include <cstdio>
#include <utility>

#include "model/ascii.h"

namespace tw::comm {
namespace {

constexpr std::array<std::pair<char, std::string_view>, 5> kNames = {{
    {'\x02', "STX"}, {'\x03', "ETX"}, {'\x12', "DC2"}, {'\x14', "DC4"}, {'\x00', "NUL"},
}};

bool isAlnumText(std::string_view text) {
  for (char c : text) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

std::optional<char> namedByte(std::string_view name) {
  for (const auto& [byte, label] : kNames) {
    if (model::EqualsIgnoringCase(name, label)) return byte;
  }
  if (name.size() == 3 && (name[0] == 'x' || name[0] == 'X')) {
    const int value = model::HexValue(name.substr(1));
    if (value >= 0) return static_cast<char>(value);
  }
  return std::nullopt;
}

// Whether a '<' at the start of `text` opens what reading takes for a name: one to three
// letters or digits and a '>'.
bool opensName(std::string_view text) {
  const size_t close = text.find('>');
  if (close == std::string_view::npos || close < 2 || close > 4) return false;
  return isAlnumText(text.substr(1, close - 1));
}

}  // namespace

std::string ToNotation(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 2);
  for (size_t i = 0; i < bytes.size(); ++i) {
    const char c = bytes[i];
    // A '<' that would read back as the start of a name is written as a byte of its own.
    if (c == '<' && opensName(bytes.substr(i))) {
      out += "<x3C>";
      continue;
    }
    bool named = false;
    for (const auto& [byte, name] : kNames) {
      if (c == byte) {
        out += '<';
        out += name;
        out += '>';
        named = true;
        break;
      }
    }
    if (named) continue;
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u > 0x7E) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "<x%02X>", u);
      out += buf;
    } else {
      out += c;
    }
  }
  return out;
}

std::string EscapeControls(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const auto u = static_cast<unsigned char>(text[i]);
    if (u >= 0x20 && u < 0x7F) {
      out += text[i++];
      continue;
    }
    const size_t length = u >= 0xF0 && u <= 0xF4 ? 4 : u >= 0xE0 ? 3 : u >= 0xC2 && u <= 0xDF ? 2 : 1;
    bool whole = length > 1 && i + length <= text.size();
    for (size_t k = 1; whole && k < length; ++k)
      whole = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
    const bool c1 = u == 0xC2 && whole && static_cast<unsigned char>(text[i + 1]) < 0xA0;
    if (whole && !c1) {
      out += text.substr(i, length);
      i += length;
    } else {
      out += ToNotation(text.substr(i, 1));
      ++i;
    }
  }
  return out;
}

std::string EscapeControlsByLine(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    const bool crlf = end != std::string_view::npos && !line.empty() && line.back() == '\r';
    if (crlf) line.remove_suffix(1);
    out += EscapeControls(line);
    if (end == std::string_view::npos) break;
    out += crlf ? "\r\n" : "\n";
    text.remove_prefix(end + 1);
  }
  return out;
}

std::optional<std::string> FromNotation(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '<') {
      out += text[i];
      continue;
    }
    // A '<' that does not open a name of up to three letters or digits is itself.
    const size_t close = text.find('>', i);
    const std::string_view name =
        close == std::string_view::npos ? std::string_view{} : text.substr(i + 1, close - i - 1);
    if (name.empty() || name.size() > 3 || !isAlnumText(name)) {
      out += '<';
      continue;
    }
    if (auto byte = namedByte(name)) {
      out += *byte;
    } else {
      return std::nullopt;  // looks like a name but is none: a typing error
    }
    i = close;
  }
  return out;
}

}  // namespace tw::comm
