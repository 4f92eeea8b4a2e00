#include "session/transfer_pages.h"

#include "comm/memory_commands.h"
#include "files/memory_sections.h"
#include "settings/catalogue.h"

namespace tw::session {

void TransferPages::QueueAll(model::ParameterImage& image, const model::SettingFilter& sends) {
  const settings::SettingContext context = link_.settingContext();
  for (const settings::PageSettings* page : settings::Catalogue()) {
    for (const settings::SettingCommand& command : page->DownloadCommands(image, sends, context)) {
      link_.SendPacket(command.text, command.number);
    }
  }
}

void TransferPages::QueueMemoryPart(int memory, int part, model::ParameterImage& memoryImage) {
  if (part < 0 || part >= static_cast<int>(files::kMemoryCategories.size())) return;
  const std::string save = MemoryCommand(memory, part, false);
  if (save.empty()) return;
  const files::MemoryCategory category = files::kMemoryCategories[static_cast<std::size_t>(part)];
  const settings::SettingContext context = link_.settingContext();
  std::vector<settings::MemoryItem> items;
  for (const settings::MemoryItem& item : groups_.Items(category, memoryImage, true)) {
    if (item.page->IsAvailable(item.item.number, context)) items.push_back(item);
  }
  // Without a page that sends the part's values (or a receiver that has them), saving would
  // store the receiver's current values over the memory's own.
  if (items.empty()) return;
  for (const settings::MemoryItem& item : items) {
    for (const std::string& command : item.page->Commands(memoryImage, item.item.number, item.item.subIndex, context)) {
      link_.SendPacket(command, item.item.number);
    }
  }
  link_.SendPacket(save, comm::MemoryCommandNumber(part, false));
}

}  // namespace tw::session
