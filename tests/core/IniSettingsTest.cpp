// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempFolder.h"
#include "app/AppSettings.h"
#include "platform/posix/IniSettings.h"

namespace rtv {
namespace {

std::string Contents(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST(IniSettingsTest, EveryTextSurvivesWritingAndReading) {
  test::TempFolder folder;
  const std::string path = folder.File("new/Vrel/RT-V612.conf");  // folders made on the way
  const std::vector<std::string> texts = {
      "",      "plain", " spaced ", "a=b;c,d",  "say \"hi\"", "back\\slash", "line\nbreak\r",
      "\ttab", "@at",   "@@two",    "für 2024", "#hash",      "[section]",   "%20"};
  {
    IniSettings store(path, IniPersistence::kWriteBack);
    for (std::size_t i = 0; i < texts.size(); ++i) {
      store.WriteString("Group " + std::to_string(i), "Name " + texts[i], texts[i]);
    }
    store.WriteInt("Window Position", "Left", -20);
    store.WriteString("Port Map", "COM5", "/dev/serial/by-id/usb-FTDI");
    store.Flush();
    EXPECT_EQ(store.SaveProblem(), "");
  }
  const IniSettings again(path);
  EXPECT_EQ(again.LoadProblem(), "");
  for (std::size_t i = 0; i < texts.size(); ++i) {
    SCOPED_TRACE(texts[i]);
    EXPECT_EQ(again.ReadString("Group " + std::to_string(i), "Name " + texts[i]), texts[i]);
  }
  EXPECT_EQ(again.ReadInt("Window Position", "Left"), -20);
  EXPECT_EQ(again.ValueNames("Port Map"), std::vector<std::string>{"COM5"});
  // Qt's spelling, which earlier versions wrote and read.
  EXPECT_NE(Contents(path).find("[Window%20Position]\nLeft=-20\n"), std::string::npos);
}

TEST(IniSettingsTest, TheToolNeverWritesTheFile) {
  test::TempFolder folder;
  const std::string path = folder.File("RT-V612.conf");
  std::ofstream(path) << "[Global]\nComPort=3\n";
  IniSettings store(path);
  store.WriteInt("Global", "ComPort", 5);
  store.Flush();
  EXPECT_EQ(Contents(path), "[Global]\nComPort=3\n");
}

struct RefusedCase {
  const char* what;
  std::string path;
  const char* problem;
};

TEST(IniSettingsTest, WhatIsNoPlainFileGivesTheDefaultsAtOnceAndIsNotReplaced) {
  test::TempFolder folder;
  ASSERT_EQ(::mkfifo(folder.File("fifo").c_str(), 0600), 0);
  ASSERT_EQ(::mkdir(folder.File("folder").c_str(), 0700), 0);
  std::ofstream(folder.File("huge.conf")) << std::string(IniSettings::kMaxFileBytes + 1, '\n');
  const RefusedCase cases[] = {
      {"fifo", folder.File("fifo"), "is not a plain file (a pipe, a device or a socket)"},
      {"device", "/dev/zero", "is not a plain file (a pipe, a device or a socket)"},
      {"folder", folder.File("folder"), "is a folder, not a file"},
      {"huge", folder.File("huge.conf"), "is larger than 1024 KB"},
  };
  for (const RefusedCase& c : cases) {
    SCOPED_TRACE(c.what);
    const auto start = std::chrono::steady_clock::now();
    IniSettings store(c.path, IniPersistence::kWriteBack);
    AppSettings settings(store, true, 1024, 768);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_EQ(store.LoadProblem(), c.path + " " + c.problem);
    AppSettings defaults(true);
    defaults.ApplyDefaults(1024, 768);
    EXPECT_EQ(settings.portNumber, 1);
    EXPECT_EQ(settings.width, defaults.width);
  }
  struct stat info {};
  ASSERT_EQ(::stat(folder.File("fifo").c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace rtv
