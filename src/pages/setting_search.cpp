#include "pages/setting_search.h"

#include <algorithm>
#include <array>

#include "model/ascii.h"
#include "pages/sheet.h"
#include "settings/basic/basic_control_settings.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/controls/combo_box.h"
#include "ui/controls/radio_group.h"

namespace tw::pages {
namespace {

constexpr std::string_view kBasicPlace = "Basic Control";

// How well a setting answers the query; lower is better, kNoMatch is none.
enum Rank { kKeyStart, kKeyWord, kKeyInside, kValue, kPlace, kNoMatch };

Rank RankOf(const SettingMatch& match, std::string_view query) {
  const std::size_t atKey = model::FindIgnoringCase(match.key, query);
  if (atKey == 0) return kKeyStart;
  if (atKey != std::string_view::npos) {
    const char before = match.key[atKey - 1];
    const bool wordStart = before == ' ' || before == '/' || before == '(' || before == '-';
    return wordStart ? kKeyWord : kKeyInside;
  }
  if (model::FindIgnoringCase(match.value, query) != std::string_view::npos) return kValue;
  if (model::FindIgnoringCase(match.place, query) != std::string_view::npos) return kPlace;
  return kNoMatch;
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// Every setting of the group and the tabs, in form order.
std::vector<SettingMatch> AllSettings(const Sheet& sheet, ui::BasicControlGroup* basic,
                                      const model::ParameterImage& image) {
  std::vector<SettingMatch> all;
  if (basic != nullptr) {
    const settings::PageSettings& group = settings::BasicControlSettings();
    for (const PageItem& item : group.ListItems(true, {})) {
      ItemText text = group.DescribeItem(image, item.number, item.subIndex, false);
      if (text.key.empty()) continue;
      all.push_back({SettingMatch::kBasicControl, std::string(kBasicPlace), std::move(text.key),
                     std::move(text.value), nullptr});
    }
  }
  const std::vector<BasePage*>& tabs = sheet.tabs();
  for (std::size_t tab = 0; tab < tabs.size(); ++tab) {
    const BasePage& page = *tabs[tab];
    if (!page.hasSettings()) continue;
    for (const PageItem& item : page.ListItems(true, kAllGroups)) {
      ItemText text = page.settings().DescribeItem(image, item.number, item.subIndex, false);
      if (text.key.empty()) continue;
      all.push_back({static_cast<int>(tab), text.section.empty() ? page.caption() : std::move(text.section),
                     std::move(text.key), std::move(text.value), nullptr, item.number, item.subIndex});
    }
  }
  return all;
}

const ui::Form& FormOf(const Sheet& sheet, ui::BasicControlGroup* basic, int tab) {
  if (tab == SettingMatch::kBasicControl) return basic->form();
  return sheet.tabs()[static_cast<std::size_t>(tab)]->form();
}

const ui::LayoutNode* FindCaptioned(const ui::LayoutNode& node, std::string_view caption) {
  if (node.kind == ui::LayoutNode::Kind::Control && node.control != nullptr && node.caption == caption) {
    return &node;
  }
  for (const ui::LayoutNode& child : node.children) {
    if (const ui::LayoutNode* found = FindCaptioned(child, caption)) return found;
  }
  return nullptr;
}

bool IsFrame(const ui::Control& control) { return control.kind() == ui::ControlKind::GroupBox; }

bool Offers(const ui::Control& control, std::string_view value) {
  if (control.kind() == ui::ControlKind::RadioGroup) {
    const auto& radios = static_cast<const ui::RadioGroup&>(control);
    return radios.buttonText(radios.selected()) == value;
  }
  if (control.kind() == ui::ControlKind::ComboBox) {
    return static_cast<const ui::ComboBox&>(control).selectedText() == value;
  }
  return false;
}

}  // namespace

ui::Control* ControlForSetting(const ui::Form& form, std::string_view key, std::string_view value) {
  if (const ui::LayoutNode* captioned = FindCaptioned(form.root(), key)) return captioned->control;
  const std::vector<ui::Control*> controls = form.controls();
  for (ui::Control* control : controls) {
    if (control->text() != key) continue;
    if (!IsFrame(*control)) return control;
    // A frame named after the setting: the first control inside it edits it.
    for (ui::Control* inside : controls) {
      if (inside->container() == control && !IsFrame(*inside)) return inside;
    }
  }
  ui::Control* showing = nullptr;
  for (ui::Control* control : controls) {
    if (value.empty() || !Offers(*control, value)) continue;
    if (showing != nullptr) return nullptr;  // two controls show it: the layout does not tell
    showing = control;
  }
  return showing;
}

std::vector<SettingMatch> FindSettings(const Sheet& sheet, ui::BasicControlGroup* basic,
                                       const model::ParameterImage& image, std::string_view query,
                                       std::size_t limit) {
  query = Trimmed(query);
  if (query.empty()) return {};
  std::vector<std::pair<Rank, SettingMatch>> ranked;
  for (SettingMatch& setting : AllSettings(sheet, basic, image)) {
    const Rank rank = RankOf(setting, query);
    if (rank != kNoMatch) ranked.emplace_back(rank, std::move(setting));
  }
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  if (ranked.size() > limit) ranked.resize(limit);

  std::vector<SettingMatch> matches;
  matches.reserve(ranked.size());
  for (auto& [rank, match] : ranked) {
    match.control = ControlForSetting(FormOf(sheet, basic, match.tab), match.key, match.value);
    matches.push_back(std::move(match));
  }
  return matches;
}

}  // namespace tw::pages
