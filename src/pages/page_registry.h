#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "pages/base_page.h"

namespace tw::pages {

// When a page is a tab; the catalogue says it for each page.
using settings::Presence;

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
