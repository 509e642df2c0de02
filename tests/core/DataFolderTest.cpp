// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/DataFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempFolder.h"

namespace rtv {
namespace {

struct LookupCase {
  const char* name;
  bool besideProgram;  // the overlay next to the executable (a build tree)
  bool installed;      // the overlay in ../share/rtv612
  const char* found;   // relative to the prefix; null when none
};

TEST(DataFolderTest, LooksNextToTheProgramThenInTheInstalledShareFolder) {
  const LookupCase cases[] = {
      {"build tree", true, false, "bin"},
      {"installed", false, true, "share/rtv612"},
      {"both: the program's own folder wins", true, true, "bin"},
      {"neither", false, false, nullptr},
  };
  for (const LookupCase& c : cases) {
    SCOPED_TRACE(c.name);
    const test::TempFolder prefix;
    const std::filesystem::path root(prefix.Path());
    std::filesystem::create_directories(root / "bin");
    std::filesystem::create_directories(root / "share/rtv612");
    if (c.besideProgram) std::ofstream(root / "bin" / DataFolder::kMarkerFile) << "#x\n";
    if (c.installed) std::ofstream(root / "share/rtv612" / DataFolder::kMarkerFile) << "#x\n";
    const std::optional<std::string> found = DataFolder::Find((root / "bin").string());
    if (c.found == nullptr) {
      EXPECT_FALSE(found.has_value());
    } else {
      ASSERT_TRUE(found.has_value());
      EXPECT_EQ(*found, (root / c.found).string());
    }
  }
}

TEST(DataFolderTest, AFolderNamedLikeTheOverlayDoesNotCount) {
  const test::TempFolder prefix;
  std::filesystem::create_directories(std::filesystem::path(prefix.Path()) /
                                      DataFolder::kMarkerFile);
  EXPECT_FALSE(DataFolder::Holds(prefix.Path()));
}

TEST(DataFolderTest, TheMessageNamesEveryFolderLookedIn) {
  const std::vector<std::string> looked = DataFolder::Candidates("/opt/x/bin");
  ASSERT_EQ(looked, (std::vector<std::string>{"/opt/x/bin", "/opt/x/share/rtv612"}));
  const std::string text = DataFolder::MissingMessage(looked);
  EXPECT_NE(text.find("RTV612.OVL"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  /opt/x/bin"), std::string::npos) << text;
  EXPECT_NE(text.find("\n  /opt/x/share/rtv612"), std::string::npos) << text;
}

TEST(DataFolderTest, TheExecutableFolderIsThisTestsOwn) {
  const std::string folder = DataFolder::ExecutableFolder("ignored");
  EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(folder) / "core_tests")) << folder;
}

}  // namespace
}  // namespace rtv
