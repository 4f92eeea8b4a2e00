#include "settings/catalogue.h"

#include <array>

#include "settings/basic/basic_control_settings.h"
#include "settings/dsp/dsp_parameters_settings.h"
#include "settings/eq/graphic_eq_settings.h"
#include "settings/eq/tone_control_settings.h"
#include "settings/input/input_dsp_settings.h"
#include "settings/input/input_rename_settings.h"
#include "settings/input/io_assign_settings.h"
#include "settings/input/multi_ch_settings.h"
#include "settings/speaker/speaker_distance_settings.h"
#include "settings/speaker/speaker_level_settings.h"
#include "settings/speaker/speaker_set_settings.h"
#include "settings/system/advanced_setup_settings.h"
#include "settings/system/display_set_settings.h"
#include "settings/system/other_settings.h"
#include "settings/tuner/ipod_settings.h"
#include "settings/tuner/tuner_set_settings.h"
#include "settings/tuner/xm_set_settings.h"
#include "settings/zone/control_out_items.h"
#include "settings/zone/multi_zone_settings.h"
#include "settings/zone/volume_trim_settings.h"

namespace tw::settings {

std::span<const PageSettings* const> Catalogue() {
  static const std::array<const PageSettings*, 19> pages = {
      &MultiZoneSettings(),
      &DspParametersSettings(),
      &InputDspSettings(),
      &InputRenameSettings(),
      &IoAssignSettings(),
      &SpeakerLevelSettings(),
      &SpeakerDistanceSettings(),
      &ToneControlSettings(),
      &ControlOutSettings(),
      &VolumeTrimSettings(),
      &GraphicEqSettings(),
      &SpeakerSetSettings(),
      &TunerSetSettings(),
      &XmSetSettings(),
      &DisplaySetSettings(),
      &MultiChSettings(),
      &OtherSettings(),
      &AdvancedSetupSettings(),
      &IpodSettings(),
  };
  return pages;
}

const PageSettings* FindPageSettings(std::string_view caption) {
  if (caption == BasicControlSettings().caption()) return &BasicControlSettings();
  for (const PageSettings* page : Catalogue()) {
    if (page->caption() == caption) return page;
  }
  return nullptr;
}

}  // namespace tw::settings
