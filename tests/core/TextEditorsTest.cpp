// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "EditorAccess.h"
#include "cells/IdDigitsEditor.h"
#include "cells/RadioCharset.h"
#include "cells/TextEditor.h"

namespace rtv {
namespace {

using IdBytes = std::array<std::uint8_t, 5>;
constexpr IdBytes kAbsent{0xFF, 0xFF, 0xFF, 0xFF, 0xFF};

std::vector<std::uint8_t> Bytes(const std::string& text) { return {text.begin(), text.end()}; }

TEST(IdDigitsEditorTest, StoresExactlyNDigitsOrNothing) {
  struct Case {
    const char* typed;
    int digits;
    IdBytes stored;
  };
  const Case cases[] = {
      {"123456789", 9, {12, 34, 56, 78, 90}},  // the tenth digit is 0
      {"12345678", 9, kAbsent},
      {"1234567890", 9, kAbsent},
      {"1234567890", 10, {12, 34, 56, 78, 90}},
      {"0987654321", 10, {9, 87, 65, 43, 21}},
      {"123-456 789", 9, {12, 34, 56, 78, 90}},
      {"", 9, kAbsent},
      {"abc", 9, kAbsent},
  };
  for (const Case& c : cases) {
    IdBytes bytes{1, 2, 3, 4, 5};
    IdDigitsEditor editor(bytes, c.digits);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(bytes, c.stored) << c.typed << " " << c.digits;
    EXPECT_TRUE(out.changed) << c.typed;
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

TEST(TextEditorTest, CommitsPaddedAndNormalised) {
  struct Case {
    const char* what;
    std::string field;
    TextEditor::Charset charset;
    const char* typed;
    const char* stored;
    const char* display;
  };
  const Case cases[] = {
      {"pads", "OLDCOMMENT", TextEditor::Charset::Radio, "bay", "BAY       ", "BAY"},
      {"cuts", "OLDCOMMENT", TextEditor::Charset::Radio, "harbour master", "HARBOUR MA",
       "HARBOUR MA"},
      {"radio set", "OLDCOMMENT", TextEditor::Charset::Radio, "a{b}~\tc", "A B   C   ", "A B   C"},
      {"free name", "16A", TextEditor::Charset::FreeName, "abc", "AB ", "AB"},
      {"free name short", "16A", TextEditor::Charset::FreeName, "x", "X  ", "X"},
      {"printable kept", "          ", TextEditor::Charset::Printable, "a~b\x01", "a~b       ",
       "a~b"},
      {"empty", "OLDCOMMENT", TextEditor::Charset::Radio, "", "          ", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> field = Bytes(c.field);
    TextEditor editor(field, c.charset);
    const EditorOutcome out = Serve(editor, Typed(c.typed));
    EXPECT_EQ(std::string(field.begin(), field.end()), c.stored) << c.what;
    EXPECT_EQ(out.display, c.display) << c.what;
    EXPECT_TRUE(out.changed) << c.what;
  }
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
