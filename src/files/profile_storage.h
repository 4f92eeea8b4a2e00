#pragma once

#include "files/profile.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace tw::files {

// Files larger than this are refused rather than read into memory: a configuration file is
// a few hundred kilobytes at most, so anything bigger is not one.
inline constexpr std::uintmax_t kMaxProfileFileSize = 16u * 1024u * 1024u;

// Reads the whole file as bytes into `bytes`.
FileStatus ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

// Replaces the file at `path` with `bytes`: writes a new file beside it, then renames it over
// the old one, so that the old file stays complete if anything fails on the way. An existing
// file keeps its permissions.
FileStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tw::files
