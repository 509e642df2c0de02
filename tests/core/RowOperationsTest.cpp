// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RowOperations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "base/Message.h"
#include "cells/CellRequest.h"

namespace rtv {
namespace {

constexpr std::int32_t kIdTable = 0x25C0;
constexpr int kEmpty = -1;
constexpr ListKind kIndividual = ListKind::DscIndividualIds;

// The individual ID list with numbered entries: row r holds ID "23 nn nn 00 00" named
// after the number, or nothing.
void PutEntry(EepromImage& image, int row, int number) {
  const std::int32_t a = kIdTable + 16 * row;
  if (number == kEmpty) {
    for (int i = 0; i < 5; ++i) image.SetByte(a + i, 0xFF);
    for (int i = 5; i < 15; ++i) image.SetByte(a + i, ' ');
    image.SetByte(a + 15, 255);
    return;
  }
  const std::uint8_t id[5] = {23, static_cast<std::uint8_t>(number / 100),
                              static_cast<std::uint8_t>(number % 100), 0, 0};
  image.WriteBlock(a, id, 5);
  const std::string name = "ENTRY " + std::to_string(number + 10000).substr(1);
  image.WriteBlock(a + 5, reinterpret_cast<const std::uint8_t*>(name.data()), 10);
  image.SetByte(a + 15, 0);
}

int Entry(const EepromImage& image, int row) {
  const std::int32_t a = kIdTable + 16 * row;
  if (image.GetByte(a) > 99 || image.GetByte(a + 15) == 255) return kEmpty;
  return image.GetByte(a + 1) * 100 + image.GetByte(a + 2);
}

// The individual list as numbers; `filled` rows from 0 numbered 100, 101, …
struct RowFixture {
  explicit RowFixture(int filled = 60) {
    for (int row = 0; row < 60; ++row) PutEntry(host.image, row, row < filled ? 100 + row : kEmpty);
  }

  bool Run(int command, ListKind kind, int row, int first = -1, int last = -1) {
    request = CellRequest{};
    if (first >= 0) {
      request.rangeFlags = CellRequest::kRangeSelected;
      request.rangeFirst = first;
      request.rangeLast = last;
    }
    return operations.Run(command, kind, row, request);
  }
  std::vector<int> Entries(int first, int last) const {
    std::vector<int> numbers;
    for (int row = first; row <= last; ++row) numbers.push_back(Entry(host.image, row));
    return numbers;
  }
  std::vector<std::string> Questions() const {
    std::vector<std::string> texts;
    for (const auto& shown : prompts.shown) texts.push_back(shown.text);
    return texts;
  }

  MemoryAccessHost host{test::DataFile("RTV612.OVL")};
  test::ScriptedPrompts prompts;
  RowOperations operations{host, host.overlay, prompts};
  CellRequest request;
};

TEST(RowOperationsTest, CopyTakesTheRangeOrElseTheCurrentRow) {
  struct Case {
    int first, last;  // -1: no range selected
    int bufferFirst, bufferCount;
  };
  const Case cases[] = {{-1, -1, 7, 1}, {3, 5, 3, 3}, {5, 3, 3, 3}, {57, 70, 57, 3}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.first << ".." << c.last);
    RowFixture f;
    const EepromImage before = f.host.image;
    ASSERT_TRUE(f.Run(RowOperations::kCopy, kIndividual, 7, c.first, c.last));
    EXPECT_EQ(f.operations.Buffer().FirstRow(), c.bufferFirst);
    EXPECT_EQ(f.operations.Buffer().Count(), c.bufferCount);
    EXPECT_TRUE(f.operations.Buffer().Holds(kIndividual));
    EXPECT_EQ(f.request.rangeFlags & CellRequest::kRangeReselect, CellRequest::kRangeReselect);
    EXPECT_EQ(f.request.rangeFirst, c.bufferFirst);
    EXPECT_EQ(f.request.rangeLast, c.bufferFirst + c.bufferCount - 1);
    EXPECT_TRUE(f.host.image.Equals(before));
    EXPECT_TRUE(f.prompts.shown.empty());
    EXPECT_EQ(f.host.LastStatus(), f.host.overlay.GetFirstLine("GI_AppMess_S_Copy"));
  }
}

TEST(RowOperationsTest, PasteDropsTheRowsThatDoNotFitAndAsksBeforeOverwriting) {
  struct Case {
    const char* what;
    int filled;  // rows holding entries before the paste
    int at;
    std::vector<int> expected;  // rows 56–59 afterwards
    bool asked;
    Message redraw;  // one row's, else every cell's
  };
  const Case cases[] = {
      {"5 rows at B - 1 onto empty rows",
       5,
       58,
       {kEmpty, kEmpty, 100, 101},
       false,
       msg::DataChanged{}},
      {"onto entries", 60, 58, {156, 157, 100, 101}, true, msg::DataChanged{}},
      {"at B", 5, 59, {kEmpty, kEmpty, kEmpty, 100}, false, msg::RedrawIndex{59}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowFixture f(c.filled);
    ASSERT_TRUE(f.Run(RowOperations::kCopy, kIndividual, 0, 0, 4));
    f.host.messages.clear();
    ASSERT_TRUE(f.Run(RowOperations::kPaste, kIndividual, c.at));
    EXPECT_EQ(f.Entries(56, 59), c.expected);
    EXPECT_EQ(f.Entries(0, 4), (std::vector<int>{100, 101, 102, 103, 104}));
    EXPECT_EQ(f.prompts.shown.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(f.host.messages, std::vector<Message>{c.redraw});
    EXPECT_EQ(f.request.rangeFirst, c.at);
    EXPECT_EQ(f.request.rangeLast, 59);
    EXPECT_EQ(f.host.LastStatus(), f.host.overlay.GetFirstLine("GI_AppMess_S_Paste"));
  }
}

TEST(RowOperationsTest, PasteNeedsRowsOfTheSameKind) {
  RowFixture f;
  EXPECT_FALSE(f.operations.IsEnabled(RowOperations::kPaste, kIndividual));
  EXPECT_FALSE(f.Run(RowOperations::kPaste, kIndividual, 3));
  ASSERT_TRUE(f.Run(RowOperations::kCopy, kIndividual, 3));
  EXPECT_TRUE(f.operations.IsEnabled(RowOperations::kPaste, kIndividual));
  EXPECT_FALSE(f.operations.IsEnabled(RowOperations::kPaste, ListKind::DscGroupIds));
  const EepromImage before = f.host.image;
  EXPECT_FALSE(f.Run(RowOperations::kPaste, ListKind::DscGroupIds, 0));
  EXPECT_TRUE(f.host.image.Equals(before));
}

TEST(RowOperationsTest, CarryMovesTheBlockAndTheNeighbourChangesSides) {
  struct Case {
    const char* what;
    int command;
    int first, last;
    std::vector<int> rows8to14;  // afterwards
    int cursor;
    int rangeFirst;
  };
  const Case cases[] = {
      {"down", RowOperations::kCarryDown, 10, 12, {108, 109, 113, 110, 111, 112, 114}, 13, 11},
      {"up", RowOperations::kCarryUp, 10, 12, {108, 110, 111, 112, 109, 113, 114}, 9, 9},
      {"one row down",
       RowOperations::kCarryDown,
       10,
       10,
       {108, 109, 111, 110, 112, 113, 114},
       11,
       11},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowFixture f;
    ASSERT_TRUE(f.Run(c.command, kIndividual, c.first, c.first, c.last));
    EXPECT_EQ(f.Entries(8, 14), c.rows8to14);
    EXPECT_TRUE(f.request.redirected);
    EXPECT_EQ(f.request.servedIndex, c.cursor);
    EXPECT_EQ(f.request.rangeFirst, c.rangeFirst);
    EXPECT_EQ(f.request.rangeLast, c.rangeFirst + c.last - c.first);
    EXPECT_TRUE(f.prompts.shown.empty());
    EXPECT_TRUE(f.host.statusTexts.empty());
    EXPECT_EQ(f.host.messages, std::vector<Message>{msg::DataChanged{}});
  }
  RowFixture f;
  const EepromImage before = f.host.image;
  EXPECT_FALSE(f.Run(RowOperations::kCarryDown, kIndividual, 57, 57, 59));  // at the end
  EXPECT_FALSE(f.Run(RowOperations::kCarryUp, kIndividual, 0));
  EXPECT_TRUE(f.host.image.Equals(before));
}

TEST(RowOperationsTest, DeleteMovesTheRowsBelowUpAndAsksOnlyAboutData) {
  struct Case {
    const char* what;
    int filled;
    int first, last;
    bool asked;
    std::vector<int> rows0to5;
    std::vector<int> rows57to59;
  };
  const Case cases[] = {
      {"entries", 60, 1, 2, true, {100, 103, 104, 105, 106, 107}, {159, kEmpty, kEmpty}},
      {"empty rows",
       2,
       3,
       4,
       false,
       {100, 101, kEmpty, kEmpty, kEmpty, kEmpty},
       {kEmpty, kEmpty, kEmpty}},
      {"the last row", 60, 59, 59, true, {100, 101, 102, 103, 104, 105}, {157, 158, kEmpty}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowFixture f(c.filled);
    ASSERT_TRUE(f.Run(RowOperations::kDelete, kIndividual, c.first, c.first, c.last));
    EXPECT_EQ(f.prompts.shown.size(), c.asked ? 1u : 0u);
    EXPECT_EQ(f.Entries(0, 5), c.rows0to5);
    EXPECT_EQ(f.Entries(57, 59), c.rows57to59);
    EXPECT_EQ(f.request.rangeFlags & CellRequest::kRangeReselect, 0);
    EXPECT_EQ(f.request.servedIndex, c.first);
    EXPECT_TRUE(f.request.redirected);
    EXPECT_EQ(f.host.LastStatus(), f.host.overlay.GetFirstLine("GI_AppMess_S_Delete"));
  }
}

TEST(RowOperationsTest, InsertAsksOnlyWhenARowWithDataIsPushedOut) {
  struct Case {
    const char* what;
    int filled;
    bool asked;
  };
  const Case cases[] = {
      {"the three last rows are empty", 57, false},
      {"the last row holds data", 58, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowFixture f(c.filled);
    ASSERT_TRUE(f.Run(RowOperations::kInsert, kIndividual, 10, 10, 12));
    EXPECT_EQ(f.prompts.shown.size(), c.asked ? 1u : 0u);
    if (c.asked) {
      EXPECT_EQ(f.prompts.shown[0].text, f.host.overlay.GetText("GI_AppMess_Conv_Overflow"));
    }
    EXPECT_EQ(f.Entries(9, 14), (std::vector<int>{109, kEmpty, kEmpty, kEmpty, 110, 111}));
    EXPECT_EQ(f.Entries(57, 59), (std::vector<int>{154, 155, 156}));
    EXPECT_EQ(f.request.rangeFirst, 10);
    EXPECT_EQ(f.request.rangeLast, 12);
    EXPECT_EQ(f.host.LastStatus(), f.host.overlay.GetFirstLine("GI_AppMess_S_Insert"));
  }
}

TEST(RowOperationsTest, AnyCancelLeavesTheImageUnchanged) {
  struct Case {
    const char* what;
    int command;
    int row, first, last;
    const char* question;
  };
  const Case cases[] = {
      {"paste over entries", RowOperations::kPaste, 20, -1, -1, "GI_AppMess_Conv_Overwrite"},
      {"clear", RowOperations::kClear, 5, 5, 8, "GI_AppMess_Conv_Clear"},
      {"delete", RowOperations::kDelete, 5, 5, 8, "GI_AppMess_Conv_Delete"},
      {"insert", RowOperations::kInsert, 5, 5, 8, "GI_AppMess_Conv_Overflow"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    RowFixture f;
    ASSERT_TRUE(f.Run(RowOperations::kCopy, kIndividual, 0, 0, 3));
    f.host.statusTexts.clear();
    const EepromImage before = f.host.image;
    f.prompts.answers = {PromptAnswer::Cancel};
    EXPECT_FALSE(f.Run(c.command, kIndividual, c.row, c.first, c.last));
    EXPECT_TRUE(f.host.image.Equals(before));
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.prompts.shown[0].text, f.host.overlay.GetText(c.question));
    EXPECT_EQ(f.prompts.shown[0].caption, f.host.overlay.GetFirstLine("GI_Sys_AppTitle"));
    EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Warning);
    EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::OkCancel);
    EXPECT_TRUE(f.host.statusTexts.empty());
    EXPECT_TRUE(f.host.messages.empty());
  }
}

TEST(RowOperationsTest, ClearAlwaysAsksAndBlanksEveryRow) {
  RowFixture f;
  ASSERT_TRUE(f.Run(RowOperations::kClear, kIndividual, 4, 4, 6));
  EXPECT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.Entries(3, 7), (std::vector<int>{103, kEmpty, kEmpty, kEmpty, 107}));
  EXPECT_EQ(f.host.messages,
            (std::vector<Message>{msg::RedrawIndex{4}, msg::RedrawIndex{5}, msg::RedrawIndex{6}}));
  EXPECT_EQ(f.host.LastStatus(), f.host.overlay.GetFirstLine("GI_AppMess_S_Clear"));
}

TEST(RowOperationsTest, FixedTablesOfferCopyPasteAndClearOnly) {
  struct Case {
    ListKind kind;
    int lastRow;
    bool movable;
  };
  const Case cases[] = {
      {ListKind::IntChannels, 420, false},    {ListKind::UsaChannels, 420, false},
      {ListKind::CanChannels, 420, false},    {ListKind::DscChannels, 170, false},
      {ListKind::WeatherChannels, 9, false},  {ListKind::FreeChannels, 69, true},
      {ListKind::DscIndividualIds, 59, true}, {ListKind::DscGroupIds, 29, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.kind));
    RowFixture f;
    EXPECT_EQ(RowOperations::RowsOf(c.kind).last, c.lastRow);
    EXPECT_TRUE(f.operations.IsEnabled(RowOperations::kCopy, c.kind));
    EXPECT_TRUE(f.operations.IsEnabled(RowOperations::kClear, c.kind));
    for (const int command : {RowOperations::kCarryUp, RowOperations::kCarryDown,
                              RowOperations::kDelete, RowOperations::kInsert}) {
      EXPECT_EQ(f.operations.IsEnabled(command, c.kind), c.movable) << command;
    }
    const EepromImage before = f.host.image;
    if (!c.movable) {
      EXPECT_FALSE(f.Run(RowOperations::kDelete, c.kind, 5, 5, 6));
      EXPECT_FALSE(f.Run(RowOperations::kCarryDown, c.kind, 5));
      EXPECT_FALSE(f.Run(RowOperations::kInsert, c.kind, 5));
      EXPECT_TRUE(f.host.image.Equals(before));
      EXPECT_TRUE(f.prompts.shown.empty());
    }
    EXPECT_FALSE(f.Run(RowOperations::kCopy, c.kind, c.lastRow + 1));  // not a row of it
    EXPECT_FALSE(f.Run(RowOperations::kCopy, c.kind, -1));
  }
  RowFixture f;
  for (const ListKind kind : {ListKind::None, ListKind::IdBlocking, ListKind::Adjustment}) {
    EXPECT_FALSE(f.operations.IsEnabled(RowOperations::kCopy, kind));
    EXPECT_FALSE(f.Run(RowOperations::kCopy, kind, 0));
  }
}

TEST(RowOperationsTest, ChannelRowsArePastedAndClearedButChannel16StaysInUseForDsc) {
  RowFixture f;
  EepromImage& image = f.host.image;
  // INT row 48 (channel 16): favourite and a comment; rows 49 and 50 plain.
  image.SetByte(0x04B0 + 48, 0x40);
  image.WriteBlock(0x0F10 + 11 * 48, reinterpret_cast<const std::uint8_t*>("DISTRESS  "), 10);
  ASSERT_TRUE(f.Run(RowOperations::kCopy, ListKind::IntChannels, 48));
  ASSERT_TRUE(f.Run(RowOperations::kPaste, ListKind::IntChannels, 51));
  EXPECT_EQ(image.GetByte(0x04B0 + 51) & 0x40, 0x40);
  EXPECT_EQ(image.GetByte(0x0F10 + 11 * 51), 'D');
  // DSC row 45 (channel 16) uses TX and RX; a clear takes its comment, not its use. The
  // model's rows, which a clear goes back to, are all zero here.
  f.host.templateImage.SetSize(32768);
  image.SetByte(0x2300 + 45, 0x84);
  image.SetByte(0x2300 + 44, 0x84);
  f.prompts.shown.clear();
  ASSERT_TRUE(f.Run(RowOperations::kClear, ListKind::DscChannels, 44, 44, 45));
  EXPECT_EQ(image.GetByte(0x2300 + 44) & 0x84, 0);
  EXPECT_EQ(image.GetByte(0x2300 + 45) & 0x84, 0x84);
}

}  // namespace
}  // namespace rtv
