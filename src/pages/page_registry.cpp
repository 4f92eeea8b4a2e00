// The sheet's pages, in sheet order. A page family joins the sheet by including its header
// here and putting MakePage<ItsClass> into its line.

#include "pages/page_registry.h"

#include "pages/eq/graphic_eq_page.h"
#include "pages/eq/tone_control_page.h"
#include "pages/speaker/speaker_distance_page.h"
#include "pages/speaker/speaker_level_page.h"
#include "pages/speaker/speaker_set_page.h"
#include "pages/system/advanced_setup_page.h"
#include "pages/system/display_set_page.h"
#include "pages/system/other_page.h"
#include "pages/zone/control_out_page.h"
#include "pages/zone/multi_zone_page.h"
#include "pages/zone/volume_trim_page.h"

#include <array>

namespace tw::pages {
namespace {

constexpr std::array<PageDescriptor, 19> kSheetPages = {{
    {"Multi Zone", 133, Presence::Always, MakePage<CMultiZone>},
    {"DSP Parameters", 148, Presence::Always, nullptr},
    {"Input DSP", 149, Presence::AsyncOnly, nullptr},
    {"Input Rename", 147, Presence::Always, nullptr},
    {"I/O Assign", 135, Presence::Always, nullptr},
    {"Speaker Level", 151, Presence::Always, MakePage<CSpkLevelPage>},
    {"Speaker Distance", 150, Presence::Always, MakePage<CSpkDistancePage>},
    {"Tone Control", 143, Presence::Always, MakePage<CToneControlPage>},
    {"CONTROL OUT", 132, Presence::Always, MakePage<CDCTriggerCtl>},
    {"Volume Trim", 134, Presence::Always, MakePage<CVolumeTrim>},
    {"Graphic EQ", 169, Presence::Always, MakePage<CGEQSetPage>},
    {"Speaker Set", 130, Presence::Always, MakePage<CSpeakerSet>},
    {"Tuner Set", 131, Presence::Always, nullptr},
    {"XM Set", 171, Presence::RealTimeOrRegion1, nullptr},
    {"Display Set", 142, Presence::Always, MakePage<CDisplaySet>},
    {"MULTI CH", 152, Presence::Always, nullptr},
    {"Other", 164, Presence::Always, MakePage<COtherPage>},
    {"Advanced Setup", 170, Presence::Always, MakePage<CAdvSetup>},
    {"iPod", 102, Presence::Always, nullptr},
}};

}  // namespace

std::span<const PageDescriptor> SheetPageDescriptors() { return kSheetPages; }

bool IsShown(const PageDescriptor& page, comm::WorkingMode mode, int tunerRegion) {
  switch (page.presence) {
    case Presence::Always:
      return true;
    case Presence::AsyncOnly:
      return mode == comm::WorkingMode::Async;
    case Presence::RealTimeOrRegion1:
      return mode == comm::WorkingMode::RealTime || tunerRegion == 1;
  }
  return false;
}

}  // namespace tw::pages
