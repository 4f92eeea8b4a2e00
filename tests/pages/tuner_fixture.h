#pragma once

// One page of the tuner family on a recording link, active with its window, as the sheet
// leaves it; with a main window whose dialogs a test can answer, or without one.

#include <string>

#include "model/parameter_access.h"
#include "pages/fake_page_link.h"
#include "pages/page_host.h"
#include "support/scripted_ui_services.h"
#include "ui/view_harness.h"

namespace tw::test {

class FakePageHost final : public pages::PageHost {
 public:
  void RefreshProgramDisplay() override {}
  void RefreshAllPages() override {}
  void ReloadConfiguration() override {}
  ui::DialogHost& dialogs() override { return dialogHost; }

  ui::test::RecordingDialogHost dialogHost;
};

template <class Page>
struct TunerFixture {
  explicit TunerFixture(comm::WorkingMode mode = comm::WorkingMode::RealTime, bool withWindow = true)
      : link(mode), page({link, ui, 0, withWindow ? &host : nullptr}) {
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }
  std::string text(int number) { return std::get<std::string>(*model::GetParameter(image(), number)); }
  std::int32_t value(int number) { return std::get<std::int32_t>(*model::GetParameter(image(), number)); }
  ui::Dialog* openDialog() { return host.dialogHost.top(); }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  FakePageHost host;
  Page page;
};


}  // namespace tw::test
