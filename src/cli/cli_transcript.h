#pragma once

// --transcript FILE for the commands that can run on the in-process virtual receiver: what
// crossed the line, each frame in and out with its time on the receiver's clock, in the
// frame notation, so that a user (or a test) sees exactly what a command sent.

#include <CLI/CLI.hpp>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_output.h"
#include "files/safe_file_writer.h"

namespace tw::emu {
class Transcript;
}

namespace tw::cli {

// Adds --transcript FILE, which needs `emulator`, and --force, which lets it (and the
// command's other output files) replace an existing file.
void AddTranscriptOption(CLI::App& command, std::string& path, CLI::Option* emulator, bool& force);
void CheckTranscriptPath(const std::string& path, const files::WriteOptions& options);

// Writes the transcript to its file (no file when the path is empty): explicitly once the
// command succeeded, or on the way out of a command that failed, so that the frames that
// led to a failure are kept as well.
class TranscriptFile {
 public:
  TranscriptFile(std::string path, const emu::Transcript& transcript, files::WriteOptions options)
      : path_(std::move(path)), transcript_(transcript), options_(std::move(options)) {}
  ~TranscriptFile();
  TranscriptFile(const TranscriptFile&) = delete;
  TranscriptFile& operator=(const TranscriptFile&) = delete;

  // A bad-usage failure (exit 2) when the file cannot be written.
  void write();

 private:
  files::FileStatus save() const;

  std::string path_;
  const emu::Transcript& transcript_;
  files::WriteOptions options_;
  bool written_ = false;
};

}  // namespace tw::cli
