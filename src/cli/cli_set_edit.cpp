#include "cli/cli_set_edit.h"

#include <algorithm>
#include <iostream>

#include "cli/cli_command.h"
#include "comm/frame_notation.h"
#include "settings/basic/basic_control_settings.h"
#include "settings/catalogue.h"

namespace tw::cli {
namespace {

// Names compare as in configuration files: ASCII letter case and surrounding blanks ignored.
std::string Folded(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  const auto last = text.find_last_not_of(' ');
  std::string folded(first == std::string_view::npos ? std::string_view()
                                                     : text.substr(first, last - first + 1));
  std::transform(folded.begin(), folded.end(), folded.begin(),
                 [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; });
  return folded;
}

std::string JoinQuoted(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "\"" : ", \"") + name + "\"";
  return text;
}

struct GroupSection {
  int group;
  std::string section;
};

// The sections of a page's groups that differ from its caption; none for a page without groups.
std::vector<GroupSection> GroupSections(const settings::PageSettings& page, const model::ParameterImage& image,
                                        const settings::SettingContext& context) {
  std::vector<GroupSection> sections;
  for (int group = 0; group < settings::kAllGroups; ++group) {
    const std::vector<settings::PageItem> items = page.ListItems(true, context, group);
    if (items.empty()) continue;
    std::string section = page.DescribeItem(image, items.front().number, items.front().subIndex, false).section;
    if (section == page.caption()) continue;
    const bool known = std::any_of(sections.begin(), sections.end(),
                                   [&](const GroupSection& s) { return s.section == section; });
    if (!known) sections.push_back({group, std::move(section)});
  }
  return sections;
}

std::vector<std::string> PagesOf(const model::ParameterImage& image, const settings::SettingContext& context);

// "Basic Control" (the main form's group) first, then every page, by caption or by the
// section of one of its groups.
AddressedPage FindPage(std::string_view section, const model::ParameterImage& image,
                       const settings::SettingContext& context) {
  const std::string wanted = Folded(section);
  const settings::PageSettings& basic = settings::BasicControlSettings();
  if (wanted == Folded(basic.caption())) return {&basic, settings::kAllGroups, basic.caption()};
  for (const settings::PageSettings* page : settings::Catalogue()) {
    if (Folded(page->caption()) == wanted) {
      if (page->presence() == settings::Presence::AsyncOnly) {
        throw CliFailure{kExitBadInput, "\"" + page->caption() +
                                            "\" is an offline setting: the receiver takes it only with a "
                                            "download (Async Mode); put it in a configuration file and run "
                                            "tunewright-cli download"};
      }
      return {page, settings::kAllGroups, page->caption()};
    }
    for (const GroupSection& group : GroupSections(*page, image, context)) {
      if (Folded(group.section) == wanted) return {page, group.group, group.section};
    }
  }
  throw CliFailure{kExitBadInput, "no page \"" + std::string(section) + "\" can be set; pages: " +
                                      JoinQuoted(PagesOf(image, context))};
}

std::vector<std::string> KeysOf(const AddressedPage& addressed, const model::ParameterImage& image,
                                const settings::SettingContext& context) {
  std::vector<std::string> keys;
  for (const settings::PageItem& item : addressed.page->ListItems(true, context, addressed.group)) {
    std::string key = addressed.page->DescribeItem(image, item.number, item.subIndex, false).key;
    if (!key.empty()) keys.push_back(std::move(key));
  }
  return keys;
}

settings::PageItem FindItem(const AddressedPage& addressed, const model::ParameterImage& image,
                            const settings::SettingContext& context, std::string_view key) {
  const settings::PageSettings& page = *addressed.page;
  if (addressed.group == settings::kAllGroups) {
    std::vector<std::string> sections;
    for (const GroupSection& group : GroupSections(page, image, context)) sections.push_back(group.section);
    if (!sections.empty()) {
      throw CliFailure{kExitBadInput, "page \"" + page.caption() +
                                          "\" is set section by section; sections: " + JoinQuoted(sections)};
    }
  }
  for (const settings::PageItem& item : page.ListItems(true, context, addressed.group)) {
    if (Folded(page.DescribeItem(image, item.number, item.subIndex, false).key) == Folded(key)) return item;
  }
  throw CliFailure{kExitBadInput, "page \"" + addressed.section + "\" has no key \"" + std::string(key) +
                                      "\"; keys: " + JoinQuoted(KeysOf(addressed, image, context))};
}

// What `set` takes as PAGE: "Basic Control", then each page by caption or, for a page set
// section by section, its sections.
std::vector<std::string> PagesOf(const model::ParameterImage& image, const settings::SettingContext& context) {
  std::vector<std::string> pages{settings::BasicControlSettings().caption()};
  for (const settings::PageSettings* page : settings::Catalogue()) {
    const std::vector<GroupSection> groups = GroupSections(*page, image, context);
    if (groups.empty()) pages.push_back(page->caption());
    for (const GroupSection& group : groups) pages.push_back(group.section);
  }
  return pages;
}

}  // namespace

std::vector<std::string> SettablePages() {
  OfflineReceiver offline;
  return PagesOf(*offline.images.Image(0), offline.context);
}

std::vector<std::string> SettableKeys(std::string_view page) {
  OfflineReceiver offline;
  try {
    return KeysOf(FindPage(page, *offline.images.Image(0), offline.context), *offline.images.Image(0), offline.context);
  } catch (const CliFailure&) {
    return {};
  }
}

SettingEdit::SettingEdit(const SetOptions& options, model::ParameterImage& editedImage, settings::SettingContext editContext)
    : image(editedImage),
      context(editContext),
      addressed(FindPage(options.page, image, context)),
      page(*addressed.page),
      item(FindItem(addressed, image, context, options.key)) {}

void SettingEdit::parse(const std::string& value) {
  if (page.ParseItem(image, item.number, item.subIndex, value)) return;
  const settings::ItemText now = page.DescribeItem(image, item.number, item.subIndex, false);
  std::string message = "\"" + value + "\" is not a value of " + now.key + " on page \"" + now.section +
                        "\" (it holds \"" + now.value + "\")";
  const std::string reason = page.RefusalReason(image, item.number, item.subIndex, value);
  if (!reason.empty()) message += "; " + reason;
  const std::string range = page.DescribeRange(item.number, item.subIndex);
  if (!range.empty()) message += "; values: " + range;
  throw CliFailure{kExitBadInput, message};
}

void SettingEdit::printAdvice() const {
  const std::string note = page.AdviceOn(image, item.number, item.subIndex, context);
  if (!note.empty()) std::cerr << "tunewright-cli: note: " << note << '\n';
}

std::vector<std::string> MissingParts(const SetOptions& options, const model::Capabilities& live) {
  struct Part {
    int model::Capabilities::*has;
    const char* name;
  };
  constexpr Part kParts[] = {{&model::Capabilities::zone2, "Zone 2"},
                             {&model::Capabilities::zone3, "Zone 3"},
                             {&model::Capabilities::xm, "XM"}};
  auto sends = [&options](const model::Capabilities& capabilities) {
    OfflineReceiver offline(capabilities);
    SettingEdit edit(options, *offline.images.Image(0), offline.context);
    if (!edit.page.ParseItem(edit.image, edit.item.number, edit.item.subIndex, options.value)) return false;
    return !edit.commands().empty();
  };
  model::Capabilities everything = live;
  for (const Part& part : kParts) everything.*part.has = 1;
  std::vector<std::string> missing;
  if (!sends(everything)) return missing;
  for (const Part& part : kParts) {
    if (live.*part.has != 0) continue;
    model::Capabilities without = everything;
    without.*part.has = 0;
    if (!sends(without)) missing.emplace_back(part.name);
  }
  return missing;
}

void PrintFrames(const std::vector<std::string>& frames) {
  for (const std::string& frame : frames) std::cout << comm::ToNotation(frame) << '\n';
}

int RunDryRun(const SetOptions& options) {
  OfflineReceiver offline;
  SettingEdit edit(options, *offline.images.Image(0), offline.context);
  edit.parse(options.value);
  edit.printAdvice();
  const std::vector<std::string> frames = edit.commands();
  if (frames.empty()) throw CliFailure{kExitBadInput, edit.silence("it is sent with the page's other settings")};
  PrintFrames(frames);
  return kExitOk;
}

}  // namespace tw::cli
