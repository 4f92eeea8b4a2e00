#pragma once

// Small pages on the real captions and parameter numbers, and a Basic Control stand-in, for
// the configuration file, report and System Memory walks. Values are plain integers shown
// as "%d" (DSP values as "v%d"), so that every text maps to one value.

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "pages/base_page.h"
#include "pages/configuration_items.h"
#include "pages/page_registry.h"
#include "settings/value_text.h"

namespace tw::test {

using Field = std::int32_t& (*)(model::ParameterImage&);

struct IntItem {
  int number;
  const char* key;
  Field field;
};

class IntPage : public pages::BasePage {
 public:
  IntPage(const pages::PageContext& context, std::string caption, std::vector<IntItem> items)
      : BasePage(context, std::move(caption), 0), items_(std::move(items)) {}

  std::vector<pages::PageItem> ListItems(bool, int) const override {
    std::vector<pages::PageItem> list;
    for (const IntItem& item : items_) list.push_back({item.number, -1});
    return list;
  }
  pages::ItemText DescribeItem(const model::ParameterImage& image, int number, int, bool) const override {
    const IntItem* item = find(number);
    if (item == nullptr) return {};
    auto& copy = const_cast<model::ParameterImage&>(image);  // Field reads through a mutable ref
    return {caption(), item->key, std::to_string(item->field(copy))};
  }
  bool ParseItem(model::ParameterImage& image, int number, int, std::string_view text) override {
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

// Sound programs 0..2 with two parameters each (group = program), as the DSP page lists them:
// group 24 gives nothing, so the walks run per program.
class DspPage final : public pages::BasePage {
 public:
  explicit DspPage(const pages::PageContext& context) : BasePage(context, "DSP Parameters", 148) {}

  std::vector<pages::PageItem> ListItems(bool, int group) const override {
    if (group < 0 || group >= static_cast<int>(kProgramNames.size())) return {};
    return {{27 + 2 * group, -1}, {28 + 2 * group, -1}};
  }
  pages::ItemText DescribeItem(const model::ParameterImage& image, int number, int, bool) const override {
    const int index = number - 27;
    if (index < 0 || index >= 6) return {};
    const std::string key = (index % 2 == 0 ? "Delay" : "Room Size");
    return {"DSP Parameters " + std::string(kProgramNames[index / 2]), key,
            "v" + std::to_string(image.dsp[index])};
  }
  bool ParseItem(model::ParameterImage& image, int number, int, std::string_view text) override {
    const int index = number - 27;
    if (index < 0 || index >= 6 || text.size() < 2 || text[0] != 'v') return false;
    const auto value = settings::ParseDecimal(text.substr(1));
    if (!value) return false;
    image.dsp[index] = *value;
    return true;
  }
  void LoadItems(model::ParameterImage& image, const files::Profile& profile) override {
    forEachProgram([&](int group) { loadGroup(image, profile, group); });
  }
  void SaveItems(const model::ParameterImage& image, files::Profile& profile) override {
    forEachProgram([&](int group) {
      for (const pages::PageItem& item : ListItems(true, group)) {
        const pages::ItemText text = DescribeItem(image, item.number, -1, false);
        profile.WriteString(text.section, text.key, text.value);
      }
    });
  }
  std::string ReportItems(const model::ParameterImage& image) override {
    if (!hasWindow()) return {};
    std::string report;
    std::string last;
    forEachProgram([&](int group) {
      for (const pages::PageItem& item : ListItems(true, group)) {
        const pages::ItemText text = DescribeItem(image, item.number, -1, true);
        if (text.section != last) report += "\r\n(" + text.section + ")\r\n";
        report += text.key + " = " + text.value + "\r\n";
        last = text.section;
      }
    });
    return report;
  }

 private:
  static void forEachProgram(const std::function<void(int)>& run) {
    for (int group = 0; group < 24; ++group) run(group);
  }
  void loadGroup(model::ParameterImage& image, const files::Profile& profile, int group) {
    for (const pages::PageItem& item : ListItems(true, group)) {
      const pages::ItemText text = DescribeItem(image, item.number, -1, false);
      const std::string value = profile.GetString(text.section, text.key, "");
      if (!value.empty()) ParseItem(image, item.number, -1, value);
    }
  }
};

// Zone volumes 18 and 23 with zone 2 input 15 beside them.
inline std::unique_ptr<pages::BasePage> MakeMultiZone(const pages::PageContext& c) {
  return std::make_unique<IntPage>(
      c, "Multi Zone",
      std::vector<IntItem>{
          {15, "Zone2 Input", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[0]; }},
          {18, "Zone2 Volume", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[3]; }},
          {23, "Zone3 Volume", [](model::ParameterImage& i) -> std::int32_t& { return i.multiZone[9]; }},
      });
}
inline std::unique_ptr<pages::BasePage> MakeSpeakerLevel(const pages::PageContext& c) {
  return std::make_unique<IntPage>(
      c, "Speaker Level",
      std::vector<IntItem>{
          {268, "FL", [](model::ParameterImage& i) -> std::int32_t& { return i.speakerLevel[0]; }},
          {269, "FR", [](model::ParameterImage& i) -> std::int32_t& { return i.speakerLevel[1]; }},
      });
}
// 289 is kept by a System Memory, 295 is not.
inline std::unique_ptr<pages::BasePage> MakeToneControl(const pages::PageContext& c) {
  return std::make_unique<IntPage>(
      c, "Tone Control",
      std::vector<IntItem>{
          {289, "Tone Bypass", [](model::ParameterImage& i) -> std::int32_t& { return i.tone[0]; }},
          {295, "Speaker Bass Gain", [](model::ParameterImage& i) -> std::int32_t& { return i.tone[1]; }},
      });
}
inline std::unique_ptr<pages::BasePage> MakeXmSet(const pages::PageContext& c) {
  return std::make_unique<IntPage>(
      c, "XM Set",
      std::vector<IntItem>{
          {477, "PageA No.1", [](model::ParameterImage& i) -> std::int32_t& { return i.xm.presets[0]; }},
      });
}
inline std::unique_ptr<pages::BasePage> MakeDsp(const pages::PageContext& c) {
  return std::make_unique<DspPage>(c);
}

// The sheet order with these five pages; the rest are absent.
inline std::array<pages::PageDescriptor, 19> FakeSheetPages() {
  std::array<pages::PageDescriptor, 19> pages{};
  std::copy_n(pages::SheetPageDescriptors().begin(), 19, pages.begin());
  for (pages::PageDescriptor& d : pages) {
    d.create = nullptr;  // only the fakes below: real pages come and go as families land
    if (d.caption == "Multi Zone") d.create = MakeMultiZone;
    if (d.caption == "DSP Parameters") d.create = MakeDsp;
    if (d.caption == "Speaker Level") d.create = MakeSpeakerLevel;
    if (d.caption == "Tone Control") d.create = MakeToneControl;
    if (d.caption == "XM Set") d.create = MakeXmSet;
  }
  return pages;
}

// Basic Control items 1..10 with their keys; values "%d" of the block integer, 4 shown as
// the program name for 0..2 (so a memory's DSP section follows its program).
class FakeBasicItems final : public pages::BasicItemSource {
 public:
  pages::ItemText DescribeBasicItem(const model::ParameterImage& image, int number) const override {
    const char* key = keyOf(number);
    if (key == nullptr) return {};
    const std::int32_t value = image.basic[static_cast<std::size_t>(number - 1)];
    if (number == 4 && value >= 0 && value < 3)
      return {"Basic Control", key, std::string(kProgramNames[value])};
    return {"Basic Control", key, std::to_string(value)};
  }
  bool ParseBasicItem(model::ParameterImage& image, int number, std::string_view text) const override {
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
