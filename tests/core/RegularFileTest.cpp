// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>

#include "TempFolder.h"
#include "platform/posix/RegularFile.h"

namespace rtv {
namespace {

constexpr std::size_t kLimit = 4096;

struct Case {
  const char* what;
  std::string path;
  RegularFileStatus status;
  const char* reason;
};

TEST(RegularFileTest, OnlyPlainFilesOfBoundedSizeAreRead) {
  test::TempFolder folder;
  std::ofstream(folder.File("small.csv")) << "a,b\r\n";
  std::ofstream(folder.File("large.csv")) << std::string(kLimit + 1, 'x');
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(folder.File("folder").c_str(), 0700), 0);
  const Case cases[] = {
      {"plain", folder.File("small.csv"), RegularFileStatus::kOk, "can be read"},
      {"too large", folder.File("large.csv"), RegularFileStatus::kTooLarge, "is larger than 4 KB"},
      // A FIFO without a writer would block an ordinary open forever.
      {"fifo", folder.File("fifo"), RegularFileStatus::kNotRegular,
       "is not a plain file (a pipe, a device or a socket)"},
      {"endless device", "/dev/zero", RegularFileStatus::kNotRegular,
       "is not a plain file (a pipe, a device or a socket)"},
      {"folder", folder.File("folder"), RegularFileStatus::kNotRegular, "is a folder, not a file"},
      {"missing", folder.File("missing"), RegularFileStatus::kMissing, "does not exist"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    const RegularFileText text = ReadRegularFile(c.path, kLimit);
    EXPECT_EQ(text.status, c.status);
    EXPECT_EQ(DescribeRegularFileStatus(text.status, text.error, kLimit), c.reason);
    EXPECT_EQ(text.contents, text.Ok() ? "a,b\r\n" : "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));

    RegularFileStatus status = RegularFileStatus::kOk;
    int error = 0;
    std::FILE* file = OpenRegularFile(c.path, status, error);
    // Line by line, any size is fine.
    const bool opens =
        c.status == RegularFileStatus::kOk || c.status == RegularFileStatus::kTooLarge;
    EXPECT_EQ(file != nullptr, opens);
    if (file != nullptr) std::fclose(file);
    if (!opens) {
      EXPECT_EQ(status, c.status);
    }
  }
}

}  // namespace
}  // namespace rtv
