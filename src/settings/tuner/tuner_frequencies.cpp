#include "settings/tuner/tuner_frequencies.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "settings/printable_text.h"

namespace tw::settings::tuner {
namespace {

// One band of a region: first and last frequency and the step, in kHz for AM and in
// hundredths of a MHz for FM.
struct Steps {
  int first;
  int last;
  int step;
};

struct BandPlan {
  Steps am;
  Steps fm;
  std::string_view name;
};

constexpr std::array<BandPlan, 4> kBandPlans = {{
    {{531, 1611, 9}, {7600, 9000, 10}, "AM9 / FM100  (Japan)"},
    {{530, 1710, 10}, {8750, 10790, 20}, "AM10 / FM200  (USA, Canada)"},
    {{531, 1611, 9}, {8750, 10800, 5}, "AM9 / FM50  (EU, Asia)"},
    {{530, 1710, 10}, {8750, 10800, 10}, "AM10 / FM100  (Other)"},
}};

constexpr std::size_t kPointIndex = 3;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// The text after the band word, without the unit when it is there.
std::string_view Number(std::string_view display, std::string_view unit) {
  std::string_view number = display.substr(std::min<std::size_t>(2, display.size()));
  if (number.ends_with(unit)) number.remove_suffix(unit.size());
  return number;
}

std::string FrequencyText(Band band, int value) {
  char text[16];
  if (band == Band::Am) {
    std::snprintf(text, sizeof text, "%06d", value);
  } else {
    std::snprintf(text, sizeof text, "%03d.%02d", value / 100, value % 100);
  }
  return text;
}

}  // namespace

bool IsFrequencyText(std::string_view text) {
  if (text.size() != kFrequencyLength) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i])) continue;
    if (i != kPointIndex || text[i] != '.') return false;
  }
  return true;
}

char BandDigit(std::string_view text) { return text.find('.') != std::string_view::npos ? '1' : '0'; }

std::string DisplayForm(std::string_view text) {
  // What the receiver reported goes into lists and files: never as raw control bytes.
  if (text.size() != kFrequencyLength) return Printable(text);
  std::string shown = Printable(text);
  for (char& c : shown) {
    if (c != '0') break;
    c = ' ';
  }
  const auto point = shown.find('.');
  if (point == std::string::npos) return "AM " + Trimmed(shown) + "kHz";
  // Trailing zeros go, but one digit after the point always stays ("90.0").
  for (std::size_t i = shown.size(); i-- > point + 2;) {
    if (shown[i] != '0') break;
    shown[i] = ' ';
  }
  return "FM " + Trimmed(shown) + "MHz";
}

std::optional<std::string> FrequencyFromDisplay(std::string_view display) {
  std::string text;
  if (display.find("FM") != std::string_view::npos) {
    text = Trimmed(Number(display, "MHz"));
    const auto point = text.find('.');
    // Without a point at index 3 or before no zeros can put it there.
    if (point == std::string::npos || point > kPointIndex) return std::nullopt;
    text.insert(0, kPointIndex - point, '0');
    if (text.size() < kFrequencyLength) text.append(kFrequencyLength - text.size(), '0');
  } else if (display.find("AM") != std::string_view::npos) {
    text = Trimmed(Number(display, "kHz"));
    if (text.size() < kFrequencyLength) text.insert(0, kFrequencyLength - text.size(), '0');
  } else {
    text = std::string(display);
  }
  if (!IsFrequencyText(text)) return std::nullopt;
  return text;
}

std::vector<std::string> FrequencyList(int region, Band band) {
  if (region < 0 || region >= static_cast<int>(kBandPlans.size())) return {};
  const BandPlan& plan = kBandPlans[static_cast<std::size_t>(region)];
  const Steps& steps = band == Band::Am ? plan.am : plan.fm;
  std::vector<std::string> list;
  for (int value = steps.first; value <= steps.last; value += steps.step) list.push_back(FrequencyText(band, value));
  return list;
}

bool IsInRegionList(int region, std::string_view text) {
  const auto list = FrequencyList(region, BandDigit(text) == '1' ? Band::Fm : Band::Am);
  return std::find(list.begin(), list.end(), text) != list.end();
}

std::string_view RegionName(int region) {
  if (region < 0 || region >= static_cast<int>(kBandPlans.size())) return {};
  return kBandPlans[static_cast<std::size_t>(region)].name;
}

}  // namespace tw::settings::tuner
