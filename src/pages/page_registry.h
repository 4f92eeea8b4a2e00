#pragma once

#include <memory>
#include <span>
#include <string_view>

#include "pages/base_page.h"

namespace tw::pages {

// When a page is a tab; the catalogue says it for each page.
using settings::Presence;

using PageFactory = std::unique_ptr<BasePage> (*)(const PageContext& context);

// The families a page list groups the sheet's pages into, in the order they are listed.
enum class Family { Speakers, Sound, Inputs, Zones, Sources, System };
std::span<const std::string_view> FamilyNames();

// One page of the sheet: its caption (also its section in files and reports), when it is a
// tab, how it is made, and its family. A page without a factory is absent from the sheet.
struct PageDescriptor {
  std::string_view caption;
  Presence presence = Presence::Always;
  PageFactory create = nullptr;
  Family family = Family::System;
};

template <class Page>
std::unique_ptr<BasePage> MakePage(const PageContext& context) {
  return std::make_unique<Page>(context);
}

// The nineteen sheet pages in sheet order.
std::span<const PageDescriptor> SheetPageDescriptors();
// The family of the sheet page with this caption; System for a caption the sheet lacks.
Family FamilyOfPage(std::string_view caption);

// Whether a page is a tab of the sheet for this working mode and tuner region.
bool IsShown(const PageDescriptor& page, comm::WorkingMode mode, int tunerRegion);

}  // namespace tw::pages
