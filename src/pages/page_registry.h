#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "pages/base_page.h"

namespace tw::pages {

// When a sheet page is shown as a tab. Download, files and report walk every page whatever
// this says; the XM rule also decides whether files and reports include the page.
enum class Presence {
  Always,
  AsyncOnly,         // Input DSP
  RealTimeOrRegion1  // XM Set: shown in Real Time Mode, or when the tuner region is 1
};

using PageFactory = std::unique_ptr<BasePage> (*)(const PageContext& context);

// One page of the sheet. A page family that is not written yet has no factory and is
// simply absent from the sheet.
struct PageDescriptor {
  std::string_view caption;
  int templateId = 0;
  Presence presence = Presence::Always;
  PageFactory create = nullptr;
};

template <class Page>
std::unique_ptr<BasePage> MakePage(const PageContext& context) {
  return std::make_unique<Page>(context);
}

// The nineteen sheet pages in sheet order.
std::span<const PageDescriptor> SheetPageDescriptors();

// Whether a page is a tab of the sheet for this working mode and tuner region.
bool IsShown(const PageDescriptor& page, comm::WorkingMode mode, int tunerRegion);

}  // namespace tw::pages
