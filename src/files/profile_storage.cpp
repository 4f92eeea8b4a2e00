#include "files/profile_storage.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

namespace tw::files {
namespace {

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

std::string CauseOf(int error) { return std::generic_category().message(error); }

FileStatus ReadFailure(const std::filesystem::path& path, const std::string& cause) {
  return FileStatus::Failure("Cannot read " + Quoted(path) + ": " + cause + ".");
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

}  // namespace

FileStatus ReadWholeFile(const std::filesystem::path& path, std::string& bytes) {
  bytes.clear();
  std::error_code ec;
  const auto status = std::filesystem::status(path, ec);
  if (status.type() == std::filesystem::file_type::not_found) return ReadFailure(path, "the file does not exist");
  if (ec) return ReadFailure(path, ec.message());
  if (std::filesystem::is_directory(status)) return ReadFailure(path, "it is a folder, not a file");

  errno = 0;
  FileHandle file(std::fopen(path.c_str(), "rb"));
  if (!file) return ReadFailure(path, CauseOf(errno));

  char chunk[65536];
  for (;;) {
    const std::size_t got = std::fread(chunk, 1, sizeof chunk, file.get());
    bytes.append(chunk, got);
    if (bytes.size() > kMaxProfileFileSize) {
      bytes.clear();
      return ReadFailure(path, "the file is too large to be a settings or configuration file");
    }
    if (got < sizeof chunk) break;
  }
  if (std::ferror(file.get())) {
    const int error = errno;
    bytes.clear();
    return ReadFailure(path, CauseOf(error));
  }
  return FileStatus::Success();
}

}  // namespace tw::files
