#include "files/profile_storage.h"

#include <atomic>
#include <cerrno>
#include <chrono>
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

FileStatus WriteFailure(const std::filesystem::path& path, const std::string& cause) {
  return FileStatus::Failure("Cannot write " + Quoted(path) + ": " + cause +
                             ". The previous file, if any, is unchanged.");
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// A name beside the target that no other save uses at the same time.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& path, int attempt) {
  static std::atomic<unsigned> counter{0};
  const auto ticks = static_cast<unsigned long long>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  std::filesystem::path temporary = path;
  temporary += ".tmp" + std::to_string(ticks % 1000000007ULL) + "-" + std::to_string(counter++) + "-" +
               std::to_string(attempt);
  return temporary;
}

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

FileStatus WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
  if (path.empty() || !path.has_filename()) return WriteFailure(path, "no file name was given");

  std::error_code ec;
  const auto targetStatus = std::filesystem::status(path, ec);
  if (std::filesystem::is_directory(targetStatus)) return WriteFailure(path, "it is a folder, not a file");

  // Exclusive creation ("x") so that two saves never share a temporary file.
  std::filesystem::path temporary;
  FileHandle file;
  int openError = 0;
  for (int attempt = 0; attempt < 8 && !file; ++attempt) {
    temporary = TemporaryNameFor(path, attempt);
    errno = 0;
    file.reset(std::fopen(temporary.c_str(), "wbx"));
    openError = errno;
    if (!file && openError != EEXIST) break;
  }
  if (!file) return WriteFailure(path, CauseOf(openError));

  auto fail = [&](int error) {
    file.reset();
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return WriteFailure(path, CauseOf(error));
  };

  errno = 0;
  if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()) {
    return fail(errno != 0 ? errno : EIO);
  }
  if (std::fflush(file.get()) != 0) return fail(errno != 0 ? errno : EIO);
  if (std::fclose(file.release()) != 0) return fail(errno != 0 ? errno : EIO);

  if (std::filesystem::exists(targetStatus)) {
    std::filesystem::permissions(temporary, targetStatus.permissions(), ec);  // best effort
  }
  std::filesystem::rename(temporary, path, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temporary, ignored);
    return WriteFailure(path, ec.message());
  }
  return FileStatus::Success();
}

}  // namespace tw::files
