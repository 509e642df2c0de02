// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSettings.h"

#include <gtest/gtest.h>

#include <string>
#include <variant>
#include <vector>

#include "MemorySettingsStore.h"

namespace rtv {
namespace {

constexpr int kScreenW = 1024;
constexpr int kScreenH = 768;

// A complete, valid stored set with values that differ from every default.
test::MemorySettingsStore StoredSet() {
  test::MemorySettingsStore store;
  {
    AppSettings s(store, true, kScreenW, kScreenH);
    s.portNumber = 7;
    s.highSpeed = 0;
    s.currentDirectory = "/home/skipper/boats";
    s.recentFiles = {"/home/skipper/boats/Dolphin.rtv", "/tmp/Old.rtv"};
    s.fontSizePercentage = 150;
    s.toolbarVisible = 0;
    s.fontSizePrinter = 9;
    s.left = 10;
    s.top = 20;
    s.width = 700;
    s.height = 500;
    s.treeWidth = 321;
    s.modelType = 3;
    s.channelsInUseOnly = 1;
  }
  return store;
}

void ExpectDefaults(const AppSettings& s) {
  EXPECT_EQ(s.stamp, AppSettings::kValidStamp);
  EXPECT_EQ(s.portNumber, 1);
  EXPECT_EQ(s.highSpeed, 1);
  EXPECT_EQ(s.currentDirectory, "");
  EXPECT_TRUE(s.recentFiles.empty());
  EXPECT_EQ(s.fontSizePercentage, 100);
  EXPECT_EQ(s.toolbarVisible, 1);
  EXPECT_EQ(s.fontSizePrinter, 10);
  EXPECT_EQ(s.treeWidth, 200);
  EXPECT_EQ(s.modelType, 0);
  EXPECT_EQ(s.channelsInUseOnly, 0);
}

TEST(AppSettingsTest, FirstRunGivesDefaultsWithTheWindowCentredOnTheScreen) {
  struct Case {
    int screenW, screenH, left, top, width, height;
  };
  const Case cases[] = {
      {1024, 768, 51, 23, 921, 691},  // 0.9 of the screen, truncated
      {1920, 1080, 480, 108, 960, 720}, {1280, 1024, 160, 91, 960, 720},
      {640, 480, 32, 14, 576, 432},  // 0.9 of the screen, truncated
      {801, 601, 40, 18, 720, 540},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.screenW) + "x" + std::to_string(c.screenH));
    test::MemorySettingsStore empty;
    AppSettings s(empty, true, c.screenW, c.screenH);
    ExpectDefaults(s);
    EXPECT_EQ(s.left, c.left);
    EXPECT_EQ(s.top, c.top);
    EXPECT_EQ(s.width, c.width);
    EXPECT_EQ(s.height, c.height);
  }
}

TEST(AppSettingsTest, AStoredSetLoadsBackAsSaved) {
  test::MemorySettingsStore store = StoredSet();
  AppSettings s(store, true, kScreenW, kScreenH);
  EXPECT_EQ(s.portNumber, 7);
  EXPECT_EQ(s.highSpeed, 0);
  EXPECT_EQ(s.currentDirectory, "/home/skipper/boats");
  // The eight empty slots are not entries.
  EXPECT_EQ(s.recentFiles,
            (std::vector<std::string>{"/home/skipper/boats/Dolphin.rtv", "/tmp/Old.rtv"}));
  EXPECT_EQ(s.fontSizePercentage, 150);
  EXPECT_EQ(s.toolbarVisible, 0);
  EXPECT_EQ(s.fontSizePrinter, 9);
  EXPECT_EQ(s.left, 10);
  EXPECT_EQ(s.top, 20);
  EXPECT_EQ(s.width, 700);
  EXPECT_EQ(s.height, 500);
  EXPECT_EQ(s.treeWidth, 321);
  EXPECT_EQ(s.modelType, 3);
  EXPECT_EQ(s.channelsInUseOnly, 1);
}

TEST(AppSettingsTest, RangesAreAppliedWhileLoading) {
  struct Case {
    const char* group;
    const char* name;
    int stored;
    int AppSettings::*field;
    int loaded;
  };
  const Case cases[] = {
      {"Global", "ComPort", 0, &AppSettings::portNumber, 1},
      {"Global", "ComPort", 300, &AppSettings::portNumber, 256},
      {"Global", "ComPort", 256, &AppSettings::portNumber, 256},
      {"Global", "ComSpeedHigh", -4, &AppSettings::highSpeed, 0},
      {"Global", "ComSpeedHigh", 9, &AppSettings::highSpeed, 1},
      {"View Option", "FontSize Percentage", 10, &AppSettings::fontSizePercentage, 25},
      {"View Option", "FontSize Percentage", 5000, &AppSettings::fontSizePercentage, 1000},
      {"View Option", "Toolbar Visible", -2, &AppSettings::toolbarVisible, 1},
      {"View Option", "Toolbar Visible", 0, &AppSettings::toolbarVisible, 0},
      {"View Option", "FontSize Printer", 20, &AppSettings::fontSizePrinter, 12},
      {"View Option", "FontSize Printer", 3, &AppSettings::fontSizePrinter, 8},
      {"Window Position", "Left", -3000, &AppSettings::left, -3000},
      {"Window Position", "SplitterV", 2, &AppSettings::treeWidth, 2},
      {"Setup", "ModelType", 9, &AppSettings::modelType, 9},  // checked at start-up instead
      {"Setup", "ChListType", 5, &AppSettings::channelsInUseOnly, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.stored));
    test::MemorySettingsStore store = StoredSet();
    store.WriteInt(c.group, c.name, c.stored);
    AppSettings s(store, true, kScreenW, kScreenH);
    EXPECT_EQ(s.*c.field, c.loaded);
    EXPECT_EQ(s.currentDirectory, "/home/skipper/boats");  // the rest of the set stays
  }
}

TEST(AppSettingsTest, AnIncompleteOrUnstampedSetLoadsEntirelyAsDefaults) {
  struct Case {
    const char* what;
    void (*spoil)(test::MemorySettingsStore&);
  };
  const Case cases[] = {
      {"no ChListType", [](test::MemorySettingsStore& s) { s.values.erase("Setup/ChListType"); }},
      {"no BBT", [](test::MemorySettingsStore& s) { s.values.erase("Global/BBT"); }},
      {"wrong BBT", [](test::MemorySettingsStore& s) { s.WriteInt("Global", "BBT", 753950); }},
      {"no Recent File List group",
       [](test::MemorySettingsStore& s) { s.DeleteGroup("Recent File List"); }},
      {"no Window Position group",
       [](test::MemorySettingsStore& s) { s.DeleteGroup("Window Position"); }},
      {"text where a number belongs",
       [](test::MemorySettingsStore& s) {
         s.WriteString("View Option", "FontSize Printer", "ten");
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::MemorySettingsStore store = StoredSet();
    c.spoil(store);
    AppSettings s(store, true, kScreenW, kScreenH);
    ExpectDefaults(s);
    EXPECT_EQ(s.width, 921);
    EXPECT_EQ(s.left, 51);
  }
}

TEST(AppSettingsTest, AMissingTextReadsAsEmpty) {
  test::MemorySettingsStore store = StoredSet();
  store.values.erase("Global/Current Directory");
  store.values.erase("Recent File List/Recent0");
  AppSettings s(store, true, kScreenW, kScreenH);
  EXPECT_EQ(s.portNumber, 7);
  EXPECT_EQ(s.currentDirectory, "");
  // Empty slots are unused slots, never entries.
  EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/tmp/Old.rtv"}));
}

// Damage in the recent entries, the window's place, the list type or the port gives the
// defaults of those keys only; the rest of the set loads as saved.
TEST(AppSettingsTest, DamagedValuesOfSomeKeysGiveTheirDefaultsAlone) {
  struct Case {
    const char* what;
    void (*spoil)(test::MemorySettingsStore&);
    void (*check)(const AppSettings&);
  };
  const Case cases[] = {
      {"recent entries: blank, relative, control characters",
       [](test::MemorySettingsStore& s) {
         s.WriteString("Recent File List", "Recent0", "");
         s.WriteString("Recent File List", "Recent1", "Dolphin.rtv");
         s.WriteString("Recent File List", "Recent2", std::string("/tmp/a\x01b.rtv"));
         s.WriteString("Recent File List", "Recent3", "/tmp/Kept.rtv");
       },
       [](const AppSettings& s) {
         EXPECT_EQ(s.recentFiles, (std::vector<std::string>{"/tmp/Kept.rtv"}));
       }},
      {"port", [](test::MemorySettingsStore& s) { s.WriteString("Global", "ComPort", "COM7"); },
       [](const AppSettings& s) { EXPECT_EQ(s.portNumber, 1); }},
      {"list type", [](test::MemorySettingsStore& s) { s.WriteString("Setup", "ChListType", "x"); },
       [](const AppSettings& s) { EXPECT_EQ(s.channelsInUseOnly, 0); }},
      {"window place",
       [](test::MemorySettingsStore& s) { s.WriteString("Window Position", "Top", "up"); },
       [](const AppSettings& s) {
         EXPECT_EQ(s.left, 51);  // the default place, whole
         EXPECT_EQ(s.top, 23);
         EXPECT_EQ(s.width, 921);
         EXPECT_EQ(s.treeWidth, 200);
       }},
      {"window of no size",
       [](test::MemorySettingsStore& s) { s.WriteInt("Window Position", "Width", 0); },
       [](const AppSettings& s) { EXPECT_EQ(s.width, 921); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    test::MemorySettingsStore store = StoredSet();
    c.spoil(store);
    AppSettings s(store, true, kScreenW, kScreenH);
    c.check(s);
    EXPECT_EQ(s.modelType, 3);  // the rest of the set is as saved
    EXPECT_EQ(s.fontSizePercentage, 150);
  }
}

TEST(AppSettingsTest, SaveWritesEveryValueAndAllTenRecentSlots) {
  test::MemorySettingsStore store;
  {
    AppSettings s(store, true, kScreenW, kScreenH);
    s.AddRecentFront("/a/One.rtv");
    s.AddRecentFront("/a/Two.rtv");
  }
  const std::vector<std::string> ints = {"Global/BBT",
                                         "Global/ComPort",
                                         "Global/ComSpeedHigh",
                                         "View Option/FontSize Percentage",
                                         "View Option/Toolbar Visible",
                                         "View Option/FontSize Printer",
                                         "Window Position/Left",
                                         "Window Position/Top",
                                         "Window Position/Width",
                                         "Window Position/Height",
                                         "Window Position/SplitterV",
                                         "Setup/ModelType",
                                         "Setup/ChListType"};
  for (const std::string& key : ints) {
    ASSERT_TRUE(store.values.count(key)) << key;
    EXPECT_TRUE(std::holds_alternative<int>(store.values[key])) << key;
  }
  EXPECT_EQ(std::get<int>(store.values["Global/BBT"]), 753951);
  EXPECT_EQ(std::get<std::string>(store.values["Global/Current Directory"]), "");
  for (int i = 0; i < 10; ++i) {
    const std::string key = "Recent File List/Recent" + std::to_string(i);
    ASSERT_TRUE(store.values.count(key)) << key;
    const std::string expected = i == 0 ? "/a/Two.rtv" : i == 1 ? "/a/One.rtv" : "";
    EXPECT_EQ(std::get<std::string>(store.values[key]), expected) << key;
  }
  EXPECT_EQ(store.flushes, 1);
}

TEST(AppSettingsTest, OnlyTheFirstInstanceWithAValidStampTouchesTheStore) {
  test::MemorySettingsStore store = StoredSet();
  const auto before = store.values;
  const int flushes = store.flushes;
  {
    AppSettings second(store, false, kScreenW, kScreenH);
    ExpectDefaults(second);  // nothing loaded
    second.portNumber = 99;
  }
  EXPECT_EQ(store.values, before);  // nothing saved
  EXPECT_EQ(store.flushes, flushes);
  {
    AppSettings first(store, true, kScreenW, kScreenH);
    first.portNumber = 42;
    first.stamp = 0;  // a spoiled set is never written
  }
  EXPECT_EQ(store.values, before);
  {
    AppSettings first(store, true, kScreenW, kScreenH);
    first.portNumber = 42;
  }
  EXPECT_EQ(std::get<int>(store.values["Global/ComPort"]), 42);
}

TEST(AppSettingsTest, RecentFilesKeepTenEntriesWithoutDuplicatesOfOneFile) {
  AppSettings s(false);
  for (int i = 0; i < 12; ++i) s.AddRecentFront("/boats/F" + std::to_string(i) + ".rtv");
  ASSERT_EQ(s.RecentCount(), 10);
  EXPECT_EQ(s.recentFiles.front(), "/boats/F11.rtv");
  EXPECT_EQ(s.recentFiles.back(), "/boats/F2.rtv");  // the oldest went
  s.AddRecentFront("/boats/./old/../F5.rtv");        // the same file, spelled otherwise
  ASSERT_EQ(s.RecentCount(), 10);
  EXPECT_EQ(s.recentFiles.front(), "/boats/./old/../F5.rtv");
  EXPECT_EQ(std::count(s.recentFiles.begin(), s.recentFiles.end(), "/boats/F5.rtv"), 0);
  s.AddRecentFront("");  // never an entry
  EXPECT_EQ(s.recentFiles.front(), "/boats/./old/../F5.rtv");
  s.AppendRecent("/boats/F11.rtv");  // moves to the end
  EXPECT_EQ(s.recentFiles.back(), "/boats/F11.rtv");
  EXPECT_EQ(s.recentFiles[1], "/boats/F10.rtv");
  s.AppendRecent("/boats/New.rtv");  // the list is full: appending drops the new entry
  EXPECT_EQ(s.RecentCount(), 10);
  EXPECT_EQ(s.recentFiles.back(), "/boats/F11.rtv");
}

TEST(AppSettingsTest, RecentDisplayNamesAreRelativeToTheFolder) {
  AppSettings s(false);
  s.recentFiles = {"/home/skipper/Dolphin.rtv", "/home/skipper/old/Tern.rtv", "/Root.rtv",
                   "Bare.rtv"};
  struct Case {
    int index;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {0, "/home/skipper", "Dolphin.rtv"},
      {0, "/home/skipper/", "Dolphin.rtv"},
      {0, "/HOME/Skipper", "/home/skipper/Dolphin.rtv"},  // another folder on Linux
      {0, "/home", "/home/skipper/Dolphin.rtv"},
      {1, "/home/skipper", "/home/skipper/old/Tern.rtv"},
      {2, "/", "Root.rtv"},
      {2, "/home", "/Root.rtv"},
      {3, "/home", "Bare.rtv"},
      {4, "/home/skipper", ""},
      {-1, "/home/skipper", ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(s.RecentDisplayName(c.index, c.folder), c.name) << c.index << " " << c.folder;
  }
}

TEST(AppSettingsTest, PathsAreTheSameWhenTheyNameOneFile) {
  struct Case {
    const char* a;
    const char* b;
    bool same;
  };
  const Case cases[] = {
      {"/boats/Boat.rtv", "/boats/Boat.rtv", true},
      {"/boats/Boat.rtv", "/boats/boat.rtv", false},  // file names are case-sensitive
      {"/boats/Boat.rtv", "/boats//old/../Boat.rtv", true},
      {"/boats/Boat.rtv", "/boats/Boat.rtv2", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AppSettings::SamePath(c.a, c.b), c.same) << c.a << " " << c.b;
  }
}

TEST(AppSettingsTest, WindowRecordsAreReadOnDemandAndWrittenNewestFirst) {
  test::MemorySettingsStore store = StoredSet();
  for (const char* value : {"Left", "Top", "Width", "Height", "WindowState"}) {
    store.WriteInt("EditForm Position", std::string("Debug_") + value, 5);
    if (std::string(value) != "WindowState") {
      store.WriteInt("EditForm Position", std::string("Half_") + value, 6);
    }
  }
  {
    AppSettings s(store, true, kScreenW, kScreenH);
    const auto debug = s.FindWindowRecord("Debug");
    ASSERT_TRUE(debug.has_value());
    EXPECT_EQ(debug->left, 5);
    EXPECT_EQ(debug->windowState, 5);
    EXPECT_EQ(debug->currentColumn, -1);
    EXPECT_EQ(debug->topRow, -1);
    EXPECT_EQ(debug->open, 0);
    EXPECT_FALSE(s.FindWindowRecord("Half").has_value());  // one of the five is missing
    EXPECT_FALSE(s.FindWindowRecord("Nowhere").has_value());

    WindowRecord adjust;
    adjust.name = "Adjust";
    adjust.left = 30;
    adjust.top = 40;
    adjust.width = 300;
    adjust.height = 200;
    adjust.currentRow = 4;
    adjust.windowState = 2;
    adjust.open = 1;
    s.StoreWindowRecord(adjust);
    adjust.width = 333;  // stored again: replaced, not duplicated
    s.StoreWindowRecord(adjust);
    const auto found = s.FindWindowRecord("Adjust");
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->width, 333);
    EXPECT_EQ(found->currentRow, 4);
  }
  EXPECT_EQ(std::get<int>(store.values["EditForm Position/Adjust_Width"]), 333);
  EXPECT_EQ(std::get<int>(store.values["EditForm Position/Adjust_WindowState"]), 2);
  EXPECT_EQ(std::get<int>(store.values["EditForm Position/Debug_Top"]), 5);
}

TEST(AppSettingsTest, WindowRecordsNeedAValidStamp) {
  test::MemorySettingsStore store = StoredSet();
  for (const char* value : {"Left", "Top", "Width", "Height", "WindowState"}) {
    store.WriteInt("EditForm Position", std::string("Debug_") + value, 5);
  }
  AppSettings s(store, true, kScreenW, kScreenH);
  s.stamp = 1;
  EXPECT_FALSE(s.FindWindowRecord("Debug").has_value());
  AppSettings unstored(true);
  EXPECT_FALSE(unstored.FindWindowRecord("Debug").has_value());
}

}  // namespace
}  // namespace rtv
