#pragma once

#include "model/decode.h"
#include "model/parameter_image.h"

namespace tw::model {

// Stores a decoded frame into `image` (the image in use) through the block setters of its
// group. `linkMode` is the link's mode (kLinkIdle..kLinkDownload): during an upload an
// input report also records the current program as that input's Input DSP setting.
// Returns false when nothing could be applied: the frame was not decoded, or a Graphic EQ
// report names a channel that no channel record holds.
bool Apply(ParameterImage& image, const DecodeResult& result, int linkMode);

}  // namespace tw::model
