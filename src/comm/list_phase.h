#pragma once

#include <cstddef>

#include "comm/command_list.h"

namespace tw::comm {

// Which part of an upload or a download a list entry belongs to, so that progress can be
// told in words. An upload reads the current settings, then each System Memory after loading
// it, then writes the current settings back; a download writes each System Memory's values
// and saves them, then writes the current settings.
struct ListPhase {
  enum class Kind {
    Starting,         // an upload's first list, before the receiver's capabilities are known
    CurrentSettings,  // reading them (upload) or writing them (download)
    Memory,           // System Memory `memory` (1..6)
    WritingBack,      // an upload puts the receiver's current settings back
  };
  Kind kind = Kind::Starting;
  int memory = 0;

  bool operator==(const ListPhase&) const = default;
};

ListPhase UploadPhaseAt(const CommandList& list, std::size_t index);
ListPhase DownloadPhaseAt(const CommandList& list, std::size_t index);

}  // namespace tw::comm
