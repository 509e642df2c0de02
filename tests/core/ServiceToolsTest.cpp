// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "CellProbe.h"
#include "ControllerFixture.h"
#include "MemoryAccessHost.h"
#include "MessageLog.h"
#include "ShippedData.h"
#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "radio/DebugItems.h"
#include "radio/DifferingBytes.h"
#include "radio/MemoryLayout.h"
#include "service/ByteValueText.h"
#include "service/DebugTextLinkTrace.h"
#include "service/ReferenceCompare.h"

namespace rtv {
namespace {

class ServiceToolsTest : public ::testing::Test {
 protected:
  ServiceToolsTest() { f.controller->Setup(f.view); }
  void Command(const char* name, int index = 0) {
    Cell cell;
    cell.index = index;
    f.controller->RunCellCommand(CellLinkNumber(name), cell);
    f.clock.Advance(10);  // the bus delivers what the command posted
  }
  std::string Compare() {
    Command("CL_Menu_Debug_Compare");
    return f.view.compares.empty() ? "(no window)" : f.view.compares.back();
  }

  test::ControllerFixture f{32768, {}};
};

TEST_F(ServiceToolsTest, CompareShowsEachChangeOnceSinceTheReference) {
  EepromImage& image = f.controller->CurrentDocument().Working();
  for (const int address : {0x0000, 0x0123, 0x7FFF}) image.SetByte(address, 0x00);
  Command("CL_Menu_Debug_CorrectComp");
  EXPECT_EQ(Compare(), "");
  image.SetByte(0x0123, 0x5A);
  EXPECT_EQ(Compare(), "0123 : 00 -> 5A");
  EXPECT_EQ(Compare(), "");  // the compare took the reference again
  image.SetByte(0x0000, 0x01);
  image.SetByte(0x7FFF, 0xFE);
  EXPECT_EQ(Compare(), "0000 : 00 -> 01\n7FFF : 00 -> FE");  // the first and last byte
}

TEST(ReferenceCompareTest, EveryDifferenceInOrderAndImagesOfOtherSizes) {
  EepromImage reference;
  reference.SetSize(0x20);
  reference.Fill(0x11);
  EepromImage image(reference);
  image.SetByte(0x1F, 0xFF);
  image.SetByte(0x00, 0x00);
  EXPECT_EQ(ReferenceCompare::Text(reference, image), "0000 : 11 -> 00\n001F : 11 -> FF");
  EepromImage shorter;
  shorter.SetSize(0x10);
  EXPECT_EQ(ReferenceCompare::Text(shorter, image), "Not match size !");
  EXPECT_EQ(ReferenceCompare::Text(image, shorter), "Not match size !");
}

TEST(ByteValueTextTest, ByteAndWordInThreeForms) {
  EepromImage image;
  image.SetSize(0x100);
  image.Fill(0);
  image.SetByte(0x10, 0xFF);
  image.SetByte(0x11, 0x01);
  image.SetByte(0x00, 0x80);
  image.SetByte(0x01, 0xFF);
  image.SetByte(0xFF, 0x7F);
  struct Case {
    int address;
    const char* text;
  };
  const Case cases[] = {
      {0x10, "FF, 255, -1, \n01FF, 511, 511"},
      {0x00, "80, 128, -128, \nFF80, 65408, -128"},  // the first byte
      {0xFF, "7F, 127, 127, \n007F, 127, 127"},      // the last: no byte after it
      {0x100, ""},
      {-1, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.address);
    EXPECT_EQ(ByteValueText::Of(image, c.address), c.text);
  }
}

TEST(DifferingBytesTest, ForwardWrapsAndBackwardStopsAtTheStart) {
  EepromImage reference;
  reference.SetSize(0x8000);
  reference.Fill(0);
  EepromImage image(reference);
  image.SetByte(0x0010, 1);
  image.SetByte(0x7FF0, 1);
  struct Case {
    int from;
    std::optional<int> next;
    std::optional<int> previous;
  };
  const Case cases[] = {
      {0x0000, 0x0010, std::nullopt}, {0x0010, 0x7FF0, std::nullopt}, {0x0011, 0x7FF0, 0x0010},
      {0x7FF0, 0x0010, 0x0010},       {0x7FFF, 0x0010, 0x7FF0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    EXPECT_EQ(DifferingBytes::Next(reference, image, c.from), c.next);
    EXPECT_EQ(DifferingBytes::Previous(reference, image, c.from), c.previous);
  }
  EXPECT_EQ(DifferingBytes::Next(reference, reference, 5), std::nullopt);
  EepromImage shorter;
  shorter.SetSize(0x10);
  EXPECT_EQ(DifferingBytes::Next(shorter, image, 0), std::nullopt);
}

struct MemoryCellsTest : ::testing::Test {
  MemoryCellsTest() {
    host.referenceImage.Assign(host.image);
    host.image.SetByte(0x0010, 0x42);
    host.image.SetByte(0x7FF0, 0x42);
  }
  std::optional<int> GoneTo() const {
    for (auto it = host.messages.rbegin(); it != host.messages.rend(); ++it) {
      if (const auto* go = std::get_if<msg::DebugGoToAddress>(&*it)) return go->address;
    }
    return std::nullopt;
  }
  MemoryAccessHost host{test::DataFile("RTV612.OVL")};
  CellProbe probe{host};
};

TEST_F(MemoryCellsTest, SixteenBytesARowAndNothingPastTheImage) {
  const int address = LinkNo("CL_EeDebugWin_Adr");
  const int last = LinkNo("CL_EeDebugWin_F");
  EXPECT_EQ(probe.Show(address, 0x7FF).text, "7FF0");
  EXPECT_TRUE(probe.Show(address, 0x7FF).ReadOnly());
  EXPECT_EQ(probe.Show(LinkNo("CL_EeDebugWin_0"), 1).text, "42");
  probe.Type(last, 0x7FF, "5a");
  EXPECT_EQ(host.image.GetByte(0x7FFF), 0x5A);
  probe.Type(last, 0x7FF, "xyz");  // not a byte: kept
  probe.Type(last, 0x7FF, "123");
  EXPECT_EQ(host.image.GetByte(0x7FFF), 0x5A);
  const EepromImage before(host.image);
  EXPECT_EQ(probe.Show(last, 0x800).text, "");
  probe.Type(last, 0x800, "11");
  EXPECT_TRUE(host.image.Equals(before));
  EXPECT_EQ(DebugItems::ByteAddress(LinkNo("CL_EeDebugWin_3"), 2), 0x23);
  EXPECT_EQ(DebugItems::ByteAddress(address, 2), std::nullopt);
}

TEST_F(MemoryCellsTest, KeysGoToTheNextAndPreviousDifference) {
  const int first = LinkNo("CL_EeDebugWin_0");
  const int last = LinkNo("CL_EeDebugWin_F");
  probe.Key(first, 0, DebugItems::kNextDifferenceKey);
  EXPECT_EQ(GoneTo(), 0x0010);
  probe.Key(last, 0x7FF, DebugItems::kNextDifferenceKey);  // the last byte: round to the start
  EXPECT_EQ(GoneTo(), 0x0010);
  probe.Key(last, 0x7FF, DebugItems::kPreviousDifferenceKey);
  EXPECT_EQ(GoneTo(), 0x7FF0);
  host.messages.clear();
  probe.Key(first, 1, DebugItems::kPreviousDifferenceKey);  // nothing before 0x0010
  EXPECT_EQ(GoneTo(), std::nullopt);
  EXPECT_EQ(host.image.GetByte(0x0010), 0x42);  // the keys change no byte
}

TEST_F(MemoryCellsTest, FlagBitsAndFreeDebugCells) {
  const int bit = LinkNo("CL_FBits");
  host.image.SetByte(MemoryLayout::kRegionFlags, 0x81);
  EXPECT_EQ(probe.Show(bit, 1).text, "1");
  EXPECT_EQ(probe.Show(bit, 2).text, "0");
  EXPECT_EQ(probe.Show(bit, 8).text, "1");
  probe.Type(bit, 2, "1");
  probe.Type(bit, 8, "0");
  EXPECT_EQ(host.image.GetByte(MemoryLayout::kRegionFlags), 0x03);
  const EepromImage before(host.image);
  probe.Type(bit, 9, "1");  // no ninth bit
  probe.Type(bit, 0, "1");
  EXPECT_TRUE(host.image.Equals(before));

  host.image.SetByte(0x0100, 0xC8);
  EXPECT_EQ(probe.Show(LinkNo("CL_Free_Byte_Dec"), 0x0100).text, "200");
  EXPECT_EQ(probe.Show(LinkNo("CL_Free_Byte_Hex"), 0x0100).text, "C8");
  EXPECT_EQ(probe.Show(LinkNo("CL_Free_DscId"), 0x7FFC).text, "");  // runs past the end
}

TEST_F(ServiceToolsTest, DebugMenuEntriesReachTheirWindows) {
  Command("CL_Menu_Debug_EeWindow");
  Command("CL_Menu_Debug_EeWindow", CommandRouter::kFlagBitsEntry);
  EXPECT_EQ(f.view.memoryWindows, 1);
  EXPECT_EQ(f.view.flagBitsWindows, 1);
}

struct RecordingTrace : LinkTrace {
  void Line(const std::string& text) override { lines.push_back(text); }
  std::vector<std::string> lines;
};

TEST(DebugTextLinkTraceTest, LinesBecomeDebugTextAndReachTheTraceBefore) {
  test::ManualClock clock;
  MessageBus bus(clock);
  test::MessageLog log(bus);
  RecordingTrace before;
  DebugTextLinkTrace trace(bus, &before);
  trace.Line("   12 > 3: FE FE FD");
  EXPECT_TRUE(log.All().empty());  // posted
  clock.Advance(10);
  EXPECT_EQ(log.All(), std::vector<Message>{msg::DebugText{"   12 > 3: FE FE FD"}});
  EXPECT_EQ(before.lines, std::vector<std::string>{"   12 > 3: FE FE FD"});
}

}  // namespace
}  // namespace rtv
