#include "files/report_text.h"

namespace tw::files {
namespace {

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += kReportLineEnd;
}

}  // namespace

std::string ReportTitle(std::string_view memo) {
  const std::string equalsRule(kReportRuleWidth, '=');
  const std::string dashRule(kReportRuleWidth, '-');
  std::string text;
  AppendLine(text, equalsRule);
  AppendLine(text, "        Receiver Editer Configration Report");
  AppendLine(text, "        TQ-N4400");
  AppendLine(text, equalsRule);
  AppendLine(text, "");
  AppendLine(text, dashRule);
  AppendLine(text, "    User Memo");
  AppendLine(text, dashRule);
  text += memo;
  text += kReportLineEnd;
  text += kReportLineEnd;
  return text;
}

std::string ReportHeading(int number, std::string_view label, std::string_view category) {
  const std::string dashRule(kReportRuleWidth, '-');
  std::string text;
  AppendLine(text, dashRule);
  text += "    ";
  text += std::to_string(number);
  text += ". ";
  text += label;
  text += ' ';
  AppendLine(text, category);
  text += dashRule;
  return text;
}

void ReportBlock::Add(std::string_view section, std::string_view key, std::string_view value) {
  if (section != lastSection_) {
    text_ += kReportLineEnd;
    text_ += '(';
    text_ += section;
    text_ += ')';
    text_ += kReportLineEnd;
    lastSection_ = section;
  }
  if (key.empty()) return;
  text_ += key;
  text_ += " = ";
  text_ += value;
  text_ += kReportLineEnd;
}

}  // namespace tw::files
