#pragma once

// The one way the programs write a file of the user's: a complete new file beside the real
// target, with the target's mode, owner and group from the start, flushed to the disk and
// renamed over it, so that an interruption at any step leaves either the old file or the new
// one, never a mixture.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "files/profile.h"

namespace tw::files {

struct WriteOptions {
  // False: an existing file is left alone and the write refused, at the moment of writing.
  bool replaceExisting = true;
  // Said after the refusal of an existing file (how this user says "replace it").
  std::string replaceAdvice = "Give another path.";
  // Files the same run reads or writes otherwise: never replaced by this write.
  std::vector<std::filesystem::path> otherFiles;
};

// Why `path` cannot take the write (a device, a pipe, a folder, one of the other files, an
// existing file not to be replaced); a failure naming the file and what to do, or success.
// Nothing is created or changed.
FileStatus CheckWriteTarget(const std::filesystem::path& path, const WriteOptions& options);

// Replaces the file at `path` with `bytes` as described above; on any failure the previous
// file, if any, is unchanged. A symbolic link stays and its target gets the new content.
FileStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                               const WriteOptions& options);
// The same with the default options: an existing file is replaced (the caller asked).
FileStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tw::files
