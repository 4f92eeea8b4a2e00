#include "settings/configuration_compare.h"

#include <algorithm>

#include "comm/upload_coverage.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/catalogue.h"

namespace tw::settings {
namespace {

// The Basic Control group, then the sheet pages: the order of a file.
std::vector<const PageSettings*> FileOrder() {
  std::vector<const PageSettings*> pages{&BasicControlSettings()};
  for (const PageSettings* page : Catalogue()) pages.push_back(page);
  return pages;
}

bool IsChosen(const std::vector<SettingDifference>& chosen, const PageSettings* page, const PageItem& item) {
  return std::any_of(chosen.begin(), chosen.end(), [&](const SettingDifference& difference) {
    return difference.page == page && difference.item == item && !difference.receiverLacks;
  });
}

}  // namespace

std::vector<SettingDifference> CompareCurrentSettings(const model::ParameterImage& receiver,
                                                      const model::ParameterImage& configured,
                                                      const files::Profile& held,
                                                      const SettingContext& receiverContext) {
  // Listed as for a receiver with every option, so that what this one lacks shows apart.
  const SettingContext everything{{}, receiverContext.tunerRegion, true};
  std::vector<SettingDifference> differences;
  for (const PageSettings* page : FileOrder()) {
    // An offline page's settings go to the receiver only with a download, and it reports them to none.
    if (page->presence() == Presence::AsyncOnly) continue;
    for (const PageItem& item : page->ListItems(true, everything)) {
      // What the receiver never reports, its answers cannot tell.
      if (!comm::IsReadByUpload(item.number, item.subIndex)) continue;
      const ItemText file = page->DescribeItem(configured, item.number, item.subIndex, false);
      if (file.key.empty() || !held.HasKey(file.section, file.key)) continue;
      const ItemText now = page->DescribeItem(receiver, item.number, item.subIndex, false);
      if (now.value == file.value) continue;
      differences.push_back({page, item, file.section, file.key, now.value, file.value,
                             held.GetString(file.section, file.key, ""),
                             !page->IsAvailable(item.number, receiverContext)});
    }
  }
  return differences;
}

std::string ValueIn(const SettingDifference& difference, const model::ParameterImage& image) {
  return difference.page->DescribeItem(image, difference.item.number, difference.item.subIndex, false).value;
}

AppliedSettings ApplySettings(const model::ParameterImage& receiver, const std::vector<SettingDifference>& chosen,
                              const SettingContext& context) {
  AppliedSettings applied{receiver, {}};
  // A value a page refuses until another is in place (an amplifier pair) is tried again
  // once the others are, until a round takes none.
  std::vector<const SettingDifference*> pending;
  for (const SettingDifference& difference : chosen) {
    if (!difference.receiverLacks && difference.page->IsAvailable(difference.item.number, context)) {
      pending.push_back(&difference);
    }
  }
  while (!pending.empty()) {
    std::vector<const SettingDifference*> refused;
    for (const SettingDifference* d : pending) {
      if (!d->page->ParseItem(applied.image, d->item.number, d->item.subIndex, d->fileText)) refused.push_back(d);
    }
    if (refused.size() == pending.size()) break;
    pending = std::move(refused);
  }
  for (const SettingDifference* d : pending) {
    applied.refused.push_back({d, d->page->RefusalReason(applied.image, d->item.number, d->item.subIndex, d->fileText)});
  }
  return applied;
}

std::vector<SettingCommand> ApplyCommands(const model::ParameterImage& applied,
                                          const std::vector<SettingDifference>& chosen,
                                          const SettingContext& context) {
  std::vector<SettingCommand> commands;
  std::vector<const PageSettings*> order(Catalogue().begin(), Catalogue().end());
  order.push_back(&BasicControlSettings());
  for (const PageSettings* page : order) {
    for (const PageItem& item : page->ListItems(false, context)) {
      if (!IsChosen(chosen, page, item)) continue;
      for (std::string& text : page->Commands(applied, item.number, item.subIndex, context)) {
        if (!text.empty()) commands.push_back({std::move(text), item.number});
      }
    }
  }
  return commands;
}

}  // namespace tw::settings
