// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/OverlayText.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TempFile.h"

namespace rtv {
namespace {

using test::TempFile;

const char* const kOverlay =
    "preamble that is never read\n"
    "#GI_Sys_AppTitle\n"
    "Radio Programmer\n"
    "#GI_Mess_Two\n"
    "first line\n"
    "\n"
    "third line\n"
    "#\n"
    "# GI_Blank_Led\n"
    "blank led\n"
    "#GI_Sys_AppTitle \n"
    "trailing blank\n"
    "#GI_Empty\n"
    "#\n"
    "#GI_Sys_AppTitle\n"
    "second occurrence\n"
    "#End_Of_Ovl\n"
    "#GI_After_End\n"
    "never found\n";

TEST(OverlayTextTest, FillInPutsValuesInTheirPlacesAndNothingElse) {
  const struct {
    const char* text;
    std::vector<std::string> values;
    const char* filled;
  } cases[] = {
      {"%1 of %2 bytes (%3%)", {"5,120", "11,104", "46"}, "5,120 of 11,104 bytes (46%)"},
      {"%2 before %1, %1 again", {"a", "b"}, "b before a, a again"},
      {"%1%10", {"x", "", "", "", "", "", "", "", "", "ten"}, "xten"},
      {"%3 has no value, %d and %s stay", {"a"}, "%3 has no value, %d and %s stay"},
      {"on %1", {"/dev/tty%1"}, "on /dev/tty%1"},
  };
  for (const auto& c : cases) EXPECT_EQ(OverlayText::FillIn(c.text, c.values), c.filled) << c.text;
}

TEST(OverlayTextTest, LooksUpLinesTextsAndExactKeys) {
  TempFile file(kOverlay);
  OverlayText store;
  ASSERT_TRUE(store.SetFile(file.Path()));
  EXPECT_EQ(store.GetFirstLine("GI_Sys_AppTitle"), "Radio Programmer");
  EXPECT_EQ(store.GetText("GI_Mess_Two"), "first line\n\nthird line");
  EXPECT_EQ(store.GetLine("GI_Mess_Two", 2), "third line");
  // A line holding only "#" ends a body; "# x" is a header of a key starting with a blank.
  EXPECT_EQ(store.GetFirstLine(" GI_Blank_Led"), "blank led");
  // Trailing blanks are part of the key.
  EXPECT_EQ(store.GetFirstLine("GI_Sys_AppTitle "), "trailing blank");
  EXPECT_EQ(store.GetText("GI_Empty"), "");
  EXPECT_TRUE(store.HasKey("End_Of_Ovl"));
  EXPECT_FALSE(store.HasKey("GI_After_End"));
  EXPECT_FALSE(store.HasKey("gi_sys_apptitle"));
  EXPECT_TRUE(store.IsScanFinished());
}

TEST(OverlayTextTest, ScansOnlyAsFarAsTheKeyAndFindsEarlierKeysWithoutReading) {
  TempFile file(kOverlay);
  OverlayText store;
  store.SetFile(file.Path());
  EXPECT_EQ(store.KeyCount(), 0);  // nothing is read before the first lookup
  store.GetFirstLine("GI_Mess_Two");
  EXPECT_EQ(store.KeyCount(), 2);
  EXPECT_FALSE(store.IsScanFinished());
  const auto reads = store.PhysicalReads();
  EXPECT_EQ(store.GetFirstLine("GI_Sys_AppTitle"), "Radio Programmer");
  EXPECT_EQ(store.PhysicalReads(), reads + 1);  // the body line only: no scanning
  EXPECT_EQ(store.KeyCount(), 2);
  EXPECT_EQ(store.GetFirstLine("GI_Sys_AppTitle"), "Radio Programmer");
  EXPECT_EQ(store.PhysicalReads(), reads + 1);  // now from the cache
}

TEST(OverlayTextTest, CursorReadsForwardAndRestartsForEarlierLines) {
  std::string text = "#GI_Long\n";
  for (int i = 0; i < 10; ++i) text += "line " + std::to_string(i) + "\n";
  text += "#\n#End_Of_Ovl\n";
  TempFile file(text);
  OverlayText store;
  store.SetFile(file.Path());
  EXPECT_EQ(store.GetLine("GI_Long", 5), "line 5");
  auto reads = store.PhysicalReads();
  EXPECT_EQ(store.GetLine("GI_Long", 6), "line 6");
  EXPECT_EQ(store.PhysicalReads(), reads + 1);  // one line, from the cursor
  EXPECT_EQ(store.GetLine("GI_Long", 3), "line 3");
  EXPECT_EQ(store.PhysicalReads(), reads + 1);  // from line 0 again, all cached
  // Reading by index does not stop at the terminator.
  EXPECT_EQ(store.GetLine("GI_Long", 10), "#");
}

TEST(OverlayTextTest, CacheHoldsSixtyFourLinesAndEvictsTheLeastRecentlyUsed) {
  std::string text;
  for (int i = 0; i < 65; ++i)
    text += "#K" + std::to_string(i) + "\nline " + std::to_string(i) + "\n";
  text += "#End_Of_Ovl\n";
  TempFile file(text);
  OverlayText store;
  store.SetFile(file.Path());
  ASSERT_TRUE(store.HasKey("End_Of_Ovl"));  // every header known; only body reads remain
  const auto line = [&](int i) { return store.GetFirstLine("K" + std::to_string(i)); };
  for (int i = 0; i < 64; ++i) line(i);
  EXPECT_EQ(store.CachedLineCount(), 64);
  line(0);  // line 0 becomes the most recent; line 1 is now the oldest
  auto reads = store.PhysicalReads();
  EXPECT_EQ(line(64), "line 64");  // the 65th distinct line evicts line 1
  EXPECT_EQ(store.PhysicalReads(), reads + 1);
  EXPECT_EQ(store.CachedLineCount(), 64);
  reads = store.PhysicalReads();
  line(0);
  line(2);
  EXPECT_EQ(store.PhysicalReads(), reads);  // still cached
  EXPECT_EQ(line(1), "line 1");
  EXPECT_EQ(store.PhysicalReads(), reads + 1);  // evicted, read again
}

TEST(OverlayTextTest, CrLfReadsLikeLf) {
  TempFile file("#GI_A\r\none\r\ntwo\r\n#\r\n#End_Of_Ovl\r\n");
  OverlayText store;
  store.SetFile(file.Path());
  EXPECT_EQ(store.GetText("GI_A"), "one\ntwo");
  EXPECT_EQ(store.GetLine("GI_A", 1), "two");
}

TEST(OverlayTextTest, LongLinesArriveInPiecesOf8191Bytes) {
  const std::string longLine(8191 + 8191 + 10, 'x');
  TempFile file("#GI_Long\n" + longLine + "\nafter\n#End_Of_Ovl\n");
  OverlayText store;
  store.SetFile(file.Path());
  EXPECT_EQ(store.GetLine("GI_Long", 0), std::string(8191, 'x'));
  EXPECT_EQ(store.GetLine("GI_Long", 1), std::string(8191, 'x'));
  EXPECT_EQ(store.GetLine("GI_Long", 2), std::string(10, 'x'));
  EXPECT_EQ(store.GetLine("GI_Long", 3), "after");
}

TEST(OverlayTextTest, LineArrayStoreAndSourceIsSetOnce) {
  OverlayText store;
  ASSERT_TRUE(store.SetLines(
      {"#GI_Sheet_X_Style", "(FixedCols=1)", "#GI_Cells", "", "a", "", "#", "#End_Of_Ovl", ""}));
  EXPECT_FALSE(store.SetLines({"#End_Of_Ovl"}));
  EXPECT_FALSE(store.SetFile("/tmp/x"));
  EXPECT_EQ(store.GetFirstLine("GI_Sheet_X_Style"), "(FixedCols=1)");
  EXPECT_EQ(store.GetText("GI_Cells"), "\na\n");
  OverlayText fileStore;
  ASSERT_TRUE(fileStore.SetFile("/tmp/x"));
  EXPECT_FALSE(fileStore.SetFile("/tmp/y"));
}

TEST(OverlayTextTest, HelpTableGivesContextNumbers) {
  OverlayText help;
  help.SetLines({"#GI_AppItem_CellName_to_ContextID", "CL_Menu_File_New\t1001", "CL_Menu_File\t7",
                 "CL_Ch_Rx\t2040", "#", "#End_Of_Ovl"});
  EXPECT_EQ(help.HelpContextId("CL_Ch_Rx"), 2040);
  EXPECT_EQ(help.HelpContextId("CL_Menu_File"), 7);
  EXPECT_EQ(help.HelpContextId("CL_Unknown"), 0);
}

TEST(OverlayTextTest, KeysFarDownTheListMoveToTheFront) {
  std::string text;
  for (int i = 0; i < 20; ++i) text += "#K" + std::to_string(i) + "\nv" + std::to_string(i) + "\n";
  text += "#End_Of_Ovl\n";
  TempFile file(text);
  OverlayText store;
  store.SetFile(file.Path());
  EXPECT_EQ(store.GetFirstLine("K19"), "v19");
  // Every key is still found after reordering.
  for (int round = 0; round < 2; ++round) {
    for (int i = 19; i >= 0; --i)
      EXPECT_EQ(store.GetFirstLine("K" + std::to_string(i)), "v" + std::to_string(i));
  }
  EXPECT_EQ(store.KeyCount(), 20);  // the scan stopped at K19
}

using OverlayTextDeathTest = ::testing::Test;

TEST(OverlayTextDeathTest, MissingKeysAndFilesEndTheProgram) {
  TempFile file(kOverlay);
  EXPECT_EXIT(
      {
        OverlayText store;
        store.SetFile(file.Path());
        store.GetFirstLine("GI_After_End");
      },
      ::testing::ExitedWithCode(3), "OverlayText Error !\nThe index 'GI_After_End' was not found.");
  EXPECT_EXIT(
      {
        OverlayText store;
        store.SetFile("/nonexistent/RTV612.OVL");
        store.GetFirstLine("GI_Sys_AppTitle");
      },
      ::testing::ExitedWithCode(3),
      "The index 'GI_Sys_AppTitle' was not found: '/nonexistent/RTV612.OVL' cannot be read\\.");
  // No end marker: reading past the end of the last entry is the missing-key error.
  TempFile noEnd("#GI_Last\nonly line\n");
  EXPECT_EXIT(
      {
        OverlayText store;
        store.SetFile(noEnd.Path());
        store.GetLine("GI_Last", 1);
      },
      ::testing::ExitedWithCode(3),
      "The index 'GI_Last' was not found in '" + noEnd.Path() + "'\\.");
  EXPECT_EXIT(
      {
        OverlayText store;
        store.SetLines({"#GI_Last", "only line"});
        store.GetLine("GI_Last", 5);
      },
      ::testing::ExitedWithCode(3), "The index 'GI_Last' was not found");
}

}  // namespace
}  // namespace rtv
