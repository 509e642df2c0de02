// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "ShippedImages.h"
#include "cells/CellRequest.h"
#include "radio/ChannelRow.h"
#include "radio/RowOperations.h"

namespace rtv {
namespace {

constexpr std::int32_t kFreeTable = 0x0830;
constexpr std::int32_t kFreeRecord = 9;

// The row commands on the model 0 initial file, which is also the model's template.
struct RowRules : testing::Test {
  void SetUp() override {
    ASSERT_TRUE(
        test::ReadShippedImage(host.overlay, test::InitialFile("RTV612M0.rtv"), 0, host.image));
    host.templateImage = host.image;
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
  ChannelRow Row(ListKind kind, int row) {
    ChannelRow record(host.image);
    record.LoadRow(kind, row);
    return record;
  }
  void SetComment(std::int32_t address, const char* text) {
    char field[10];
    std::memset(field, ' ', sizeof field);
    std::memcpy(field, text, std::min(std::strlen(text), sizeof field));
    host.image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(field), 10);
  }
  // A free channel: its record, and in each plan its use, its comment and the P word.
  void PutFreeChannel(int row, const char* name, bool inUse, const char* comment) {
    const std::int32_t record = kFreeTable + kFreeRecord * row;
    const std::uint8_t bytes[9] = {0x10, 0x00, 0x20, 0x00, 0, 0, 0, 0, 0};
    host.image.WriteBlock(record, bytes, 4);
    host.image.WriteBlock(record + 4, reinterpret_cast<const std::uint8_t*>(name), 3);
    for (int region = 0; region < 3; ++region) {
      const std::int32_t a = ChannelRow::AttributeAddress(region, 351 + row);
      host.image.SetByte(a, static_cast<std::uint8_t>(inUse ? 0x40 : 0x80));
    }
    SetComment(ChannelRow::CommentAddress(351 + row), comment);
  }
  // What every plan says of each named free channel: use, favourite, comment, P and C.
  std::map<std::string, std::string> PlanViews() {
    std::map<std::string, std::string> views;
    for (int free = 0; free < 70; ++free) {
      ChannelRow channel = Row(ListKind::FreeChannels, free);
      if (channel.FreeNameBlank()) continue;
      std::string view;
      for (const ListKind kind :
           {ListKind::UsaChannels, ListKind::IntChannels, ListKind::CanChannels}) {
        const ChannelRow plan = Row(kind, 351 + free);
        view += std::string(plan.inhibited ? "off " : "on ") + (plan.favourite ? "fav " : "") +
                plan.comment.data() + (plan.pFlag ? " P" : "") + (plan.cFlag ? " C" : "") + "|";
      }
      views[channel.freeName.data()] = view;
    }
    return views;
  }
  std::string FreeRecord(int row) const {
    std::string bytes;
    for (int i = 0; i < kFreeRecord; ++i) {
      bytes += static_cast<char>(host.image.GetByte(kFreeTable + kFreeRecord * row + i));
    }
    return bytes;
  }

  MemoryAccessHost host{test::DataFile("RTV612.OVL")};
  test::ScriptedPrompts prompts;
  RowOperations operations{host, host.overlay, prompts};
  CellRequest request;
};

TEST_F(RowRules, ClearPutsFixedListsBackToTheModelsRowsNeverToZero) {
  struct Case {
    const char* what;
    ListKind kind;
    int first, last;
  };
  const Case cases[] = {
      {"INT variants 1001 … 2003", ListKind::IntChannels, 3, 11},
      {"USA channels 0–20", ListKind::UsaChannels, 0, 62},
      {"DSC rows 0–5", ListKind::DscChannels, 0, 5},
      {"DSC around channel 16", ListKind::DscChannels, 43, 47},
      {"weather", ListKind::WeatherChannels, 0, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    // The model's rows as the row store writes them (it marks variant rows simplex).
    for (int row = c.first; row <= c.last; ++row) Row(c.kind, row).StoreRow();
    const EepromImage defaults = host.image;
    // The user's changes: every row switched the other way, with a comment; the use of
    // DSC channel 16 is the radio's and stays.
    for (int row = c.first; row <= c.last; ++row) {
      ChannelRow record = Row(c.kind, row);
      if (!record.fixed) {
        record.inhibited = !record.inhibited;
        record.txInhibit = !record.txInhibit;
      }
      record.favourite = !record.favourite;
      std::memcpy(record.comment.data(), "CHANGED   ", 10);
      record.StoreRow();
    }
    ASSERT_TRUE(host.image.Differs(defaults));
    ASSERT_TRUE(Run(RowOperations::kClear, c.kind, c.first, c.first, c.last));
    EXPECT_TRUE(host.image.Equals(defaults));
  }
}

TEST_F(RowRules, ClearOfAFixedListWithoutTheModelsRowsIsRefused) {
  host.templateImage = EepromImage();
  const EepromImage before = host.image;
  EXPECT_FALSE(Run(RowOperations::kClear, ListKind::IntChannels, 3, 3, 11));
  EXPECT_TRUE(host.image.Equals(before));
  EXPECT_TRUE(prompts.shown.empty());
}

TEST_F(RowRules, PasteKeepsWhatThePlanFixesAndWritesWhatTypingCould) {
  // Row 4 (channel 1001) is out of use in the plan, row 48 (channel 16) in use.
  ASSERT_TRUE(Row(ListKind::IntChannels, 4).inhibited);
  ASSERT_FALSE(Row(ListKind::IntChannels, 48).inhibited);
  SetComment(ChannelRow::CommentAddress(48), "DISTRESS");
  host.image.SetByte(
      ChannelRow::AttributeAddress(1, 48),
      static_cast<std::uint8_t>(host.image.GetByte(ChannelRow::AttributeAddress(1, 48)) | 0x40));
  ASSERT_TRUE(Run(RowOperations::kCopy, ListKind::IntChannels, 4));
  const EepromImage before = host.image;
  ASSERT_TRUE(Run(RowOperations::kPaste, ListKind::IntChannels, 48));
  const ChannelRow pasted = Row(ListKind::IntChannels, 48);
  EXPECT_FALSE(pasted.inhibited);  // the plan's channel 16 stays in use
  EXPECT_FALSE(pasted.favourite);  // the row's own settings came from channel 1001
  // Pasting channel 16 onto the switched-off 1001 changes nothing a user could not type.
  ASSERT_TRUE(Run(RowOperations::kCopy, ListKind::IntChannels, 48));
  const EepromImage afterFirst = host.image;
  ASSERT_TRUE(Run(RowOperations::kPaste, ListKind::IntChannels, 4));
  EXPECT_TRUE(host.image.Equals(afterFirst));
  EXPECT_TRUE(before.Differs(afterFirst));
}

TEST_F(RowRules, APlansRowNeverTouchesTheFreeChannelItLists) {
  PutFreeChannel(0, "P1A", true, "FIRST");
  PutFreeChannel(1, "X2", true, "SECOND");
  const std::string first = FreeRecord(0);
  const std::string second = FreeRecord(1);
  ASSERT_TRUE(Run(RowOperations::kClear, ListKind::IntChannels, 351));
  EXPECT_EQ(FreeRecord(0), first);
  ASSERT_TRUE(Run(RowOperations::kCopy, ListKind::IntChannels, 1));
  ASSERT_TRUE(Run(RowOperations::kPaste, ListKind::IntChannels, 352));
  EXPECT_EQ(FreeRecord(1), second);
  // The plan's own fields did change: the row took channel 1's comment.
  EXPECT_EQ(std::string(Row(ListKind::IntChannels, 352).comment.data()),
            std::string(Row(ListKind::IntChannels, 1).comment.data()));
}

TEST_F(RowRules, AFreeChannelMovesWithWhatEveryPlanSaysOfIt) {
  struct Case {
    const char* what;
    int command;
    int row, first, last;
    const char* atRow0;  // the channel that row 0 holds afterwards
    int pRow;            // the INT P word afterwards; -1: the model's
  };
  const Case cases[] = {
      {"delete P1A", RowOperations::kDelete, 0, 0, 0, "X2 ", -1},
      {"carry P1A down", RowOperations::kCarryDown, 0, 0, 0, "X2 ", 352},
      {"carry X2 up", RowOperations::kCarryUp, 1, 1, 1, "X2 ", 352},
      {"insert above", RowOperations::kInsert, 0, 0, 1, "", 353},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SetUp();
    PutFreeChannel(0, "P1A", true, "FIRST");
    PutFreeChannel(1, "X2 ", false, "SECOND");
    PutFreeChannel(2, "Z3 ", true, "THIRD");
    host.image.SetByte(ChannelRow::PWordAddress(1), 351 & 0xFF);
    host.image.SetByte(ChannelRow::PWordAddress(1) + 1, 351 >> 8);
    std::map<std::string, std::string> views = PlanViews();
    ASSERT_TRUE(Run(c.command, ListKind::FreeChannels, c.row, c.first, c.last));
    EXPECT_EQ(std::string(Row(ListKind::FreeChannels, 0).freeName.data()),
              std::string(c.atRow0).empty() ? std::string() : c.atRow0);
    const int pWord = host.image.GetByte(ChannelRow::PWordAddress(1)) |
                      host.image.GetByte(ChannelRow::PWordAddress(1) + 1) << 8;
    const int modelsP = host.templateImage.GetByte(ChannelRow::PWordAddress(1)) |
                        host.templateImage.GetByte(ChannelRow::PWordAddress(1) + 1) << 8;
    EXPECT_EQ(pWord, c.pRow < 0 ? modelsP : c.pRow);
    // Each channel that is left is seen by every plan as before.
    if (c.pRow < 0) views.erase("P1A");
    EXPECT_EQ(PlanViews(), views);
  }
}

TEST_F(RowRules, APastedFreeChannelBringsWhatThePlansSaidOfItsSource) {
  PutFreeChannel(0, "P1A", true, "FIRST");
  ASSERT_TRUE(Run(RowOperations::kCopy, ListKind::FreeChannels, 0));
  ASSERT_TRUE(Run(RowOperations::kPaste, ListKind::FreeChannels, 5));
  const ChannelRow plan = Row(ListKind::IntChannels, 356);
  EXPECT_FALSE(plan.inhibited);
  EXPECT_TRUE(plan.favourite);
  EXPECT_EQ(std::string(plan.comment.data(), 5), "FIRST");
  EXPECT_EQ(FreeRecord(5).substr(0, 7), FreeRecord(0).substr(0, 7));
}

TEST_F(RowRules, ARangeInTheInUseViewCoversOnlyTheRowsShown) {
  host.usedOnly = true;
  for (int row = 0; row <= 20; ++row) SetComment(ChannelRow::CommentAddress(row), "EDITED");
  std::vector<int> shown;
  for (int row = 0; row <= 20; ++row) {
    if (!Row(ListKind::IntChannels, row).inhibited) shown.push_back(row);
  }
  ASSERT_GT(shown.size(), 1u);
  ASSERT_LT(shown.size(), 21u);
  ASSERT_TRUE(Run(RowOperations::kCopy, ListKind::IntChannels, 0, 0, 20));
  EXPECT_EQ(operations.Buffer().Count(), static_cast<int>(shown.size()));
  ASSERT_TRUE(Run(RowOperations::kClear, ListKind::IntChannels, 0, 0, 20));
  for (int row = 0; row <= 20; ++row) {
    const bool isShown = std::find(shown.begin(), shown.end(), row) != shown.end();
    const std::string comment = Row(ListKind::IntChannels, row).comment.data();
    EXPECT_EQ(comment.starts_with("EDITED"), !isShown) << row;
  }
  EXPECT_EQ(host.messages.size(), shown.size());  // a redraw for each row cleared
}

}  // namespace
}  // namespace rtv
