// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/PortDiscovery.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

#include "MemorySettingsStore.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;
using Strings = std::vector<std::string>;

// A made-up system: sysfs, /dev and /dev/serial/by-id in a temporary folder.
class PortDiscoveryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root = fs::temp_directory_path() / ("rtv-ports-" + std::to_string(std::random_device()()));
    env.roots.sysClassTty = (root / "sys/class/tty").string();
    env.roots.dev = (root / "dev").string();
    env.roots.byId = (root / "dev/serial/by-id").string();
    env.settings = &settings;
    fs::create_directories(env.roots.sysClassTty);
    fs::create_directories(env.roots.byId);
    fs::create_directories(root / "sys/devices");
  }
  void TearDown() override { fs::remove_all(root); }

  void Write(const fs::path& file, const std::string& text) {
    fs::create_directories(file.parent_path());
    std::ofstream(file) << text << "\n";
  }
  // A terminal in sysfs whose device link points at devicePath under sys/devices.
  void AddTty(const std::string& name, const std::string& devicePath, bool node = true) {
    const fs::path device = root / "sys/devices" / devicePath;
    fs::create_directories(device);
    fs::create_directories(fs::path(env.roots.sysClassTty) / name);
    fs::create_directory_symlink(device, fs::path(env.roots.sysClassTty) / name / "device");
    if (node) Write(fs::path(env.roots.dev) / name, "");
  }
  void AddUsbTty(const std::string& name, const std::string& maker, const std::string& product) {
    const std::string usb = "usb1/1-" + name;
    AddTty(name, usb + "/1-1:1.0/" + name);
    if (!maker.empty()) Write(root / "sys/devices" / usb / "manufacturer", maker);
    if (!product.empty()) Write(root / "sys/devices" / usb / "product", product);
  }

  fs::path root;
  test::MemorySettingsStore settings;
  PortEnvironment env;
};

TEST_F(PortDiscoveryTest, NumbersFollowTheConventionAndThePortMap) {
  const struct {
    int number;
    const char* path;
  } cases[] = {{1, "/dev/ttyS0"},
               {32, "/dev/ttyS31"},
               {33, "/dev/ttyUSB0"},
               {64, "/dev/ttyUSB31"},
               {65, "/dev/ttyACM0"},
               {96, "/dev/ttyACM31"},
               {0, ""},
               {97, ""},
               {256, ""}};
  PortEnvironment plain;
  for (const auto& c : cases) {
    EXPECT_EQ(PortDevicePath(c.number, plain), c.path) << c.number;
    if (c.number != 0 && *c.path != '\0') {
      EXPECT_EQ(PortNumberOfPath(c.path, plain), c.number);
    }
  }
  settings.WriteString(kPortMapGroup, "COM3", "/dev/serial/by-id/usb-Vrel-if00");
  settings.WriteString(kPortMapGroup, "COM200", "/dev/pts/4");
  settings.WriteString(kPortMapGroup, "COM300", "/dev/pts/5");  // beyond the numbers
  settings.WriteString(kPortMapGroup, "COM07", "/dev/pts/6");   // not how numbers are written
  PortEnvironment mapped;
  mapped.settings = &settings;
  EXPECT_EQ(PortDevicePath(3, mapped), "/dev/serial/by-id/usb-Vrel-if00");
  EXPECT_EQ(PortDevicePath(200, mapped), "/dev/pts/4");
  EXPECT_EQ(PortDevicePath(300, mapped), "");
  EXPECT_EQ(PortDevicePath(7, mapped), "/dev/ttyS6");
  EXPECT_EQ(PortNumberOfPath("/dev/pts/4", mapped), 200);
  EXPECT_EQ(PortNumberOfPath("/dev/pts/9", mapped), 0);
  EXPECT_EQ(PortNumberOfPath("/tmp/ttyS0", mapped), 0);
}

TEST_F(PortDiscoveryTest, ListsComeFromSysfsDevAndThePortMap) {
  AddTty("ttyS0", "platform/serial8250/tty/ttyS0");
  Write(fs::path(env.roots.sysClassTty) / "ttyS0/type", "4");
  AddTty("ttyS1", "platform/serial8250/tty/ttyS1");  // an unused UART slot
  Write(fs::path(env.roots.sysClassTty) / "ttyS1/type", "0");
  AddUsbTty("ttyUSB0", "FTDI", "FT232R USB UART");
  AddUsbTty("ttyACM1", "Vrel", "Vrel USB-to-Serial Comm. Port");
  AddUsbTty("ttyUSB9", "", "");
  fs::create_symlink(fs::path(env.roots.dev) / "ttyUSB9",
                     fs::path(env.roots.byId) / "usb-Prolific_PL2303-if00-port0");
  fs::create_directories(fs::path(env.roots.sysClassTty) / "tty1");  // a console: no device
  Write(fs::path(env.roots.dev) / "tty1", "");
  Write(fs::path(env.roots.dev) / "ttyS5", "");  // a node without hardware behind it
  Write(root / "pts4", "");
  settings.WriteString(kPortMapGroup, "COM200", (root / "pts4").string());
  settings.WriteString(kPortMapGroup, "COM201", (root / "gone").string());

  Strings hardware;
  ListSerialCommPorts(hardware, env);
  EXPECT_EQ(hardware, Strings({"1", "33", "42", "66", "200"}));
  Strings present;
  ListDosComPorts(present, env);
  // ttyS1 (an unused UART) and ttyS5 (a bare node) have no hardware behind them.
  EXPECT_EQ(present, Strings({"1", "33", "42", "66", "200"}));

  Strings friendly;
  ListFriendlyPorts({"66", "33", "42", "200", "1", "x"}, friendly, env);
  const std::string dev = env.roots.dev;
  EXPECT_EQ(friendly, Strings({"1: Serial port (" + dev + "/ttyS0)",
                               "33: FTDI FT232R USB UART (" + dev + "/ttyUSB0)",
                               "42: usb-Prolific_PL2303-if00-port0 (" + dev + "/ttyUSB9)",
                               "66: Vrel USB-to-Serial Comm. Port (" + dev + "/ttyACM1)",
                               "200: Serial port (" + (root / "pts4").string() + ")"}));
}

TEST_F(PortDiscoveryTest, AMappedDeviceIsListedUnderItsMappedNumberOnly) {
  AddUsbTty("ttyUSB0", "FTDI", "FT232R USB UART");
  fs::create_symlink(fs::path(env.roots.dev) / "ttyUSB0",
                     fs::path(env.roots.byId) / "usb-FTDI_FT232R-if00-port0");
  const std::string link = (fs::path(env.roots.byId) / "usb-FTDI_FT232R-if00-port0").string();
  settings.WriteString(kPortMapGroup, "COM4", link);
  Strings numbers;
  ListSerialCommPorts(numbers, env);
  EXPECT_EQ(numbers, Strings({"4"}));
  Strings friendly;
  ListFriendlyPorts(numbers, friendly, env);
  EXPECT_EQ(friendly, Strings({"4: FTDI FT232R USB UART (" + link + ")"}));
  EXPECT_EQ(PortNumberOfPath(link, env), 4);
  EXPECT_EQ(PortNumberOfPath((fs::path(env.roots.dev) / "ttyUSB0").string(), env), 4);
}

TEST_F(PortDiscoveryTest, FriendlyListSortsNumericallyAndKeepsOnlyListedNumbers) {
  for (const int index : {0, 1, 8, 9, 10}) {
    AddUsbTty("ttyUSB" + std::to_string(index), "Maker", "Cable " + std::to_string(index));
  }
  Strings friendly;
  ListFriendlyPorts({"43", "41", "42", "34"}, friendly, env);
  ASSERT_EQ(friendly.size(), 4u);
  EXPECT_EQ(PortNumberOf(friendly[0]), 34);
  EXPECT_EQ(PortNumberOf(friendly[1]), 41);
  EXPECT_EQ(PortNumberOf(friendly[2]), 42);
  EXPECT_EQ(PortNumberOf(friendly[3]), 43);  // 43 after 42, not after 34 as text would
  EXPECT_NE(friendly[2].find("Cable 9"), std::string::npos);
  ListFriendlyPorts({}, friendly, env);
  EXPECT_TRUE(friendly.empty());
}

TEST(PortNumberOfTest, Entries) {
  const std::pair<const char*, int> cases[] = {
      {"COM3", 3},
      {"COM12", 12},
      {"1: Vrel USB-to-Serial Comm. Port (COM1)", 1},
      {"10: FTDI (/dev/ttyUSB0)", 10},
      {"com3", 0},
      {"COM", 0},
      {"USB", 0},
      {"", 0},
      {"99999999999999999999", 100000000},
  };
  for (const auto& [text, number] : cases) EXPECT_EQ(PortNumberOf(text), number) << text;
}

}  // namespace
}  // namespace rtv
