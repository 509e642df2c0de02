// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "EditorAccess.h"
#include "cells/BarEditor.h"
#include "cells/IntegerEditor.h"
#include "cells/ScaledDecimalEditor.h"
#include "cells/UtcOffsetEditor.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr CellKey kSpace = CellKey::Typed(' ');
constexpr CellKey kBack = SpecialKey::Backspace;
constexpr CellKey kEnter = SpecialKey::Enter;
constexpr CellKey kF2 = SpecialKey::F2;

const IntegerEditor::Range kVolume{0, 20, 0, 1, std::nullopt, false};
const IntegerEditor::Range kTotTimer{0, 600, 0, 5, std::nullopt, false};
const IntegerEditor::Range kRemoteId{0, 68, 1, 1, std::nullopt, false};
const IntegerEditor::Range kSigned{-128, 127, 0, 1, std::nullopt, false};

TEST(IntegerEditorTest, StepsParsesAndClamps) {
  struct Case {
    const char* what;
    IntegerEditor::Range range;
    int value;
    EditorAccess access;
    int expected;
    bool changed;
    const char* display;
    AccessResult result;
  };
  const Case cases[] = {
      {"Space wraps at the top", kVolume, 20, Press(kSpace), 0, true, "0", kNothing},
      {"Backspace wraps at the bottom", kVolume, 0, Press(kBack), 20, true, "20", kNothing},
      {"Space steps", kVolume, 5, Press(kSpace), 6, true, "6", kNothing},
      {"step wraps", kTotTimer, 600, Press(kSpace), 0, true, "0", kNothing},
      {"step wraps down", kTotTimer, 0, Press(kBack), 600, true, "600", kNothing},
      {"step truncates", kTotTimer, 7, Press(kSpace), 10, true, "10", kNothing},
      {"half rounds away from zero", kVolume, 0, Typed("12.5"), 13, true, "13", kNothing},
      {"below minimum clamps", kVolume, 5, Typed("-3"), 0, true, "0", kNothing},
      {"above maximum clamps", kVolume, 5, Typed("25"), 20, true, "20", kNothing},
      {"letters are dropped", kVolume, 5, Typed("vol 7"), 7, true, "7", kNothing},
      {"no digit is not taken", kVolume, 5, Typed("abc"), 5, false, "5", kNothing},
      {"a lone sign is not taken", kVolume, 5, Typed("-"), 5, false, "5", kNothing},
      {"cut to nine characters", kSigned, 0, Typed("1234567890"), 127, true, "127", kNothing},
      {"negative in a signed range", kSigned, 0, Typed("-100"), -100, true, "-100", kNothing},
      {"step rounds half away", kTotTimer, 0, Typed("12.5"), 15, true, "15", kNothing},
      {"step rounds down", kTotTimer, 0, Typed("12"), 10, true, "10", kNothing},
      {"display offset", kRemoteId, 0, Typed("69"), 68, true, "69", kNothing},
      {"display offset clamps", kRemoteId, 10, Typed("0"), 0, true, "1", kNothing},
      {"digit starts typing", kVolume, 5, Press('7'), 5, false, "7", kStartEdit},
      {"minus ignored without negatives", kVolume, 5, Press('-'), 5, false, "5", kNothing},
      {"minus starts typing when signed", kSigned, 5, Press('-'), 5, false, "-", kStartEdit},
      {"Enter edits the value", kVolume, 5, Press(kEnter), 5, false, "5", kStartEdit},
      {"F2 edits the value", kRemoteId, 4, Press(kF2), 4, false, "5", kStartEdit},
      {"Activate is Enter", kVolume, 5, Press(SpecialKey::Activate), 5, false, "5", kStartEdit},
      {"other keys do nothing", kVolume, 5, Press('x'), 5, false, "5", kNothing},
  };
  for (const Case& c : cases) {
    int value = c.value;
    IntegerEditor editor(value, c.range);
    const EditorOutcome out = Serve(editor, c.access);
    EXPECT_EQ(value, c.expected) << c.what;
    EXPECT_EQ(out.changed, c.changed) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_EQ(out.result, c.result) << c.what;
  }
}

TEST(IntegerEditorTest, SelectionFollowsTheConventions) {
  int value = 12;
  IntegerEditor shown(value, kVolume);
  EditorOutcome out = Serve(shown, Shown());
  EXPECT_EQ(out.display, "12");
  EXPECT_EQ(out.selectionStart, 0);
  EXPECT_EQ(out.selectionLength, 2);

  IntegerEditor typed(value, kVolume);
  out = Serve(typed, Press('3'));
  EXPECT_EQ(out.selectionStart, 1);
  EXPECT_EQ(out.selectionLength, 0);
}

TEST(IntegerEditorTest, KeysNeedAPopupHost) {
  int value = 20;
  IntegerEditor editor(value, kVolume);
  const EditorOutcome out = Serve(editor, Press(kSpace), /*withPopupHost=*/false);
  EXPECT_EQ(value, 20);
  EXPECT_FALSE(out.changed);
  EXPECT_EQ(out.result, kNothing);
}

TEST(IntegerEditorTest, FixedTextAndClampSwitch) {
  int value = 3;
  IntegerEditor fixed(value, {0, 20, 0, 1, "Auto", false});
  EXPECT_EQ(Serve(fixed, Shown()).display, "Auto");

  int outside = 30;
  IntegerEditor clamped(outside, {0, 20, 0, 1, std::nullopt, true});
  const EditorOutcome out = Serve(clamped, Shown());
  EXPECT_EQ(outside, 20);
  EXPECT_TRUE(out.changed);  // the clamp itself is a change

  int unclamped = 30;
  IntegerEditor plain(unclamped, kVolume);
  EXPECT_FALSE(Serve(plain, Shown()).changed);
  EXPECT_EQ(unclamped, 30);
}

struct ScaledDecimalFixture : ::testing::Test {
  ScaledDecimalFixture() { store.SetLines({"#GI_AppInd_TimerOff", "OFF", "#", "#End_Of_Ovl"}); }
  ScaledDecimalEditor::Format ScanSpeed() { return {1, 50, 200, false, "", 4, " msec"}; }
  ScaledDecimalEditor::Format DualWatch() { return {100, 80, 150, false, "", 1, " sec"}; }
  ScaledDecimalEditor::Format Timer() {
    return {1, 0, 255, true, store.GetFirstLine(ScaledDecimalEditor::kOffTextKey), 4, " sec"};
  }
  OverlayText store;
};

TEST_F(ScaledDecimalFixture, ShowsParsesAndSteps) {
  struct Case {
    const char* what;
    ScaledDecimalEditor::Format format;
    int value;
    EditorAccess access;
    int expected;
    bool changed;
    const char* display;
    AccessResult result;
  };
  const Case cases[] = {
      {"scan speed", ScanSpeed(), 100, Shown(), 100, false, "100 msec", kNothing},
      {"dual watch", DualWatch(), 120, Shown(), 120, false, "1.20 sec", kNothing},
      {"trim keeps inner zeros", DualWatch(), 100, Shown(), 100, false, "1.00 sec", kNothing},
      {"off text for zero", Timer(), 0, Shown(), 0, false, "OFF", kNothing},
      {"typed off", Timer(), 30, Typed("off"), 0, true, "OFF", kNothing},
      {"off in any case", Timer(), 30, Typed(" O-F-f "), 0, true, "OFF", kNothing},
      {"off only where allowed", ScanSpeed(), 100, Typed("off"), 100, false, "100 msec", kNothing},
      {"decimal scaled", DualWatch(), 100, Typed("1.35"), 135, true, "1.35 sec", kNothing},
      {"below minimum clamps", DualWatch(), 100, Typed("0.5"), 80, true, "0.80 sec", kNothing},
      {"above maximum clamps", ScanSpeed(), 100, Typed("999"), 200, true, "200 msec", kNothing},
      {"no digit is not taken", ScanSpeed(), 100, Typed("fast"), 100, false, "100 msec", kNothing},
      {"Space wraps", ScanSpeed(), 200, Press(kSpace), 50, true, "50 msec", kNothing},
      {"Backspace wraps", ScanSpeed(), 50, Press(kBack), 200, true, "200 msec", kNothing},
      {"Enter edits without unit", DualWatch(), 120, Press(kEnter), 120, false, "1.20", kStartEdit},
      {"o starts typing", Timer(), 10, Press('o'), 10, false, "o", kStartEdit},
      {"point starts typing", DualWatch(), 120, Press('.'), 120, false, ".", kStartEdit},
  };
  for (const Case& c : cases) {
    int value = c.value;
    ScaledDecimalEditor editor(value, c.format);
    const EditorOutcome out = Serve(editor, c.access);
    EXPECT_EQ(value, c.expected) << c.what;
    EXPECT_EQ(out.changed, c.changed) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_EQ(out.result, c.result) << c.what;
  }
}

TEST(ScaledDecimalTrimTest, StopsAfterThePoint) {
  struct Case {
    int scale;
    int trim;
    int value;
    const char* text;
  };
  const Case cases[] = {
      {1, 4, 100, "100"},    // "100.000": three zeros and the point
      {1, 9, 100, "100"},    // never into the whole part
      {100, 2, 150, "1.5"},  // "1.500"
      {100, 4, 150, "1.5"},  // stops at a digit
      {100, 0, 150, "1.500"}, {1000, 4, 1005, "1.005"},
  };
  for (const Case& c : cases) {
    int value = c.value;
    ScaledDecimalEditor editor(value, {c.scale, 0, 100000, false, "", c.trim, ""});
    EXPECT_EQ(editor.NumberText(), c.text) << c.scale << " " << c.trim << " " << c.value;
  }
}

TEST(UtcOffsetEditorTest, ParsesTypedOffsets) {
  struct Case {
    const char* text;
    std::optional<int> minutes;
  };
  const Case cases[] = {
      {"-5:30", -330},
      {"+5:30", 330},
      {"5:30", 330},
      {"15:00", 840},
      {"-15:00", -840},
      {"14:00", 840},
      {"+9", 540},
      {":45", 45},
      {"5:", 300},
      {"5:60", std::nullopt},
      {"5:59", 359},
      {"123:45", std::nullopt},
      {"5:3:0", std::nullopt},
      {"UTC -3:00", -180},
      {"0", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(UtcOffsetEditor::Parse(c.text), c.minutes) << c.text;
}

TEST(UtcOffsetEditorTest, ShowsAndEditsOffsets) {
  struct Case {
    int minutes;
    const char* text;
  };
  const Case cases[] = {
      {-330, "-5:30"}, {0, "0:00"}, {840, "+14:00"}, {5, "+0:05"}, {-60, "-1:00"}};
  for (const Case& c : cases) {
    EXPECT_EQ(UtcOffsetEditor::Format(c.minutes), c.text);
    EXPECT_EQ(UtcOffsetEditor::Parse(c.text), c.minutes) << c.text;  // round trip
  }

  int minutes = 60;
  UtcOffsetEditor rejected(minutes);
  EditorOutcome out = Serve(rejected, Typed("1:75"));
  EXPECT_FALSE(out.changed);
  EXPECT_EQ(minutes, 60);
  EXPECT_EQ(out.display, "+1:00");

  UtcOffsetEditor taken(minutes);
  out = Serve(taken, Typed("-5:30"));
  EXPECT_TRUE(out.changed);
  EXPECT_EQ(minutes, -330);
  EXPECT_EQ(out.display, "-5:30");

  for (const CellKey key : {kSpace, kBack, kF2, kEnter}) {
    UtcOffsetEditor editor(minutes);
    out = Serve(editor, Press(key));
    EXPECT_EQ(out.result, kStartEdit) << key;
    EXPECT_EQ(out.display, "-5:30") << key;
  }
  UtcOffsetEditor typing(minutes);
  EXPECT_EQ(Serve(typing, Press('-')).display, "-");
}

TEST(BarEditorTest, DrawsTwentySteps) {
  struct Case {
    int value;
    int minimum;
    int maximum;
    const char* bar;
  };
  const Case cases[] = {
      {0, 0, 100, "[--------------------]"},   {50, 0, 100, "[##########----------]"},
      {100, 0, 100, "[####################]"}, {150, 0, 100, "[####################]"},
      {-5, 0, 100, "[--------------------]"},  {3, 3, 3, "[--------------------]"},
      {128, 0, 255, "[##########----------]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BarEditor::Bar(c.value, c.minimum, c.maximum), c.bar) << c.value;
  }
  BarEditor editor(255, 0, 255);
  const EditorOutcome out = Serve(editor, Press(kSpace));
  EXPECT_EQ(out.display, "[####################]");
  EXPECT_FALSE(out.changed);
}

}  // namespace
}  // namespace rtv
