#pragma once

#include <string>
#include <string_view>

#include "emu/receiver_settings.h"

namespace tw::emu {

// Characters in the status data block of the receiver's status frame.
inline constexpr int kStatusDataLength = 0xAE;

// The DC2 frame the receiver sends after the opening sequence and after a System Memory
// load: the model code, "AE", then the data block that carries the basic state.
std::string ComposeStatusFrame(const ReceiverSettings& settings, std::string_view modelCode);

}  // namespace tw::emu
