// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/FrequencyEditor.h"

#include <gtest/gtest.h>

#include <optional>

#include "EditorAccess.h"

namespace rtv {
namespace {

TEST(FrequencyEditorTest, TypedFrequenciesLieOnTheRaster) {
  struct Case {
    const char* typed;
    std::optional<std::uint32_t> hz;
  };
  const Case cases[] = {
      {"99", 100'000'000},         // raised to the lowest
      {"200", 199'987'500},        // limited to the highest raster step
      {"156.05", 156'050'000},     // a whole 50 kHz step
      {"156.0125", 156'012'500},   // 12.5 kHz, typed to the 100 Hz
      {"156.80625", 156'806'250},  // 6.25 kHz, typed to the 10 Hz
      {"156.8", 156'800'000},
      {"156.013", std::nullopt},  // no raster step within the typed kHz
      {"156.001", std::nullopt},
      {"156.0126", std::nullopt},
      {"156.01", 156'012'500},    // the next step within the typed 10 kHz
      {"156.8MHz", 156'800'000},  // letters dropped
      {" 1 5 6 . 8 ", 156'800'000},
      {"156.80000000001", 156'800'000},  // cut to ten characters
      {"", std::nullopt},
      {"abc", std::nullopt},
      {".", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(FrequencyEditor::Parse(c.typed), c.hz) << c.typed;
}

TEST(FrequencyEditorTest, AFrequencyOutsideTheBandTakesTheNearestEndAndSaysSo) {
  struct Case {
    const char* typed;
    std::uint32_t hz;
    CellNotice notice;
  };
  const Case cases[] = {
      {"200", 199'987'500, CellNotice::FrequencyLimited},
      {"199.99", 199'987'500, CellNotice::FrequencyLimited},
      {"199.9875", 199'987'500, CellNotice::None},
      {"99", 100'000'000, CellNotice::FrequencyLimited},
      {"156.8", 156'800'000, CellNotice::None},
  };
  for (const Case& c : cases) {
    FreeFrequencies row;
    FrequencyEditor editor(row, true, true);
    CellRequest request;
    request.commit = CellCommit::Text;
    request.editText = c.typed;
    editor.Serve(request);
    EXPECT_EQ(row.tx, c.hz) << c.typed;
    EXPECT_EQ(request.notice, c.notice) << c.typed;
    // The top of the band is a raster step, so what is shown is what is stored.
    EXPECT_EQ(c.hz % 6250, 0U) << c.typed;
  }
}

TEST(FrequencyEditorTest, AFrequencyOffTheRasterIsRefusedWithTheNearestOne) {
  struct Case {
    const char* typed;
    const char* nearest;  // empty: taken
  };
  const Case cases[] = {
      {"156.013", "156.0125"},   {" 156.001 ", "156"}, {"156.0126", "156.0125"},
      {"156.0157", "156.01875"}, {"156.8", ""},        {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    FreeFrequencies row{156'800'000, 156'800'000, false, false};
    FrequencyEditor editor(row, false, true);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    const bool refused = *c.nearest != '\0';
    EXPECT_EQ(out.keepEditing, refused);
    if (refused) {
      EXPECT_EQ(out.notice, CellNotice::OffRaster);
      std::string typed = c.typed;
      typed.erase(0, typed.find_first_not_of(' '));
      typed.erase(typed.find_last_not_of(' ') + 1);
      EXPECT_EQ(out.noticeValues, (std::vector<std::string>{typed, c.nearest}));
      EXPECT_EQ(row.rx, 156'800'000u);
      EXPECT_FALSE(out.changed);
    }
    EXPECT_EQ(out.rule.charset, EditCharset::Frequency);
  }
}

TEST(FrequencyEditorTest, FormatsMegahertzWithFiveDecimals) {
  EXPECT_EQ(FrequencyEditor::FormatMHz(156'800'000), "156.80000");
  EXPECT_EQ(FrequencyEditor::FormatMHz(156'012'500), "156.01250");
  EXPECT_EQ(FrequencyEditor::FormatMHz(100'000'000), "100.00000");
  EXPECT_EQ(FrequencyEditor::FormatMHz(30'150'000), "30.15000");
}

FreeFrequencies Simplex() { return {156'800'000, 156'800'000, false, false}; }
FreeFrequencies Duplex() { return {161'000'000, 156'400'000, false, false}; }
FreeFrequencies Blank() { return {}; }

TEST(FrequencyEditorTest, CommitsKeepSimplexChannelsSimplex) {
  struct Case {
    const char* what;
    FreeFrequencies row;
    bool tx;
    const char* typed;
    FreeFrequencies expected;
    bool changed;
  };
  const Case cases[] = {
      {"RX of a simplex row moves TX",
       Simplex(),
       false,
       "156.3",
       {156'300'000, 156'300'000, false, false},
       true},
      {"RX of a duplex row",
       Duplex(),
       false,
       "160.6",
       {160'600'000, 156'400'000, false, false},
       true},
      {"TX of a simplex row",
       Simplex(),
       true,
       "156.3",
       {156'800'000, 156'300'000, false, false},
       true},
      {"RX of a blank row", Blank(), false, "156.3", {156'300'000, 0, false, true}, true},
      {"TX of a blank row", Blank(), true, "156.3", {0, 156'300'000, true, false}, true},
      {"RX with TX blank",
       {156'800'000, 156'800'000, false, true},
       false,
       "156.3",
       {156'300'000, 156'800'000, false, true},
       true},
      {"off the raster", Simplex(), false, "156.013", Simplex(), false},
      {"empty text", Simplex(), true, "", Simplex(), false},
  };
  for (const Case& c : cases) {
    FreeFrequencies row = c.row;
    FrequencyEditor editor(row, c.tx, true);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(row.rx, c.expected.rx) << c.what;
    EXPECT_EQ(row.tx, c.expected.tx) << c.what;
    EXPECT_EQ(row.rxBlank, c.expected.rxBlank) << c.what;
    EXPECT_EQ(row.txBlank, c.expected.txBlank) << c.what;
    EXPECT_EQ(out.changed, c.changed) << c.what;
  }
}

TEST(FrequencyEditorTest, TxShowsArrowForSimplex) {
  struct Case {
    const char* what;
    FreeFrequencies row;
    bool tx;
    bool rowHasData;
    const char* display;
    std::uint8_t flags;
  };
  const Case cases[] = {
      {"RX", Simplex(), false, true, "156.80000", FrequencyEditor::kShowsFrequency},
      {"TX simplex", Simplex(), true, true, "<-", FrequencyEditor::kShowsSameAsRx},
      {"TX simplex, no data", Simplex(), true, false, "156.80000",
       FrequencyEditor::kShowsFrequency},
      {"TX duplex", Duplex(), true, true, "156.40000", FrequencyEditor::kShowsFrequency},
      {"TX blank",
       {156'800'000, 156'800'000, false, true},
       true,
       true,
       "",
       FrequencyEditor::kShowsFrequency},
      {"RX blank", Blank(), false, true, "", FrequencyEditor::kShowsFrequency},
  };
  for (const Case& c : cases) {
    FreeFrequencies row = c.row;
    FrequencyEditor editor(row, c.tx, c.rowHasData);
    EXPECT_EQ(Serve(editor, Shown()).display, c.display) << c.what;
    EXPECT_EQ(editor.cellFlags(), c.flags) << c.what;
  }
}

TEST(FrequencyEditorTest, KeysStartEditing) {
  struct Case {
    const char* what;
    FreeFrequencies row;
    bool tx;
    bool rowHasData;
    CellKey key;
    const char* display;
    int selectionStart;
    int selectionLength;
  };
  const Case cases[] = {
      {"point: caret after it", Duplex(), false, true, CellKey::Typed('.'), "161.00000", 4, 0},
      {"equals: RX on TX", Duplex(), true, true, CellKey::Typed('='), "161.00000", 0, 9},
      {"digit", Duplex(), false, true, CellKey::Typed('1'), "1", 1, 0},
      {"space", Duplex(), false, true, CellKey::Typed(' '), " ", 1, 0},
      {"Enter: its own frequency", Simplex(), true, true, SpecialKey::Enter, "156.80000", 0, 9},
      {"F2", Duplex(), false, true, SpecialKey::F2, "161.00000", 0, 9},
      {"Enter without data", Duplex(), false, false, SpecialKey::Enter, "", 0, 0},
      {"point on a blank", Blank(), false, true, CellKey::Typed('.'), "", 0, 0},
  };
  for (const Case& c : cases) {
    FreeFrequencies row = c.row;
    FrequencyEditor editor(row, c.tx, c.rowHasData);
    const EditorOutcome out = Serve(editor, Press(c.key));
    EXPECT_EQ(out.result, kStartEdit) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_EQ(out.selectionStart, c.selectionStart) << c.what;
    EXPECT_EQ(out.selectionLength, c.selectionLength) << c.what;
    EXPECT_FALSE(out.changed) << c.what;
  }
  FreeFrequencies row = Duplex();
  FrequencyEditor rx(row, false, true);
  EXPECT_EQ(Serve(rx, Press('=')).result, kNothing);  // "=" belongs to TX
}

}  // namespace
}  // namespace rtv
