// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the shipped overlay file itself: the keys the program reads, the line structure
// of the messages that are read line by line, and the choice lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "cells/Cell.h"
#include "cells/CellMarkReason.h"
#include "cells/CellMarkup.h"
#include "cells/CellNames.h"
#include "cells/ChoiceLists.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr const char* kOverlayPath = RTV_DATA_DIR "/RTV612.OVL";

// Keys read as texts, dialog texts and messages.
const char* const kTextKeys[] = {
    "GI_Sys_AppTitle",
    "GI_Sys_Rev",
    "GI_Sys_Maker",
    "GI_Sys_MyHelpFile",
    "GI_Sys_TreeChangeDelay",
    "GI_Sys_Dialog_FOpen",
    "GI_Sys_Printer_NoPrinter",
    "GI_Sys_Printer_PrintingDialog",
    "GI_Sys_Printer_Margins",
    "GI_Sys_Printer_FrameFont",
    "GI_Form_Main_BasicCell",
    "GI_App_InitialFile",
    "GI_StatusPanel_Maker",
    "GI_AppInd_Model",
    "GI_AppInd_Button_OkCancel",
    "GI_AppInd_CloneInfo",
    "CellModel_BasicDialog",
    "GI_AppInd_Update",
    "GI_AppInd_TimerOff",
    "GI_AppInd_Dsc_SelfIdOff",
    "GI_AppInd_chSheet_Usable_Title",
    "GI_AppInd_chSheet_Usable_Font",
    "GI_AppInd_Opt_ComSel_Caption",
    "GI_AppInd_Opt_ComSel_Notice",
    "GI_AppInd_Opt_ComSel_OutofRange",
    "GI_AppInd_Opt_ComSel_Buttons",
    "GI_AppInd_Opt_ComSel_SizeOfButtons",
    "GI_AppMess_ChangeModel",
    "GI_AppMess_Conv_Overwrite",
    "GI_AppMess_Conv_Clear",
    "GI_AppMess_Conv_Delete",
    "GI_AppMess_Conv_Overflow",
    "GI_AppMess_S_Copy",
    "GI_AppMess_S_Paste",
    "GI_AppMess_S_Clear",
    "GI_AppMess_S_Delete",
    "GI_AppMess_S_Insert",
    "GI_Botttom_EditRestrected",
    "GI_Botttom_ModelFixed",
    "GI_Botttom_FreqLimited",
    "GI_AppMess_S_Undo",
    "GI_AppMess_S_Redo",
    "GI_Mess_Confirm_WriteFile",
    "GI_Mess_Confirm_WriteAnother",
    "GI_Mess_Confirm_CloneWrite",
    "GI_Mess_CloneWrite_Succeeded",
    "GI_Mess_DataError",
    "GI_Mess_Maker_Caution",
    "GI_Mess_Adjust_Caution",
    "GI_Mess_CloneRW_Title_Message",
    "GI_Mess_CloneErr_Head",
    "GI_Mess_CloneErr_Check",
    "GI_Mess_CloneErr_Help",
    "GI_Mess_FileErr_Help",
    "GI_Mess_Port_Device",
    "GI_Mess_Port_Denied",
    "GI_Mess_Port_NoDevice",
    "GI_Mess_FileErr_Headline",
    "GI_Mess_FileErr_FileOpen",
    "GI_Mess_FileErr_FileAccess",
    "GI_Mess_FileErr_Model",
    "GI_Mess_FileErr_Extra",
    "GI_Mess_FileErr_MapRev",
    "GI_Mess_FileErr_Format",
    "GI_Mess_FileErr_Coverage",
    "GI_Mess_FileErr_Data",
    "GI_Mess_FileErr_Newer",
};

struct ChoiceListKey {
  const char* key;
  int cellLink;  // the variant whose cells are the choices
};

constexpr int kFlex0 = LinkNo("Flex0");
constexpr int kFlexMarking = LinkNo("CL_FlexMarking");

const ChoiceListKey kChoiceLists[] = {
    {"GI_Sheet_Sel_Misc_OnOff", kFlex0},
    {"GI_Sheet_Sel_Misc_OnOffAtis", kFlexMarking},
    {"GI_Sheet_Sel_Misc_Used", kFlex0},
    {"GI_Sheet_Sel_Misc_Able", kFlex0},
    {"GI_Sheet_Sel_Misc_TaskMode", kFlex0},
    {"GI_Sheet_Sel_ChAutoSwIgn", kFlex0},
    {"GI_Sheet_Sel_ChAutoSwHld", kFlex0},
    {"GI_Sheet_Sel_Ch70SqlLevel", kFlex0},
    {"GI_Sheet_Sel_DscDataOutput", kFlex0},
    {"GI_Sheet_Sel_AutoAckInd", kFlex0},
    {"GI_Sheet_Sel_AutoAck", kFlex0},
    {"GI_Sheet_Sel_AlmOpt_Kind", kFlex0},
    {"GI_Sheet_Sel_DscCall_Alarm_Kind", kFlex0},
    {"GI_Sheet_Sel_DSC_ALM_Stop", kFlex0},
    {"GI_Sheet_Sel_ChCall_AllShips", kFlex0},
    {"GI_Sheet_Sel_ChCall", kFlex0},
    {"GI_Sheet_Sel_DscCall_TX_EPIRB", kFlex0},
    {"GI_Sheet_Sel_DscCall_Power", kFlex0},
    {"GI_Sheet_Sel_UserSetDispUsa", kFlex0},
    {"GI_Sheet_Sel_UserSetDispInt", kFlex0},
    {"GI_Sheet_Sel_UserSetDispCan", kFlex0},
    {"GI_Sheet_Sel_UserSetDispUsa_A", kFlex0},
    {"GI_Sheet_Sel_UserSetDispInt_A", kFlex0},
    {"GI_Sheet_Sel_UserSetDispCan_A", kFlex0},
    {"GI_Sheet_Sel_PTT_Scan", kFlex0},
    {"GI_Sheet_Sel_ScanType", kFlex0},
    {"GI_Sheet_Sel_DualTri", kFlex0},
    {"GI_Sheet_Sel_WxAlert", kFlex0},
    {"GI_Sheet_Sel_SimpDisp_OnOff", kFlex0},
    {"GI_Sheet_Sel_Backlight", kFlex0},
    {"GI_Sheet_Sel_Contrast", kFlex0},
    {"GI_Sheet_Sel_Inactivity_Timer", kFlex0},
    {"GI_Sheet_Sel_Inactivity_Timer_RT", kFlex0},
    {"GI_Sheet_Sel_PLLOpt", kFlex0},
    {"GI_Sheet_Sel_KeyAs_SkeyME", kFlex0},
    {"GI_Sheet_Sel_KeyAs_SkeyMU", kFlex0},
    {"GI_Sheet_Sel_ChATRUse", kFlex0},
    {"GI_Sheet_Sel_ChATRAll", kFlex0},
    {"GI_Sheet_Sel_ChFav", kFlex0},
    {"GI_Sheet_Sel_ChTxInh", kFlex0},
    {"GI_Sheet_Sel_ChPwr", kFlex0},
    {"GI_Sheet_Sel_ChSimp", kFlex0},
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    lines.push_back(text.substr(start, end - start));
  }
  lines.push_back(text.substr(start));
  return lines;
}

std::vector<std::string> FileLines() {
  std::ifstream in(kOverlayPath, std::ios::binary);
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return Lines(text);
}

// Every "%" of a text that is used as a format, in order ("%%" counts as one).
std::string Placeholders(const std::string& text) {
  std::string found;
  for (std::size_t at = text.find('%'); at != std::string::npos; at = text.find('%', at + 2)) {
    found += text.substr(at, 2);
  }
  return found;
}

bool IsUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int trail = lead < 0x80           ? 0
                      : (lead >> 5) == 0x6  ? 1
                      : (lead >> 4) == 0xE  ? 2
                      : (lead >> 3) == 0x1E ? 3
                                            : -1;
    if (trail < 0 || i + static_cast<std::size_t>(trail) >= text.size()) return false;
    for (int k = 1; k <= trail; ++k) {
      if ((static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]) >> 6) != 0x2) {
        return false;
      }
    }
    i += static_cast<std::size_t>(trail) + 1;
  }
  return true;
}

TEST(OverlayDataTest, FileIsUtf8WithUniqueKeysAndEndsWithTheEndKey) {
  const std::vector<std::string> lines = FileLines();
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), "#End_Of_Ovl");
  std::map<std::string, int> headers;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    EXPECT_TRUE(IsUtf8(lines[i])) << "line " << i + 1;
    EXPECT_EQ(lines[i].find('\r'), std::string::npos) << "line " << i + 1;
    if (lines[i].size() > 1 && lines[i][0] == '#') ++headers[lines[i].substr(1)];
  }
  // A second header of a key would never be read: the store finds the first one.
  for (const auto& [key, count] : headers) EXPECT_EQ(count, 1) << key;
}

TEST(OverlayDataTest, EveryTextKeyExistsWithABody) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  for (const char* key : kTextKeys) {
    SCOPED_TRACE(key);
    ASSERT_TRUE(overlay.HasKey(key));
    const std::string first = overlay.GetFirstLine(key);
    EXPECT_FALSE(first.empty());
    EXPECT_NE(first.front(), '#');  // a key without body would read the next header
  }
}

TEST(OverlayDataTest, LineStructureOfTextsReadByLine) {
  struct Case {
    const char* key;
    int lines;  // lines before the terminator
  };
  const Case cases[] = {
      {"GI_Mess_CloneErr_Head", 18},
      {"GI_Mess_CloneErr_Check", 8},
      {"GI_Mess_CloneErr_Help", 18},
      {"GI_Mess_FileErr_Help", 10},
      {"GI_AppInd_Model", 7},
      {"GI_App_InitialFile", 7},
      {"GI_AppInd_Button_OkCancel", 2},
      {"GI_AppInd_Opt_ComSel_Buttons", 2},
      {"GI_AppInd_CloneInfo", 2},
      {"GI_Mess_CloneRW_Title_Message", 2},
      {"GI_Sys_Printer_PrintingDialog", 3},
      {"GI_Sys_Dialog_FOpen", 2},
  };
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key);
    const std::vector<std::string> lines = Lines(overlay.GetText(c.key));
    ASSERT_EQ(static_cast<int>(lines.size()), c.lines);
    for (const std::string& line : lines) EXPECT_FALSE(line.empty());
  }
}

// Texts handed to a formatter must hold exactly the placeholders the code fills; any
// other "%" would read an argument that is not there.
TEST(OverlayDataTest, FormatTextsHoldExactlyTheirPlaceholders) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  const std::vector<std::string> heads = Lines(overlay.GetText("GI_Mess_CloneErr_Head"));
  for (std::size_t status = 0; status < heads.size(); ++status) {
    EXPECT_EQ(Placeholders(heads[status]), status == 2 ? "%d" : "") << "status " << status;
  }
  const std::map<std::string, std::string> formats = {
      {"GI_Mess_Confirm_WriteFile", "%s"}, {"GI_Mess_Port_Device", "%s"},
      {"GI_AppInd_CloneInfo", "%s%s"},     {"GI_AppMess_S_Undo", "%s"},
      {"GI_AppMess_S_Redo", "%s"},         {"GI_Mess_DataError", "%1"},
  };
  for (const auto& [key, placeholders] : formats) {
    EXPECT_EQ(Placeholders(overlay.GetText(key)), placeholders) << key;
  }
  for (const char* key : kTextKeys) {
    const std::string key_name = key;
    if (key_name == "GI_Mess_CloneErr_Head" || formats.count(key_name) != 0) continue;
    // Font descriptions use "%" for relative sizes; these two are not formats.
    if (key_name == "GI_Form_Main_BasicCell" || key_name == "GI_AppInd_chSheet_Usable_Font") {
      continue;
    }
    EXPECT_EQ(Placeholders(overlay.GetText(key)), "") << key;
  }
}

TEST(OverlayDataTest, EveryMarkAndEveryRefusalIsSaidInWords) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  for (int reason = 1; reason <= static_cast<int>(CellMarkReason::SelfIdIsGroup); ++reason) {
    const char* key = MarkReasonKey(static_cast<CellMarkReason>(reason));
    ASSERT_NE(key, nullptr) << reason;
    EXPECT_TRUE(overlay.HasKey(key) && !overlay.GetFirstLine(key).empty()) << key;
  }
  // Each text with the places its callers fill.
  const std::map<std::string, int> places = {
      {"GI_Botttom_OffRaster", 2},         {"GI_Botttom_MmsiDigits", 0},
      {"GI_Botttom_AtisDigits", 0},        {"GI_Botttom_TextCut", 1},
      {"GI_Botttom_TextReplaced", 0},      {"GI_Botttom_NameFirst", 0},
      {"GI_Botttom_TypedTooLong", 2},      {"GI_Botttom_TypedNotOnRadio", 1},
      {"GI_Botttom_TypedNotPrintable", 1}, {"GI_Botttom_TypedNameSuffix", 0},
      {"GI_Botttom_TypedNotDigit", 1},     {"GI_Botttom_TypedNotFrequency", 1},
      {"GI_Botttom_RulePrintable", 2},     {"GI_Botttom_RuleRadio", 2},
      {"GI_Botttom_RuleFreeName", 1},      {"GI_Botttom_RuleDigits", 1},
      {"GI_Botttom_RuleFrequency", 1},     {"GI_Mess_DataError_Place", 3},
  };
  for (const auto& [key, count] : places) {
    ASSERT_TRUE(overlay.HasKey(key)) << key;
    const std::string text = overlay.GetFirstLine(key);
    EXPECT_EQ(text.find("%" + std::to_string(count + 1)), std::string::npos) << key;
    if (count > 0) {
      EXPECT_NE(text.find("%" + std::to_string(count)), std::string::npos) << key;
    }
  }
}

TEST(OverlayDataTest, ChoiceListsParseWithoutFatalError) {
  // A fault in the markup ends the process; run the whole walk in a child to see it.
  EXPECT_EXIT(
      {
        OverlayText overlay;
        overlay.SetFile(kOverlayPath);
        ChoiceLists lists(overlay);
        for (const ChoiceListKey& list : kChoiceLists) lists.List(list.key, list.cellLink);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(OverlayDataTest, ChoiceListsHaveUniqueNamedValues) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  ChoiceLists lists(overlay);
  for (const ChoiceListKey& entry : kChoiceLists) {
    SCOPED_TRACE(entry.key);
    // The popup that shows a list builds it as a sheet, which needs all three entries.
    EXPECT_TRUE(overlay.HasKey(std::string(entry.key) + "_Style"));
    EXPECT_TRUE(overlay.HasKey(std::string(entry.key) + "_BasicCell"));
    const ChoiceList& list = lists.List(entry.key, entry.cellLink);
    ASSERT_FALSE(list.byValue.empty());
    std::set<int> values;
    for (const Choice& choice : list.byValue) {
      EXPECT_TRUE(values.insert(choice.value).second) << "value " << choice.value;
      EXPECT_FALSE(choice.name.empty()) << "value " << choice.value;
      EXPECT_NE(choice.name, ChoiceLists::kMissingName);
    }
  }
}

// ---------------------------------------------------------------------------------------
// Markup: sheets, menus, toolbar, tree, popup menus, cell models.

struct Entry {
  std::string key;
  std::vector<std::string> body;  // up to the first line starting with "#"
};

std::vector<Entry> Entries() {
  std::vector<Entry> entries;
  for (const std::string& line : FileLines()) {
    if (line == "#End_Of_Ovl") break;
    if (line.size() > 1 && line[0] == '#') {
      entries.push_back({line.substr(1), {}});
    } else if (!entries.empty() && !line.empty() && line[0] == '#') {
      entries.back().body.push_back(line);  // the terminator ends the body below
    } else if (!entries.empty()) {
      entries.back().body.push_back(line);
    }
  }
  for (Entry& entry : entries) {
    const auto end = std::find_if(entry.body.begin(), entry.body.end(),
                                  [](const std::string& l) { return !l.empty() && l[0] == '#'; });
    entry.body.erase(end, entry.body.end());
  }
  return entries;
}

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

bool IsMenuBody(const std::string& key) {
  return EndsWith(key, "_Body") && key.find("ToolBar") == std::string::npos;
}

// The lines of an entry that hold cell markup (control lines and menu depths removed);
// empty for entries that are texts.
std::vector<std::string> MarkupLines(const Entry& entry) {
  std::vector<std::string> lines;
  const bool cells = EndsWith(entry.key, "_Cells") || EndsWith(entry.key, "_BasicCell") ||
                     EndsWith(entry.key, "_Body") || entry.key == "GI_WarningCheckList" ||
                     entry.key.rfind("CellModel_", 0) == 0;
  if (!cells) return lines;
  for (const std::string& line : entry.body) {
    if (!line.empty() && line[0] == ':' && EndsWith(entry.key, "_Cells")) continue;
    if (IsMenuBody(entry.key)) {
      const std::size_t plus = line.find('+');
      lines.push_back(plus == std::string::npos ? line : line.substr(plus + 1));
    } else {
      lines.push_back(line);
    }
  }
  return lines;
}

// Every "(" item ")" of a markup line, taken as the cell parser does (no nesting).
std::vector<std::string> Items(const std::string& line) {
  std::vector<std::string> items;
  for (std::size_t open = line.find('('); open != std::string::npos;
       open = line.find('(', open + 1)) {
    const std::size_t close = line.find(')', open);
    if (close == std::string::npos) break;
    items.push_back(line.substr(open + 1, close - open - 1));
    open = close;
  }
  return items;
}

bool IsCatalogued(std::string_view name, bool type) {
  if (name.empty()) return true;
  if (type) {
    return std::find(kCellTypeNames.begin(), kCellTypeNames.end(), name) != kCellTypeNames.end();
  }
  return std::find(kCellLinkNames.begin(), kCellLinkNames.end(), name) != kCellLinkNames.end();
}

// Names that the parser would end the program over, reported here one by one instead.
TEST(OverlayDataTest, EveryNameTheMarkupUsesExists) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  for (const Entry& entry : Entries()) {
    for (const std::string& line : MarkupLines(entry)) {
      for (const std::string& item : Items(line)) {
        SCOPED_TRACE(entry.key + ": " + item);
        if (item.rfind('$', 0) == 0) {
          EXPECT_TRUE(overlay.HasKey("CellModel_" + item.substr(1)));
        } else if (item.rfind("PopupMenu=", 0) == 0) {
          const std::string menu = item.substr(10);
          EXPECT_TRUE(overlay.HasKey(menu + "_BasicCell"));
          EXPECT_TRUE(overlay.HasKey(menu + "_Body"));
        } else if (item.rfind('%', 0) == 0) {
          std::string binding = item.substr(1);
          const std::size_t dot = binding.find('.');
          if (dot != std::string::npos) {
            EXPECT_TRUE(IsCatalogued(binding.substr(0, dot), true));
            binding = binding.substr(dot + 1);
          }
          EXPECT_TRUE(IsCatalogued(binding.substr(0, binding.find_first_of("[:")), false));
        }
      }
    }
  }
}

TEST(OverlayDataTest, EveryMarkupLineParsesWithoutFatalError) {
  EXPECT_EXIT(
      {
        OverlayText overlay;
        overlay.SetFile(kOverlayPath);
        for (const Entry& entry : Entries()) {
          for (const std::string& line : MarkupLines(entry)) {
            if (entry.key.rfind("CellModel_", 0) == 0) {
              Cell cell;
              ApplyAttributes(overlay, cell, line);
            } else {
              CellCounters counters{};
              ParseRow(overlay, line, &counters, nullptr);
            }
          }
        }
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

// The sheet descriptors of the tree and of the warning checks, and the sheets the program
// opens by name.
std::set<std::string> SheetKeys() {
  std::set<std::string> keys = {"GI_Sheet_CloneInfo", "GI_Sheet_EeDebugWin", "GI_Sheet_Win_AD"};
  for (const Entry& entry : Entries()) {
    if (entry.key != "GI_Tree_Main_Body" && entry.key != "GI_WarningCheckList") continue;
    for (const std::string& line : MarkupLines(entry)) {
      for (const std::string& item : Items(line)) {
        const std::size_t colon = item.find(':');
        if (item.rfind('%', 0) == 0 && colon != std::string::npos)
          keys.insert(item.substr(colon + 1));
      }
    }
  }
  return keys;
}

TEST(OverlayDataTest, EverySheetOfTheTreeHasItsThreeEntries) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  const std::set<std::string> keys = SheetKeys();
  for (const char* key : {"GI_Sheet_IntCh", "GI_Sheet_UsaCh", "GI_Sheet_CanCh", "GI_Sheet_WxCh"}) {
    EXPECT_TRUE(keys.count(key)) << key;  // the model's tree adjustment looks for these
  }
  for (const std::string& key : keys) {
    SCOPED_TRACE(key);
    EXPECT_TRUE(overlay.HasKey(key + "_Style"));
    EXPECT_TRUE(overlay.HasKey(key + "_BasicCell"));
    ASSERT_TRUE(overlay.HasKey(key + "_Cells"));
    EXPECT_FALSE(Lines(overlay.GetText(key + "_Cells")).empty());
  }
  for (const char* key :
       {"GI_Menu_Main", "GI_ToolBar_Main", "GI_Tree_Main", "GI_PMenu_Edit", "GI_PMenu_NoItem"}) {
    EXPECT_TRUE(overlay.HasKey(std::string(key) + "_BasicCell")) << key;
    EXPECT_TRUE(overlay.HasKey(std::string(key) + "_Body")) << key;
  }
  for (const std::string& line : Lines(overlay.GetText("GI_CellWidthRegList"))) {
    EXPECT_TRUE(keys.count(line.substr(0, line.find(':')))) << line;
  }
}

// Every link the item accessor serves is bound somewhere a user can reach it: on a sheet,
// in a menu, on the toolbar, in the tree or in the warning checks. A link that nothing
// serves would show "*Yet*", so it is bound nowhere.
TEST(OverlayDataTest, EveryServedLinkIsBoundAndNoOtherIs) {
  struct Range {
    int first;
    int last;
  };
  const Range unserved[] = {
      {LinkNo("CL_Free_Byte_Dec"), LinkNo("CL_Free_DscId")},
      {LinkNo("CL_Check_IdBlocking_Id"), LinkNo("CL_Check_Atis_Call")},
      {LinkNo("CL_CloneInfo_Option"), LinkNo("CL_CloneInfo_Dummy")},
      {LinkNo("CL_INT_ChNo"), LinkNo("CL_CANADA_ChComment")},
      {LinkNo("CL_Fch_WN"), LinkNo("CL_Fch_WN")},
      {LinkNo("CL_ComSet_Light"), LinkNo("CL_ComSet_Light")},
      {LinkNo("CL_ComDsc_CallRepeatF"), LinkNo("CL_ComDsc_GroupCall_Routine_Pow")},
      {LinkNo("CL_ComDsc_Alarm_IntSp_Tx"), LinkNo("CL_ComDsc_Alarm_IntSp_Inactivity")},
      {LinkNo("CL_ComConf_InternalSpeaker"), LinkNo("CL_ComConf_KeyAssign_Dial")},
      {LinkNo("CL_MakerR_Transient_Timer"), LinkNo("CL_MakerR_Transient_Timer")},
  };
  // Served, but only where the program builds the cells itself, or fixed texts that a
  // sheet may use where it has nothing to show.
  const Range optional[] = {
      {LinkNo("CL_Null"), LinkNo("CL_FBits")},
      {LinkNo("CL_PMenu_NoItem"), LinkNo("CL_PMenu_NoItem")},
      {LinkNo("CL_Misc_ChNo_0Base"), LinkNo("CL_Misc_ChNo_0Base")},
      {LinkNo("CL_Dummy"), LinkNo("CL_Dummy_DscCall_Alarm_IntSp")},
  };
  std::set<std::string> bound;
  for (const Entry& entry : Entries()) {
    for (const std::string& line : MarkupLines(entry)) {
      for (const std::string& item : Items(line)) {
        if (item.rfind('%', 0) != 0) continue;
        std::string binding = item.substr(1);
        if (const std::size_t dot = binding.find('.'); dot != std::string::npos) {
          binding = binding.substr(dot + 1);
        }
        bound.insert(binding.substr(0, binding.find_first_of("[:")));
      }
    }
  }
  for (int cellLink = 0; cellLink < static_cast<int>(kCellLinkNames.size()); ++cellLink) {
    const std::string name(kCellLinkNames[static_cast<std::size_t>(cellLink)]);
    const auto in = [cellLink](const Range& r) {
      return cellLink >= r.first && cellLink <= r.last;
    };
    if (std::any_of(std::begin(unserved), std::end(unserved), in)) {
      EXPECT_EQ(bound.count(name), 0u) << name;
    } else if (std::none_of(std::begin(optional), std::end(optional), in)) {
      EXPECT_EQ(bound.count(name), 1u) << name;
    }
  }
}

// Control lines of the cells entries: loops closed in order, conditions that skip only
// lines of their own entry.
TEST(OverlayDataTest, SheetControlLinesAreWellFormed) {
  const char* const conditions[] = {
      "OnlyOption",    "OnlyOpt2",      "OnlyOpt3",  "Only_UsaAusExpModel", "Only_UkHolChnModel",
      "Only_UsaModel", "Only_EurModel", "OnlyUsaCh", "OnlyCanCh",           "OnlyWxCh"};
  for (const Entry& entry : Entries()) {
    if (!EndsWith(entry.key, "_Cells") || entry.key.rfind("GI_Sheet_Sel_", 0) == 0) continue;
    SCOPED_TRACE(entry.key);
    bool inLoop = false;
    int rows = 0;
    for (std::size_t i = 0; i < entry.body.size(); ++i) {
      const std::string& line = entry.body[i];
      if (line.empty() || line[0] != ':') {
        ++rows;
        continue;
      }
      for (const std::string& item : Items(line)) {
        if (item.rfind("LoopFrom", 0) == 0) {
          EXPECT_FALSE(inLoop) << "line " << i;
          inLoop = true;
        } else if (item == "LoopTo") {
          EXPECT_TRUE(inLoop) << "line " << i;
          inLoop = false;
        } else if (item != "SelectON" && item != "SelectOFF") {
          const std::string name = item.substr(0, item.find(' '));
          EXPECT_NE(std::find(std::begin(conditions), std::end(conditions), name),
                    std::end(conditions))
              << item;
          const int skip = std::atoi(item.substr(name.size()).c_str());
          EXPECT_GT(skip, 0) << item;
          EXPECT_LE(i + static_cast<std::size_t>(skip), entry.body.size() - 1) << item;
        }
      }
    }
    EXPECT_FALSE(inLoop);
    EXPECT_GT(rows, 0);
  }
}

// Pictures exist for the positions the tree and the toolbar name, and no two menu items
// share a shortcut.
TEST(OverlayDataTest, MenuToolbarAndTreeItemsAreConsistent) {
  constexpr int kTreePictures = 7;
  constexpr int kToolbarPictures = 20;
  std::set<std::string> shortcuts;
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  const std::vector<std::string> models = Lines(overlay.GetText("GI_AppInd_Model"));
  for (const Entry& entry : Entries()) {
    const bool tree = entry.key == "GI_Tree_Main_Body";
    const bool toolbar = entry.key == "GI_ToolBar_Main_Body";
    for (const std::string& line : MarkupLines(entry)) {
      for (const std::string& item : Items(line)) {
        if (item.rfind("ImageIndex=", 0) == 0 && (tree || toolbar)) {
          const int picture = std::atoi(item.substr(11).c_str());
          EXPECT_GE(picture, 0) << line;
          EXPECT_LT(picture, tree ? kTreePictures : kToolbarPictures) << line;
        }
        const std::size_t colon = item.find(':');
        if (entry.key == "GI_Menu_Main_Body" && colon != std::string::npos) {
          EXPECT_TRUE(shortcuts.insert(item.substr(colon + 1)).second) << line;
        }
        if (item.rfind("%CL_Model[", 0) == 0) {
          const std::size_t model = static_cast<std::size_t>(std::atoi(item.substr(10).c_str()));
          ASSERT_LT(model, models.size());
          EXPECT_NE(line.find(models[model]), std::string::npos) << line;  // same name as shown
        }
      }
    }
  }
  EXPECT_TRUE(shortcuts.count("Ctrl+S"));
}

}  // namespace
}  // namespace rtv
