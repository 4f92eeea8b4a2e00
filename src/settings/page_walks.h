#pragma once

#include <string>

#include "files/profile.h"
#include "model/parameter_image.h"
#include "settings/page_settings.h"

namespace tw::settings {

// How a configuration file and the report walk one page's settings, in file order.

// Each item with a key under its section and key, with the text the page shows.
void SavePage(const PageSettings& page, const SettingContext& context, const model::ParameterImage& image,
              files::Profile& profile);
// What the items decide together first (BeforeLoad), then each item whose entry is present
// and not empty; an unrecognised text leaves the item as it was.
void LoadPage(const PageSettings& page, const SettingContext& context, model::ParameterImage& image,
              const files::Profile& profile);
// The page's block of the report: CR LF "(" section ")" CR LF whenever the section changes,
// then "key = value" CR LF per item with a key, marked when no upload reads the item.
std::string ReportPage(const PageSettings& page, const SettingContext& context, const model::ParameterImage& image);

}  // namespace tw::settings
