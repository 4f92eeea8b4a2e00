#include "app/state_folder.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace tw::app {

std::filesystem::path DefaultStateFolder() {
  std::filesystem::path base;
  if (const char* xdg = std::getenv("XDG_STATE_HOME"); xdg != nullptr && xdg[0] == '/') {
    base = xdg;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') {
    base = std::filesystem::path(home) / ".local" / "state";
  }
  return base / "tunewright";
}

std::string PreparePrivateFolder(const std::filesystem::path& folder) {
  std::error_code error;
  if (folder.has_parent_path()) std::filesystem::create_directories(folder.parent_path(), error);
  if (::mkdir(folder.c_str(), S_IRWXU) != 0 && errno != EEXIST) {
    return "cannot create the folder " + folder.string() + ": " + std::generic_category().message(errno);
  }
  struct stat info {};
  if (::lstat(folder.c_str(), &info) != 0) {
    return "cannot use the folder " + folder.string() + ": " + std::generic_category().message(errno);
  }
  if (!S_ISDIR(info.st_mode)) return folder.string() + " is not a folder (it may be a link); remove it";
  if (info.st_uid != ::geteuid()) return "the folder " + folder.string() + " belongs to another user; remove it";
  if ((info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
    return "others may write to the folder " + folder.string() + "; make it private (chmod 700)";
  }
  return {};
}

}  // namespace tw::app
