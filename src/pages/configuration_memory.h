#pragma once

#include <string>
#include <vector>

#include "files/memory_sections.h"
#include "files/profile.h"
#include "model/parameter_image.h"
#include "pages/base_page.h"
#include "pages/configuration_items.h"
#include "pages/sheet.h"

namespace tw::pages {

// One parameter of a System Memory group with the page that owns it (null: the Basic
// Control group).
struct MemoryItem {
  CBasePage* page = nullptr;
  PageItem item;
};

// The System Memory page's file, report and queue lists: which parameters each of the four
// groups keeps, each described by its owning page. Items of pages that are not in the sheet
// (and Basic Control items without a group) are absent.
class MemoryGroups {
 public:
  MemoryGroups(const Sheet& sheet, const BasicItemSource* basic) : sheet_(sheet), basic_(basic) {}

  // The group's items for `memoryImage`, in file order. The System group lists the DSP
  // parameters of the sound program stored in that image only. `forSending` takes a whole
  // page's items in the order the page sends them (and without items that only files know).
  std::vector<MemoryItem> Items(files::MemoryCategory category, const model::ParameterImage& memoryImage,
                                bool forSending = false) const;

  // Texts of one item of `image`; empty texts when its owner is absent.
  ItemText Describe(const MemoryItem& item, const model::ParameterImage& image, bool forReport) const;

  // Each item under "<category> Memory n <section>".
  void Save(files::MemoryCategory category, int memory, const model::ParameterImage& image,
            files::Profile& profile) const;
  // Non-empty entries are parsed into `image`; anything else leaves it unchanged. The DSP
  // parameters are those of the sound program as read from the same file, so that a memory
  // and its program's parameters load together.
  void Load(files::MemoryCategory category, int memory, model::ParameterImage& image,
            const files::Profile& profile) const;
  // The item lines of the group for `image`, under the plain sections.
  std::string Report(files::MemoryCategory category, const model::ParameterImage& image) const;

 private:
  std::vector<MemoryItem> entryItems(std::size_t entry, files::MemoryCategory category,
                                     const model::ParameterImage& image, bool forSending = false) const;
  bool parse(const MemoryItem& item, model::ParameterImage& image, std::string_view text) const;

  const Sheet& sheet_;
  const BasicItemSource* basic_;
};

}  // namespace tw::pages
