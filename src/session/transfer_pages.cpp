#include "session/transfer_pages.h"

#include "comm/memory_commands.h"
#include "files/memory_sections.h"

namespace tw::pages {

void TransferPages::QueueMemoryPart(int memory, int part, model::ParameterImage& memoryImage) {
  if (part < 0 || part >= static_cast<int>(files::kMemoryCategories.size())) return;
  const std::string save = MemoryCommand(memory, part, false);
  if (save.empty()) return;
  const files::MemoryCategory category = files::kMemoryCategories[static_cast<std::size_t>(part)];
  std::vector<MemoryItem> items;
  for (const MemoryItem& item : groups_.Items(category, memoryImage, true)) {
    if (item.page == nullptr || item.page->IsItemAvailable(item.item.number)) items.push_back(item);
  }
  // Without a page that sends the part's values (or a receiver that has them), saving would
  // store the receiver's current values over the memory's own.
  if (items.empty()) return;
  for (const MemoryItem& item : items) {
    if (item.page != nullptr) {
      item.page->QueueItem(memoryImage, item.item.number, item.item.subIndex);
    } else {
      basic_.QueueBasicItem(memoryImage, item.item.number);
    }
  }
  link_.SendPacket(save, comm::MemoryCommandNumber(part, false));
}

}  // namespace tw::pages
