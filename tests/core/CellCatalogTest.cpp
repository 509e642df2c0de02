// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellCatalog.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace rtv {
namespace {

TEST(CellCatalogTest, NamesHaveTheirFixedNumbers) {
  struct Case {
    const char* name;
    int number;
  };
  const Case links[] = {
      {"CL_Null", 0},
      {"Flex0", 1},
      {"CL_FBits", 3},
      {"CL_EeDebugWin_F", 20},
      {"CL_Menu_File_New", 24},
      {"CL_Menu_Debug_EeWindow", 52},
      {"CallSheet", 53},
      {"CL_PMenu_Edit", 73},
      {"CL_PMenu_WinCopy", 82},
      {"CL_Misc_QuarterPillar", 85},
      {"CL_ChList_Atr", 104},
      {"CL_INT_ChNo", 110},
      {"CL_ComSet_Light", 150},
      {"CL_ComDsc_SelfId", 151},
      {"CL_DscCall_Tx", 256},
      {"CL_ComConf_GNSS_QZSS", 329},
      {"CL_Adjust_ChGrp", 330},
      {"CL_ADP_BEEP_LV", 521},
      {"CL_WinAD_BATTD", 522},
      {"CL_WinAD_AFDV", 566},
      {"", 567},
  };
  for (const Case& c : links) {
    EXPECT_EQ(CellLinkNumber(c.name), c.number) << c.name;
    if (c.number < kCellLinkCount) {
      EXPECT_EQ(CellLinkName(c.number), c.name);
    }
  }
  const Case types[] = {{"CT_Null", 0},   {"CT_PopupMenu", 1}, {"CT_IntCh", 2},
                        {"CT_FreeCh", 7}, {"CT_Adj", 12},      {"", 13}};
  for (const Case& c : types) EXPECT_EQ(CellTypeNumber(c.name), c.number) << c.name;
}

TEST(CellCatalogTest, EveryNameIsDistinctAndRoundTrips) {
  std::set<std::string> seen;
  for (int cellLink = 0; cellLink < kCellLinkCount; ++cellLink) {
    const std::string name = CellLinkName(cellLink);
    EXPECT_TRUE(seen.insert(name).second) << name;
    EXPECT_EQ(CellLinkNumber(name), cellLink) << name;
  }
  EXPECT_EQ(seen.size(), 567u);
  for (int type = 0; type < kCellTypeCount; ++type) {
    EXPECT_EQ(CellTypeNumber(kCellTypeNames[type]), type);
  }
  static_assert(LinkNo("CL_WinAD_AFDV") == 566 && TypeNo("CT_Adj") == 12);
}

TEST(CellCatalogTest, LinkNameOutsideTheCatalogIsEmpty) {
  for (int cellLink : {-1, 567, 568, 100000}) EXPECT_EQ(CellLinkName(cellLink), "") << cellLink;
}

// Each cell type names the rows it stands for; the types that are no list stand for none.
TEST(CellCatalogTest, ListKindsFollowTheCellTypes) {
  struct Case {
    const char* type;
    ListKind kind;
  };
  const Case cases[] = {
      {"CT_Null", ListKind::None},
      {"CT_PopupMenu", ListKind::None},
      {"CT_IntCh", ListKind::IntChannels},
      {"CT_UsaCh", ListKind::UsaChannels},
      {"CT_CanCh", ListKind::CanChannels},
      {"CT_DscCh", ListKind::DscChannels},
      {"CT_WxCh", ListKind::WeatherChannels},
      {"CT_FreeCh", ListKind::FreeChannels},
      {"CT_DscIndId", ListKind::DscIndividualIds},
      {"CT_DscGrpId", ListKind::DscGroupIds},
      {"CT_IdBlockingId", ListKind::IdBlocking},
      {"CT_AtisCall", ListKind::AtisCall},
      {"CT_Adj", ListKind::Adjustment},
      {"", ListKind::None},  // no type
  };
  std::set<int> types;
  for (const Case& c : cases) {
    const int type = CellTypeNumber(c.type);
    types.insert(type);
    EXPECT_EQ(ListKindOf(type), c.kind) << c.type;
  }
  EXPECT_EQ(types.size(), static_cast<std::size_t>(kCellTypeCount + 1));  // every type, once
  EXPECT_EQ(ListRowCount(ListKindOf(CellTypeNumber("CT_UsaCh"))), 421);
  EXPECT_EQ(ListRowCount(ListKindOf(CellTypeNumber("CT_DscCh"))), 171);
  EXPECT_EQ(ListRowCount(ListKindOf(CellTypeNumber("CT_DscGrpId"))), 30);
  EXPECT_EQ(ListRowCount(ListKindOf(CellTypeNumber("CT_AtisCall"))), 0);
}

TEST(CellCatalogTest, FamiliesCoverTheCatalogWithoutGaps) {
  int next = 0;
  for (int f = 0; f < kLinkFamilyCount; ++f) {
    const auto family = static_cast<LinkFamily>(f);
    EXPECT_EQ(LinkFamilyFirst(family), next);
    EXPECT_LE(LinkFamilyFirst(family), LinkFamilyLast(family));
    for (int cellLink = LinkFamilyFirst(family); cellLink <= LinkFamilyLast(family); ++cellLink) {
      ASSERT_EQ(LinkFamilyOf(cellLink), family) << cellLink;
    }
    next = LinkFamilyLast(family) + 1;
  }
  EXPECT_EQ(next, kCellLinkCount);
  EXPECT_EQ(LinkFamilyOf(CellLinkNumber("CallSheet")), LinkFamily::SheetCall);
  EXPECT_EQ(LinkFamilyOf(CellLinkNumber("CL_ComSet_Light")), LinkFamily::RadioSettings);
  EXPECT_EQ(LinkFamilyOf(kCellLinkNone), LinkFamily::None);
  EXPECT_EQ(LinkFamilyOf(-1), LinkFamily::None);
}

TEST(CellCatalogDeathTest, UnknownNamesAreFatal) {
  struct Case {
    bool type;
    const char* name;
    const char* message;
  };
  const Case cases[] = {
      // Lookup is exact: case, blanks and the other vocabulary do not match.
      {true, "ct_intch", "Cannot use the specified category\\.\n'ct_intch'"},
      {true, "CT_IntCh ", "Cannot use the specified category\\.\n'CT_IntCh '"},
      {true, "CL_Null", "Cannot use the specified category\\.\n'CL_Null'"},
      {false, "cl_fbits", "Cannot use the specified cell\\.\n'cl_fbits'"},
      {false, "CT_Null", "Cannot use the specified cell\\.\n'CT_Null'"},
      {false, "CL_WinAD_AFDX", "Cannot use the specified cell\\.\n'CL_WinAD_AFDX'"},
  };
  for (const Case& c : cases) {
    EXPECT_EXIT(
        {
          CellLinkNumber("Flex0");  // both vocabularies entered in the shared table
          CellTypeNumber("CT_Null");
          if (c.type) {
            CellTypeNumber(c.name);
          } else {
            CellLinkNumber(c.name);
          }
        },
        ::testing::ExitedWithCode(3), c.message)
        << c.name;
  }
}

TEST(CellCatalogDeathTest, ListKindOutsideTheTableIsFatal) {
  EXPECT_EXIT(ListKindOf(14), ::testing::ExitedWithCode(3), "Unknown Cell Category\\. \\(14\\)");
  EXPECT_EXIT(ListKindOf(-1), ::testing::ExitedWithCode(3), "Unknown Cell Category\\. \\(-1\\)");
}

}  // namespace
}  // namespace rtv
