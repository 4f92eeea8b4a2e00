#include "pages/configuration_memory.h"

#include <array>
#include <span>

#include "files/report_text.h"

namespace tw::pages {
namespace {

using files::MemoryCategory;

// How an entry of a group's list names its parameters.
enum class Take {
  One,           // the one number given
  AllItems,      // every file item of the owning page
  ProgramItems,  // the owning page's items of the sound program stored in the memory
};

struct GroupEntry {
  std::string_view owner;  // page caption; empty for the Basic Control group
  Take take = Take::One;
  int number = 0;
};

constexpr std::string_view kBasicGroup = "";

// The receiver keeps the volume trims in each System Memory too (their reads are made per
// memory), so they travel with the memory: without them a download would save the
// receiver's current trims over every memory's own.
constexpr std::array<GroupEntry, 24> kSystemGroup = {{
    {kBasicGroup, Take::One, 4},
    {kBasicGroup, Take::One, 7},
    {kBasicGroup, Take::One, 8},
    {"DSP Parameters", Take::ProgramItems, 0},
    {"Speaker Level", Take::AllItems, 0},
    {"Speaker Distance", Take::AllItems, 0},
    {"Tone Control", Take::One, 289},
    {"Tone Control", Take::One, 291},
    {"Tone Control", Take::One, 293},
    {"Tone Control", Take::One, 302},
    {"Tone Control", Take::One, 304},
    {"Tone Control", Take::One, 305},
    {"Volume Trim", Take::AllItems, 0},
    {"Graphic EQ", Take::AllItems, 0},
    {"Speaker Set", Take::AllItems, 0},
    {"Display Set", Take::One, 517},
    {"Display Set", Take::One, 518},
    {"Display Set", Take::One, 519},
    {"Display Set", Take::One, 520},
    {"Display Set", Take::One, 521},
    {"Display Set", Take::One, 525},
    {"Display Set", Take::One, 527},
    {"Display Set", Take::One, 528},
    {"Other", Take::One, 534},
}};

constexpr std::array<GroupEntry, 1> kVolumeGroup = {{{kBasicGroup, Take::One, 9}}};
constexpr std::array<GroupEntry, 1> kZone2Group = {{{"Multi Zone", Take::One, 18}}};
constexpr std::array<GroupEntry, 1> kZone3Group = {{{"Multi Zone", Take::One, 23}}};

std::span<const GroupEntry> GroupOf(MemoryCategory category) {
  switch (category) {
    case MemoryCategory::System:
      return kSystemGroup;
    case MemoryCategory::Volume:
      return kVolumeGroup;
    case MemoryCategory::Zone2Volume:
      return kZone2Group;
    case MemoryCategory::Zone3Volume:
      return kZone3Group;
  }
  return {};
}

// Sound programs 0..23 have parameters; Music Enhancer and Straight have none.
constexpr int kProgramCount = 24;

}  // namespace

std::vector<MemoryItem> MemoryGroups::entryItems(std::size_t entry, MemoryCategory category,
                                                 const model::ParameterImage& image, bool forSending) const {
  const std::span<const GroupEntry> group = GroupOf(category);
  if (entry >= group.size()) return {};
  const GroupEntry& e = group[entry];
  if (e.owner.empty()) {
    if (basic_ == nullptr) return {};
    return {MemoryItem{nullptr, PageItem{e.number, -1}}};
  }
  CBasePage* page = sheet_.FindPage(e.owner);
  if (page == nullptr) return {};
  std::vector<MemoryItem> items;
  switch (e.take) {
    case Take::One:
      items.push_back({page, PageItem{e.number, -1}});
      break;
    case Take::AllItems:
      for (const PageItem& item : page->ListItems(!forSending, kAllGroups)) items.push_back({page, item});
      break;
    case Take::ProgramItems: {
      const int program = image.basic[3];
      if (program < 0 || program >= kProgramCount) break;
      for (const PageItem& item : page->ListItems(!forSending, program)) items.push_back({page, item});
      break;
    }
  }
  return items;
}

std::vector<MemoryItem> MemoryGroups::Items(MemoryCategory category, const model::ParameterImage& image,
                                            bool forSending) const {
  std::vector<MemoryItem> items;
  for (std::size_t entry = 0; entry < GroupOf(category).size(); ++entry) {
    for (MemoryItem& item : entryItems(entry, category, image, forSending)) items.push_back(item);
  }
  return items;
}

ItemText MemoryGroups::Describe(const MemoryItem& item, const model::ParameterImage& image,
                                bool forReport) const {
  if (item.page != nullptr)
    return item.page->DescribeItem(image, item.item.number, item.item.subIndex, forReport);
  if (basic_ != nullptr) return basic_->DescribeBasicItem(image, item.item.number);
  return {};
}

bool MemoryGroups::parse(const MemoryItem& item, model::ParameterImage& image, std::string_view text) const {
  if (item.page != nullptr) return item.page->ParseItem(image, item.item.number, item.item.subIndex, text);
  return basic_ != nullptr && basic_->ParseBasicItem(image, item.item.number, text);
}

void MemoryGroups::Save(MemoryCategory category, int memory, const model::ParameterImage& image,
                        files::Profile& profile) const {
  for (const MemoryItem& item : Items(category, image)) {
    const ItemText text = Describe(item, image, false);
    if (text.key.empty()) continue;
    profile.WriteString(files::MemorySectionName(category, memory, text.section), text.key, text.value);
  }
}

void MemoryGroups::Load(MemoryCategory category, int memory, model::ParameterImage& image,
                        const files::Profile& profile) const {
  // Entry by entry, so that the DSP entry sees the sound program just read.
  for (std::size_t entry = 0; entry < GroupOf(category).size(); ++entry) {
    for (const MemoryItem& item : entryItems(entry, category, image)) {
      const ItemText text = Describe(item, image, false);
      if (text.key.empty()) continue;
      const std::string value =
          profile.GetString(files::MemorySectionName(category, memory, text.section), text.key, "");
      if (!value.empty()) parse(item, image, value);
    }
  }
}

std::string MemoryGroups::Report(MemoryCategory category, const model::ParameterImage& image) const {
  files::ReportBlock block;
  for (const MemoryItem& item : Items(category, image)) {
    const ItemText text = Describe(item, image, true);
    if (text.section.empty()) continue;  // not an item its page knows
    block.Add(text.section, text.key, text.value);
  }
  return block.Take();
}

}  // namespace tw::pages
