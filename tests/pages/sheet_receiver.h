#pragma once

// A sheet of pages on the real link against the in-process virtual receiver, on the virtual
// clock: what a user does on a page reaches the receiver, and what it answers comes back.

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "comm/link.h"
#include "comm/link_observer.h"
#include "comm/virtual_scheduler.h"
#include "emu/emulator_port.h"
#include "model/parameter_access.h"
#include "pages/sheet.h"
#include "session/transfer_pages.h"
#include "settings/configuration_memory.h"
#include "support/scripted_ui_services.h"
#include "ui/page_link.h"

namespace tw::test {

// The main view's part: report refreshes go to the sheet's active page.
class SheetView final : public comm::LinkObserver {
 public:
  void RefreshActiveItems(const std::vector<int>& numbers) override {
    refreshed.insert(refreshed.end(), numbers.begin(), numbers.end());
    if (sheet != nullptr) sheet->RefreshActiveItems(numbers);
  }
  void ConnectFinished(bool connected) override { connect = connected ? 1 : 0; }
  void CommandsFinished(comm::ListResult result) override { commands = static_cast<int>(result); }
  void MessageRaised(comm::LinkMessage message) override { messages.push_back(message); }

  pages::Sheet* sheet = nullptr;
  std::vector<int> refreshed;
  int connect = -1;
  int commands = -1;  // the ListResult's value
  std::vector<comm::LinkMessage> messages;
};

struct Receiver {
  explicit Receiver(comm::WorkingMode mode, const emu::EmulatorConfig& config = {})
      : port(scheduler, config),
        link(port, scheduler, mode),
        pageLink(link),
        sheet({pageLink, ui}) {
    view.sheet = &sheet;
    link.setObserver(&view);
    link.setPages(&downloads);
    sheet.Create();
  }
  bool connect() {
    view.connect = -1;
    link.Open(comm::PortChoice::Fixed(emu::EmulatorPort::kDeviceName));
    return scheduler.runUntil([&] { return view.connect >= 0; }, 30 * 60 * 1000) && view.connect == 1;
  }
  // Lets the receiver answer whatever is under way.
  void settle() {
    scheduler.runUntil([] { return false; }, 2000);
  }
  model::ParameterImage& image() { return *link.images().Image(0); }
  template <class Page>
  Page& show() {
    Page& page = *sheet.Find<Page>();
    EXPECT_TRUE(sheet.SetActivePage(page.caption()));
    return page;
  }
  std::string report(std::string_view code) { return port.receiver().reportValue(code); }

  comm::VirtualScheduler scheduler;
  emu::EmulatorPort port;
  SheetView view;
  comm::Link link;
  ui::CommPageLink pageLink;
  ui::ScriptedUiServices ui;
  pages::Sheet sheet;
  // A download of the pages alone: memory groups without pages send no System Memory part.
  settings::MemoryGroups memoryGroups{[this] { return pageLink.settingContext(); }, {}, nullptr};
  session::TransferPages downloads{pageLink, memoryGroups};
};

inline std::int32_t Value(const model::ParameterImage& image, int number) {
  return std::get<std::int32_t>(*model::GetParameter(image, number));
}

}  // namespace tw::test
