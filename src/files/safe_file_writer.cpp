#include "files/safe_file_writer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <system_error>

namespace tw::files {
namespace {

namespace fs = std::filesystem;

// A chain of links longer than this is taken for a loop, as the system does.
constexpr int kMaxLinkHops = 40;

std::string Quoted(const fs::path& path) { return "\"" + path.string() + "\""; }

std::string CauseOf(int error) {
  if (error == ELOOP) return "its symbolic links lead round in a loop";
  return std::generic_category().message(error);
}

FileStatus WriteFailure(const fs::path& path, const std::string& cause) {
  return FileStatus::Failure("Cannot write " + Quoted(path) + ": " + cause +
                             ". The previous file, if any, is unchanged.");
}

FileStatus Refused(const fs::path& path, const std::string& reason, const std::string& advice) {
  return FileStatus::Failure("Cannot write " + Quoted(path) + ": " + reason + ". Nothing was written. " +
                             advice);
}

// Where the content really goes: `path`, or the end of the chain of symbolic links it
// starts (which need not exist yet). 0, or the error that stops the walk.
int FollowLinks(const fs::path& path, fs::path& target) {
  target = path;
  for (int hop = 0; hop < kMaxLinkHops; ++hop) {
    struct stat info {};
    if (::lstat(target.c_str(), &info) != 0) return errno == ENOENT ? 0 : errno;
    if (!S_ISLNK(info.st_mode)) return 0;
    std::error_code ec;
    const fs::path next = fs::read_symlink(target, ec);
    if (ec) return ec.value();
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  return ELOOP;
}

bool SameFile(const struct stat& info, const fs::path& other) {
  struct stat otherInfo {};
  return ::stat(other.c_str(), &otherInfo) == 0 && otherInfo.st_dev == info.st_dev &&
         otherInfo.st_ino == info.st_ino;
}

// Why an existing `info` may not be replaced; success when it may.
FileStatus Refusal(const fs::path& path, const struct stat& info, const WriteOptions& options) {
  const std::string anotherPath = "Give the path of a file.";
  if (S_ISDIR(info.st_mode)) return Refused(path, "it is a folder, not a file", anotherPath);
  if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode))
    return Refused(path, "it is a device, not a file", anotherPath);
  if (S_ISFIFO(info.st_mode)) return Refused(path, "it is a pipe (FIFO), not a file", anotherPath);
  if (!S_ISREG(info.st_mode)) return Refused(path, "it is not a regular file", anotherPath);
  for (const fs::path& other : options.otherFiles) {
    if (SameFile(info, other)) {
      return Refused(path, "it is the same file as " + Quoted(other) + ", which this command also uses",
                     "Give another path.");
    }
  }
  // A rename gives the file a new inode: its other names would keep the old content.
  if (info.st_nlink > 1) {
    return Refused(path, "it has other names (hard links) that would keep the old content",
                   "Give another path, or remove the other links first.");
  }
  if (!options.replaceExisting) return Refused(path, "it exists already", options.replaceAdvice);
  return FileStatus::Success();
}

// A name beside the target that no other save uses at the same time.
fs::path TemporaryNameFor(const fs::path& path, int attempt) {
  static std::atomic<unsigned> counter{0};
  const auto ticks =
      static_cast<unsigned long long>(std::chrono::steady_clock::now().time_since_epoch().count());
  fs::path temporary = path;
  temporary += ".tmp" + std::to_string(ticks % 1000000007ULL) + "-" + std::to_string(counter++) + "-" +
               std::to_string(attempt);
  return temporary;
}

// The new file takes the old one's owner, group and mode before any content goes in. Where
// the group cannot be kept, its rights are not handed to another group.
void TakeOwnerAndMode(int fd, const struct stat& old) {
  mode_t mode = old.st_mode & 0777;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0 && ::fchown(fd, static_cast<uid_t>(-1), old.st_gid) != 0) {
    mode &= ~static_cast<mode_t>(S_IRWXG);
  }
  ::fchmod(fd, mode);
}

int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// Renames without replacing what may have appeared since the check; EEXIST when something did.
int RenameNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system without that rename: a new hard link fails just as atomically.
  if (::link(from.c_str(), to.c_str()) != 0) return errno;
  ::unlink(from.c_str());
  return 0;
}

void SyncFolder(const fs::path& file) {
  const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);  // some file systems cannot; the rename itself has happened
  ::close(fd);
}

}  // namespace

FileStatus CheckWriteTarget(const fs::path& path, const WriteOptions& options) {
  if (path.empty() || !path.has_filename()) return WriteFailure(path, "no file name was given");
  fs::path target;
  if (const int error = FollowLinks(path, target); error != 0) return WriteFailure(path, CauseOf(error));
  struct stat info {};
  if (::lstat(target.c_str(), &info) != 0) return FileStatus::Success();
  return Refusal(path, info, options);
}

FileStatus WriteFileAtomically(const fs::path& path, std::string_view bytes, const WriteOptions& options) {
  if (path.empty() || !path.has_filename()) return WriteFailure(path, "no file name was given");
  fs::path target;
  if (const int error = FollowLinks(path, target); error != 0) return WriteFailure(path, CauseOf(error));
  struct stat old {};
  const bool exists = ::lstat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) return WriteFailure(path, CauseOf(errno));
  if (exists) {
    if (FileStatus refusal = Refusal(path, old, options); !refusal) return refusal;
  }

  // Exclusive creation so that two saves never share a temporary file; an existing target's
  // copy starts private and gets the target's rights before it holds anything.
  fs::path temporary;
  int fd = -1;
  int openError = 0;
  for (int attempt = 0; attempt < 8 && fd < 0; ++attempt) {
    temporary = TemporaryNameFor(target, attempt);
    fd =
        ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, exists ? 0600 : 0666);
    openError = errno;
    if (fd < 0 && openError != EEXIST) break;
  }
  if (fd < 0) return WriteFailure(path, CauseOf(openError));

  auto fail = [&](int error) {
    if (fd >= 0) ::close(fd);
    ::unlink(temporary.c_str());
    return WriteFailure(path, CauseOf(error));
  };
  if (exists) TakeOwnerAndMode(fd, old);
  if (const int error = WriteAll(fd, bytes); error != 0) return fail(error);
  if (::fsync(fd) != 0) return fail(errno);
  const int closed = ::close(fd);
  fd = -1;
  if (closed != 0) return fail(errno);

  if (options.replaceExisting) {
    if (::rename(temporary.c_str(), target.c_str()) != 0) return fail(errno);
  } else if (const int error = RenameNoReplace(temporary, target); error != 0) {
    ::unlink(temporary.c_str());
    if (error == EEXIST) return Refused(path, "it exists already", options.replaceAdvice);
    return WriteFailure(path, CauseOf(error));
  }
  SyncFolder(target);
  return FileStatus::Success();
}

FileStatus WriteFileAtomically(const fs::path& path, std::string_view bytes) {
  return WriteFileAtomically(path, bytes, WriteOptions{});
}

}  // namespace tw::files
