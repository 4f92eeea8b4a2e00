#include "settings/page_settings.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "model/parameter_access.h"

namespace tw::settings {

bool IsShown(Presence presence, bool realTime, int tunerRegion) {
  switch (presence) {
    case Presence::Always:
      return true;
    case Presence::AsyncOnly:
      return !realTime;
    case Presence::RealTimeOrRegion1:
      return realTime || tunerRegion == 1;
  }
  return false;
}
namespace {

std::string Quoted(std::string_view text) { return "\"" + std::string(text) + "\""; }

}  // namespace

int ItemNumber(const PageSettings::Item& item) {
  return std::visit([](const auto& i) { return i.number; }, item);
}

const Records* ItemRecords(const PageSettings::Item& item) {
  return std::visit(Overloaded{[](const TextItem&) -> const Records* { return nullptr; },
                               [](const auto& i) -> const Records* { return i.records; }},
                    item);
}

void PageSettings::Add(const ChoiceItem& item, bool ignoreCase) { entries_.push_back({item, ignoreCase}); }
void PageSettings::Add(const LevelItem& item) { entries_.push_back({item}); }
void PageSettings::Add(const TextItem& item) { entries_.push_back({item}); }

const PageSettings::Entry* PageSettings::find(int number) const {
  const auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.number() == number; });
  return it == entries_.end() ? nullptr : &*it;
}

const PageSettings::Item* PageSettings::Find(int number) const {
  const Entry* entry = find(number);
  return entry != nullptr ? &entry->item : nullptr;
}

const PageSettings::Item& PageSettings::item(int number) const {
  const Entry* entry = find(number);
  if (entry == nullptr) throw std::out_of_range(caption_ + " has no setting " + std::to_string(number));
  return entry->item;
}

const Records* PageSettings::RecordsOf(int number) const {
  const Entry* entry = find(number);
  return entry != nullptr ? entry->records() : nullptr;
}

bool PageSettings::IsAvailable(int number, const SettingContext& context) const {
  const Entry* entry = find(number);
  if (entry == nullptr) return true;
  return Satisfied(std::visit([](const auto& i) { return i.needs; }, entry->item), context.capabilities);
}

std::vector<PageItem> PageSettings::ListItems(bool forFile, const SettingContext& context, int /*group*/) const {
  std::vector<PageItem> items;
  auto push = [&](PageItem item) {
    if (IsListed(item, forFile, context)) items.push_back(item);
  };
  if (!forFile && !sendOrder_.empty()) {
    for (int number : sendOrder_) push({number, -1});
    return items;
  }
  std::vector<const Records*> listedRecords;
  for (const Entry& entry : entries_) {
    const Records* records = entry.records();
    if (records == nullptr) {
      push({entry.number(), -1});
      continue;
    }
    // Items with records go record by record, where the first of them stands.
    if (std::find(listedRecords.begin(), listedRecords.end(), records) != listedRecords.end()) continue;
    listedRecords.push_back(records);
    for (int record = 0; record < records->count; ++record) {
      for (const Entry& other : entries_) {
        if (other.records() == records) push({other.number(), record});
      }
    }
  }
  return items;
}

ItemText PageSettings::DescribeItem(const model::ParameterImage& image, int number, int subIndex,
                                    bool /*forReport*/) const {
  const Entry* entry = find(number);
  if (entry == nullptr) return {};
  return std::visit(
      Overloaded{[&](const TextItem& item) {
                   return ItemText{caption_, std::string(item.key), item.Text(ReadText(image, number).value_or(""))};
                 },
                 [&](const auto& item) {
                   const auto value = ReadValue(image, item.records, number, subIndex);
                   std::string text;
                   if (value) text = std::string(item.Text(*value));
                   return ItemText{caption_, ItemKey(item.key, item.records, subIndex), std::move(text)};
                 }},
      entry->item);
}

bool PageSettings::ParseItem(model::ParameterImage& image, int number, int subIndex, std::string_view text) const {
  const Entry* entry = find(number);
  if (entry == nullptr) return false;
  if (const auto* item = std::get_if<TextItem>(&entry->item)) {
    const auto stored = item->Parse(text);
    return stored && model::SetParameterText(image, number, *stored);
  }
  std::optional<std::int32_t> value;
  if (const auto* level = std::get_if<LevelItem>(&entry->item)) {
    value = level->Parse(text);
  } else {
    value = std::get<ChoiceItem>(entry->item).Parse(text, entry->ignoreCase);
  }
  return value && Accepts(image, number, subIndex, *value) &&
         WriteValue(image, entry->records(), number, subIndex, *value);
}

std::string PageSettings::RefusalReason(const model::ParameterImage& /*image*/, int number, int /*subIndex*/,
                                        std::string_view /*text*/) const {
  const Entry* entry = find(number);
  if (entry == nullptr) return {};
  return std::visit(
      Overloaded{[&](const ChoiceItem& item) {
                   std::string allowed;
                   for (std::string_view text : item.texts) allowed += (allowed.empty() ? "" : ", ") + Quoted(text);
                   return "allowed: " + allowed;
                 },
                 [&](const LevelItem& item) {
                   const std::int32_t stride = std::max<std::int32_t>(item.step, 1);
                   const std::int32_t last = item.min + (item.max - item.min) / stride * stride;
                   std::string allowed = Quoted(item.Text(item.min));
                   if (item.min + stride < last) allowed += ", " + Quoted(item.Text(item.min + stride));
                   if (item.min + 2 * stride < last) allowed += " ...";
                   if (last > item.min) allowed += ", " + Quoted(item.Text(last));
                   return "allowed: " + allowed;
                 },
                 [&](const TextItem& item) {
                   std::string allowed = "allowed: printable characters";
                   if (item.maxLength > 0) allowed += ", at most " + std::to_string(item.maxLength);
                   return allowed;
                 }},
      entry->item);
}

std::vector<SettingCommand> PageSettings::DownloadCommands(const model::ParameterImage& image,
                                                           const model::SettingFilter& sends,
                                                           const SettingContext& context) const {
  std::vector<SettingCommand> commands;
  for (const PageItem& item : ListItems(false, context, kAllGroups)) {
    if (model::Sends(sends, item.number, item.subIndex)) AppendCommands(commands, image, item, context);
  }
  return commands;
}

void PageSettings::AppendCommands(std::vector<SettingCommand>& commands, const model::ParameterImage& image,
                                  const PageItem& item, const SettingContext& context) const {
  if (!IsAvailable(item.number, context)) return;
  for (std::string& text : Commands(image, item.number, item.subIndex, context)) {
    if (!text.empty()) commands.push_back({std::move(text), item.number});
  }
}

std::vector<std::string> PageSettings::Commands(const model::ParameterImage& image, int number, int subIndex,
                                                const SettingContext& context) const {
  const Entry* entry = find(number);
  if (entry == nullptr || !IsAvailable(number, context)) return {};
  const auto build = std::visit([](const auto& i) { return i.build; }, entry->item);
  if (build != nullptr) return build(image, number, subIndex);
  if (std::holds_alternative<TextItem>(entry->item)) return {};  // texts are sent only by builders
  const auto value = ReadValue(image, entry->records(), number, subIndex);
  if (!value) return {};
  const auto* level = std::get_if<LevelItem>(&entry->item);
  std::string command = level != nullptr ? level->Command(*value) : std::get<ChoiceItem>(entry->item).Command(*value);
  if (command.empty()) return {};
  return {std::move(command)};
}

}  // namespace tw::settings
