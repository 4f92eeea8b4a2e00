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
    {"Multi Zone", 133, Presence::Always, MakePage<MultiZonePage>},
    {"DSP Parameters", 148, Presence::Always, MakePage<DspParametersPage>},
    {"Input DSP", 149, Presence::AsyncOnly, MakePage<InputDspPage>},
    {"Input Rename", 147, Presence::Always, MakePage<InputRenamePage>},
    {"I/O Assign", 135, Presence::Always, MakePage<IoAssignPage>},
    {"Speaker Level", 151, Presence::Always, MakePage<SpeakerLevelPage>},
    {"Speaker Distance", 150, Presence::Always, MakePage<SpeakerDistancePage>},
    {"Tone Control", 143, Presence::Always, MakePage<ToneControlPage>},
    {"CONTROL OUT", 132, Presence::Always, MakePage<ControlOutPage>},
    {"Volume Trim", 134, Presence::Always, MakePage<VolumeTrimPage>},
    {"Graphic EQ", 169, Presence::Always, MakePage<GraphicEqPage>},
    {"Speaker Set", 130, Presence::Always, MakePage<SpeakerSetPage>},
    {"Tuner Set", 131, Presence::Always, MakePage<TunerSetPage>},
    {"XM Set", 171, Presence::RealTimeOrRegion1, MakePage<XmSetPage>},
    {"Display Set", 142, Presence::Always, MakePage<DisplaySetPage>},
    {"MULTI CH", 152, Presence::Always, MakePage<MultiChPage>},
    {"Other", 164, Presence::Always, MakePage<OtherPage>},
    {"Advanced Setup", 170, Presence::Always, MakePage<AdvancedSetupPage>},
    {"iPod", 102, Presence::Always, MakePage<IpodPage>},
}};

}  // namespace

std::span<const PageDescriptor> SheetPageDescriptors() { return kSheetPages; }

bool IsShown(const PageDescriptor& page, comm::WorkingMode mode, int tunerRegion) {
  return settings::IsShown(page.presence, mode == comm::WorkingMode::RealTime, tunerRegion);
}

}  // namespace tw::pages
