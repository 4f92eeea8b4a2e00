#pragma once

// --transcript FILE for the commands that can run on the in-process virtual receiver: what
// crossed the line, each frame in and out with its time on the receiver's clock, in the
// frame notation, so that a user (or a test) sees exactly what a command sent.

#include <CLI/CLI.hpp>

#include <string>
#include <utility>

namespace tw::emu {
class Transcript;
}

namespace tw::cli {

// Adds --transcript FILE, which needs `emulator`.
void AddTranscriptOption(CLI::App& command, std::string& path, CLI::Option* emulator);
// A bad-usage failure, before anything runs, when FILE's folder cannot take it.
void CheckTranscriptPath(const std::string& path);

// Writes the transcript to its file (no file when the path is empty): explicitly once the
// command succeeded, or on the way out of a command that failed, so that the frames that
// led to a failure are kept as well.
class TranscriptFile {
 public:
  TranscriptFile(std::string path, const emu::Transcript& transcript) : path_(std::move(path)), transcript_(transcript) {}
  ~TranscriptFile();
  TranscriptFile(const TranscriptFile&) = delete;
  TranscriptFile& operator=(const TranscriptFile&) = delete;

  // A bad-usage failure (exit 2) when the file cannot be written.
  void write();

 private:
  bool save() const;

  std::string path_;
  const emu::Transcript& transcript_;
  bool written_ = false;
};

}  // namespace tw::cli
