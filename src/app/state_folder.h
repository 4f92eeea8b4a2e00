#pragma once

#include <filesystem>
#include <string>

namespace tw::app {

// Where the program keeps what it writes for itself (the communication logs):
// $XDG_STATE_HOME/tunewright, with ~/.local/state when the variable is unset, empty or not
// an absolute path (and the current folder when there is no home either).
std::filesystem::path DefaultStateFolder();

// Makes `folder` (with its parents) if it is missing, for the user alone (mode 0700), so that
// nobody else can read the logs or put a file or link in their place. Empty when the folder
// is ready; otherwise what is wrong, said for a person. An existing folder is never changed:
// one that is a symbolic link, belongs to another user or that others may write to is
// refused.
std::string PreparePrivateFolder(const std::filesystem::path& folder);

}  // namespace tw::app
