// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EditorAccess.h"
#include "cells/Cell.h"
#include "cells/CellCatalog.h"
#include "cells/ChoiceEditor.h"
#include "cells/ChoiceLists.h"
#include "cells/MarkFlagsEditor.h"
#include "cells/TypedChoiceEditor.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr int kFlex0 = LinkNo("Flex0");
constexpr int kVariant2 = LinkNo("CL_FlexMarking");
constexpr const char* kOnOff = "GI_Sheet_Sel_Test_OnOff";
constexpr const char* kTimes = "GI_Sheet_Sel_Test_Times";

struct ChoiceFixture : ::testing::Test {
  ChoiceFixture() {
    // Position order of the first list: Off(0), Low(2), On(1), High(3).
    store.SetLines({
        "#GI_Sheet_Sel_Test_OnOff_Cells",
        "{(%Flex0[0])}Off|{(%Flex0[1])}On",
        "{(%Flex0[2])}Low|{(%Flex0[3])}High|{(%CL_FlexMarking[7])}Seven",
        "#",
        "#GI_Sheet_Sel_Test_Times_Cells",
        "{(%Flex0[0])}Off|{(%Flex0[1])}5 min|{(%Flex0[2])}10 min|{(%Flex0[3])}30 min",
        "#",
        "#End_Of_Ovl",
    });
  }

  // A popup answer: the chosen item cell.
  EditorOutcome Choose(CellEditor& editor, int cellLink, int index) {
    Cell item;
    item.cellLink = cellLink;
    item.index = index;
    CellRequest request;
    request.commit = CellCommit::Choice;
    request.popupChoice = &item;
    EditorOutcome out;
    out.result = editor.Serve(request);
    out.changed = editor.changed();
    out.display = request.displayText;
    return out;
  }

  OverlayText store;
  ChoiceLists lists{store};
};

TEST_F(ChoiceFixture, ShowsStepsAndOpensTheList) {
  struct Case {
    const char* what;
    int value;
    EditorAccess access;
    int expected;
    bool changed;
    const char* display;
    AccessResult result;
  };
  const Case cases[] = {
      {"names the value", 1, Shown(), 1, false, "On", kNothing},
      {"a missing value", 9, Shown(), 9, false, "error", kNothing},
      {"Space in position order", 0, Press(' '), 2, true, "Low", kNothing},
      {"Space wraps", 3, Press(' '), 0, true, "Off", kNothing},
      {"Backspace wraps", 0, Press(SpecialKey::Backspace), 3, true, "High", kNothing},
      {"from a missing value to the first", 9, Press(SpecialKey::Backspace), 0, true, "Off",
       kNothing},
      {"Enter opens the list", 2, Press(SpecialKey::Enter), 2, false, "Low", kPopupOpened},
      {"F2 opens the list", 2, Press(SpecialKey::F2), 2, false, "Low", kPopupOpened},
      {"letters do nothing", 2, Press('x'), 2, false, "Low", kNothing},
      {"typed text is not taken", 2, Typed("On"), 2, false, "Low", kNothing},
  };
  for (const Case& c : cases) {
    int value = c.value;
    ChoiceEditor editor(lists, kOnOff, kFlex0, value);
    const EditorOutcome out = Serve(editor, c.access);
    EXPECT_EQ(value, c.expected) << c.what;
    EXPECT_EQ(out.changed, c.changed) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_EQ(out.result, c.result) << c.what;
    EXPECT_EQ(out.selectionLength, static_cast<int>(out.display.size())) << c.what;
    const std::vector<std::string> opened =
        c.result == kPopupOpened ? std::vector<std::string>{"GI_Sheet_Sel_Test_OnOff#1=2"}
                                 : std::vector<std::string>{};
    EXPECT_EQ(out.opened, opened) << c.what;
  }
}

TEST_F(ChoiceFixture, AKeyMadeForTheEditorIsKeptByIt) {
  int value = 0;
  int flags = 0;
  const std::string prefix = "GI_Sheet_Sel_Test_";
  ChoiceEditor editor(lists, prefix + "OnOff", kFlex0, value);
  MarkFlagsEditor marks(prefix + "Marks", flags, false);
  // The temporaries are gone; the editors hold their own copies (ASan would see a view).
  EXPECT_EQ(Serve(editor, Press(' ')).display, "Low");
  EXPECT_EQ(Serve(marks, Press(SpecialKey::Enter)).opened,
            std::vector<std::string>{"GI_Sheet_Sel_Test_Marks#1=0"});
}

TEST_F(ChoiceFixture, KeysNeedAPopupHost) {
  int value = 0;
  ChoiceEditor editor(lists, kOnOff, kFlex0, value);
  const EditorOutcome out = Serve(editor, Press(' '), /*withPopupHost=*/false);
  EXPECT_EQ(value, 0);
  EXPECT_FALSE(out.changed);
}

TEST_F(ChoiceFixture, TakesThePopupChoiceOfItsVariant) {
  int value = 0;
  ChoiceEditor flex0(lists, kOnOff, kFlex0, value);
  EditorOutcome out = Choose(flex0, kFlex0, 3);
  EXPECT_EQ(value, 3);
  EXPECT_TRUE(out.changed);
  EXPECT_EQ(out.display, "High");

  ChoiceEditor wrongVariant(lists, kOnOff, kFlex0, value);
  out = Choose(wrongVariant, kVariant2, 7);
  EXPECT_EQ(value, 3);
  EXPECT_FALSE(out.changed);

  ChoiceEditor variant2(lists, kOnOff, kVariant2, value);
  out = Choose(variant2, kVariant2, 7);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(out.display, "Seven");
}

TEST_F(ChoiceFixture, TypedChoiceMatchesLabelsAndNearestNumbers) {
  struct Case {
    const char* typed;
    int expected;
    bool changed;
  };
  const Case cases[] = {
      {"off", 0, true}, {" 10 MIN ", 2, true}, {"12", 2, true},     {"25", 3, true}, {"1", 1, true},
      {"999", 3, true}, {"7", 1, true},        {"never", 1, false}, {"", 1, false},
  };
  for (const Case& c : cases) {
    int value = 1;
    TypedChoiceEditor editor(lists, kTimes, kFlex0, value);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(value, c.expected) << c.typed;
    EXPECT_EQ(out.changed, c.changed) << c.typed;
  }
}

TEST_F(ChoiceFixture, TypedChoiceKeys) {
  int value = 2;
  TypedChoiceEditor digit(lists, kTimes, kFlex0, value);
  EditorOutcome out = Serve(digit, Press('3'));
  EXPECT_EQ(out.result, kStartEdit);
  EXPECT_EQ(out.display, "3");

  TypedChoiceEditor f2(lists, kTimes, kFlex0, value);
  out = Serve(f2, Press(SpecialKey::F2));
  EXPECT_EQ(out.result, kStartEdit);
  EXPECT_EQ(out.display, "10 min");

  TypedChoiceEditor enter(lists, kTimes, kFlex0, value);
  out = Serve(enter, Press(SpecialKey::Enter));
  EXPECT_EQ(out.result, kPopupOpened);
  EXPECT_EQ(out.opened, std::vector<std::string>{"GI_Sheet_Sel_Test_Times#1=2"});

  TypedChoiceEditor space(lists, kTimes, kFlex0, value);
  Serve(space, Press(' '));
  EXPECT_EQ(value, 3);

  TypedChoiceEditor popup(lists, kTimes, kFlex0, value);
  EXPECT_TRUE(Choose(popup, kFlex0, 0).changed);
  EXPECT_EQ(value, 0);
}

TEST_F(ChoiceFixture, MarkFlags) {
  using Action = MarkFlagsEditor::Action;
  struct Case {
    int flags;
    int item;
    int expected;
    bool changed;
    Action action;
  };
  const Case cases[] = {
      {0, 1, 1, true, Action::None},  {2, 1, 3, true, Action::None},
      {0, 2, 2, true, Action::None},  {1, 3, 1, false, Action::Toggle},
      {3, 4, 3, false, Action::Jump}, {0, 9, 0, false, Action::None},
  };
  for (const Case& c : cases) {
    int flags = c.flags;
    MarkFlagsEditor editor("GI_Sheet_Sel_ChATRAll", flags, true);
    const EditorOutcome out = Choose(editor, kFlex0, c.item);
    EXPECT_EQ(flags, c.expected) << c.item;
    EXPECT_EQ(out.changed, c.changed) << c.item;
    EXPECT_EQ(editor.action(), c.action) << c.item;
  }

  struct ShowCase {
    int flags;
    const char* text;
  };
  for (const ShowCase& c :
       {ShowCase{0, ""}, ShowCase{1, "P"}, ShowCase{2, "C"}, ShowCase{3, "PC"}}) {
    int flags = c.flags;
    MarkFlagsEditor editor("GI_Sheet_Sel_ChATRAll", flags, true);
    EXPECT_EQ(Serve(editor, Shown()).display, c.text);
  }

  int flags = 1;
  MarkFlagsEditor toggles("GI_Sheet_Sel_ChATRAll", flags, true);
  Serve(toggles, Press(' '));
  EXPECT_EQ(toggles.action(), Action::Toggle);
  MarkFlagsEditor fixed("GI_Sheet_Sel_ChATRUse", flags, false);
  Serve(fixed, Press(SpecialKey::Backspace));
  EXPECT_EQ(fixed.action(), Action::None);
  MarkFlagsEditor opens("GI_Sheet_Sel_ChATRUse", flags, false);
  const EditorOutcome out = Serve(opens, Press(SpecialKey::Enter));
  EXPECT_EQ(out.result, kPopupOpened);
  EXPECT_EQ(out.opened, std::vector<std::string>{"GI_Sheet_Sel_ChATRUse#1=1"});
}

}  // namespace
}  // namespace rtv
