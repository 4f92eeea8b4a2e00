#pragma once

#include "model/decode.h"
#include "model/parameter_image.h"
#include "model/setting_key.h"

namespace tw::model {

// Stores a decoded frame into `image` (the image in use) through the block setters of its
// group. `linkMode` is the link's mode (kLinkIdle..kLinkDownload): during an upload an
// input report also records the current program as that input's Input DSP setting.
// Returns false when nothing could be applied: the frame was not decoded, or a Graphic EQ
// report names a channel that no channel record holds. `stored`, when given, receives the
// key of every setting the frame changed or confirmed.
bool Apply(ParameterImage& image, const DecodeResult& result, int linkMode, SettingKeys* stored = nullptr);

}  // namespace tw::model
