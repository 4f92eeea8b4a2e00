#pragma once

// The files a command writes (a report, a configuration, a transcript): how they are
// written and the checks made before anything runs.

#include <filesystem>
#include <string>
#include <vector>

#include "files/safe_file_writer.h"

namespace tw::cli {

// How the command's output files are written: an existing file only with --force, and never
// one of the command's own `files`.
files::WriteOptions OutputOptions(bool force, std::vector<std::filesystem::path> files = {});
// A bad-usage failure, before anything runs, when `path` cannot take the output (its folder,
// a device, an existing file without --force, ...).
void CheckOutputPath(const std::string& path, const files::WriteOptions& options);
// The folder of `path` exists and this user may create files in it; a bad-usage failure
// naming the file otherwise.
void CheckWritableFolder(const std::filesystem::path& path);

}  // namespace tw::cli
