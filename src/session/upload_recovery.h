#pragma once

// What an upload that loaded System Memories into the receiver leaves behind when it did
// not end normally: when the receiver could not be restored, the settings it held before
// (as the upload read them) in a recovery ".qcf" in the state folder, and one line for the
// user that says what the receiver may now hold and the command that puts it back.

#include <chrono>
#include <filesystem>
#include <string>

#include "comm/upload_interruption.h"
#include "settings/configuration_file.h"

namespace tw::session {

// Where the restoring command sends the file: a serial device, or the virtual receiver.
struct RestoreTarget {
  std::string device;
  bool virtualReceiver = false;
};

// `word` as the shell takes it: as it is when it holds only plain characters, else quoted.
std::string ShellWord(const std::string& word);

// The command line that sends a recovery file's current settings (and no System Memory)
// to the receiver: `tunewright-cli download --port DEVICE --current-only FILE`.
std::string RestoreCommand(const std::filesystem::path& file, const RestoreTarget& target);

// Saves the recovery file (when the receiver was not restored) and returns the line for
// the user; empty for the write-back beginning, which says nothing.
std::string RecoverFromInterruption(const comm::UploadInterruption& what, const settings::ConfigurationFile& file,
                                    const std::filesystem::path& stateFolder, const RestoreTarget& target,
                                    std::chrono::system_clock::time_point now);

}  // namespace tw::session
