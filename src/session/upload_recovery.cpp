#include "session/upload_recovery.h"

#include <ctime>
#include <system_error>

#include "app/state_folder.h"

namespace tw::session {
namespace {

using Cause = comm::UploadInterruption::Cause;
using Stage = comm::UploadInterruption::Stage;

}  // namespace

std::string ShellWord(const std::string& word) {
  bool plain = !word.empty();
  for (const char c : word) {
    const bool safe = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                      std::string_view("_-./:=@%+,").find(c) != std::string_view::npos;
    plain = plain && safe;
  }
  if (plain) return word;
  std::string quoted = "'";
  for (const char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

namespace {

std::string Stamp(std::chrono::system_clock::time_point now, const char* format) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[32] = {};
  std::strftime(text, sizeof text, format, &local);
  return text;
}

// recovery-YYYYMMDD-HHMMSS.qcf, numbered on when one of that second exists.
std::filesystem::path FreeRecoveryPath(const std::filesystem::path& folder, std::chrono::system_clock::time_point now) {
  const std::string base = "recovery-" + Stamp(now, "%Y%m%d-%H%M%S");
  std::filesystem::path path = folder / (base + ".qcf");
  std::error_code error;
  for (int n = 2; std::filesystem::exists(std::filesystem::symlink_status(path, error)); ++n) {
    path = folder / (base + "-" + std::to_string(n) + ".qcf");
  }
  return path;
}

std::string CauseText(Cause cause, int memory) {
  const std::string loaded = " after System Memory " + std::to_string(memory) + " was loaded";
  switch (cause) {
    case Cause::SecondInterrupt:
      return "The upload was stopped" + loaded + ", while the receiver's own settings were being written back";
    case Cause::CableError:
      return "The connection failed during the upload" + loaded;
    case Cause::WriteBackFailed:
      return "The receiver did not take every setting written back" + loaded;
    case Cause::Interrupt:
      break;
  }
  return "The upload was interrupted" + loaded;
}

}  // namespace

std::string RestoreCommand(const std::filesystem::path& file, const RestoreTarget& target) {
  const std::string port = target.virtualReceiver ? "--emulator" : "--port " + ShellWord(target.device);
  return "tunewright-cli download " + port + " --current-only " + ShellWord(file.string());
}

std::string RecoverFromInterruption(const comm::UploadInterruption& what, const settings::ConfigurationFile& file,
                                    const std::filesystem::path& stateFolder, const RestoreTarget& target,
                                    std::chrono::system_clock::time_point now) {
  const std::string memory = std::to_string(what.memory);
  if (what.stage == Stage::WritingBack) return {};
  if (what.stage == Stage::Restored) {
    return "The upload was interrupted after System Memory " + memory +
           " was loaded; the receiver's own settings were written back, so it is as it was before the upload. "
           "Nothing was saved, and Tunewright's settings are as they were before the upload.";
  }
  const std::string holds = CauseText(what.cause, what.memory) + ": the receiver may now hold System Memory " +
                            memory + "'s settings, or a mixture of them and its own.";
  std::string problem = app::PreparePrivateFolder(stateFolder);
  std::filesystem::path path;
  if (problem.empty()) {
    path = FreeRecoveryPath(stateFolder, now);
    const std::string memo = "Recovery: the receiver's own settings, read by an upload on " +
                             Stamp(now, "%Y-%m-%d %H:%M:%S") + " before System Memory " + memory + " was loaded.";
    if (const files::FileStatus saved = file.SaveCurrent(what.settingsRead, memo).Save(path); !saved) {
      problem = saved.error;
    }
  }
  if (!problem.empty()) {
    return holds + " Its own settings could not be saved (" + problem +
           "); set them again on the receiver, or download a configuration file saved earlier.";
  }
  return holds + " Its own settings, as the upload read them, are saved in " + path.string() +
         "; to put them back (no System Memory is sent), run: " + RestoreCommand(path, target);
}

}  // namespace tw::session
