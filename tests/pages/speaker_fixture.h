#pragma once

// One speaker page on a recording link, active with its window, as the sheet leaves it.

#include <string>
#include <string_view>

#include "model/parameter_access.h"
#include "model/parameter_defaults.h"
#include "pages/fake_page_link.h"
#include "support/scripted_ui_services.h"

namespace tw::test {

template <class Page>
struct SpeakerFixture {
  explicit SpeakerFixture(comm::WorkingMode mode = comm::WorkingMode::RealTime)
      : link(mode), page({link, ui}) {
    page.setActive(true);
    page.OnSetActive();
  }
  model::ParameterImage& image() { return *link.images.Image(0); }

  FakePageLink link;
  ui::ScriptedUiServices ui;
  Page page;
};



}  // namespace tw::test
