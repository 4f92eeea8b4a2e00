#pragma once

#include "comm/link_observer.h"

#include <string_view>

namespace tw::ui {

// How the main form shows what the link publishes: the connection controls for each
// connection state, and the texts of the link's messages and status words.

enum class Enabled { No, Yes, Unchanged };

struct ConnectionLook {
  comm::ConnectionState state;
  int statusText;  // message id of the connection status line; 0 leaves it as it is
  Enabled portList;
  Enabled open;
  Enabled close;
  Enabled dataReloadGroup;
  Enabled reload;
};

const ConnectionLook& LookOf(comm::ConnectionState state);

// The message-table id a link message is shown with, and its text.
int MessageId(comm::LinkMessage message);
std::string_view LinkMessageText(comm::LinkMessage message);

inline constexpr std::string_view kGuardWord = "GUARD";
inline constexpr std::string_view kErrorWord = "ERROR";
std::string_view StatusWordText(comm::StatusWord word);

}  // namespace tw::ui
