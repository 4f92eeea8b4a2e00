#include "settings/configuration_file.h"

#include <algorithm>
#include <utility>

#include "files/report_text.h"
#include "files/user_memo.h"
#include "model/ascii.h"
#include "settings/page_walks.h"

namespace tw::settings {
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

std::vector<std::string> RegionalSections(std::span<const PageSettings* const> pages) {
  std::vector<std::string> sections;
  for (const PageSettings* page : pages) {
    if (page->presence() == Presence::RealTimeOrRegion1) sections.push_back(page->caption());
  }
  return sections;
}

void ConfigurationFile::LoadPages(model::ParameterImage& image, const files::Profile& profile) const {
  const SettingContext context = context_();
  for (const PageSettings* page : pages_) LoadPage(*page, context, image, profile);
}

std::string ConfigurationFile::ReportPages(const model::ParameterImage& image) const {
  const SettingContext context = context_();
  std::string report;
  // A page the sheet does not show for this working mode has no block.
  for (const PageSettings* page : pages_) {
    if (InFileAndReport(page->presence(), context.tunerRegion) &&
        IsShown(page->presence(), context.realTime, context.tunerRegion)) {
      report += ReportPage(*page, context, image);
    }
  }
  return report;
}

void ConfigurationFile::SavePages(const model::ParameterImage& image, files::Profile& profile) const {
  savePages(image, profile, false);
}

void ConfigurationFile::savePages(const model::ParameterImage& image, files::Profile& profile,
                                  bool allRegions) const {
  const SettingContext context = context_();
  for (const PageSettings* page : pages_) {
    if (!allRegions && !InFileAndReport(page->presence(), context.tunerRegion)) continue;
    SavePage(*page, context, image, profile);
  }
}

std::string ConfigurationFile::refusalReason(const IgnoredEntry& entry, const model::ParameterImages& images) const {
  const auto [memory, section] = PageSectionOf(entry.section);
  const model::ParameterImage& image = ImageAt(images, memory);
  const SettingContext context = context_();
  for (const PageSettings* page : pages_) {
    if (!model::StartsWithIgnoringCase(section, page->caption())) continue;
    for (const PageItem& item : page->ListItems(true, context)) {
      const ItemText text = page->DescribeItem(image, item.number, item.subIndex, false);
      if (model::EqualsIgnoringCase(text.section, section) && model::EqualsIgnoringCase(text.key, entry.key)) {
        return page->RefusalReason(image, item.number, item.subIndex, entry.value);
      }
    }
  }
  return {};
}

void ConfigurationFile::saveBasic(const model::ParameterImage& image, files::Profile& profile) const {
  if (basic_ != nullptr) SavePage(*basic_, context_(), image, profile);
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
  SavePages(current, profile);
  return profile;
}

files::Profile ConfigurationFile::KnownEntries(const model::ParameterImages& images,
                                               std::string_view memo) const {
  files::Profile profile;
  files::WriteUserMemo(profile, memo);
  saveBasic(ImageAt(images, 0), profile);
  savePages(ImageAt(images, 0), profile, true);
  saveMemories(images, profile);
  return profile;
}

void ConfigurationFile::Load(const files::Profile& profile, model::ParameterImages& images,
                             std::string& memo) const {
  files::ReadUserMemo(profile, memo);
  model::ParameterImage& current = ImageAt(images, 0);
  if (basic_ != nullptr) LoadPage(*basic_, context_(), current, profile);
  LoadPages(current, profile);
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
  ConfigurationCheck check = CheckRead(profile, before, KnownEntries(images, memo), RegionalSections(pages_));
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

std::string ConfigurationFile::BuildReport(const model::ParameterImages& images, std::string_view memo) const {
  std::string report = files::ReportTitle(memo);
  int heading = 1;
  report += files::ReportHeading(heading++, files::kCurrentSettingLabel, "");

  const model::ParameterImage& current = images.InUse();
  if (basic_ != nullptr) {
    files::ReportBlock block;
    for (const PageItem& item : basic_->ListItems(true, context_())) {
      const ItemText text = basic_->DescribeItem(current, item.number, item.subIndex, true);
      block.Add(text.section, text.key, text.value);
    }
    report += block.text();
  }
  report += ReportPages(current);
  report += files::kReportLineEnd;

  for (files::MemoryCategory category : kMemoryCategories) {
    for (int memory = kFirstMemory; memory <= kLastMemory; ++memory) {
      report +=
          files::ReportHeading(heading++, files::MemoryLabel(memory), files::MemoryCategoryText(category));
      report += memories_.Report(category, ImageAt(images, memory));
      report += files::kReportLineEnd;
    }
  }
  return report;
}

}  // namespace tw::settings
