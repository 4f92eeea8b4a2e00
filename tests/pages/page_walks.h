#pragma once

// A page's part of a configuration file and of the report, and the sheet's, through the
// settings of the catalogue, in the context the page's link gives.

#include <string>

#include "files/profile.h"
#include "settings/configuration_file.h"
#include "settings/page_walks.h"
#include "ui/page_link.h"

namespace tw::test {

inline void SaveItems(const settings::PageSettings& page, const ui::PageLink& link,
                      const model::ParameterImage& image, files::Profile& profile) {
  settings::SavePage(page, link.settingContext(), image, profile);
}
inline void LoadItems(const settings::PageSettings& page, const ui::PageLink& link, model::ParameterImage& image,
                      const files::Profile& profile) {
  settings::LoadPage(page, link.settingContext(), image, profile);
}
inline std::string ReportItems(const settings::PageSettings& page, const ui::PageLink& link,
                               const model::ParameterImage& image) {
  return settings::ReportPage(page, link.settingContext(), image);
}

// Every sheet page's settings, as a file and the report walk them on `link`.
inline settings::ConfigurationFile SheetFile(const ui::PageLink& link) {
  return settings::ConfigurationFile([&link] { return link.settingContext(); });
}

}  // namespace tw::test
