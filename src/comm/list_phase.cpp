#include "comm/list_phase.h"

#include "comm/memory_commands.h"

namespace tw::comm {
namespace {

// The memory a save command of any part stores into, or 0 for any other entry.
int SavedMemory(const CommandEntry& entry) {
  for (int part = kMemorySystem; part <= kMemoryZone3Volume; ++part) {
    if (entry.number != MemoryCommandNumber(part, false)) continue;
    for (int memory = 1; memory <= kMemoryCount; ++memory) {
      if (entry.text == MemoryOperationCommand(memory, part, false)) return memory;
    }
  }
  return 0;
}

}  // namespace

// The upload list marks its parts with macros: "@CURR" ends the first list (it is rebuilt
// there), "@MEMORY,n" starts the reads of memory n, "@MEMORY,0" the return to the current
// settings, after which only the write-back follows.
ListPhase UploadPhaseAt(const CommandList& list, std::size_t index) {
  ListPhase phase;
  bool rebuilt = false;
  for (std::size_t i = 0; i < list.size() && i <= index; ++i) {
    const CommandEntry& entry = list.at(i);
    if (IsMacro(entry.text, kMacroCurrent) && !rebuilt) {
      rebuilt = i < index;
      if (rebuilt) phase = {ListPhase::Kind::CurrentSettings, 0};
    } else if (IsMacro(entry.text, kMacroMemory)) {
      const int memory = MacroArgument(entry.text);
      phase = memory > 0 ? ListPhase{ListPhase::Kind::Memory, memory} : ListPhase{ListPhase::Kind::WritingBack, 0};
    }
  }
  return phase;
}

// A memory's part ends with its save command: an entry belongs to the memory of the next
// save command in the list; after the last one come the current settings.
ListPhase DownloadPhaseAt(const CommandList& list, std::size_t index) {
  for (std::size_t i = index; i < list.size(); ++i) {
    if (const int memory = SavedMemory(list.at(i))) return {ListPhase::Kind::Memory, memory};
  }
  return {ListPhase::Kind::CurrentSettings, 0};
}

}  // namespace tw::comm
