#include "cli/cli_transcript.h"

#include <fstream>
#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_transfer.h"
#include "emu/transcript.h"

namespace tw::cli {

void AddTranscriptOption(CLI::App& command, std::string& path, CLI::Option* emulator) {
  command
      .add_option("--transcript", path,
                  "FILE: every frame to and from the virtual receiver, with its time on the receiver's clock")
      ->needs(emulator);
}

void CheckTranscriptPath(const std::string& path) {
  if (!path.empty()) CheckWritableFolder(path);
}

TranscriptFile::~TranscriptFile() {
  if (written_ || path_.empty()) return;
  if (!save()) std::cerr << "tunewright-cli: the transcript could not be written to \"" << path_ << "\"\n";
}

void TranscriptFile::write() {
  if (path_.empty()) return;
  written_ = true;
  if (!save()) {
    throw CliFailure{kExitBadInput, "the transcript could not be written to \"" + path_ +
                                        "\"; check that the file is not a folder and may be written"};
  }
}

bool TranscriptFile::save() const {
  std::ofstream out(path_, std::ios::binary | std::ios::trunc);
  out << transcript_.text();
  out.close();
  return static_cast<bool>(out);
}

}  // namespace tw::cli
