// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <string>
#include <vector>

#include "CellProbe.h"
#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "ShippedImages.h"
#include "cells/CellCatalog.h"
#include "cells/CellRequest.h"
#include "radio/ChannelRow.h"
#include "radio/EditHistory.h"
#include "radio/MemoryLayout.h"
#include "radio/RowOperations.h"

namespace rtv {
namespace {

constexpr int kImageSize = 32768;

// A list and the cells a user types into on it.
struct ListCase {
  ListKind kind;
  const char* cellType;
  std::vector<const char*> keyed;   // choices stepped with Space
  std::vector<const char*> texted;  // texts committed
};

const std::vector<ListCase>& Lists() {
  static const std::vector<ListCase> lists = {
      {ListKind::IntChannels,
       "CT_IntCh",
       {"CL_ChList_Atr", "CL_ChList_Fav", "CL_ChList_TxInh", "CL_ChList_Pwr", "CL_ChList_Simp"},
       {"CL_ChList_Comment"}},
      {ListKind::UsaChannels,
       "CT_UsaCh",
       {"CL_ChList_Atr", "CL_ChList_Pwr"},
       {"CL_ChList_Comment"}},
      {ListKind::CanChannels, "CT_CanCh", {"CL_ChList_Fav"}, {"CL_ChList_Comment"}},
      {ListKind::DscChannels,
       "CT_DscCh",
       {"CL_DSC_ChAtrTX", "CL_DSC_ChAtrRX", "CL_DSC_Pwr", "CL_DSC_ChSimp"},
       {"CL_DSC_Comment"}},
      {ListKind::WeatherChannels, "CT_WxCh", {"CL_WX_ChAtr"}, {"CL_WX_ChComment"}},
      {ListKind::FreeChannels, "CT_FreeCh", {}, {"CL_Fch_ChName", "CL_Fch_FreqR", "CL_Fch_FreqT"}},
      {ListKind::DscIndividualIds, "CT_DscIndId", {}, {"CL_DscIndId_Id", "CL_DscIndId_Comment"}},
      {ListKind::DscGroupIds, "CT_DscGrpId", {}, {"CL_DscGrpId_Id", "CL_DscGrpId_Comment"}},
  };
  return lists;
}

void Allow(std::vector<bool>& allowed, std::int32_t first, std::int32_t length) {
  for (std::int32_t a = first; a < first + length; ++a) allowed[static_cast<std::size_t>(a)] = true;
}

// The bytes the cells of one row cover: what typing into that row can change.
void AllowRow(std::vector<bool>& allowed, ListKind kind, int row) {
  const int region = ChannelRow::RegionIndex(kind);
  if (region >= 0) {
    Allow(allowed, ChannelRow::AttributeAddress(region, row), 1);
    Allow(allowed, ChannelRow::CommentAddress(row), ChannelRow::kCommentRecordSize);
    Allow(allowed, ChannelRow::PWordAddress(region), 2);
    Allow(allowed, ChannelRow::CWordAddress(region), 2);
    return;
  }
  switch (kind) {
    case ListKind::DscChannels:
      Allow(allowed, 0x2300 + row, 1);
      Allow(allowed, ChannelRow::CommentAddress(row < 84 ? row + 3 : row + 96),
            ChannelRow::kCommentRecordSize);
      break;
    case ListKind::WeatherChannels:
      Allow(allowed, MemoryLayout::kWeatherMask, 2);
      Allow(allowed, 0x2250 + 11 * row, 11);
      break;
    case ListKind::FreeChannels:
      Allow(allowed, 0x0830 + 9 * row, 9);
      // A free channel carries what each plan says of it, and the P/C words naming it.
      for (int r = 0; r < ChannelRow::kRegions; ++r) {
        Allow(allowed, ChannelRow::AttributeAddress(r, ChannelRow::kFirstFreeRow + row), 1);
        Allow(allowed, ChannelRow::PWordAddress(r), 2);
        Allow(allowed, ChannelRow::CWordAddress(r), 2);
      }
      Allow(allowed, ChannelRow::CommentAddress(ChannelRow::kFirstFreeRow + row),
            ChannelRow::kCommentRecordSize);
      break;
    default:
      Allow(allowed,
            MemoryLayout::kIdTable + ChannelRow::kIdRecordSize * ChannelRow::IdRecord(kind, row),
            ChannelRow::kIdRecordSize);
      break;
  }
}

// What a free channel is, and what every plan says of it.
std::string FreeChannelView(EepromImage& image, int row) {
  ChannelRow channel(image);
  channel.LoadRow(ListKind::FreeChannels, row);
  std::string view = std::string(channel.freeName.data(), 3) + "/" +
                     (channel.rxEmpty ? "-" : std::to_string(channel.rxFrequency)) + "/" +
                     (channel.txEmpty ? "-" : std::to_string(channel.txFrequency));
  for (const ListKind kind :
       {ListKind::UsaChannels, ListKind::IntChannels, ListKind::CanChannels}) {
    ChannelRow plan(image);
    plan.LoadRow(kind, ChannelRow::kFirstFreeRow + row);
    view += std::string("|") + (plan.inhibited ? "off" : "on") + (plan.favourite ? "F" : "") +
            (plan.power ? "W" : "") + (plan.txInhibit ? "T" : "") + (plan.pFlag ? "P" : "") +
            (plan.cFlag ? "C" : "") + std::string(plan.comment.data(), 10);
  }
  return view;
}

// The free channels' records alone (name and frequencies), which no plan command touches.
std::string FreeRecords(const EepromImage& image) {
  std::string bytes;
  for (int row = 0; row < 70; ++row) {
    for (int i = 0; i < 8; ++i) bytes += static_cast<char>(image.GetByte(0x0830 + 9 * row + i));
  }
  return bytes;
}

bool Listed(EepromImage& image, ListKind kind, int row, bool usedOnly) {
  if (ChannelRow::RegionIndex(kind) < 0) return true;
  ChannelRow record(image);
  record.LoadRow(kind, row);
  const bool named = !record.IsFreeRow() || !record.FreeNameBlank();
  return record.pFlag || record.cFlag || (usedOnly ? named && !record.inhibited : named);
}

struct PropertyRun {
  explicit PropertyRun(std::uint32_t seed) : random(seed) {}

  int Pick(int n) { return static_cast<int>(random() % static_cast<std::uint32_t>(n)); }

  std::string RandomText() {
    static const std::string alphabet = "ABCXYZ 0123456789.-_/az";
    std::string text;
    for (int i = Pick(12); i > 0; --i) text += alphabet[static_cast<std::size_t>(Pick(23))];
    return text;
  }

  // One random user action; returns the bytes it may change and what it is called.
  std::string Act(std::vector<bool>& allowed, std::map<int, int>& freeMoves) {
    const ListCase& list =
        Lists()[static_cast<std::size_t>(Pick(static_cast<int>(Lists().size())))];
    const int rows = ListRowCount(list.kind);
    host.usedOnly = Pick(2) == 1;
    const int row = Pick(rows);
    EepromImage& image = host.image;
    if (Pick(3) == 0) {
      CellProbe probe(host, CellTypeNumber(list.cellType));
      const bool keyed = !list.keyed.empty() && (list.texted.empty() || Pick(2) == 0);
      if (keyed) {
        probe.Key(
            CellLinkNumber(
                list.keyed[static_cast<std::size_t>(Pick(static_cast<int>(list.keyed.size())))]),
            row, ' ');
      } else {
        const char* cellLink =
            list.texted[static_cast<std::size_t>(Pick(static_cast<int>(list.texted.size())))];
        const std::string text =
            std::string(cellLink).find("Freq") != std::string::npos
                ? std::to_string(100 + Pick(110)) + "." + std::to_string(Pick(1000))
                : RandomText();
        probe.Type(CellLinkNumber(cellLink), row, text);
      }
      AllowRow(allowed, list.kind, row);
      return "edit";
    }
    const int command = RowOperations::kCopy + Pick(7);
    const RowOperations::Rows limits = RowOperations::RowsOf(list.kind);
    int first = row;
    int last = std::min(rows - 1, row + Pick(4));
    const bool ranged = Pick(3) != 0;
    if (!ranged) last = first;
    if (Pick(5) == 0) prompts.answers.push_back(PromptAnswer::Cancel);
    // What the command may reach: its rows, or from them to the end of a list whose rows move.
    std::vector<int> reach;
    switch (command) {
      case RowOperations::kPaste: {
        int taken = 0;
        for (int r = row; r <= limits.last && taken < operations.Buffer().Count(); ++r) {
          if (r == row || Listed(image, list.kind, r, host.usedOnly)) {
            reach.push_back(r);
            ++taken;
          }
        }
        break;
      }
      case RowOperations::kClear:
        for (int r = first; r <= last; ++r) {
          if (!ranged || Listed(image, list.kind, r, host.usedOnly)) reach.push_back(r);
        }
        break;
      case RowOperations::kCarryUp:
      case RowOperations::kCarryDown:
        for (int r = std::max(first - 1, 0); r <= std::min(last + 1, limits.last); ++r) {
          reach.push_back(r);
        }
        break;
      case RowOperations::kDelete:
      case RowOperations::kInsert:
        for (int r = first; r <= limits.last; ++r) reach.push_back(r);
        break;
      default:
        break;
    }
    // Where the free channels go when the command moves rows.
    if (list.kind == ListKind::FreeChannels) {
      const int count = last - first + 1;
      if (command == RowOperations::kCarryDown && last < limits.last) {
        for (int r = first; r <= last; ++r) freeMoves[r] = r + 1;
        freeMoves[last + 1] = first;
      } else if (command == RowOperations::kCarryUp && first > 0) {
        for (int r = first; r <= last; ++r) freeMoves[r] = r - 1;
        freeMoves[first - 1] = last;
      } else if (command == RowOperations::kDelete) {
        for (int r = last + 1; r <= limits.last; ++r) freeMoves[r] = r - count;
      } else if (command == RowOperations::kInsert) {
        for (int r = first; r <= limits.last - count; ++r) freeMoves[r] = r + count;
      }
    }
    for (const int r : reach) AllowRow(allowed, list.kind, r);
    CellRequest request;
    if (ranged) {
      request.rangeFlags = CellRequest::kRangeSelected;
      request.rangeFirst = first;
      request.rangeLast = last;
    }
    const EepromImage before = image;
    const bool ran = operations.Run(command, list.kind, row, request);
    if (!ran) {
      EXPECT_TRUE(image.Equals(before)) << "a refused or cancelled command changed the image";
      freeMoves.clear();
    }
    prompts.answers.clear();
    return "command " + std::to_string(command) + " on kind " +
           std::to_string(static_cast<int>(list.kind)) + " rows " + std::to_string(first) + ".." +
           std::to_string(last) + (host.usedOnly ? " in use" : "");
  }

  std::mt19937 random;
  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
  test::ScriptedPrompts prompts;
  RowOperations operations{host, host.overlay, prompts};
};

TEST(RowCommandsPropertyTest, CommandsChangeOnlyTheirRowsAndUndoTakesEveryStepBack) {
  struct Start {
    const char* what;
    int garbage;  // per mille of bytes made random
  };
  const Start starts[] = {{"model 0 as shipped", 0}, {"model 0 with noise", 30}, {"garbage", 1000}};
  for (const Start& start : starts) {
    for (std::uint32_t seed = 1; seed <= 2; ++seed) {
      SCOPED_TRACE(testing::Message() << start.what << ", seed " << seed);
      PropertyRun run(seed * 7919 + static_cast<std::uint32_t>(start.garbage));
      MemoryAccessHost& host = run.host;
      ASSERT_TRUE(test::ReadShippedImage(host.overlay, RTV_INITIAL_DIR "/RTV612M0.rtv", 0,
                                         host.templateImage));
      host.image = host.templateImage;
      for (int a = 0; a < kImageSize; ++a) {
        if (run.Pick(1000) < start.garbage) {
          host.image.SetByte(a, static_cast<std::uint8_t>(run.Pick(256)));
        }
      }
      const EepromImage first = host.image;
      EditHistory history;
      history.Reset(host.image);
      for (int step = 0; step < 120; ++step) {
        std::vector<bool> allowed(kImageSize);
        std::map<int, int> freeMoves;
        const EepromImage before = host.image;
        std::vector<std::string> views;
        for (int r = 0; r < 70; ++r) views.push_back(FreeChannelView(host.image, r));
        const std::string records = FreeRecords(host.image);
        const std::string what = run.Act(allowed, freeMoves);
        SCOPED_TRACE(what);
        for (int a = 0; a < kImageSize; ++a) {
          if (host.image.GetByte(a) != before.GetByte(a)) {
            ASSERT_TRUE(allowed[static_cast<std::size_t>(a)]) << "byte " << a << " changed";
          }
        }
        if (what.find("kind 6") == std::string::npos && what != "edit") {
          // A command of another list leaves every free channel's record as it was.
          EXPECT_TRUE(FreeRecords(host.image) == records) << "a free channel's record changed";
        }
        // Free channels that moved are seen by every plan as before their move.
        for (const auto& [from, to] : freeMoves) {
          EXPECT_EQ(FreeChannelView(host.image, to), views[static_cast<std::size_t>(from)])
              << "free channel " << from << " moved to " << to;
        }
        history.Record(host.image, what, {});
      }
      const EepromImage last = host.image;
      while (history.Undo(host.image)) {
      }
      EXPECT_TRUE(host.image.Equals(first));
      while (history.Redo(host.image)) {
      }
      EXPECT_TRUE(host.image.Equals(last));
    }
  }
}

}  // namespace
}  // namespace rtv
