// The sheet's pages, in sheet order. A page family joins the sheet by including its header
// here and putting MakePage<ItsClass> into its line.

#include "pages/page_registry.h"

#include "pages/dsp/dsp_parameters_page.h"
#include "pages/eq/graphic_eq_page.h"
#include "pages/eq/tone_control_page.h"
#include "pages/input/input_dsp_page.h"
#include "pages/input/input_rename_page.h"
#include "pages/input/io_assign_page.h"
#include "pages/input/multi_ch_page.h"
#include "pages/speaker/speaker_distance_page.h"
#include "pages/speaker/speaker_level_page.h"
#include "pages/speaker/speaker_set_page.h"
#include "pages/system/advanced_setup_page.h"
#include "pages/system/display_set_page.h"
#include "pages/system/other_page.h"
#include "pages/tuner/ipod_page.h"
#include "pages/tuner/tuner_set_page.h"
#include "pages/tuner/xm_set_page.h"
#include "pages/zone/control_out_page.h"
#include "pages/zone/multi_zone_page.h"
#include "pages/zone/volume_trim_page.h"

#include <array>

namespace tw::pages {
namespace {

constexpr std::array<PageDescriptor, 19> kSheetPages = {{
    {"Multi Zone", Presence::Always, MakePage<MultiZonePage>, Family::Zones},
    {"DSP Parameters", Presence::Always, MakePage<DspParametersPage>, Family::Sound},
    {"Input DSP", Presence::AsyncOnly, MakePage<InputDspPage>, Family::Inputs},
    {"Input Rename", Presence::Always, MakePage<InputRenamePage>, Family::Inputs},
    {"I/O Assign", Presence::Always, MakePage<IoAssignPage>, Family::Inputs},
    {"Speaker Level", Presence::Always, MakePage<SpeakerLevelPage>, Family::Speakers},
    {"Speaker Distance", Presence::Always, MakePage<SpeakerDistancePage>, Family::Speakers},
    {"Tone Control", Presence::Always, MakePage<ToneControlPage>, Family::Sound},
    {"CONTROL OUT", Presence::Always, MakePage<ControlOutPage>, Family::Zones},
    {"Volume Trim", Presence::Always, MakePage<VolumeTrimPage>, Family::Zones},
    {"Graphic EQ", Presence::Always, MakePage<GraphicEqPage>, Family::Sound},
    {"Speaker Set", Presence::Always, MakePage<SpeakerSetPage>, Family::Speakers},
    {"Tuner Set", Presence::Always, MakePage<TunerSetPage>, Family::Sources},
    {"XM Set", Presence::RealTimeOrRegion1, MakePage<XmSetPage>, Family::Sources},
    {"Display Set", Presence::Always, MakePage<DisplaySetPage>, Family::System},
    {"MULTI CH", Presence::Always, MakePage<MultiChPage>, Family::Inputs},
    {"Other", Presence::Always, MakePage<OtherPage>, Family::System},
    {"Advanced Setup", Presence::Always, MakePage<AdvancedSetupPage>, Family::System},
    {"iPod", Presence::Always, MakePage<IpodPage>, Family::Sources},
}};

constexpr std::array<std::string_view, 6> kFamilyNames = {"Speakers", "Sound", "Inputs", "Zones", "Sources", "System"};

}  // namespace

std::span<const PageDescriptor> SheetPageDescriptors() { return kSheetPages; }

std::span<const std::string_view> FamilyNames() { return kFamilyNames; }

Family FamilyOfPage(std::string_view caption) {
  for (const PageDescriptor& page : kSheetPages) {
    if (page.caption == caption) return page.family;
  }
  return Family::System;
}

bool IsShown(const PageDescriptor& page, comm::WorkingMode mode, int tunerRegion) {
  return settings::IsShown(page.presence, mode == comm::WorkingMode::RealTime, tunerRegion);
}

}  // namespace tw::pages
