#pragma once

// Small page settings on the real captions and parameter numbers, and a Basic Control
// stand-in, for the configuration file, report and System Memory walks. Values are plain integers shown
// as "%d" (DSP values as "v%d"), so that every text maps to one value.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "settings/page_settings.h"
#include "settings/value_text.h"

namespace tw::test {

using Field = std::int32_t& (*)(model::ParameterImage&);

struct IntItem {
  int number;
  const char* key;
  Field field;
};

class IntSettings : public settings::PageSettings {
 public:
  IntSettings(std::string caption, std::vector<IntItem> items,
              settings::Presence presence = settings::Presence::Always)
      : PageSettings(std::move(caption), presence), items_(std::move(items)) {}

  std::vector<settings::PageItem> ListItems(bool, const settings::SettingContext&, int) const override {
    std::vector<settings::PageItem> list;
    for (const IntItem& item : items_) list.push_back({item.number, -1});
    return list;
  }
  settings::ItemText DescribeItem(const model::ParameterImage& image, int number, int, bool) const override {
    const IntItem* item = find(number);
    if (item == nullptr) return {};
    auto& copy = const_cast<model::ParameterImage&>(image);  // Field reads through a mutable ref
    return {caption(), item->key, std::to_string(item->field(copy))};
  }
  bool ParseItem(model::ParameterImage& image, int number, int, std::string_view text) const override {
    const IntItem* item = find(number);
    const auto value = settings::ParseDecimal(text);
    if (item == nullptr || !value || *value < -1000 || *value > 1000) return false;
    item->field(image) = *value;
    return true;
  }

 private:
  const IntItem* find(int number) const {
    for (const IntItem& item : items_) {
      if (item.number == number) return &item;
    }
    return nullptr;
  }
  std::vector<IntItem> items_;
};

inline const std::array<std::string_view, 3> kProgramNames = {"Hall A", "Hall B", "Club"};

// Sound programs 0..2 with two parameters each (group = program), as the DSP settings list
// them: every group gives the programs one after another.
class DspSettings final : public settings::PageSettings {
 public:
  DspSettings() : PageSettings("DSP Parameters") {}

  std::vector<settings::PageItem> ListItems(bool, const settings::SettingContext&, int group) const override {
    if (group == settings::kAllGroups) return {{27, -1}, {28, -1}, {29, -1}, {30, -1}, {31, -1}, {32, -1}};
    if (group < 0 || group >= static_cast<int>(kProgramNames.size())) return {};
    return {{27 + 2 * group, -1}, {28 + 2 * group, -1}};
  }
  settings::ItemText DescribeItem(const model::ParameterImage& image, int number, int, bool) const override {
    const int index = number - 27;
    if (index < 0 || index >= 6) return {};
    const std::string key = (index % 2 == 0 ? "Delay" : "Room Size");
    return {"DSP Parameters " + std::string(kProgramNames[index / 2]), key,
            "v" + std::to_string(image.dsp[index])};
  }
  bool ParseItem(model::ParameterImage& image, int number, int, std::string_view text) const override {
    const int index = number - 27;
    if (index < 0 || index >= 6 || text.size() < 2 || text[0] != 'v') return false;
    const auto value = settings::ParseDecimal(text.substr(1));
    if (!value) return false;
    image.dsp[index] = *value;
    return true;
  }
};

// The sheet order with five pages: Multi Zone (zone volumes 18 and 23 with zone 2 input 15
// beside them), DSP Parameters, Speaker Level, Tone Control (289 is kept by a System Memory,
// 295 is not) and XM Set.
struct FakeCatalogue {
  IntSettings multiZone{"Multi Zone",
                        {{15, "Zone2 Input", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[0]; }},
                         {18, "Zone2 Volume", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[3]; }},
                         {23, "Zone3 Volume", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[9]; }}}};
  DspSettings dsp;
  IntSettings speakerLevel{
      "Speaker Level",
      {{268, "FL", [](model::ParameterImage& i) -> std::int32_t& { return i.speakerLevel[0]; }},
       {269, "FR", [](model::ParameterImage& i) -> std::int32_t& { return i.speakerLevel[1]; }}}};
  IntSettings toneControl{
      "Tone Control",
      {{289, "Tone Bypass", [](model::ParameterImage& i) -> std::int32_t& { return i.tone[0]; }},
       {295, "Speaker Bass Gain", [](model::ParameterImage& i) -> std::int32_t& { return i.tone[1]; }}}};
  IntSettings xmSet{"XM Set",
                    {{477, "PageA No.1", [](model::ParameterImage& i) -> std::int32_t& { return i.xm.presets[0]; }}},
                    settings::Presence::RealTimeOrRegion1};
  std::array<const settings::PageSettings*, 5> pages{&multiZone, &dsp, &speakerLevel, &toneControl, &xmSet};
};

// Basic Control items 1..10 with their keys; values "%d" of the block integer, 4 shown as
// the program name for 0..2 (so a memory's DSP section follows its program).
class FakeBasicSettings final : public settings::PageSettings {
 public:
  FakeBasicSettings() : PageSettings("Basic Control") {}

  std::vector<settings::PageItem> ListItems(bool, const settings::SettingContext&, int) const override {
    std::vector<settings::PageItem> items;
    for (int number : {1, 2, 3, 4, 6, 7, 8, 9, 10}) items.push_back({number, -1});
    return items;
  }
  settings::ItemText DescribeItem(const model::ParameterImage& image, int number, int, bool) const override {
    const char* key = keyOf(number);
    if (key == nullptr) return {};
    const std::int32_t value = image.basic[static_cast<std::size_t>(number - 1)];
    if (number == 4 && value >= 0 && value < 3)
      return {"Basic Control", key, std::string(kProgramNames[value])};
    return {"Basic Control", key, std::to_string(value)};
  }
  bool ParseItem(model::ParameterImage& image, int number, int, std::string_view text) const override {
    if (keyOf(number) == nullptr) return false;
    std::int32_t& value = image.basic[static_cast<std::size_t>(number - 1)];
    for (std::size_t p = 0; number == 4 && p < kProgramNames.size(); ++p) {
      if (text == kProgramNames[p]) {
        value = static_cast<std::int32_t>(p);
        return true;
      }
    }
    const auto parsed = settings::ParseDecimal(text);
    if (!parsed) return false;
    value = *parsed;
    return true;
  }

 private:
  static const char* keyOf(int number) {
    switch (number) {
      case 1:
        return "Input";
      case 2:
        return "Audio Select";
      case 3:
        return "Decoder Mode";
      case 4:
        return "DSP Program";
      case 6:
        return "EXTD SUR";
      case 7:
        return "Night Mode";
      case 8:
        return "Night Mode Parameter";
      case 9:
        return "Main Volume";
      case 10:
        return "Mute";
      default:
        return nullptr;
    }
  }
};

}  // namespace tw::test
