// SPDX-License-Identifier: GPL-3.0-or-later
// The backups every read from a radio leaves behind.
#include "clonefile/ReadBackups.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "clonefile/CloneFile.h"
#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

struct BackupFixture {
  BackupFixture() : writer(overlay, prompts) {
    image.SetSize(0x8000);
    for (std::int32_t a = 0; a < image.Size(); ++a) image.SetByte(a, static_cast<std::uint8_t>(a));
    writer.SetImage(&image);
    writer.SetModelCode(0x3974);
    writer.SetExtensionCode(1);
    writer.SetMapRevision(1);
  }
  std::time_t At(int hour, int minute, int second) const {
    std::tm local{};
    local.tm_year = 2026 - 1900;
    local.tm_mon = 11;
    local.tm_mday = 10;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return std::mktime(&local);
  }

  test::TempFolder folder;
  OverlayText overlay;
  test::ScriptedPrompts prompts;
  EepromImage image;
  CloneFile writer;
};

TEST(ReadBackupsTest, NamesByTimeModelAndVersionAndReadsBackAsTheImage) {
  BackupFixture f;
  const ReadBackups backups(f.folder.File("deep/backups"));  // made when missing
  std::string error;
  const std::string first = backups.Save(f.writer, {2, 1203, ""}, f.At(22, 15, 30), error);
  EXPECT_EQ(first, f.folder.File("deep/backups/2026-12-10_221530_M2_v1203.rtv")) << error;
  const std::string second = backups.Save(f.writer, {2, 1203, ""}, f.At(22, 15, 30), error);
  EXPECT_EQ(second, f.folder.File("deep/backups/2026-12-10_221530_M2_v1203-2.rtv"));

  EepromImage back;
  back.SetSize(0x8000);
  CloneFile reader(f.overlay, f.prompts);
  reader.SetImage(&back);
  reader.SetModelCode(0x3974);
  reader.SetExtensionCode(1);
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  ASSERT_EQ(reader.Read(first, kCloneRanges), kFileOk);
  for (std::int32_t a = 0; a <= kCloneRanges[0].last; ++a) {
    ASSERT_EQ(back.GetByte(a), f.image.GetByte(a)) << a;
  }
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST(ReadBackupsTest, TheShipsOwnMmsiIsTakenOnlyWhenSetAndChecked) {
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;  // 0x23C0 onwards: five digit bytes, the check byte
    const char* mmsi;
  } cases[] = {
      {"set", {36, 61, 23, 45, 60, 0x1E}, "366123456"},  // check: ~225 & 0xFF
      {"absent", {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, ""},
      {"wrong check byte", {36, 61, 23, 45, 60, 0x1F}, ""},
      {"a byte above 99", {36, 61, 123, 45, 60, 0x1E}, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EepromImage image;
    image.SetSize(0x8000);
    for (std::size_t i = 0; i < c.bytes.size(); ++i) {
      image.SetByte(0x23C0 + static_cast<std::int32_t>(i), c.bytes[i]);
    }
    EXPECT_EQ(ReadBackups::OwnMmsiOf(image), c.mmsi);
  }
  EepromImage tooSmall;
  tooSmall.SetSize(0x100);
  EXPECT_EQ(ReadBackups::OwnMmsiOf(tooSmall), "");
}

TEST(ReadBackupsTest, TheNameCarriesTheMmsiAndNothingElseFromTheRadio) {
  BackupFixture f;
  const ReadBackups backups(f.folder.Path());
  const struct {
    const char* mmsi;
    const char* name;
  } cases[] = {
      {"366123456", "2026-12-10_080000_M1_v1203_366123456.rtv"},
      {"", "2026-12-10_080001_M1_v1203.rtv"},
      {"../../x", "2026-12-10_080002_M1_v1203.rtv"},
      {"36612345/", "2026-12-10_080003_M1_v1203.rtv"},
      {"3661234567", "2026-12-10_080004_M1_v1203.rtv"},  // ten digits are no MMSI
      {"36612 456", "2026-12-10_080005_M1_v1203.rtv"},
  };
  int second = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mmsi);
    std::string error;
    const std::string path = backups.Save(f.writer, {1, 1203, c.mmsi}, f.At(8, 0, second++), error);
    EXPECT_EQ(path, f.folder.File(c.name)) << error;
  }
  EXPECT_EQ(f.folder.Entries().size(), std::size(cases));  // all of them side by side
}

TEST(ReadBackupsTest, KeepsOnlyTheNewest) {
  BackupFixture f;
  const ReadBackups backups(f.folder.Path());
  std::ofstream(f.folder.File("notes.txt")) << "not a backup\n";
  std::string error;
  for (int i = 0; i < ReadBackups::kKept + 5; ++i) {
    ASSERT_FALSE(backups.Save(f.writer, {0, 1, ""}, f.At(10, i / 60, i % 60), error).empty())
        << error;
  }
  const std::vector<std::string> entries = f.folder.Entries();
  ASSERT_EQ(entries.size(), static_cast<std::size_t>(ReadBackups::kKept) + 1);
  EXPECT_EQ(entries.front(), "2026-12-10_100005_M0_v1.rtv");  // the five oldest are gone
  EXPECT_EQ(entries.back(), "notes.txt");
}

TEST(ReadBackupsTest, AFolderThatCannotBeMadeIsAReasonNotACrash) {
  BackupFixture f;
  std::ofstream(f.folder.File("file")) << "x";
  std::string error;
  EXPECT_TRUE(
      ReadBackups(f.folder.File("file/backups")).Save(f.writer, {0, 1, ""}, 0, error).empty());
  EXPECT_NE(error.find("file/backups"), std::string::npos) << error;
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST(ReadBackupsTest, TheFolderFollowsXdgDataHomeThenHome) {
  const char* savedData = std::getenv("XDG_DATA_HOME");
  const char* savedHome = std::getenv("HOME");
  const std::string data = savedData != nullptr ? savedData : "";
  const std::string home = savedHome != nullptr ? savedHome : "";
  ::setenv("XDG_DATA_HOME", "/data", 1);
  EXPECT_EQ(ReadBackups::DefaultFolder(), "/data/Vrel/RT-V612/backups");
  ::setenv("XDG_DATA_HOME", "relative/is/ignored", 1);
  ::setenv("HOME", "/home/skipper", 1);
  EXPECT_EQ(ReadBackups::DefaultFolder(), "/home/skipper/.local/share/Vrel/RT-V612/backups");
  ::unsetenv("XDG_DATA_HOME");
  ::unsetenv("HOME");
  EXPECT_EQ(ReadBackups::DefaultFolder(), "");
  if (savedData != nullptr) ::setenv("XDG_DATA_HOME", data.c_str(), 1);
  if (savedHome != nullptr) ::setenv("HOME", home.c_str(), 1);
}

}  // namespace
}  // namespace rtv
