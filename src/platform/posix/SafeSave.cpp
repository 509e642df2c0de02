// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace rtv {
namespace {

bool WriteAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t written = ::write(fd, data.data(), data.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes the rename itself durable; a failure here loses nothing that is not already safe.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

SafeSaveResult SafeSave(const std::string& path, std::string_view contents, int* error) {
  return SafeSave(path, contents, error, WriteAll);
}

SafeSaveResult SafeSave(const std::string& path, std::string_view contents, int* error,
                        const SafeSaveWriter& writer) {
  namespace fs = std::filesystem;
  int ignored = 0;
  int& failure = error != nullptr ? *error : ignored;
  failure = 0;
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // Replacing by rename would get round a read-only file and turn a device into a file.
  if (exists && !S_ISREG(old.st_mode)) {
    failure = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    return SafeSaveResult::kCannotCreate;
  }
  if (exists && ::access(target.c_str(), W_OK) != 0) {
    failure = errno;
    return SafeSaveResult::kCannotCreate;
  }

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  // Not derived from the target's name: a name near the 255-byte limit leaves no room.
  const std::string stem = (folder / (".rtv-" + std::to_string(::getpid()) + "-")).string();
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = stem + std::to_string(attempt) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) {
    failure = errno;
    return SafeSaveResult::kCannotCreate;
  }
  if (exists) ::fchmod(fd, old.st_mode & 07777);

  const bool written = writer(fd, contents) && ::fsync(fd) == 0;
  if (!written) failure = errno;
  const bool closed = ::close(fd) == 0;
  if (written && !closed) failure = errno;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    return SafeSaveResult::kWriteFailed;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    failure = errno;
    ::unlink(temporary.c_str());
    return SafeSaveResult::kCannotCreate;
  }
  SyncFolder(folder.string());
  return SafeSaveResult::kOk;
}

std::string DescribeSafeSaveFailure(SafeSaveResult result, int error) {
  if (result == SafeSaveResult::kOk) return "was written";
  if (error == EISDIR) return "cannot be written: it is a folder";
  if (error == EINVAL) return "cannot be written: it is not a plain file";
  return std::string("cannot be written: ") + (error != 0 ? std::strerror(error) : "unknown error");
}

}  // namespace rtv
