// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "platform/posix/SafeSave.h"

namespace rtv {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Takes `room` bytes, then fails as a full disk does.
SafeSaveWriter DiskWithRoomFor(std::size_t room) {
  return [room](int fd, std::string_view data) mutable {
    const std::size_t now = std::min(room, data.size());
    if (now > 0 && ::write(fd, data.data(), now) != static_cast<ssize_t>(now)) return false;
    room -= now;
    if (now == data.size()) return true;
    errno = ENOSPC;
    return false;
  };
}

TEST(SafeSaveTest, AFullDiskLeavesTheOldFileAndNoTemporaryFile) {
  test::TempFolder folder;
  const std::string path = folder.File("same.csv");
  const std::string old(9000, 'o');
  ASSERT_EQ(SafeSave(path, old), SafeSaveResult::kOk);
  for (const std::size_t room : {std::size_t{0}, std::size_t{4096}, std::size_t{8192}}) {
    SCOPED_TRACE(room);
    int error = 0;
    EXPECT_EQ(SafeSave(path, std::string(20000, 'n'), &error, DiskWithRoomFor(room)),
              SafeSaveResult::kWriteFailed);
    EXPECT_EQ(error, ENOSPC);
    EXPECT_EQ(DescribeSafeSaveFailure(SafeSaveResult::kWriteFailed, error),
              "cannot be written: No space left on device");
    EXPECT_EQ(Contents(path), old);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"same.csv"});
  }
}

TEST(SafeSaveTest, ANameOfAnyLegalLengthCanBeSaved) {
  test::TempFolder folder;
  for (const std::size_t length : {std::size_t{1}, std::size_t{250}, std::size_t{255}}) {
    SCOPED_TRACE(length);
    const std::string name(length, 'n');
    EXPECT_EQ(SafeSave(folder.File(name), "text"), SafeSaveResult::kOk);
    EXPECT_EQ(Contents(folder.File(name)), "text");
  }
  EXPECT_EQ(folder.Entries().size(), 3u);
}

TEST(SafeSaveTest, SomethingThatIsNoPlainFileIsNotReplaced) {
  test::TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("folder").c_str(), 0700), 0);
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  struct Case {
    std::string path;
    const char* reason;
  };
  const Case cases[] = {
      {folder.File("folder"), "cannot be written: it is a folder"},
      {folder.File("fifo"), "cannot be written: it is not a plain file"},
      {folder.File("no/such/folder.csv"), "cannot be written: No such file or directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    int error = 0;
    const SafeSaveResult result = SafeSave(c.path, "text", &error);
    EXPECT_EQ(result, SafeSaveResult::kCannotCreate);
    EXPECT_EQ(DescribeSafeSaveFailure(result, error), c.reason);
  }
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"fifo", "folder"}));
}

}  // namespace
}  // namespace rtv
