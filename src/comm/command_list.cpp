#include "comm/command_list.h"

#include <cctype>
#include <climits>
#include <utility>

namespace tw::comm {

std::string MacroText(std::string_view name, int argument) {
  std::string text(name);
  text += ", ";
  text += std::to_string(argument);
  return text;
}

bool IsMacro(std::string_view text, std::string_view name) { return text.substr(0, name.size()) == name; }

std::string_view MacroArgumentText(std::string_view text) {
  // The name runs up to the first character that is not a letter after the '@'.
  std::size_t nameEnd = 1;
  while (nameEnd < text.size() && std::isalpha(static_cast<unsigned char>(text[nameEnd]))) ++nameEnd;
  const std::size_t comma = text.find(',', nameEnd);
  if (comma == std::string_view::npos) return {};
  return text.substr(comma + 1);
}

int MacroArgument(std::string_view text) {
  std::string_view digits = MacroArgumentText(text);
  std::size_t i = 0;
  while (i < digits.size() && std::isspace(static_cast<unsigned char>(digits[i]))) ++i;
  bool negative = false;
  if (i < digits.size() && (digits[i] == '-' || digits[i] == '+')) negative = digits[i++] == '-';
  long long value = 0;
  for (; i < digits.size() && std::isdigit(static_cast<unsigned char>(digits[i])); ++i) {
    value = value * 10 + (digits[i] - '0');
    if (value > INT_MAX) return negative ? INT_MIN : INT_MAX;
  }
  return static_cast<int>(negative ? -value : value);
}

void CommandList::add(std::string text, int number, int row) {
  CommandEntry entry{std::move(text), number, row, EntryStatus::Pending};
  if (entry.isMacro()) entry.status = EntryStatus::Done;
  entries_.push_back(std::move(entry));
}

void CommandList::clear() {
  entries_.clear();
  doneBefore_ = 0;
  ++generation_;
}

void CommandList::truncateAfter(std::size_t index) {
  if (index + 1 < entries_.size()) entries_.resize(index + 1);
  if (doneBefore_ > entries_.size()) doneBefore_ = entries_.size();
}

std::optional<std::size_t> CommandList::firstPending() const {
  while (doneBefore_ < entries_.size() && entries_[doneBefore_].status == EntryStatus::Done) ++doneBefore_;
  if (doneBefore_ == entries_.size()) return std::nullopt;
  return doneBefore_;
}

}  // namespace tw::comm
