// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/SafeSave.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

SafeSaveResult SafeSave(const std::string& path, std::string_view contents) {
  namespace fs = std::filesystem;
  std::error_code ec;
  fs::path target(path);
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }

  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  // Replacing by rename would get round a read-only file and turn a device into a file.
  if (exists && (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0)) {
    return SafeSaveResult::kCannotCreate;
  }

  const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
  const std::string stem =
      (folder / ("." + target.filename().string() + "." + std::to_string(::getpid()) + "-"))
          .string();
  std::string temporary;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = stem + std::to_string(attempt) + ".tmp";
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) break;
  }
  if (fd < 0) return SafeSaveResult::kCannotCreate;
  if (exists) ::fchmod(fd, old.st_mode & 07777);

  const bool written = WriteAll(fd, contents) && ::fsync(fd) == 0;
  const bool closed = ::close(fd) == 0;
  if (!written || !closed) {
    ::unlink(temporary.c_str());
    return SafeSaveResult::kWriteFailed;
  }
  if (::rename(temporary.c_str(), target.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return SafeSaveResult::kCannotCreate;
  }
  SyncFolder(folder.string());
  return SafeSaveResult::kOk;
}

}  // namespace rtv
