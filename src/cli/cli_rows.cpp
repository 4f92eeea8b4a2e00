// tunewright-cli rows: the command table as text, one row per line.

#include "cli/cli_commands.h"
#include "comm/frame_notation.h"
#include "model/command_table.h"

#include <cstdio>
#include <iostream>
#include <string>

namespace tw::cli {
namespace {

std::string Notation(const char* frame) { return frame == nullptr ? std::string() : comm::ToNotation(frame); }

void PrintRows(std::ostream& out) {
  for (int i = 0; i < model::kRowCount; ++i) {
    const model::CommandRow& row = model::kCommandTable[i];
    char flags[3];
    std::snprintf(flags, sizeof flags, "%02X", static_cast<unsigned>(row.flags & 0xFF));
    out << i << '\t' << Notation(row.request) << '\t' << Notation(row.replyPrefix) << '\t'
        << Notation(row.altReplyPrefix) << '\t' << flags << '\t' << row.programGroup << '\n';
  }
}

}  // namespace

void registerRows(CLI::App& parent, int& exitStatus) {
  CLI::App* command = parent.add_subcommand(
      "rows",
      "Print the receiver's read requests: INDEX REQUEST REPLY_PREFIX ALT_REPLY_PREFIX FLAGS PROGRAM_GROUP");
  AddExample(*command, "rows | grep 26");
  command->callback([&exitStatus] {
    PrintRows(std::cout);
    exitStatus = kExitOk;
  });
}

}  // namespace tw::cli
