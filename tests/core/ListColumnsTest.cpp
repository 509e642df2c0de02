// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "EditorAccess.h"
#include "MemoryAccessHost.h"
#include "RecordingCanvas.h"
#include "base/Message.h"
#include "cells/Cell.h"
#include "radio/ChannelRow.h"

namespace rtv {
namespace {

constexpr int kIntCh = TypeNo("CT_IntCh");
constexpr int kUsaCh = TypeNo("CT_UsaCh");
constexpr int kDscCh = TypeNo("CT_DscCh");
constexpr int kWxCh = TypeNo("CT_WxCh");
constexpr int kFreeCh = TypeNo("CT_FreeCh");
constexpr int kIndId = TypeNo("CT_DscIndId");
constexpr int kGrpId = TypeNo("CT_DscGrpId");

constexpr CellKey kF2 = SpecialKey::F2;
constexpr CellKey kEnter = SpecialKey::Enter;
constexpr ColourValue kOlive = CellAccess::kReadOnlyColour;
constexpr ColourValue kSilver = CellAccess::kGreyedColour;

// One access as the sheet view makes it.
struct Input {
  CellKey key;
  std::optional<std::string> text;  // committed in-place edit
  std::optional<int> choice;        // popup item chosen (Flex0 list)
  int command = 0;
};
Input Key(CellKey key) { return {key, std::nullopt, std::nullopt, 0}; }
Input Key(char typed) { return Key(CellKey::Typed(typed)); }
Input Text(const char* text) { return {CellKey(), text, std::nullopt, 0}; }
Input Choice(int item) { return {CellKey(), std::nullopt, item, 0}; }
Input Command(int command) { return {CellKey(), std::nullopt, std::nullopt, command}; }

struct Outcome {
  AccessResult result = AccessResult::Nothing;
  std::string display;
  std::uint8_t flags = 0;  // warning and error
  bool redirected = false;
  int servedLink = 0;
  CellKey forwardedKey;
  int accessFlags = 0;
  std::vector<ColourValue> colours;
  std::vector<std::string> opened;
  std::string notice;
  bool keepEditing = false;
  CellMarkReason markReason = CellMarkReason::None;
};

struct ListColumnsTest : ::testing::Test {
  ListColumnsTest() { host.image.SetSize(32768); }

  Outcome Access(int type, int cellLink, int index, const Input& in = {}) {
    Cell cell;
    cell.cellType = type;
    cell.cellLink = cellLink;
    cell.index = index;
    Cell chosen;
    chosen.cellLink = LinkNo("Flex0");
    RecordingPopupHost popupHost;
    RecordingCanvas canvas;
    CellRequest request;
    request.cell = &cell;
    request.popupHost = &popupHost;
    request.canvas = &canvas;
    request.key = in.key;
    request.command = in.command;
    if (in.text) {
      request.commit = CellCommit::Text;
      request.editText = *in.text;
    } else if (in.choice) {
      chosen.index = *in.choice;
      request.commit = CellCommit::Choice;
      request.popupChoice = &chosen;
    }
    Outcome out;
    request.changed = [&out](int flags) { out.accessFlags = flags; };
    out.result = host.accessor.AccessCell(request, true);
    out.display = request.displayText;
    out.flags = request.resultFlags;
    out.redirected = request.redirected;
    out.servedLink = request.servedLink;
    out.forwardedKey = request.forwardedKey;
    out.colours = canvas.colours;
    out.opened = popupHost.opened;
    out.notice = request.noticeText;
    out.keepEditing = request.keepEditing;
    out.markReason = request.markReason;
    return out;
  }
  std::string Shows(int type, int cellLink, int index) {
    return Access(type, cellLink, index).display;
  }
  bool InError(int type, int cellLink, int index) {
    return host.accessor.CheckCell(type, cellLink, index);
  }

  void PutWord(std::int32_t address, int value) {
    host.image.SetByte(address, static_cast<std::uint8_t>(value & 0xFF));
    host.image.SetByte(address + 1, static_cast<std::uint8_t>(value >> 8 & 0xFF));
  }
  int Word(std::int32_t address) {
    return host.image.GetByte(address) | host.image.GetByte(address + 1) << 8;
  }
  void PutText(std::int32_t address, const char* text) {
    host.image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(text),
                          static_cast<std::int32_t>(std::strlen(text)));
  }
  std::string Bytes(std::int32_t address, int length) {
    std::string text;
    for (int i = 0; i < length; ++i) text += static_cast<char>(host.image.GetByte(address + i));
    return text;
  }
  void PutId(ListKind kind, int row, std::vector<std::uint8_t> id, const char* name) {
    const std::int32_t record = 0x25C0 + 16 * ChannelRow::IdRecord(kind, row);
    for (std::size_t i = 0; i < id.size(); ++i) {
      host.image.SetByte(record + static_cast<std::int32_t>(i), id[i]);
    }
    PutText(record + 5, name);
    host.image.SetByte(record + 15, kind == ListKind::DscGroupIds ? 1 : 0);
  }
  void PutFreeChannel(int n, int rxWord, int txWord, const char* name) {
    PutWord(0x0830 + 9 * n, rxWord);
    PutWord(0x0830 + 9 * n + 2, txWord);
    PutText(0x0830 + 9 * n + 4, name);
  }

  MemoryAccessHost host{RTV_DATA_DIR "/RTV612.OVL"};
};

TEST_F(ListColumnsTest, ChannelNumbers) {
  PutText(0x0830 + 4, "AB ");
  struct Case {
    int type;
    int cellLink;
    int row;
    int simplifiedByte;  // at 0x0B50 + region, 0 for none
    const char* shows;
  };
  const int intNo = LinkNo("CL_ChList_No_INT");
  const int usaNo = LinkNo("CL_ChList_No_USA");
  const Case cases[] = {
      {kIntCh, intNo, 48, -1, "16"},       {kIntCh, intNo, 49, -1, "1016"},
      {kIntCh, intNo, 50, -1, "2016"},     {kIntCh, intNo, 0, -1, "0"},
      {kIntCh, intNo, 350, -1, "2116"},    {kIntCh, intNo, 49, 0x0B51, "16A"},
      {kIntCh, intNo, 48, 0x0B51, "16  "}, {kIntCh, intNo, 50, 0x0B51, "16B"},
      {kUsaCh, usaNo, 49, 0x0B51, "1016"},  // the USA column follows the USA setting
      {kUsaCh, usaNo, 49, 0x0B50, "16A"},  {kIntCh, intNo, 351, -1, "AB  "},
      {kIntCh, intNo, 352, -1, " "},  // a name of zero bytes ends at once
      {kIntCh, intNo, 421, -1, ""},        {kIntCh, intNo, -1, -1, ""},
  };
  for (const Case& c : cases) {
    host.image.SetByte(0x0B50, 0);
    host.image.SetByte(0x0B51, 0);
    if (c.simplifiedByte >= 0) host.image.SetByte(c.simplifiedByte, 1);
    EXPECT_EQ(Shows(c.type, c.cellLink, c.row), c.shows) << c.row;
  }
}

TEST_F(ListColumnsTest, TheNumberIsReadOnly) {
  const Outcome out = Access(kIntCh, LinkNo("CL_ChList_No_INT"), 48, Key('5'));
  EXPECT_EQ(out.display, "16");
  EXPECT_EQ(out.colours, std::vector<ColourValue>{kOlive});
  EXPECT_EQ(host.LastStatus(), "This cell cannot be changed.");
}

TEST_F(ListColumnsTest, MovingThePFlag) {
  const int atr = LinkNo("CL_ChList_Atr");
  PutWord(0x0BA4, 48);                    // INT P channel is 16
  host.image.SetByte(0x04B0 + 60, 0x80);  // channel 20 is inhibited
  EXPECT_EQ(Shows(kIntCh, atr, 48), "P");
  const Outcome out = Access(kIntCh, atr, 60, Choice(1));
  EXPECT_EQ(out.display, "P");
  EXPECT_EQ(Word(0x0BA4), 60);
  EXPECT_EQ(host.image.GetByte(0x04B0 + 60), 0);  // in use now
  EXPECT_EQ(Shows(kIntCh, atr, 48), "");
  EXPECT_EQ(out.accessFlags, 0x01 | 0x08 | 0x20);
  EXPECT_EQ(host.messages, std::vector<Message>{msg::ChannelsInUseChanged{}});
  // C as well; then both marks show in order.
  Access(kIntCh, atr, 60, Choice(2));
  EXPECT_EQ(Word(0x0AE2), 60);
  EXPECT_EQ(Shows(kIntCh, atr, 60), "PC");
  // Other regions are untouched.
  EXPECT_EQ(Word(0x0BA2), 0);
  EXPECT_EQ(Word(0x0AE0), 0);
}

TEST_F(ListColumnsTest, UseOfAChannel) {
  const int atr = LinkNo("CL_ChList_Atr");
  struct Case {
    bool usedOnly;
    Input input;
    std::uint8_t attributeAfter;
    std::vector<std::string> opened;
    std::vector<Message> jumps;  // the messages about the channels in use
  };
  const Message relist = msg::ChannelsInUseChanged{};
  const Message otherView = msg::SwitchChannelView{};
  const Case cases[] = {
      {false, Choice(3), 0x80, {}, {relist}},
      {false, Key(' '), 0x80, {}, {relist}},
      {false, Key(SpecialKey::Backspace), 0x80, {}, {relist}},
      {true, Key(' '), 0x00, {}, {}},  // only the full list toggles with a key
      {false, Choice(4), 0x00, {}, {otherView}},
      {false, Key(kEnter), 0x00, {"GI_Sheet_Sel_ChATRAll#1=0"}, {}},
      {true, Key(kF2), 0x00, {"GI_Sheet_Sel_ChATRUse#1=0"}, {}},
      {true, Command(LinkNo("CL_PMenu_Edit")), 0x00, {"GI_Sheet_Sel_ChATRUse#1=0"}, {}},
  };
  for (const Case& c : cases) {
    host.image.SetByte(0x04B0 + 30, 0);
    host.messages.clear();
    host.usedOnly = c.usedOnly;
    const Outcome out = Access(kIntCh, atr, 30, c.input);
    EXPECT_EQ(host.image.GetByte(0x04B0 + 30), c.attributeAfter) << c.input.key;
    EXPECT_EQ(out.opened, c.opened);
    std::vector<Message> jumps;
    for (const Message& m : host.messages) {
      if (m == relist || m == otherView) jumps.push_back(m);
    }
    EXPECT_EQ(jumps, c.jumps) << c.input.key;
  }
}

TEST_F(ListColumnsTest, AttributeErrors) {
  const int atr = LinkNo("CL_ChList_Atr");
  struct Case {
    int row;
    bool inhibited;
    bool isP;
    const char* freeName;
    bool error;
  };
  const Case cases[] = {
      {30, true, true, nullptr, true},   {30, true, false, nullptr, false},
      {30, false, true, nullptr, false}, {351, false, true, "   ", true},
      {351, false, true, "AB ", false},  {351, false, false, "   ", false},
  };
  for (const Case& c : cases) {
    host.image.Fill(0);
    host.image.SetByte(0x04B0 + c.row, c.inhibited ? 0x80 : 0);
    PutWord(0x0BA4, c.isP ? c.row : 0x7FFF);
    if (c.freeName != nullptr) PutText(0x0834, c.freeName);
    EXPECT_EQ(InError(kIntCh, atr, c.row), c.error) << c.row;
  }
}

TEST_F(ListColumnsTest, InhibitedAndVariantRowsShowDashes) {
  host.image.SetByte(0x04B0 + 60, 0x80);  // channel 20 inhibited
  PutText(0x0F10 + 11 * 60, "PORT      ");
  struct Case {
    int row;
    int cellLink;
    const char* shows;
    bool readOnly;
  };
  const Case cases[] = {
      {60, LinkNo("CL_ChList_Comment"), "---", true},
      {60, LinkNo("CL_ChList_Fav"), "---", true},
      {60, LinkNo("CL_ChList_Pwr"), "---", true},
      {60, LinkNo("CL_INT_ChNo"), "---", true},  // every column of the row
      {60, LinkNo("CL_ChList_No_INT"), "20", true},
      {60, LinkNo("CL_ChList_Atr"), "", false},
      {61, LinkNo("CL_ChList_Simp"), "---", true},
      {60 + 3, LinkNo("CL_ChList_Simp"), "-", false},
      {61, LinkNo("CL_ChList_Fav"), "-", false},
      {351, LinkNo("CL_ChList_Simp"), "-", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cellLink);
    const Outcome out = Access(kIntCh, c.cellLink, c.row);
    EXPECT_EQ(out.display, c.shows);
    EXPECT_EQ(!out.colours.empty() && out.colours.front() == kOlive, c.readOnly);
  }
}

TEST_F(ListColumnsTest, AKeyOnAnInhibitedCommentIsRefused) {
  host.image.SetByte(0x04B0 + 60, 0x80);
  const EepromImage before = host.image;
  for (const CellKey key : {CellKey::Typed('a'), kF2, kEnter, CellKey::Typed(' ')}) {
    host.statusTexts.clear();
    const Outcome out = Access(kIntCh, LinkNo("CL_ChList_Comment"), 60, Key(key));
    EXPECT_EQ(out.result, kNothing);
    ASSERT_EQ(host.statusTexts.size(), 2U) << key;  // cleared, then the restriction
    EXPECT_EQ(host.statusTexts[1].text, "This cell cannot be changed.");
    EXPECT_EQ(host.statusTexts[1].textColour, 0xFFFFU);
    EXPECT_EQ(host.statusTexts[1].background, 128U);
  }
  // A commit that arrives anyway is dropped.
  Access(kIntCh, LinkNo("CL_ChList_Comment"), 60, Text("NEW"));
  EXPECT_TRUE(host.image.Equals(before));
}

TEST_F(ListColumnsTest, FreeRowsWithoutNameAreGreyed) {
  PutText(0x0834 + 9, "X  ");
  struct Case {
    int row;
    int cellLink;
    bool greyed;
  };
  const Case cases[] = {{351, LinkNo("CL_ChList_Comment"), true},
                        {351, LinkNo("CL_ChList_Atr"), true},
                        {351, LinkNo("CL_ChList_No_INT"), false},
                        {352, LinkNo("CL_ChList_Comment"), false},
                        {350, LinkNo("CL_ChList_Comment"), false}};
  for (const Case& c : cases) {
    const Outcome out = Access(kIntCh, c.cellLink, c.row);
    EXPECT_EQ(out.colours == std::vector<ColourValue>{kSilver}, c.greyed)
        << c.row << " " << c.cellLink;
  }
}

TEST_F(ListColumnsTest, ChoiceColumnsSetTheirBits) {
  struct Case {
    int cellLink;
    std::uint8_t bit;
    const char* before;
    const char* after;
  };
  const Case cases[] = {{LinkNo("CL_ChList_Fav"), 0x40, "-", "FAV"},
                        {LinkNo("CL_ChList_TxInh"), 0x04, "TX/RX", "RX only"},
                        {LinkNo("CL_ChList_Pwr"), 0x20, "25 W", "1 W"},
                        {LinkNo("CL_ChList_Simp"), 0x02, "-", "Simplex"}};
  for (const Case& c : cases) {
    host.image.SetByte(0x0670 + 48, 0x19);
    EXPECT_EQ(Shows(TypeNo("CT_CanCh"), c.cellLink, 48), c.before);
    EXPECT_EQ(Access(TypeNo("CT_CanCh"), c.cellLink, 48, Key(' ')).display, c.after);
    EXPECT_EQ(host.image.GetByte(0x0670 + 48), 0x19 | c.bit);
    Access(TypeNo("CT_CanCh"), c.cellLink, 48, Choice(0));
    EXPECT_EQ(host.image.GetByte(0x0670 + 48), 0x19);
  }
}

TEST_F(ListColumnsTest, CommentsAreStoredInTheRadiosCharacters) {
  const Outcome out = Access(kUsaCh, LinkNo("CL_ChList_Comment"), 48, Text("calling~ch16+"));
  EXPECT_EQ(out.display, "CALLING CH");
  EXPECT_EQ(Bytes(0x0F10 + 11 * 48, 11), std::string("CALLING CH\0", 11));
}

TEST_F(ListColumnsTest, DscChannelList) {
  host.image.SetByte(0x2300 + 3, 0x80 | 0x04);  // channel 2 used neither way
  PutText(0x0F10 + 11 * 6, "SHARED    ");
  struct Case {
    int row;
    int cellLink;
    const char* shows;
  };
  const Case cases[] = {
      {0, LinkNo("CL_DSC_ChNo"), "1"},       {1, LinkNo("CL_DSC_ChNo"), "1001"},
      {2, LinkNo("CL_DSC_ChNo"), "2001"},    {45, LinkNo("CL_DSC_ChNo"), "16"},
      {84, LinkNo("CL_DSC_ChNo"), "60"},     {170, LinkNo("CL_DSC_ChNo"), "2088"},
      {3, LinkNo("CL_DSC_Pwr"), "---"},      {3, LinkNo("CL_DSC_Comment"), "---"},
      {3, LinkNo("CL_DSC_ChSimp"), "---"},   {3, LinkNo("CL_DSC_ChAtrTX"), "Not used"},
      {0, LinkNo("CL_DSC_ChAtrRX"), "Used"}, {0, LinkNo("CL_DSC_Pwr"), "25 W"},
      {1, LinkNo("CL_DSC_ChSimp"), "---"},   {0, LinkNo("CL_DSC_ChSimp"), "-"},
      {0, LinkNo("CL_DSC_Comment"), ""},     {171, LinkNo("CL_DSC_ChNo"), ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Shows(kDscCh, c.cellLink, c.row), c.shows) << c.row;
  // The comment is the channel list's.
  Access(kDscCh, LinkNo("CL_DSC_Comment"), 84, Text("dsc 60"));
  EXPECT_EQ(Bytes(0x0F10 + 11 * 180, 10), "DSC 60    ");
}

TEST_F(ListColumnsTest, DscUseChanges) {
  const int tx = LinkNo("CL_DSC_ChAtrTX");
  const int rx = LinkNo("CL_DSC_ChAtrRX");
  const Outcome out = Access(kDscCh, rx, 0, Key(' '));
  EXPECT_EQ(host.image.GetByte(0x2300), 0x80);
  EXPECT_EQ(out.accessFlags & 0x20, 0x20);
  EXPECT_EQ(host.messages, std::vector<Message>{msg::RedrawLink{rx}});
  // Channel 16 stays as it is.
  const Outcome fixed = Access(kDscCh, tx, 45, Key(' '));
  EXPECT_EQ(host.image.GetByte(0x2300 + 45), 0);
  EXPECT_EQ(fixed.colours.front(), kOlive);
  // TX use of a duplex channel is greyed; a variant row is simplex.
  EXPECT_EQ(Access(kDscCh, tx, 0).colours, std::vector<ColourValue>{kSilver});
  EXPECT_EQ(Access(kDscCh, tx, 1).colours, std::vector<ColourValue>{});
}

TEST_F(ListColumnsTest, WeatherChannels) {
  const int use = LinkNo("CL_WX_ChAtr");
  const int comment = LinkNo("CL_WX_ChComment");
  PutWord(0x0BA0, 0x01FF);
  PutText(0x2250 + 11 * 9, "NOAA 9    ");
  EXPECT_EQ(Shows(kWxCh, comment, 0), "---");
  EXPECT_EQ(Shows(kWxCh, comment, 9), "NOAA 9");
  EXPECT_FALSE(InError(kWxCh, use, 9));
  const Outcome out = Access(kWxCh, use, 9, Choice(1));
  EXPECT_EQ(Word(0x0BA0), 0x03FF);
  EXPECT_EQ(out.display, "Not used");
  EXPECT_EQ(out.flags & CellRequest::kResultError, CellRequest::kResultError);
  EXPECT_TRUE(InError(kWxCh, use, 0));  // none left in use
  EXPECT_EQ(host.messages, std::vector<Message>{msg::RedrawLink{use}});
}

TEST_F(ListColumnsTest, FreeChannelFrequenciesAndTheSimplexBits) {
  const int rx = LinkNo("CL_Fch_FreqR");
  const int tx = LinkNo("CL_Fch_FreqT");
  PutFreeChannel(3, 0xFFFF, 0xFFFF, "AB ");
  EXPECT_EQ(Shows(kFreeCh, rx, 3), "");
  Access(kFreeCh, rx, 3, Text("156.8"));
  EXPECT_EQ(Word(0x0830 + 27), (156'800'000 - 30'150'000) / 6250);
  EXPECT_EQ(Shows(kFreeCh, rx, 3), "156.80000");
  EXPECT_EQ(Shows(kFreeCh, tx, 3), "");
  Access(kFreeCh, tx, 3, Text("156.800"));
  EXPECT_EQ(Shows(kFreeCh, tx, 3), "<-");
  for (const std::int32_t table : {0x02F0, 0x04B0, 0x0670}) {
    EXPECT_EQ(host.image.GetByte(table + 354) & 0x02, 0x02) << table;
  }
  // RX follows on a simplex channel; a different TX ends it.
  Access(kFreeCh, rx, 3, Text("157.1"));
  EXPECT_EQ(Shows(kFreeCh, tx, 3), "<-");
  Access(kFreeCh, tx, 3, Text("161.7"));
  EXPECT_EQ(Shows(kFreeCh, tx, 3), "161.70000");
  for (const std::int32_t table : {0x02F0, 0x04B0, 0x0670}) {
    EXPECT_EQ(host.image.GetByte(table + 354) & 0x02, 0) << table;
  }
  // Off the raster is refused; the limits hold.
  Access(kFreeCh, rx, 3, Text("156.013"));
  EXPECT_EQ(Shows(kFreeCh, rx, 3), "157.10000");
  Access(kFreeCh, rx, 3, Text("99"));
  EXPECT_EQ(Shows(kFreeCh, rx, 3), "100.00000");
}

TEST_F(ListColumnsTest, AFreeChannelStartsWithItsRxFrequency) {
  PutFreeChannel(0, 0xFFFF, 0xFFFF, "AB ");
  PutFreeChannel(1, 0xFFFF, 0xFFFF, "   ");
  PutFreeChannel(2, 20264, 25088, "   ");
  struct Case {
    int row;
    int cellLink;
    CellKey key;
    bool forwarded;
    const char* shows;
  };
  const Case cases[] = {
      {0, LinkNo("CL_Fch_FreqT"), CellKey::Typed('1'), true, ""},
      {0, LinkNo("CL_Fch_FreqT"), kEnter, true, ""},
      {0, LinkNo("CL_Fch_FreqT"), kF2, true, ""},
      {0, LinkNo("CL_Fch_FreqT"), CellKey(), false, ""},
      {0, LinkNo("CL_Fch_WN"), CellKey::Typed('x'), true, ""},
      {0, LinkNo("CL_Fch_WN"), CellKey(), false, "144 *Yet*"},
      {0, LinkNo("CL_Fch_ChName"), CellKey(), false, "AB"},
      {1, LinkNo("CL_Fch_ChName"), CellKey(), false, ""},  // the name is typed first
      {1, LinkNo("CL_Fch_FreqR"), CellKey(), false, "---"},
      {2, LinkNo("CL_Fch_FreqR"), CellKey(), false, "---"},  // no name, no frequencies
      {2, LinkNo("CL_Fch_FreqT"), CellKey::Typed('1'), false, "---"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const Outcome out = Access(kFreeCh, c.cellLink, c.row, Key(c.key));
    EXPECT_EQ(out.redirected, c.forwarded) << c.cellLink;
    if (c.forwarded) {
      EXPECT_EQ(out.servedLink, LinkNo("CL_Fch_FreqR"));
      EXPECT_EQ(out.forwardedKey, c.key);
    }
    if (c.key.IsNone()) {
      EXPECT_EQ(out.display, c.shows) << c.cellLink;
    }
  }
  // Typing into a new name starts editing there.
  EXPECT_EQ(Access(kFreeCh, LinkNo("CL_Fch_ChName"), 1, Key('a')).result, kStartEdit);
}

TEST_F(ListColumnsTest, FreeChannelNames) {
  PutFreeChannel(4, 0xFFFF, 0xFFFF, "   ");
  struct Case {
    const char* typed;
    const char* stored;
  };
  const Case cases[] = {{"abc", "AB "}, {"x1b", "X1B"}, {"a", "A  "}, {"{}~a", "   "}};
  for (const Case& c : cases) {
    Access(kFreeCh, LinkNo("CL_Fch_ChName"), 4, Text(c.typed));
    EXPECT_EQ(Bytes(0x0830 + 36 + 4, 4), std::string(c.stored) + '\0') << c.typed;
  }
  // The channel lists show it as their free row.
  EXPECT_EQ(Shows(kIntCh, LinkNo("CL_ChList_No_INT"), 355), "    ");
}

TEST_F(ListColumnsTest, IdsAreEnteredAndNormalised) {
  const int id = LinkNo("CL_DscIndId_Id");
  const std::int32_t record = 0x25C0 + 16 * 7;
  host.image.SetByte(record, 0xFF);
  PutText(record + 5, "OLD NAME  ");
  EXPECT_EQ(Shows(kIndId, id, 7), "");
  Access(kIndId, id, 7, Text("123456789"));
  EXPECT_EQ(Bytes(record, 5), std::string("\x0C\x22\x38\x4E\x5A", 5));  // 12 34 56 78 90
  EXPECT_EQ(host.image.GetByte(record + 15), 0);
  EXPECT_EQ(Bytes(record + 5, 10), "OLD NAME  ");
  EXPECT_EQ(Shows(kIndId, id, 7), "123456789");
  // Too few digits are refused and the ID kept; an empty text clears it.
  Access(kIndId, id, 7, Text("12345678"));
  EXPECT_EQ(Bytes(record, 5), std::string("\x0C\x22\x38\x4E\x5A", 5));
  Access(kIndId, id, 7, Text(""));
  EXPECT_EQ(Bytes(record, 5), std::string(5, '\xFF'));
  EXPECT_EQ(host.image.GetByte(record + 15), 255);
  // Group IDs are stored after the 60 individual ones, their kind byte 1 (a group).
  Access(kGrpId, LinkNo("CL_DscGrpId_Id"), 0, Text("012345678"));
  EXPECT_EQ(Bytes(0x25C0 + 16 * 60, 5), std::string("\x01\x17\x2D\x43\x50", 5));
  EXPECT_EQ(host.image.GetByte(0x25C0 + 16 * 60 + 15), 1);
}

TEST_F(ListColumnsTest, EmptyIdRowsSendKeysToTheId) {
  const int name = LinkNo("CL_DscIndId_Comment");
  host.image.SetByte(0x25C0 + 15, 255);
  PutText(0x25C0 + 5, "STALE     ");
  for (const CellKey key :
       {CellKey::Typed('5'), CellKey::Typed('a'), kEnter, kF2, CellKey::Typed(' ')}) {
    const Outcome out = Access(kIndId, name, 0, Key(key));
    EXPECT_TRUE(out.redirected) << key;
    EXPECT_EQ(out.servedLink, LinkNo("CL_DscIndId_Id"));
    EXPECT_EQ(out.forwardedKey, key);
    EXPECT_EQ(out.display, "");
  }
  EXPECT_EQ(Shows(kIndId, name, 0), "");
  EXPECT_EQ(Access(kIndId, name, 0, Text("NEW")).display, "");
  EXPECT_EQ(Bytes(0x25C0 + 5, 10), "STALE     ");  // nothing stored on an empty row
  host.image.SetByte(0x25C0 + 16 * 63 + 15, 255);
  EXPECT_EQ(Access(kGrpId, LinkNo("CL_DscGrpId_Comment"), 3, Key('1')).servedLink,
            LinkNo("CL_DscGrpId_Id"));
}

TEST_F(ListColumnsTest, IdErrors) {
  struct Case {
    ListKind kind;
    int row;
    std::vector<std::uint8_t> id;
    const char* name;
    bool idError;
    bool nameError;
  };
  const Case cases[] = {
      {ListKind::DscIndividualIds, 0, {21, 12, 34, 56, 70}, "BOAT      ", false, false},
      {ListKind::DscIndividualIds, 1, {2, 12, 34, 56, 70}, "          ", true, true},
      {ListKind::DscIndividualIds, 2, {0, 12, 34, 56, 70}, "COAST     ", false, false},
      {ListKind::DscIndividualIds, 3, {21, 12, 34, 56, 70}, "TWIN      ", true, false},
      {ListKind::DscGroupIds, 0, {2, 12, 34, 56, 70}, "FLEET     ", false, false},
      {ListKind::DscGroupIds, 1, {21, 12, 34, 56, 70}, "FLEET 2   ", true, false},
      {ListKind::DscGroupIds, 2, {2, 12, 34, 56, 70}, "FLEET 3   ", true, false},
  };
  for (const Case& c : cases) PutId(c.kind, c.row, c.id, c.name);
  for (const Case& c : cases) {
    const bool group = c.kind == ListKind::DscGroupIds;
    const int type = group ? kGrpId : kIndId;
    const int id = group ? LinkNo("CL_DscGrpId_Id") : LinkNo("CL_DscIndId_Id");
    const int name = group ? LinkNo("CL_DscGrpId_Comment") : LinkNo("CL_DscIndId_Comment");
    EXPECT_EQ(InError(type, id, c.row), c.idError) << group << " " << c.row;
    EXPECT_EQ(InError(type, name, c.row), c.nameError) << group << " " << c.row;
  }
  // An empty row is no twin of another empty row.
  for (const int row : {39, 40}) {
    PutId(ListKind::DscIndividualIds, row, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF}, "          ");
    host.image.SetByte(0x25C0 + 16 * row + 15, 255);
  }
  EXPECT_FALSE(InError(kIndId, LinkNo("CL_DscIndId_Id"), 40));
  // An all-zero record holds the ID 000000000, so the zero rows after row 4 are its twins.
  EXPECT_TRUE(InError(kIndId, LinkNo("CL_DscIndId_Id"), 41));
}

TEST_F(ListColumnsTest, RefusalsAndChangesAreSaidInWords) {
  PutFreeChannel(3, 20264, 20264, "AB ");
  PutFreeChannel(1, 0xFFFF, 0xFFFF, "   ");
  PutId(ListKind::DscIndividualIds, 5, {21, 12, 34, 56, 70}, "BOAT      ");
  const int rx = LinkNo("CL_Fch_FreqR");
  struct Case {
    int type;
    int cellLink;
    int row;
    Input input;
    const char* notice;
    bool keepEditing;
    const char* shows;  // afterwards
  };
  const Case cases[] = {
      {kFreeCh, rx, 3, Text("156.013"),
       "156.013 MHz is not on the 6.25 kHz raster: nearest 156.0125", true, "156.80000"},
      {kFreeCh, rx, 3, Text("250"),
       "Frequencies run from 100.00000 to 199.98750 MHz: the nearest end of the band was taken.",
       false, "199.98750"},
      {kFreeCh, rx, 1, Key('1'),
       "Enter the name first: a private channel without a name has no frequency.", false, "---"},
      {kFreeCh, rx, 1, Text("156.8"),
       "Enter the name first: a private channel without a name has no frequency.", false, "---"},
      {kFreeCh, LinkNo("CL_Fch_ChName"), 3, Text("Marina"), "Cut to 3 characters.", false, "MA"},
      {kIndId, LinkNo("CL_DscIndId_Id"), 5, Text("12345"), "An MMSI has 9 digits.", true,
       "211234567"},
      {kIndId, LinkNo("CL_DscIndId_Comment"), 5, Text("m\xC3\xA4st"),
       "Characters the radio cannot show became spaces.", false, "M  ST"},
      {kIndId, LinkNo("CL_DscIndId_Comment"), 5, Text("harbour"), "", false, "HARBOUR"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.notice);
    const Outcome out = Access(c.type, c.cellLink, c.row, c.input);
    EXPECT_EQ(out.notice, c.notice);
    EXPECT_EQ(out.keepEditing, c.keepEditing);
    EXPECT_EQ(Shows(c.type, c.cellLink, c.row), c.shows);
  }
}

TEST_F(ListColumnsTest, MarksKnowTheirReason) {
  PutId(ListKind::DscIndividualIds, 0, {21, 12, 34, 56, 70}, "BOAT      ");
  PutId(ListKind::DscIndividualIds, 1, {2, 12, 34, 56, 70}, "          ");
  PutId(ListKind::DscIndividualIds, 2, {21, 12, 34, 56, 70}, "TWIN      ");
  PutId(ListKind::DscGroupIds, 0, {21, 12, 34, 56, 70}, "FLEET     ");
  struct Case {
    int type;
    int cellLink;
    int row;
    CellMarkReason reason;
    const char* words;  // part of the reason's text
  };
  const Case cases[] = {
      {kIndId, LinkNo("CL_DscIndId_Id"), 0, CellMarkReason::None, ""},
      {kIndId, LinkNo("CL_DscIndId_Id"), 1, CellMarkReason::IndividualIdPrefix, "single 0"},
      {kIndId, LinkNo("CL_DscIndId_Comment"), 1, CellMarkReason::IdWithoutName, "needs a name"},
      {kIndId, LinkNo("CL_DscIndId_Id"), 2, CellMarkReason::DuplicateId, "same ID"},
      {kGrpId, LinkNo("CL_DscGrpId_Id"), 0, CellMarkReason::GroupIdPrefix, "starts with 0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.row);
    const Outcome out = Access(c.type, c.cellLink, c.row);
    EXPECT_EQ(out.markReason, c.reason);
    EXPECT_EQ((out.flags & CellRequest::kResultError) != 0, c.reason != CellMarkReason::None);
    const std::string text = host.accessor.MarkText(out.markReason);
    EXPECT_EQ(text.empty(), c.reason == CellMarkReason::None);
    EXPECT_NE(text.find(c.words), std::string::npos) << text;
  }
}

TEST_F(ListColumnsTest, RowCommands) {
  const int comment = LinkNo("CL_ChList_Comment");
  PutText(0x0F10 + 11 * 5, "KEEP      ");
  for (int command = LinkNo("CL_PMenu_Copy"); command <= LinkNo("CL_PMenu_Insert"); ++command) {
    const Outcome out =
        Access(kIntCh, comment, 5, {CellKey::Typed('x'), std::nullopt, std::nullopt, command});
    EXPECT_EQ(out.result, kNothing);
    EXPECT_EQ(out.display, "");  // the cell itself is not served
  }
  ASSERT_EQ(host.rowOperations.size(), 7U);
  EXPECT_EQ(host.rowOperations.front().cellLink, LinkNo("CL_PMenu_Copy"));
  EXPECT_EQ(host.rowOperations.front().index, 5);
  EXPECT_EQ(Bytes(0x0F10 + 11 * 5, 4), "KEEP");
  // Only rows of a list, inside it.
  Access(kIntCh, comment, 421, Command(LinkNo("CL_PMenu_Paste")));
  Access(TypeNo("CT_Null"), comment, 5, Command(LinkNo("CL_PMenu_Paste")));
  EXPECT_EQ(host.rowOperations.size(), 7U);
  // Help goes to the program; the cell is still shown.
  const Outcome help = Access(kIntCh, comment, 5, Command(LinkNo("CL_PMenu_Help")));
  EXPECT_EQ(help.display, "KEEP");
  ASSERT_EQ(host.commands.size(), 1U);
  EXPECT_EQ(host.commands[0].cellLink, LinkNo("CL_PMenu_Help"));
}

TEST_F(ListColumnsTest, PopupItemsSeeTheirOwnersRow) {
  int seenRow = -2;
  ListKind seenKind = ListKind::Adjustment;
  host.accessor.Serve(LinkFamily::PopupCommands, [&](CellAccess& access) {
    seenRow = access.row != nullptr ? access.row->row : -1;
    seenKind = access.row != nullptr ? access.row->kind : ListKind::None;
    return AccessResult::Nothing;
  });
  Cell owner;
  owner.cellType = kWxCh;
  owner.cellLink = LinkNo("CL_WX_ChComment");
  owner.index = 4;
  Cell item;
  item.cellType = TypeNo("CT_PopupMenu");
  item.cellLink = LinkNo("CL_PMenu_Paste");
  CellRequest request;
  request.cell = &item;
  request.ownerCell = &owner;
  host.accessor.AccessCell(request, false);
  EXPECT_EQ(seenRow, 4);
  EXPECT_EQ(seenKind, ListKind::WeatherChannels);
  request.ownerCell = nullptr;
  host.accessor.AccessCell(request, false);
  EXPECT_EQ(seenRow, -1);
}

TEST_F(ListColumnsTest, AdjustmentCellsAreReadOnlyUntilConnected) {
  std::optional<CellKey> keySeen;
  host.accessor.Serve(LinkFamily::AdjustmentSheet, [&](CellAccess& access) {
    keySeen = access.request.key;
    return AccessResult::Nothing;
  });
  Access(TypeNo("CT_Adj"), LinkNo("CL_Adjust_ChNo"), 0, Key('5'));
  EXPECT_EQ(keySeen, CellKey());
  host.adjustmentConnected = true;
  Access(TypeNo("CT_Adj"), LinkNo("CL_Adjust_ChNo"), 0, Key('5'));
  EXPECT_EQ(keySeen, CellKey::Typed('5'));
}

TEST_F(ListColumnsTest, WithoutImageOrListsTheColumnsShowNothing) {
  host.image.SetSize(0);
  for (int cellLink = LinkNo("CL_ChList_No_INT"); cellLink <= LinkNo("CL_DscGrpId_Comment");
       ++cellLink) {
    if (LinkFamilyOf(cellLink) == LinkFamily::RegionColumns || cellLink == LinkNo("CL_Fch_WN"))
      continue;
    for (const int type : {kIntCh, kDscCh, kWxCh, kFreeCh, kIndId, kGrpId}) {
      EXPECT_EQ(Access(type, cellLink, 0, Key(' ')).display, "") << cellLink << " " << type;
    }
  }
}

}  // namespace
}  // namespace rtv
