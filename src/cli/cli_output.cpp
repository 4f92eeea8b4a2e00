#include "cli/cli_output.h"

#include <unistd.h>

#include "cli/cli_command.h"

namespace tw::cli {

files::WriteOptions OutputOptions(bool force, std::vector<std::filesystem::path> files) {
  files::WriteOptions options;
  options.replaceExisting = force;
  options.replaceAdvice = "Give --force to replace it, or another path.";
  options.otherFiles = std::move(files);
  return options;
}

void CheckOutputPath(const std::string& path, const files::WriteOptions& options) {
  if (const files::FileStatus fit = files::CheckWriteTarget(path, options); !fit) {
    throw CliFailure{kExitBadInput, fit.error};
  }
  CheckWritableFolder(path);
}

void CheckWritableFolder(const std::filesystem::path& path) {
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  std::error_code ec;
  if (!std::filesystem::is_directory(folder, ec)) {
    throw CliFailure{kExitBadInput, "cannot write \"" + path.string() + "\": the folder \"" + folder.string() +
                                        "\" does not exist. Create it or give another path."};
  }
  if (::access(folder.c_str(), W_OK | X_OK) != 0) {
    throw CliFailure{kExitBadInput, "cannot write \"" + path.string() + "\": the folder \"" + folder.string() +
                                        "\" is not writable. Give a path in a folder you may write to."};
  }
}

}  // namespace tw::cli
