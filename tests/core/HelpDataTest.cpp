// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the shipped help: the context table of the help overlay and the page it leads to.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include "cells/CellNames.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

TEST(HelpDataTest, EveryContextNamesACellLinkAndReachesAnAnchorOfTheHelpPage) {
  OverlayText overlay;
  ASSERT_TRUE(overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL"));
  const std::string page = ReadFile(RTV_DATA_DIR "/" + overlay.GetFirstLine("GI_Sys_MyHelpFile"));
  ASSERT_FALSE(page.empty());

  OverlayText help;
  ASSERT_TRUE(help.SetFile(RTV_DATA_DIR "/RTV612H.OVL"));
  int entries = 0;
  for (int i = 0;; ++i) {
    const std::string line = help.GetLine("GI_AppItem_CellName_to_ContextID", i);
    if (line == "#") break;
    SCOPED_TRACE(line);
    const std::size_t tab = line.find('\t');
    ASSERT_NE(tab, std::string::npos);
    const std::string link = line.substr(0, tab);
    EXPECT_NE(std::find(kCellLinkNames.begin(), kCellLinkNames.end(), link), kCellLinkNames.end());
    const int context = std::stoi(line.substr(tab + 1));
    EXPECT_GT(context, 0);
    EXPECT_EQ(help.HelpContextId(link), context);  // the first line of a link is the one used
    EXPECT_NE(page.find("id=\"c" + std::to_string(context) + "\""), std::string::npos);
    ++entries;
  }
  EXPECT_GT(entries, 0);
  // The values a user edits most are reached.
  for (const char* link :
       {"CL_ComDsc_SelfId", "CL_ChList_Atr", "CL_Fch_FreqR", "CL_ComAtis_AtisId"}) {
    EXPECT_GT(help.HelpContextId(link), 0) << link;
  }
}

}  // namespace
}  // namespace rtv
