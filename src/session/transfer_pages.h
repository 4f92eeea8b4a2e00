#pragma once

#include "comm/page_source.h"
#include "settings/configuration_memory.h"
#include "ui/page_link.h"

namespace tw::session {

// The settings as the transfer engine reaches them: every page of the catalogue, and the
// System Memory parts of a download, sent from the settings of the pages that own them. No
// page is needed.
class TransferPages final : public comm::PageSource {
 public:
  TransferPages(ui::PageLink& link, const settings::MemoryGroups& groups) : link_(link), groups_(groups) {}

  // Every page's download commands, in sheet order, shown or not.
  void QueueAll(model::ParameterImage& image, const model::SettingFilter& sends = {}) override;

  // Every parameter the part keeps, from `memoryImage` in the part's order, then the part's
  // save command, so that the receiver stores what was just sent into memory `memory`. A
  // memory or part out of range queues nothing.
  void QueueMemoryPart(int memory, int part, model::ParameterImage& memoryImage) override;

 private:
  ui::PageLink& link_;
  const settings::MemoryGroups& groups_;
};

}  // namespace tw::session
