#include "settings/configuration_memory.h"

#include <algorithm>
#include <array>
#include <span>
#include <variant>

#include "files/report_text.h"
#include "model/parameter_access.h"

namespace tw::settings {
namespace {

using files::MemoryCategory;

// How an entry of a group names its parameters.
enum class Take {
  One,           // the number `first`
  AllItems,      // every file item first..last of the page that owns them
  ProgramItems,  // the owning page's items first..last of the sound program stored in the memory
};

struct GroupEntry {
  Take take = Take::One;
  int first = 0;
  int last = 0;  // Take::One: unused
  // Only where the memory image knows its own trims (ParameterImage::memoryTrimsKnown).
  bool onlyKnownTrims = false;
};

constexpr GroupEntry One(int number) { return {Take::One, number, number}; }

// The receiver keeps the volume trims in each System Memory too (their reads are made per
// memory), so they travel with the memory: without them a download would save the
// receiver's current trims over every memory's own. A memory whose trims were never read
// or filed keeps them out, so that factory trims never overwrite the receiver's.
// The speaker turnovers go out inside the memory's speaker gain commands.
constexpr std::array<GroupEntry, 26> kSystemGroup = {{
    One(4), One(7), One(8),                // sound program, night mode and its parameter
    {Take::ProgramItems, 27, 211},         // DSP Parameters
    {Take::AllItems, 268, 277},            // Speaker Level
    {Take::AllItems, 278, 288},            // Speaker Distance
    One(289), One(291), One(293), One(290), One(292), One(302), One(304), One(305),  // Tone Control
    {Take::AllItems, 383, 396, true},      // Volume Trim
    {Take::AllItems, 397, 404},            // Graphic EQ
    {Take::AllItems, 427, 435},            // Speaker Set
    One(517), One(518), One(519), One(520), One(521), One(525), One(527), One(528),  // Display Set
    One(534),                              // Other: HDMI support audio
}};

constexpr std::array<GroupEntry, 1> kVolumeGroup = {{One(9)}};
constexpr std::array<GroupEntry, 1> kZone2Group = {{One(18)}};
constexpr std::array<GroupEntry, 1> kZone3Group = {{One(23)}};

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

bool IsBasicNumber(int number) { return model::BlockOfParameter(number) == model::Block::BasicControl; }

bool InRange(int number, const GroupEntry& entry) { return number >= entry.first && number <= entry.last; }

// Whether `image` holds values of its own for the entry (the current settings always do).
bool Holds(const GroupEntry& entry, const model::ParameterImage& image) {
  return !entry.onlyKnownTrims || image.index == 0 || image.memoryTrimsKnown;
}

// An item of a single value copied as the model holds it, so that nothing is lost to a text.
bool CopyValue(const model::ParameterImage& from, model::ParameterImage& to, int number) {
  const auto value = model::GetParameter(from, number);
  if (!value) return false;
  if (const auto* integer = std::get_if<std::int32_t>(&*value)) return model::SetParameter(to, number, *integer);
  return model::SetParameterText(to, number, std::get<std::string>(*value));
}

}  // namespace

const PageSettings* MemoryGroups::ownerOf(int first, int last) const {
  if (const auto known = owners_.find(first); known != owners_.end()) return known->second;
  const PageSettings* owner = nullptr;
  for (const PageSettings* page : pages_) {
    for (const PageItem& item : page->ListItems(true, context_())) {
      if (item.number >= first && item.number <= last) owner = page;
    }
    if (owner != nullptr) break;
  }
  owners_[first] = owner;
  return owner;
}

std::vector<MemoryItem> MemoryGroups::entryItems(std::size_t entry, MemoryCategory category,
                                                 const model::ParameterImage& image, bool forSending,
                                                 bool held) const {
  const std::span<const GroupEntry> group = GroupOf(category);
  if (entry >= group.size()) return {};
  const GroupEntry& e = group[entry];
  if (held && !Holds(e, image)) return {};
  if (IsBasicNumber(e.first)) {
    if (basic_ == nullptr) return {};
    return {MemoryItem{basic_, PageItem{e.first, -1}}};
  }
  const PageSettings* page = ownerOf(e.first, e.last);
  if (page == nullptr) return {};
  std::vector<MemoryItem> items;
  auto take = [&](int listGroup) {
    for (const PageItem& item : page->ListItems(!forSending, context_(), listGroup)) {
      if (InRange(item.number, e)) items.push_back({page, item});
    }
  };
  switch (e.take) {
    case Take::One:
      items.push_back({page, PageItem{e.first, -1}});
      break;
    case Take::AllItems:
      take(kAllGroups);
      break;
    case Take::ProgramItems: {
      const int program = image.basic[3];
      if (program >= 0 && program < kProgramCount) take(program);
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
  if (item.page == nullptr) return {};
  return item.page->DescribeItem(image, item.item.number, item.item.subIndex, forReport);
}

bool MemoryGroups::parse(const MemoryItem& item, model::ParameterImage& image, std::string_view text) const {
  return item.page != nullptr && item.page->ParseItem(image, item.item.number, item.item.subIndex, text);
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
  // Entry by entry, so that the DSP entry sees the sound program just read. A memory's
  // trims become its own when the file holds them.
  for (std::size_t entry = 0; entry < GroupOf(category).size(); ++entry) {
    bool taken = false;
    for (const MemoryItem& item : entryItems(entry, category, image, false, false)) {
      const ItemText text = Describe(item, image, false);
      if (text.key.empty()) continue;
      const std::string value =
          profile.GetString(files::MemorySectionName(category, memory, text.section), text.key, "");
      if (!value.empty() && parse(item, image, value)) taken = true;
    }
    if (taken && GroupOf(category)[entry].onlyKnownTrims) image.memoryTrimsKnown = true;
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

void MemoryGroups::Copy(MemoryCategory category, const model::ParameterImage& from,
                        model::ParameterImage& to) const {
  // What a file holds and what a download sends (the Subwoofer's every band), once each.
  std::vector<MemoryItem> items = Items(category, from);
  for (const MemoryItem& item : Items(category, from, true)) {
    const bool listed = std::any_of(items.begin(), items.end(), [&](const MemoryItem& known) {
      return known.item.number == item.item.number && known.item.subIndex == item.item.subIndex;
    });
    if (!listed) items.push_back(item);
  }
  for (const MemoryItem& item : items) {
    if (item.item.subIndex < 0 && CopyValue(from, to, item.item.number)) continue;
    // An element of a row of values (a channel's band): through its page's own texts.
    const ItemText text = Describe(item, from, false);
    if (!text.value.empty()) parse(item, to, text.value);
  }
  const auto trims = std::find_if(GroupOf(category).begin(), GroupOf(category).end(),
                                  [](const GroupEntry& entry) { return entry.onlyKnownTrims; });
  if (trims != GroupOf(category).end() && Holds(*trims, from) && to.index != 0) to.memoryTrimsKnown = true;
}

}  // namespace tw::settings
