#pragma once

#include "comm/page_source.h"
#include "pages/sheet.h"
#include "settings/configuration_memory.h"
#include "ui/page_link.h"

namespace tw::session {

// The pages as the transfer engine reaches them: every sheet page's QueueAll, and the
// System Memory parts of a download, sent from the settings of the pages that own them.
class TransferPages final : public comm::PageSource {
 public:
  TransferPages(ui::PageLink& link, pages::Sheet& sheet, const settings::MemoryGroups& groups)
      : link_(link), sheet_(sheet), groups_(groups) {}

  void QueueAll(model::ParameterImage& image, const model::SettingFilter& sends = {}) override {
    sheet_.QueueAll(image, sends);
  }

  // Every parameter the part keeps, from `memoryImage` in the part's order, then the part's
  // save command, so that the receiver stores what was just sent into memory `memory`. A
  // memory or part out of range queues nothing.
  void QueueMemoryPart(int memory, int part, model::ParameterImage& memoryImage) override;

 private:
  ui::PageLink& link_;
  pages::Sheet& sheet_;
  const settings::MemoryGroups& groups_;
};

}  // namespace tw::session
