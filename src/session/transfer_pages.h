#pragma once

#include "comm/page_source.h"
#include "pages/configuration_items.h"
#include "pages/configuration_memory.h"
#include "pages/sheet.h"
#include "ui/basic_control/basic_control_group.h"
#include "ui/page_link.h"

namespace tw::pages {

// The pages as the transfer engine reaches them: every sheet page's QueueAll, and the
// System Memory page's own queue operation for a download, which needs both the sheet
// pages and the Basic Control group of the main form.
class TransferPages final : public comm::PageSource {
 public:
  TransferPages(ui::PageLink& link, Sheet& sheet, ui::BasicControlGroup& basic)
      : link_(link), sheet_(sheet), basic_(basic), groups_(sheet, &basicItems_) {}

  void QueueAll(model::ParameterImage& image, const model::SettingFilter& sends = {}) override {
    sheet_.QueueAll(image, sends);
  }

  // Every parameter the part keeps, from `memoryImage` in the part's order (Basic Control
  // items through the group, the others through their owning page), then the part's save
  // command, so that the receiver stores what was just sent into memory `memory`. A memory
  // or part out of range queues nothing.
  void QueueMemoryPart(int memory, int part, model::ParameterImage& memoryImage) override;

 private:
  ui::PageLink& link_;
  Sheet& sheet_;
  ui::BasicControlGroup& basic_;
  BasicItemsOf<ui::BasicControlGroup> basicItems_{basic_};
  MemoryGroups groups_;
};

}  // namespace tw::pages
