#include "cli/cli_transcript.h"

#include <iostream>

#include "cli/cli_command.h"
#include "cli/cli_output.h"
#include "comm/frame_notation.h"
#include "emu/transcript.h"

namespace tw::cli {

void AddTranscriptOption(CLI::App& command, std::string& path, CLI::Option* emulator, bool& force) {
  command
      .add_option("--transcript", path,
                  "FILE: every frame to and from the virtual receiver, with its time on the receiver's clock")
      ->needs(emulator);
  command.add_flag("--force", force, "replace an output file (-o, --transcript) that exists already");
}

void CheckTranscriptPath(const std::string& path, const files::WriteOptions& options) {
  if (!path.empty()) CheckOutputPath(path, options);
}

TranscriptFile::~TranscriptFile() {
  if (written_ || path_.empty()) return;
  if (const files::FileStatus status = save(); !status) {
    std::cerr << "tunewright-cli: the transcript was not written: " << comm::EscapeControls(status.error)
              << '\n';
  }
}

void TranscriptFile::write() {
  if (path_.empty()) return;
  written_ = true;
  if (const files::FileStatus status = save(); !status) {
    throw CliFailure{kExitBadInput, "the transcript was not written: " + status.error};
  }
}

files::FileStatus TranscriptFile::save() const {
  return files::WriteFileAtomically(path_, transcript_.text(), options_);
}

}  // namespace tw::cli
