// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "sheet/CsvTable.h"

namespace rtv {
namespace {

using Rows = std::vector<CsvTable::Row>;

TEST(CsvTableTest, WritesQuotingOnlyWhatNeedsIt) {
  const Rows rows = {{"CH", "Name", ""}, {"16", "a,b", "say \"hi\""}, {"x\ny"}, {}};
  EXPECT_EQ(CsvTable::Write(rows), "CH,Name,\r\n16,\"a,b\",\"say \"\"hi\"\"\"\r\n\"x\ny\"\r\n\r\n");
}

TEST(CsvTableTest, ReadsBackWhatItWrote) {
  const Rows rows = {{"", "a,b", "\"", "line\r\nbreak"}, {"€ UTF-8", " spaced "}, {""}};
  EXPECT_EQ(CsvTable::Read(CsvTable::Write(rows)).rows(), rows);
  EXPECT_TRUE(CsvTable::Read(CsvTable::Write(rows)).problems().empty());
}

struct ReadCase {
  const char* name;
  std::string text;
  Rows rows;
  std::vector<int> problemLines;
};

TEST(CsvTableTest, ReadsWhatOtherProgramsMake) {
  const ReadCase cases[] = {
      {"byte order mark",
       "\xEF\xBB\xBF"
       "a,b\r\n",
       {{"a", "b"}},
       {}},
      {"LF line ends", "a,b\nc\n", {{"a", "b"}, {"c"}}, {}},
      {"CR-only line ends", "a,b\rc\r", {{"a", "b"}, {"c"}}, {}},
      {"no final line end", "a,b\r\nc,d", {{"a", "b"}, {"c", "d"}}, {}},
      {"empty lines", "a\r\n\r\n\r\nb\r\n", {{"a"}, {""}, {""}, {"b"}}, {}},
      {"trailing comma", "a,\r\n", {{"a", ""}}, {}},
      {"empty text", "", {}, {}},
      {"stray quote in a field", "a,b\"c,d\r\n", {{"a", "b\"c", "d"}}, {1}},
      {"text after closing quote", "\"ab\"cd,e\r\n", {{"abcd", "e"}}, {1}},
      {"unclosed quote", "a\r\n\"b,c\r\nd\r\n", {{"a"}, {"b,c\r\nd\r\n"}}, {2}},
      {"quoted line break counts lines", "\"a\nb\",\"c\"\"\r\nx\"\r\n", {{"a\nb", "c\"\r\nx"}}, {}},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    const CsvTable table = CsvTable::Read(c.text);
    EXPECT_EQ(table.rows(), c.rows);
    std::vector<int> lines;
    for (const auto& problem : table.problems()) lines.push_back(problem.line);
    EXPECT_EQ(lines, c.problemLines);
  }
}

TEST(CsvTableTest, RowLinesFollowQuotedLineBreaks) {
  const CsvTable table = CsvTable::Read("a\r\n\"b\nc\"\r\nd\r\n");
  EXPECT_EQ(table.rowLines(), (std::vector<int>{1, 2, 4}));
}

// Any table of texts made of the bytes that matter survives writing and reading.
TEST(CsvTableTest, RandomTablesRoundTrip) {
  std::mt19937 random(12);
  const std::string alphabet = std::string("a,\"\r\n \xEF\xBB\xBF=-'1", 13);
  for (int round = 0; round < 500; ++round) {
    Rows rows(random() % 5 + 1);
    for (auto& row : rows) {
      row.resize(random() % 4 + 1);
      for (auto& field : row) {
        for (int i = static_cast<int>(random() % 6); i > 0; --i) {
          field += alphabet[random() % alphabet.size()];
        }
      }
    }
    // A text cannot start with a byte order mark: a reader takes it for the file's.
    if (rows[0][0].rfind("\xEF\xBB\xBF", 0) == 0) rows[0][0].insert(0, "x");
    const CsvTable table = CsvTable::Read(CsvTable::Write(rows));
    ASSERT_EQ(table.rows(), rows) << CsvTable::Write(rows);
    ASSERT_TRUE(table.problems().empty());
  }
}

struct GuardCase {
  const char* text;
  const char* written;  // the line Write makes of it
};

// A spreadsheet must show what the sheet showed, never run it.
TEST(CsvTableTest, TextsThatLookLikeFormulasAreWrittenAsText) {
  const GuardCase cases[] = {
      {"=CMD()", "'=CMD()"},
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+A1", "'+A1"},
      {"-1+2", "'-1+2"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\tX", "'\tX"},
      {"\rX", "\"'\rX\""},
      {"'quoted", "''quoted"},
      // Signs and numbers are what they seem.
      {"-", "-"},
      {"---", "---"},
      {"-5", "-5"},
      {"+12.5", "+12.5"},
      {"A=B", "A=B"},
  };
  for (const GuardCase& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(CsvTable::Write({{c.text}}), std::string(c.written) + "\r\n");
    EXPECT_EQ(CsvTable::Read(CsvTable::Write({{c.text}})).rows(), Rows{{c.text}});
  }
  // One leading apostrophe goes, as a spreadsheet's own export would have it.
  EXPECT_EQ(CsvTable::Read("'abc,'',\"'=1\"\r\n").rows(), (Rows{{"abc", "'", "=1"}}));
}

// The clipboard's form: tabs between the fields, the same quoting and the same guard.
TEST(CsvTableTest, TabSeparatedTextsAreGuardedAndReadBack) {
  const GuardCase cases[] = {
      {"=CMD()", "'=CMD()"}, {"+A1", "'+A1"},     {"-1+2", "'-1+2"}, {"@SUM(A1)", "'@SUM(A1)"},
      {"\tX", "\"'\tX\""},   {"\rX", "\"'\rX\""}, {"a,b", "a,b"},    {"a\tb", "\"a\tb\""},
      {"-5", "-5"},          {"-", "-"},
  };
  for (const GuardCase& c : cases) {
    SCOPED_TRACE(c.text);
    const std::string written = CsvTable::Write({{c.text, "x"}}, CsvTable::kTab);
    EXPECT_EQ(written, std::string(c.written) + "\tx\r\n");
    EXPECT_EQ(CsvTable::Read(written, SIZE_MAX, CsvTable::kTab).rows(), (Rows{{c.text, "x"}}));
  }
  // What a spreadsheet puts on the clipboard: LF line ends, commas inside fields.
  EXPECT_EQ(CsvTable::Read("No.\tName\n1\tA,B\n", SIZE_MAX, CsvTable::kTab).rows(),
            (Rows{{"No.", "Name"}, {"1", "A,B"}}));
}

TEST(CsvTableTest, RowsBeyondTheWantedOnesAreCountedNotKept) {
  const CsvTable table = CsvTable::Read("a\r\nb\r\n\"c\nc\"\r\n\"d\r\n,,\r\n\r\n", 2);
  EXPECT_EQ(table.rows(), (Rows{{"a"}, {"b"}}));
  EXPECT_EQ(table.rowCount(), 4u);  // the unclosed quote of row 4 takes the rest
  EXPECT_EQ(table.filledRowCount(), 4u);
  EXPECT_EQ(table.LineOfRow(2), 3);
  EXPECT_EQ(table.LineOfRow(3), 0);
  EXPECT_TRUE(table.problems().empty());  // those of rows not kept are not looked at

  const CsvTable blankEnd = CsvTable::Read("a\r\nb\r\n,\r\n\r\n", 1);
  EXPECT_EQ(blankEnd.rowCount(), 4u);
  EXPECT_EQ(blankEnd.filledRowCount(), 2u);
}

}  // namespace
}  // namespace rtv
