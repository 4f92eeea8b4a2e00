#include "ui/main_view_link.h"

#include "ui/ui_services.h"

#include <array>
#include <utility>

namespace tw::ui {
namespace {

using comm::ConnectionState;
using E = Enabled;

constexpr std::array<ConnectionLook, 4> kLooks{{
    {ConnectionState::NotConnected, msg::kNotConnected, E::Yes, E::Yes, E::No, E::No, E::No},
    {ConnectionState::Connecting, msg::kConnecting, E::No, E::No, E::Yes, E::Unchanged, E::Unchanged},
    // A scan between ports: Close stops it.
    {ConnectionState::WaitingForNextPort, 0, E::No, E::No, E::Yes, E::Yes, E::Yes},
    {ConnectionState::Connected, msg::kConnected, E::Unchanged, E::Unchanged, E::Unchanged, E::Yes, E::Yes},
}};

constexpr std::array<std::pair<comm::LinkMessage, int>, 4> kMessageIds{{
    {comm::LinkMessage::InitFailed, msg::kInitializationError},
    {comm::LinkMessage::PortError, msg::kComPortError},
    {comm::LinkMessage::ConnectionCheck, msg::kConnectionCheckError},
    {comm::LinkMessage::CableCheck, msg::kCableCheckError},
}};

}  // namespace

const ConnectionLook& LookOf(ConnectionState state) {
  for (const ConnectionLook& look : kLooks) {
    if (look.state == state) return look;
  }
  return kLooks.front();
}

int MessageId(comm::LinkMessage message) {
  for (const auto& [linkMessage, id] : kMessageIds) {
    if (linkMessage == message) return id;
  }
  return msg::kInitializationError;
}

std::string_view LinkMessageText(comm::LinkMessage message) { return MessageText(MessageId(message)); }

std::string_view StatusWordText(comm::StatusWord word) {
  switch (word) {
    case comm::StatusWord::Guard:
      return kGuardWord;
    case comm::StatusWord::Error:
      return kErrorWord;
    case comm::StatusWord::None:
      break;
  }
  return {};
}

}  // namespace tw::ui
