// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

namespace rtv {

enum class RegularFileStatus {
  kOk,
  kMissing,     // no such file
  kNotRegular,  // a directory, FIFO, device or socket
  kTooLarge,    // more bytes than the caller takes
  kCannotRead,  // opening or reading failed otherwise
};

struct RegularFileText {
  RegularFileStatus status = RegularFileStatus::kCannotRead;
  int error = 0;  // errno of a failed call
  std::string contents;
  bool Ok() const { return status == RegularFileStatus::kOk; }
};

// Input files are opened without blocking and looked at before a byte is read: a FIFO would
// wait for a writer forever, a device like /dev/zero never ends, and a directory reads as
// nothing, so anything but a plain file is refused at once.
RegularFileText ReadRegularFile(const std::string& path, std::size_t maxBytes);

// The same checks, for a reader that goes through the file line by line; null with `status`
// set when the file is refused.
std::FILE* OpenRegularFile(const std::string& path, RegularFileStatus& status, int& error);

// "is a directory", "is larger than 4 MB", ...: what follows the path in a message.
std::string DescribeRegularFileStatus(RegularFileStatus status, int error, std::size_t maxBytes);

}  // namespace rtv
