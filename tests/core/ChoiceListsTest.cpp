// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/ChoiceLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cells/CellCatalog.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr int kFlex0 = LinkNo("Flex0");
constexpr int kFlexMarking = LinkNo("CL_FlexMarking");

struct ChoiceListsFixture : ::testing::Test {
  ChoiceListsFixture() {
    store.SetLines({
        "#GI_Sheet_Sel_Test_Cells",
        "{(%Flex0[2])}Two|{(%Flex0[0]:Zero)}ignored",
        "{(%Flex0[1])}One|{(%Flex0[2])}Second two",
        "{(%CL_FlexMarking[5])}Other|{(%Flex0[3])}\\_|{(%Flex0)}Carried",
        "#",
        "#GI_Sheet_Sel_Counted_Cells",
        "{(@ch0++)(%Flex0[@ch0])}A|{(@ch0++)(%Flex0[@ch0])}B",
        "#",
        "#GI_Sheet_Sel_Empty_Cells",
        "#",
        "#End_Of_Ovl",
    });
  }
  OverlayText store;
  ChoiceLists lists{store};
};

TEST_F(ChoiceListsFixture, HoldsTheChoicesInValueAndColumnOrder) {
  const ChoiceList& list = lists.List("GI_Sheet_Sel_Test", kFlex0);
  std::vector<std::string> byValue;
  for (const Choice& c : list.byValue) byValue.push_back(std::to_string(c.value) + "=" + c.name);
  // Equal values keep their file order; a cell without index carries the one before it.
  EXPECT_EQ(byValue, (std::vector<std::string>{"0=Zero", "1=One", "2=Two", "2=Second two",
                                               "3= ", "3=Carried"}));
  std::vector<std::string> byPosition;
  for (const Choice& c : list.byPosition) byPosition.push_back(c.name);
  EXPECT_EQ(byPosition,
            (std::vector<std::string>{"Two", "One", "Zero", "Second two", " ", "Carried"}));
  EXPECT_EQ(&lists.List("GI_Sheet_Sel_Test", kFlex0), &list);  // built once
}

TEST_F(ChoiceListsFixture, NamesValues) {
  struct Case {
    const char* sheet;
    int cellLink;
    int value;
    const char* name;
  };
  const Case cases[] = {
      {"GI_Sheet_Sel_Test", kFlex0, 0, "Zero"},
      {"GI_Sheet_Sel_Test", kFlex0, 1, "One"},
      {"GI_Sheet_Sel_Test", kFlex0, 2, "Two"},
      {"GI_Sheet_Sel_Test", kFlex0, 3, " "},
      {"GI_Sheet_Sel_Test", kFlex0, 4, "error"},
      {"GI_Sheet_Sel_Test", kFlex0, -1, "error"},
      {"GI_Sheet_Sel_Test", kFlexMarking, 5, "Other"},
      {"GI_Sheet_Sel_Test", kFlexMarking, 2, "error"},
      // A link that no cell of the sheet carries names every value "error".
      {"GI_Sheet_Sel_Test", LinkNo("CL_FBits"), 0, "error"},
      {"GI_Sheet_Sel_Empty", kFlex0, 0, "error"},
      // Counters start at zero for every list.
      {"GI_Sheet_Sel_Counted", kFlex0, 1, "A"},
      {"GI_Sheet_Sel_Counted", kFlex0, 2, "B"},
      {"GI_Sheet_Sel_Counted", kFlex0, 3, "error"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lists.ChoiceName(c.sheet, c.cellLink, c.value), c.name)
        << c.sheet << "#" << c.cellLink << " " << c.value;
  }
}

TEST_F(ChoiceListsFixture, StepsInColumnOrderAndWraps) {
  struct Case {
    int cellLink;
    int value;
    int delta;
    int result;
  };
  // Position order of Flex0: Two(2), One(1), Zero(0), Second two(2), " "(3), Carried(3).
  const Case cases[] = {
      {kFlex0, 2, +1, 1},
      {kFlex0, 1, +1, 0},
      {kFlex0, 0, +1, 2},
      {kFlex0, 1, -1, 2},
      {kFlex0, 2, -1, 3},
      {kFlex0, 3, +1, 3},
      {kFlex0, 3, +2, 2},
      {kFlex0, 2, +6, 2},
      {kFlex0, 2, -7, 3},
      // A value not in the list goes to the first choice either way.
      {kFlex0, 9, +1, 2},
      {kFlex0, 9, -1, 2},
      {kFlexMarking, 5, +1, 5},
      // Without choices the value stays.
      {LinkNo("CL_FBits"), 4, +1, 4},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lists.ChoiceStep("GI_Sheet_Sel_Test", c.cellLink, c.value, c.delta), c.result)
        << c.cellLink << " " << c.value << " " << c.delta;
  }
}

TEST(ChoiceListsDeathTest, AMissingSheetIsFatal) {
  EXPECT_EXIT(
      {
        OverlayText store;
        store.SetLines({"#End_Of_Ovl"});
        ChoiceLists lists(store);
        lists.ChoiceName("GI_Sheet_Sel_None", 1, 0);
      },
      ::testing::ExitedWithCode(3), "OverlayText Error !\nThe index 'GI_Sheet_Sel_None_Cells'");
}

}  // namespace
}  // namespace rtv
