#include "model/parameter_defaults.h"

#include "model/dsp_layout.h"
#include "model/parameter_access.h"
#include "model/text_field.h"
#include "model/tuner_presets.h"

#include <algorithm>

namespace tw::model {

void WriteInputNameDefaults(std::array<Text10, 14>& names) {
  for (std::size_t i = 0; i < names.size(); ++i) CopyText(names[i], kInputNameDefaults[i], names[i].size());
}

void WriteSpeakerDistanceDefaults(SpeakerDistanceBlock& block) {
  block.distances = block.unit == 0 ? kSpeakerDistanceMetreDefaults : kSpeakerDistanceFeetDefaults;
}

void WriteControlOutDefaults(std::array<std::array<std::int32_t, 38>, 2>& block) {
  for (auto& table : block) {
    table.fill(kControlOutTrigger);
    table.back() = kControlOutTriggerControl;
  }
}

void WriteGraphicEqDefaults(std::array<GraphicEqChannel, 10>& block) {
  for (std::size_t i = 0; i < block.size(); ++i) {
    block[i].id = kGraphicEqChannelIds[i];
    block[i].bands.fill(0);
  }
}

void WriteXmDefaults(XmBlock& block) {
  block.presets.fill(kXmPresetDefault);
  block.extra = kXmPresetDefault;
}

void WriteDspProgramDefaults(ParameterImage& image, int programIndex) {
  if (programIndex < 0 || programIndex >= kSoundProgramCount) return;
  const DspProgramLayout& layout = kDspLayout[programIndex];
  for (int position = 0; position < layout.slotCount; ++position) {
    if ((layout.unwrittenSlots & (1u << position)) != 0) continue;
    image.dsp[layout.firstSlot + position] = layout.defaults[position];
  }
}

void ResetTunerBlock(ParameterImage& image, int tunerRegion) {
  if (tunerRegion < 0 || tunerRegion >= kTunerRegionCount) return;
  const TunerTable& table = kTunerRegionTables[tunerRegion];
  for (int i = 0; i < kTunerTextCount; ++i) CopyText(image.tuner[i], table[i], image.tuner[i].size());
}

void ResetToDefaults(ParameterImage& image, int tunerRegion) {
  // Start from a cleared image so that slots without a default (and the never-used
  // Parametric EQ) read as on a freshly built image.
  const std::int32_t index = image.index;
  image = ParameterImage{};
  image.index = index;

  image.basic = kBasicControlDefaults;
  image.multiZone = kMultiZoneDefaults;
  for (int program = 0; program < kSoundProgramCount; ++program) WriteDspProgramDefaults(image, program);
  image.inputDsp = kInputDspDefaults;
  WriteInputNameDefaults(image.inputNames);
  image.ioAssign = kIoAssignDefaults;
  image.speakerLevel = kSpeakerLevelDefaults;
  image.speakerDistance.unit = 0;
  WriteSpeakerDistanceDefaults(image.speakerDistance);
  image.tone = kToneDefaults;
  WriteControlOutDefaults(image.controlOut);
  WriteGraphicEqDefaults(image.graphicEq);
  image.speakerSet = kSpeakerSetDefaults;
  ResetTunerBlock(image, tunerRegion);  // an unknown region leaves the texts empty
  WriteXmDefaults(image.xm);
  image.displaySet = kDisplaySetDefaults;
  image.multiCh = kMultiChDefaults;
  image.other = kOtherDefaults;
  image.advancedSetup = kAdvancedSetupDefaults;
  image.ipod.values = kIpodDefaults;
}

}  // namespace tw::model
