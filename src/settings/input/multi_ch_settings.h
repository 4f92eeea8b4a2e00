#pragma once

#include "settings/page_settings.h"

namespace tw::settings {

namespace multi_ch {
inline constexpr int kChannels = 529;
inline constexpr int kInputFront = 530;
inline constexpr int kBgv = 531;
// The value of 8ch, the only one that uses Input Front.
inline constexpr std::int32_t kEightChannels = 1;
}  // namespace multi_ch

// MULTI CH (529..531): 6ch/8ch, the front input that 8ch takes and the BGV. Input Front goes
// out only with 8ch, inside the 8ch command; the report leaves it out with 6ch, the file
// always carries it.
const PageSettings& MultiChSettings();

}  // namespace tw::settings
