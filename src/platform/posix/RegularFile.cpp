// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/RegularFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace rtv {
namespace {

// An open descriptor of a plain file, in blocking mode again, or -1 with the reason.
int OpenPlain(const std::string& path, RegularFileStatus& status, int& error, off_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    error = errno;
    status = errno == ENOENT ? RegularFileStatus::kMissing : RegularFileStatus::kCannotRead;
    return -1;
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    error = errno;
    status = RegularFileStatus::kCannotRead;
    ::close(fd);
    return -1;
  }
  if (!S_ISREG(info.st_mode)) {
    error = S_ISDIR(info.st_mode) ? EISDIR : 0;
    status = RegularFileStatus::kNotRegular;
    ::close(fd);
    return -1;
  }
  const int flags = ::fcntl(fd, F_GETFL);
  if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
  size = info.st_size;
  status = RegularFileStatus::kOk;
  return fd;
}

}  // namespace

RegularFileText ReadRegularFile(const std::string& path, std::size_t maxBytes) {
  RegularFileText result;
  off_t size = 0;
  const int fd = OpenPlain(path, result.status, result.error, size);
  if (fd < 0) return result;
  if (static_cast<std::size_t>(size) > maxBytes) {
    result.status = RegularFileStatus::kTooLarge;
    ::close(fd);
    return result;
  }
  // The file may grow while it is read: never more than the limit and one byte.
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      result.error = errno;
      result.status = RegularFileStatus::kCannotRead;
      break;
    }
    if (got == 0) break;
    result.contents.append(buffer, static_cast<std::size_t>(got));
    if (result.contents.size() > maxBytes) {
      result.status = RegularFileStatus::kTooLarge;
      break;
    }
  }
  ::close(fd);
  if (!result.Ok()) result.contents.clear();
  return result;
}

std::FILE* OpenRegularFile(const std::string& path, RegularFileStatus& status, int& error) {
  off_t size = 0;
  const int fd = OpenPlain(path, status, error, size);
  if (fd < 0) return nullptr;
  std::FILE* file = ::fdopen(fd, "rb");
  if (file == nullptr) {
    error = errno;
    status = RegularFileStatus::kCannotRead;
    ::close(fd);
  }
  return file;
}

std::string DescribeRegularFileStatus(RegularFileStatus status, int error, std::size_t maxBytes) {
  switch (status) {
    case RegularFileStatus::kOk:
      return "can be read";
    case RegularFileStatus::kMissing:
      return "does not exist";
    case RegularFileStatus::kNotRegular:
      return error == EISDIR ? "is a folder, not a file"
                             : "is not a plain file (a pipe, a device or a socket)";
    case RegularFileStatus::kTooLarge:
      return "is larger than " + std::to_string(maxBytes / 1024) + " KB";
    case RegularFileStatus::kCannotRead:
      break;
  }
  return std::string("cannot be read: ") + std::strerror(error);
}

}  // namespace rtv
