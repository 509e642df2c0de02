// Checks the shipped overlay file itself: the keys the program reads, the line structure
// of the messages that are read line by line, and the choice lists.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "overlay/GTEX.h"
#include "radio/CellNames.h"
#include "sheet/ChoiceLists.h"

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
  int link;  // the variant whose cells are the choices
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
  GTEX overlay;
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
      {"GI_AppInd_Model", 7},
      {"GI_App_InitialFile", 7},
      {"GI_AppInd_Button_OkCancel", 2},
      {"GI_AppInd_Opt_ComSel_Buttons", 2},
      {"GI_AppInd_CloneInfo", 2},
      {"GI_Mess_CloneRW_Title_Message", 2},
      {"GI_Sys_Printer_PrintingDialog", 3},
      {"GI_Sys_Dialog_FOpen", 2},
  };
  GTEX overlay;
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
  GTEX overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  const std::vector<std::string> heads = Lines(overlay.GetText("GI_Mess_CloneErr_Head"));
  for (std::size_t status = 0; status < heads.size(); ++status) {
    EXPECT_EQ(Placeholders(heads[status]), status == 2 ? "%d" : "") << "status " << status;
  }
  const std::map<std::string, std::string> formats = {
      {"GI_Mess_Confirm_WriteFile", "%s"},
      {"GI_Mess_Port_Device", "%s"},
      {"GI_AppInd_CloneInfo", "%s%s"},
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

TEST(OverlayDataTest, ChoiceListsParseWithoutFatalError) {
  // A fault in the markup ends the process; run the whole walk in a child to see it.
  EXPECT_EXIT(
      {
        GTEX overlay;
        overlay.SetFile(kOverlayPath);
        ChoiceLists lists(overlay);
        for (const ChoiceListKey& list : kChoiceLists) lists.List(list.key, list.link);
        std::exit(0);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST(OverlayDataTest, ChoiceListsHaveUniqueNamedValues) {
  GTEX overlay;
  ASSERT_TRUE(overlay.SetFile(kOverlayPath));
  ChoiceLists lists(overlay);
  for (const ChoiceListKey& entry : kChoiceLists) {
    SCOPED_TRACE(entry.key);
    // The popup that shows a list builds it as a sheet, which needs all three entries.
    EXPECT_TRUE(overlay.HasKey(std::string(entry.key) + "_Style"));
    EXPECT_TRUE(overlay.HasKey(std::string(entry.key) + "_BasicCell"));
    const ChoiceList& list = lists.List(entry.key, entry.link);
    ASSERT_FALSE(list.byValue.empty());
    std::set<int> values;
    for (const Choice& choice : list.byValue) {
      EXPECT_TRUE(values.insert(choice.value).second) << "value " << choice.value;
      EXPECT_FALSE(choice.name.empty()) << "value " << choice.value;
      EXPECT_NE(choice.name, ChoiceLists::kMissingName);
    }
  }
}

}  // namespace
}  // namespace rtv
