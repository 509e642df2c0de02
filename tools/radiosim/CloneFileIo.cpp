// SPDX-License-Identifier: GPL-3.0-or-later
#include "CloneFileIo.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <vector>

#include "base/HexDigits.h"
#include "clonefile/CloneComment.h"

namespace rtv::tools {
namespace {

constexpr std::int32_t kFirst = 0x0000;
constexpr std::int32_t kLast = 0x2B5F;

}  // namespace

int LoadCloneFile(const std::string& path, const CloneFileFormat& format, EepromImage& image) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return 1;
  std::string line;
  if (!std::getline(in, line)) return 6;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() != 8) return 6;
  for (const char c : line) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return 6;
  }
  if (HexFieldValue(line, 0, 4) != format.modelCode) return 3;
  if (HexFieldValue(line, 4, 4) != format.extensionCode) return 4;

  EepromImage scratch(image);
  std::vector<bool> seen(static_cast<std::size_t>(image.Size()), false);
  long revision = -1;
  bool revisionChecked = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '#') {
      if (line.rfind("#MapRev=", 0) == 0) revision = std::strtol(line.c_str() + 8, nullptr, 10);
      continue;
    }
    if (!revisionChecked) {
      if (revision != 1) return 5;
      revisionChecked = true;
    }
    if (line.size() < 8 || line.size() > 516) return 6;
    for (const char c : line) {
      if (HexDigitValue(c) < 0) return 6;
    }
    const int address = HexFieldValue(line, 0, 4);
    const int count = HexFieldValue(line, 4, 2);
    if (line.size() != static_cast<std::size_t>(2 * count + 6)) return 6;
    if (address + count > image.Size()) return 8;
    for (int i = 0; i < count; ++i) {
      scratch.SetByte(address + i, static_cast<std::uint8_t>(HexFieldValue(
                                       line, 6 + 2 * static_cast<std::size_t>(i), 2)));
      seen[static_cast<std::size_t>(address + i)] = true;
    }
  }
  for (std::int32_t a = 0; a < image.Size(); ++a) {
    if (seen[static_cast<std::size_t>(a)] && (a < kFirst || a > kLast)) return 8;
  }
  for (std::int32_t a = kFirst; a <= kLast; ++a) {
    if (!seen[static_cast<std::size_t>(a)]) return 7;
  }
  image.Assign(scratch);
  return 0;
}

int SaveCloneFile(const std::string& path, const CloneFileFormat& format, const EepromImage& image,
                  bool overwrite) {
  // Written with streams rather than the program's printf layout: an independent writer.
  std::ostringstream out;
  out << std::uppercase << std::hex << std::setfill('0');
  out << std::setw(4) << format.modelCode << std::setw(4) << format.extensionCode << "\r\n";
  out << "#Comment=" << CloneCommentOf(image) << "\r\n#MapRev=1\r\n";
  std::int32_t address = kFirst;
  while (address <= kLast) {
    const std::int32_t lineEnd = std::min<std::int32_t>((address | 0x0F), kLast);
    out << std::setw(4) << address << std::setw(2) << (lineEnd - address + 1);
    for (; address <= lineEnd; ++address) out << std::setw(2) << int{image.GetByte(address)};
    out << "\r\n";
  }
  const std::string text = out.str();

  // A complete file appears under its name in one step, or not at all.
  std::string temporary = path + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return 1;
  // mkstemp makes the file private; give it the mode any new file would get.
  const mode_t mask = ::umask(0);
  ::umask(mask);
  bool ok = ::fchmod(fd, 0666 & ~mask) == 0;
  for (std::size_t done = 0; ok && done < text.size();) {
    const ssize_t n = ::write(fd, text.data() + done, text.size() - done);
    ok = n > 0;
    if (ok) done += static_cast<std::size_t>(n);
  }
  ok = ::fsync(fd) == 0 && ok;
  ok = ::close(fd) == 0 && ok;
  if (!ok) {
    ::unlink(temporary.c_str());
    return 2;
  }
  // link() refuses an existing name, so a file that appeared meanwhile is not replaced.
  const bool placed = overwrite ? ::rename(temporary.c_str(), path.c_str()) == 0
                                : ::link(temporary.c_str(), path.c_str()) == 0;
  ::unlink(temporary.c_str());
  return placed ? 0 : 1;
}

}  // namespace rtv::tools
