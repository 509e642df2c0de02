// SPDX-License-Identifier: GPL-3.0-or-later
// Who else has a serial device open, found through a process tree laid out as /proc is.
#include "platform/posix/PortHolders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

class PortHoldersTest : public ::testing::Test {
 protected:
  void SetUp() override {
    device = folder.File("ttyUSB0");
    std::ofstream(device).put('\n');
    proc = folder.File("proc");
    fs::create_directories(proc);
  }
  void AddProcess(int pid, const std::string& name, const std::vector<std::string>& openFiles) {
    const fs::path process = fs::path(proc) / std::to_string(pid);
    fs::create_directories(process / "fd");
    std::ofstream(process / "comm") << name << "\n";
    int fd = 0;
    for (const std::string& file : openFiles) {
      fs::create_symlink(file, process / "fd" / std::to_string(fd++));
    }
  }

  test::TempFolder folder;
  std::string device;
  std::string proc;
};

TEST_F(PortHoldersTest, FindsOtherProcessesWithTheDeviceOpenButNotItself) {
  AddProcess(812, "ModemManager", {"/dev/null", device});
  AddProcess(77, "minicom", {device});
  AddProcess(90, "bash", {"/dev/null", folder.File("other")});
  AddProcess(::getpid(), "rtv612", {device});
  fs::create_directories(fs::path(proc) / "self" / "fd");  // not a process number
  // A link to the device by another name (udev's by-id link) counts too.
  const std::string alias = folder.File("usb-FTDI-port0");
  fs::create_symlink(device, alias);

  const std::vector<PortHolder> holders = FindPortHolders(alias, proc);
  ASSERT_EQ(holders.size(), 2u);
  EXPECT_EQ(holders[0].pid, 77);
  EXPECT_EQ(holders[0].name, "minicom");
  EXPECT_EQ(holders[1].pid, 812);
  EXPECT_EQ(holders[1].name, "ModemManager");
  EXPECT_TRUE(FindPortHolders(folder.File("other-device"), proc).empty());
  EXPECT_TRUE(FindPortHolders(device, folder.File("no-proc")).empty());
}

TEST(PortHoldersText, NamesEveryHolderAndWhatToDo) {
  EXPECT_EQ(DescribePortHolders("/dev/ttyUSB0", {}), "");
  EXPECT_EQ(DescribePortHolders("/dev/ttyUSB0", {{812, "ModemManager"}}),
            "/dev/ttyUSB0 is open in ModemManager (pid 812). Close it, or stop that service, "
            "and try again.");
  EXPECT_EQ(DescribePortHolders("/dev/ttyS0", {{1, "a"}, {2, "b"}, {3, "c"}}),
            "/dev/ttyS0 is open in a (pid 1), b (pid 2) and c (pid 3). Close them, or stop those "
            "services, and try again.");
}

}  // namespace
}  // namespace rtv
