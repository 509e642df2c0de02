// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "EditorAccess.h"
#include "ShippedData.h"
#include "cells/EditRule.h"
#include "cells/IdDigitsEditor.h"
#include "cells/RadioCharset.h"
#include "cells/TextEditor.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

using IdBytes = std::array<std::uint8_t, 5>;
constexpr IdBytes kAbsent{0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(IdDigitsEditorTest, StoresExactlyNDigitsAndRefusesAnyOtherText) {
  struct Case {
    const char* typed;
    int digits;
    IdBytes stored;  // {1, 2, 3, 4, 5}: refused, the ID as it was
    bool refused;
  };
  constexpr IdBytes kKept{1, 2, 3, 4, 5};
  const Case cases[] = {
      {"123456789", 9, {12, 34, 56, 78, 90}, false},  // the tenth digit is 0
      {"12345678", 9, kKept, true},
      {"1234567890", 9, kKept, true},
      {"1234567890", 10, {12, 34, 56, 78, 90}, false},
      {"0987654321", 10, {9, 87, 65, 43, 21}, false},
      {"123-456 789", 9, {12, 34, 56, 78, 90}, false},
      {"", 9, kAbsent, false},  // an empty text clears the ID
      {"  ", 9, kAbsent, false},
      {"abc", 9, kKept, true},
      {"36612345A9", 9, kKept, true},  // nine digits, but not as an ID is written
  };
  for (const Case& c : cases) {
    IdBytes bytes = kKept;
    IdDigitsEditor editor(bytes, c.digits);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(bytes, c.stored) << c.typed << " " << c.digits;
    EXPECT_EQ(out.changed, !c.refused) << c.typed;
    EXPECT_EQ(out.keepEditing, c.refused) << c.typed;
    EXPECT_EQ(out.notice, c.refused ? CellNotice::IdDigitCount : CellNotice::None) << c.typed;
    if (c.refused) {
      EXPECT_EQ(out.noticeValues, std::vector<std::string>{std::to_string(c.digits)});
    }
  }
}

TEST(IdDigitsEditorTest, ShowsDigitsAndChecks) {
  struct Case {
    IdBytes bytes;
    int digits;
    const char* text;
    int check;
  };
  const Case cases[] = {
      {{12, 34, 56, 78, 90}, 9, "123456789", 0xFF - (270 & 0xFF)},
      {{12, 34, 56, 78, 90}, 10, "1234567890", 0xFF - (270 & 0xFF)},
      {{0, 0, 0, 0, 0}, 9, "000000000", 0xFF},
      {{99, 99, 99, 99, 99}, 10, "9999999999", 0xFF - (495 & 0xFF)},
      {kAbsent, 9, "", 0xFF},
      {{12, 34, 56, 78, 0xFF}, 9, "", 0xFF},
      // Only the bytes that hold digits decide what is shown; the check needs all five.
      {{12, 34, 56, 78, 0xFF}, 8, "12345678", 0xFF},
      {{100, 34, 56, 78, 90}, 9, "", 0xFF},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IdDigitsEditor::Digits(c.bytes, c.digits), c.text) << c.text;
    EXPECT_EQ(IdDigitsEditor::CheckByte(c.bytes), c.check) << c.text;
  }
}

TEST(IdDigitsEditorTest, KeysOpenTheDigits) {
  for (const CellKey key : {CellKey(SpecialKey::Enter), CellKey::Typed(' '),
                            CellKey(SpecialKey::Backspace), CellKey(SpecialKey::F2)}) {
    IdBytes bytes{12, 34, 56, 78, 90};
    IdDigitsEditor editor(bytes, 9);
    const EditorOutcome out = Serve(editor, Press(key));
    EXPECT_EQ(out.result, kStartEdit) << key;
    EXPECT_EQ(out.display, "123456789") << key;
    EXPECT_EQ(out.selectionLength, 9) << key;
    EXPECT_FALSE(out.changed) << key;
  }
  IdBytes bytes = kAbsent;
  IdDigitsEditor typing(bytes, 9);
  const EditorOutcome out = Serve(typing, Press('2'));
  EXPECT_EQ(out.display, "2");
  EXPECT_EQ(out.result, kStartEdit);
  IdDigitsEditor letter(bytes, 9);
  EXPECT_EQ(Serve(letter, Press('a')).result, kNothing);
}

TEST(RadioCharsetTest, MapsToTheRadioCharacters) {
  struct Case {
    char in;
    char out;
  };
  const Case cases[] = {{' ', ' '},  {'!', '!'},  {'0', '0'},    {'Z', 'Z'},   {'_', '_'},
                        {'a', 'A'},  {'z', 'Z'},  {'`', ' '},    {'{', ' '},   {'~', ' '},
                        {'\t', ' '}, {'\0', ' '}, {'\x7F', ' '}, {'\xE9', ' '}};
  for (const Case& c : cases) EXPECT_EQ(ToRadioChar(c.in), c.out) << static_cast<int>(c.in);
}

TEST(RadioCharsetTest, FreeNamesEndInABOrSpace) {
  struct Case {
    const char* in;
    const char* out;
  };
  const Case cases[] = {{"abc", "AB "},
                        {"xya", "XYA"},
                        {"16b", "16B"},
                        {"a~B", "A B"},
                        {"_a_", "_A "},
                        {"\x01"
                         "A\xFF",
                         " A "}};
  for (const Case& c : cases) {
    std::array<std::uint8_t, 3> name{};
    for (int i = 0; i < 3; ++i) name[i] = static_cast<std::uint8_t>(c.in[i]);
    NormaliseFreeName(name);
    EXPECT_EQ(std::string(name.begin(), name.end()), c.out) << c.in;
  }
}

TEST(TextEditorTest, CommitsPaddedAndNormalisedAndSaysWhatChanged) {
  constexpr CellNotice kAsTyped = CellNotice::None;
  constexpr CellNotice kCut = CellNotice::TextCut;
  constexpr CellNotice kReplaced = CellNotice::TextReplaced;
  struct Case {
    const char* what;
    std::string field;
    TextEditor::Charset charset;
    const char* typed;
    const char* stored;
    const char* display;
    CellNotice notice;
  };
  const Case cases[] = {
      {"pads", "OLDCOMMENT", TextEditor::Charset::Radio, "bay", "BAY       ", "BAY", kAsTyped},
      {"cuts", "OLDCOMMENT", TextEditor::Charset::Radio, "harbour master", "HARBOUR MA",
       "HARBOUR MA", kCut},
      {"radio set", "OLDCOMMENT", TextEditor::Charset::Radio, "a{b}~\tc", "A B   C   ", "A B   C",
       kReplaced},
      {"free name", "16A", TextEditor::Charset::FreeName, "abc", "AB ", "AB", kReplaced},
      {"free name short", "16A", TextEditor::Charset::FreeName, "x", "X  ", "X", kAsTyped},
      {"free name suffix", "16A", TextEditor::Charset::FreeName, "16b", "16B", "16B", kAsTyped},
      {"printable kept", "          ", TextEditor::Charset::Printable, "a~b\x01", "a~b       ",
       "a~b", kReplaced},
      {"trailing spaces", "OLD", TextEditor::Charset::Radio, "ab     ", "AB ", "AB", kAsTyped},
      {"empty", "OLDCOMMENT", TextEditor::Charset::Radio, "", "          ", "", kAsTyped},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> field = Bytes(c.field);
    TextEditor editor(field, c.charset);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(std::string(field.begin(), field.end()), c.stored) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_TRUE(out.changed) << c.what;
    EXPECT_EQ(out.notice, c.notice) << c.what;
    EXPECT_FALSE(out.keepEditing) << c.what;
    EXPECT_EQ(out.rule.maxLength, static_cast<int>(c.field.size())) << c.what;
  }
}

TEST(EditRuleTest, TakesOnlyWhatTheFieldStores) {
  constexpr auto kOk = EditRefusal::None;
  struct Case {
    EditRule rule;
    char typed;
    int position;
    char adjusted;
    EditRefusal refusal;
  };
  const EditRule name{3, EditCharset::FreeName};
  const EditRule comment{10, EditCharset::Radio};
  const Case cases[] = {
      {name, 'm', 0, 'M', kOk},
      {name, 'r', 2, 'R', EditRefusal::FreeNameSuffix},
      {name, 'b', 2, 'B', kOk},
      {name, ' ', 2, ' ', kOk},
      {name, 'A', 3, 'A', EditRefusal::TooLong},
      {comment, '{', 0, '{', EditRefusal::NotShown},
      {comment, '_', 9, '_', kOk},
      {{0, EditCharset::Printable}, 'a', 50, 'a', kOk},
      {{0, EditCharset::Digits}, 'A', 0, 'A', EditRefusal::NotDigit},
      {{0, EditCharset::Digits}, '-', 3, '-', kOk},
      {{0, EditCharset::Frequency}, '.', 3, '.', kOk},
      {{0, EditCharset::Frequency}, ',', 3, ',', EditRefusal::NotFrequency},
      {{0, EditCharset::Any}, '~', 99, '~', kOk},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.typed));
    EXPECT_EQ(c.rule.Adjust(c.typed), c.adjusted);
    EXPECT_EQ(c.rule.Check(static_cast<unsigned char>(c.adjusted), c.position), c.refusal);
  }
  // Outside ASCII nothing is on the radio.
  EXPECT_EQ(comment.Check(0x80, 0), EditRefusal::NotShown);
  EXPECT_FALSE(EditRule{}.Limits());
}

TEST(EditRuleTest, SaysItsRuleAndItsRefusalsInWords) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(test::DataFile("RTV612.OVL")));
  const EditRule name{3, EditCharset::FreeName};
  const std::string rule = name.Describe(overlay, "Name");
  EXPECT_EQ(rule.rfind("Name: up to 3 characters, A-Z 0-9", 0), 0u) << rule;
  EXPECT_EQ(EditRule{}.Describe(overlay, "Name"), "");
  EXPECT_NE(name.RefusalText(overlay, EditRefusal::NotShown, "\xC3\xA4").find("\xC3\xA4"),
            std::string::npos);
  EXPECT_EQ(name.RefusalText(overlay, EditRefusal::TooLong, "x"), "This field holds 3 characters.");
  EXPECT_EQ(name.RefusalText(overlay, EditRefusal::None, "x"), "");
}

TEST(TextEditorTest, ShowsPrintableBytesAndStartsEditing) {
  std::vector<std::uint8_t> field{'A', 0x01, 'B', 0xC8, ' ', ' '};
  TextEditor shown(field, TextEditor::Charset::Radio);
  EditorOutcome out = Serve(shown, Shown());
  EXPECT_EQ(out.display, "A B");
  EXPECT_EQ(out.selectionLength, 3);
  EXPECT_FALSE(out.changed);
  EXPECT_EQ(field[1], 0x01);  // showing changes nothing

  struct Case {
    CellKey key;
    const char* display;
    int selectionStart;
    int selectionLength;
  };
  const Case cases[] = {
      {CellKey::Typed('x'), "x", 1, 0},   {SpecialKey::Enter, "A B", 0, 3},
      {CellKey::Typed(' '), "A B", 0, 3}, {SpecialKey::Backspace, "A B", 0, 3},
      {SpecialKey::F2, "A B", 0, 3},
  };
  for (const Case& c : cases) {
    TextEditor editor(field, TextEditor::Charset::Radio);
    out = Serve(editor, Press(c.key));
    EXPECT_EQ(out.result, kStartEdit) << c.key;
    EXPECT_EQ(out.display, c.display) << c.key;
    EXPECT_EQ(out.selectionStart, c.selectionStart) << c.key;
    EXPECT_EQ(out.selectionLength, c.selectionLength) << c.key;
  }
}

}  // namespace
}  // namespace rtv
