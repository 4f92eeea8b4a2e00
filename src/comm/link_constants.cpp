#include "comm/link_constants.h"

#include <array>
#include <utility>

namespace tw::comm {
namespace {

constexpr std::array<std::pair<int, std::string_view>, 9> kTexts = {{
    {kMsgInitFailed, "Communication error has occurred during initialization."},
    {kMsgPortError, "COM port error has occurred."},
    {kMsgConnectionCheck, "Connection check error has occurred."},
    {kMsgCableCheck, "Cable Check Error"},
    {kMsgStopInitialization, "Initialization is stopped.\nIs it all right?"},
    {kMsgStopTransmission, "Transmission of a command is interrupted. \nIs it all right?"},
    {kTextConnected, "Connected TQ-N4400"},
    {kTextNotConnected, "Not Connected"},
    {kTextConnecting, "Connecting TQ-N4400"},
}};

}  // namespace

std::string_view LinkText(int id) {
  for (const auto& [textId, text] : kTexts) {
    if (textId == id) return text;
  }
  return {};
}

}  // namespace tw::comm
