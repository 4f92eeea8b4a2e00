#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/profile.h"
#include "files/safe_file_writer.h"

namespace tw::files {

// Files larger than this are refused rather than read into memory: a configuration file is
// a few hundred kilobytes at most, so anything bigger is not one.
inline constexpr std::uintmax_t kMaxProfileFileSize = 16u * 1024u * 1024u;

// Reads the whole file as bytes into `bytes`.
FileStatus ReadWholeFile(const std::filesystem::path& path, std::string& bytes);

}  // namespace tw::files
