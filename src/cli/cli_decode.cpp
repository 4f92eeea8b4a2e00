// tunewright-cli decode FRAME...: what the receiver's reports change, for scripts and for
// people reading a serial capture.

#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "cli/cli_commands.h"
#include "comm/frame_notation.h"
#include "model/decode.h"

namespace tw::cli {
namespace {

std::string FormatValue(const model::DecodedValue& v) {
  if (!v.hasValue()) return "-";
  // Texts shown in frame notation so that control bytes in a report stay readable.
  if (v.isText()) return '"' + comm::ToNotation(v.text) + '"';
  return std::to_string(v.value);
}

int RunDecode(const std::vector<std::string>& notations) {
  std::vector<std::string> frames;
  frames.reserve(notations.size());
  for (const std::string& notation : notations) {
    std::optional<std::string> frame = comm::FromNotation(notation);
    if (!frame) {
      throw CliFailure{kExitBadInput, "'" + notation +
                                          "' is not a frame in frame notation; write control bytes "
                                          "as <STX>, <ETX>, <DC2>, <DC4>, <NUL> or <xNN>"};
    }
    frames.push_back(std::move(*frame));
  }
  int status = kExitOk;
  for (const std::string& frame : frames) {
    const model::DecodeResult result = model::Decode(frame);
    if (!result.decoded) {
      std::cout << "not decoded\n";
      status = kExitLinkFailed;
      continue;
    }
    std::cout << "group " << result.group << '\n';
    for (const model::DecodedValue& v : result.values) {
      std::cout << v.number << '\t' << FormatValue(v) << '\n';
    }
  }
  std::cout.flush();
  return status;
}

}  // namespace

void registerDecode(CLI::App& parent, int& exitStatus) {
  CLI::App* command =
      parent.add_subcommand("decode", "Show the parameter numbers and values that receiver frames decode to");
  auto notations = std::make_shared<std::vector<std::string>>();
  command->add_option("FRAME", *notations, "a frame in frame notation, e.g. <STX>002600<ETX>")->required();
  command->footer(
      "Prints 'not decoded' or 'group G' and one 'NUMBER<TAB>VALUE' line per value for each "
      "frame.\nExit status 1 when a frame was not decoded, 2 for a frame not in frame notation.");
  AddExample(*command, "decode '<STX>002600<ETX>'");
  command->callback([notations, &exitStatus] { exitStatus = RunDecode(*notations); });
}

}  // namespace tw::cli
