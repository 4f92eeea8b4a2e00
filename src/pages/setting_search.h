#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "model/parameter_image.h"
#include "ui/controls/layout.h"

namespace tw::ui {
class BasicControlGroup;
}

namespace tw::pages {

class Sheet;

// One setting found by the search: where it lives and what it holds now.
struct SettingMatch {
  static constexpr int kBasicControl = -1;

  int tab = kBasicControl;  // the sheet tab, or kBasicControl for the main form's group
  std::string place;        // the tab's caption, or "Basic Control"
  std::string key;          // the setting's key in configuration files
  std::string value;        // its value text in the image searched
  ui::Control* control = nullptr;  // the control that edits it, when the layout tells
  int number = 0;                  // the setting's parameter number and sub-index
  int subIndex = -1;
};

// Finds settings by any part of their key, their value text or their page's caption (the
// section of the file, for a page with a section per sound program),
// letter case ignored, across the Basic Control group and every tab of the sheet; the keys
// of the configuration file are the vocabulary, so a page takes part through its ListItems
// and DescribeItem alone. Matches on the key come first (those that begin with the query
// before those that contain it), then matches on the value, then on the page; each kind in
// form order (the group first, then the tabs in sheet order). At most `limit` matches.
std::vector<SettingMatch> FindSettings(const Sheet& sheet, ui::BasicControlGroup* basic,
                                       const model::ParameterImage& image, std::string_view query,
                                       std::size_t limit = 200);

// The control of `form` that edits the setting `key` whose value text is `value`: the
// control captioned `key` in the layout; else the control (or the frame, then the first
// control inside it) whose own text is `key`; else the one list or radio group that offers
// `value` and shows it now. Null when the layout does not tell.
ui::Control* ControlForSetting(const ui::Form& form, std::string_view key, std::string_view value);

}  // namespace tw::pages
