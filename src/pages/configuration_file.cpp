#include "pages/configuration_file.h"

#include <algorithm>
#include <utility>

#include "files/report_text.h"
#include "files/user_memo.h"
#include "model/ascii.h"

namespace tw::pages {
namespace {

using files::kFirstMemory;
using files::kLastMemory;
using files::kMemoryCategories;

const model::ParameterImage& ImageAt(const model::ParameterImages& images, int index) {
  return *images.Image(index);
}
model::ParameterImage& ImageAt(model::ParameterImages& images, int index) { return *images.Image(index); }

// The memory a section belongs to (0: the current settings) and the section its page gives.
std::pair<int, std::string_view> PageSectionOf(std::string_view section) {
  for (files::MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      const std::string prefix = files::MemorySectionName(category, memory, "");
      if (model::StartsWithIgnoringCase(section, prefix)) return {memory, section.substr(prefix.size())};
    }
  }
  return {0, section};
}

}  // namespace

std::string ConfigurationFile::refusalReason(const IgnoredEntry& entry, const model::ParameterImages& images) const {
  const auto [memory, section] = PageSectionOf(entry.section);
  const model::ParameterImage& image = ImageAt(images, memory);
  for (BasePage* page : sheet_.pages()) {
    if (!model::StartsWithIgnoringCase(section, page->caption())) continue;
    // A page whose items form groups (one per sound program) lists them group by group.
    for (int group = kAllGroups; group >= 0; --group) {
      for (const PageItem& item : page->ListItems(true, group)) {
        const ItemText text = page->DescribeItem(image, item.number, item.subIndex, false);
        if (model::EqualsIgnoringCase(text.section, section) &&
            model::EqualsIgnoringCase(text.key, entry.key)) {
          return page->RefusalReason(image, item.number, item.subIndex, entry.value);
        }
      }
    }
  }
  return {};
}

void ConfigurationFile::saveBasic(const model::ParameterImage& image, files::Profile& profile) const {
  if (basic_ == nullptr) return;
  for (int number : kBasicFileNumbers) {
    const ItemText text = basic_->DescribeBasicItem(image, number);
    if (!text.key.empty()) profile.WriteString(text.section, text.key, text.value);
  }
}

void ConfigurationFile::saveMemories(const model::ParameterImages& images, files::Profile& profile) const {
  for (files::MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      memories_.Save(category, memory, ImageAt(images, memory), profile);
    }
  }
}

files::Profile ConfigurationFile::Save(const model::ParameterImages& images, std::string_view memo) const {
  files::Profile profile = SaveCurrent(ImageAt(images, 0), memo);
  saveMemories(images, profile);
  return profile;
}

files::Profile ConfigurationFile::SaveCurrent(const model::ParameterImage& current, std::string_view memo) const {
  files::Profile profile;
  files::WriteUserMemo(profile, memo);
  saveBasic(current, profile);
  sheet_.SaveItems(current, profile);
  return profile;
}

files::Profile ConfigurationFile::KnownEntries(const model::ParameterImages& images,
                                               std::string_view memo) const {
  files::Profile profile;
  files::WriteUserMemo(profile, memo);
  saveBasic(ImageAt(images, 0), profile);
  for (BasePage* page : sheet_.pages()) page->SaveItems(ImageAt(images, 0), profile);
  saveMemories(images, profile);
  return profile;
}

void ConfigurationFile::Load(const files::Profile& profile, model::ParameterImages& images,
                             std::string& memo) const {
  files::ReadUserMemo(profile, memo);
  model::ParameterImage& current = ImageAt(images, 0);
  if (basic_ != nullptr) {
    // Number 11 has no key; it is listed for the group's own order and reads nothing.
    for (int number : {1, 2, 3, 4, 6, 7, 8, 9, 10, 11}) {
      const ItemText text = basic_->DescribeBasicItem(current, number);
      if (text.key.empty()) continue;
      const std::string value = profile.GetString(text.section, text.key, "");
      if (!value.empty()) basic_->ParseBasicItem(current, number, value);
    }
  }
  sheet_.LoadItems(current, profile);
  for (files::MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      memories_.Load(category, memory, ImageAt(images, memory), profile);
    }
  }
}

ConfigurationCheck ConfigurationFile::LoadChecked(const files::Profile& profile, model::ParameterImages& images,
                                                 std::string& memo) const {
  const files::Profile before = KnownEntries(images, memo);
  Load(profile, images, memo);
  ConfigurationCheck check = CheckRead(profile, before, KnownEntries(images, memo), sheet_.RegionalSections());
  for (IgnoredEntry& entry : check.ignored) {
    if (entry.reason == IgnoredEntry::Reason::NotAValue) entry.refusal = refusalReason(entry, images);
  }
  return check;
}

files::FileStatus ConfigurationFile::Save(const std::filesystem::path& path,
                                          const model::ParameterImages& images, std::string_view memo) const {
  return Save(images, memo).Save(path);
}

files::FileStatus ConfigurationFile::Load(const std::filesystem::path& path, model::ParameterImages& images,
                                          std::string& memo) const {
  files::Profile profile;
  files::FileStatus status = profile.Load(path);
  if (status) Load(profile, images, memo);
  return status;
}

std::string BuildReport(Sheet& sheet, const BasicItemSource* basic, const model::ParameterImages& images,
                        std::string_view memo) {
  std::string report = files::ReportTitle(memo);
  int heading = 1;
  report += files::ReportHeading(heading++, files::kCurrentSettingLabel, "");

  const model::ParameterImage& current = images.InUse();
  if (basic != nullptr) {
    files::ReportBlock block;
    for (int number : kBasicFileNumbers) {
      const ItemText text = basic->DescribeBasicItem(current, number);
      block.Add(text.section, text.key, text.value);
    }
    report += block.text();
  }
  report += sheet.ReportItems(current);
  report += files::kReportLineEnd;

  const MemoryGroups memories(sheet, basic);
  for (files::MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      report +=
          files::ReportHeading(heading++, files::MemoryLabel(memory), files::MemoryCategoryText(category));
      report += memories.Report(category, ImageAt(images, memory));
      report += files::kReportLineEnd;
    }
  }
  return report;
}

}  // namespace tw::pages
