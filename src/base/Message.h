// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtv {

// Bus message type codes shared across the program.
enum MessageType : int {
  kMsgModeChanged = 2,
  kMsgShowAbout = 3,
  kMsgStatusText = 4,
  kMsgOpenFlagBitsWindow = 5,
  kMsgOpenMemoryDebugWindow = 6,
  kMsgOpenDebugCompareWindow = 7,
  kMsgTakeCompareCopy = 8,
  kMsgRefreshMenuStates = 9,
  kMsgClearMenuSubItems = 10,  // arg1 = the link of the item whose sub-items go
  kMsgBuildMenuSubItems = 11,  // arg1 = the item's link, text = the overlay key
  kMsgDataChanged = 13,        // redraw every bound cell
  kMsgRedrawType = 14,
  kMsgRedrawLink = 15,
  kMsgRedrawIndex = 16,
  kMsgRedrawIndexUpTo = 17,
  kMsgRedrawIndexFrom = 18,
  kMsgCurrentCellChanged = 19,
  kMsgRefreshToolbarStates = 20,
  kMsgCommitEdits = 21,
  kMsgWarningsUpdated = 23,
  kMsgSelectTreeNode = 26,  // text = the sheet descriptor of the node
  kMsgImageReplaced = 28,
  kMsgJumpToChannel = 29,
  kMsgOpenAdjustWindow = 30,
  kMsgAdjustWindowOpen = 32,
  kMsgOpenFreeDebugWindow = 33,
  kMsgDebugText = 34,         // text = one line for the free debug window
  kMsgDebugGoToAddress = 35,  // arg1 = the image address the memory window shows
  // Paste Rows from the clipboard, once the popup command that asked has returned.
  kMsgPasteClipboardRows = 36,
};

enum class Delivery { Post = 0, Send = 1 };

struct Message {
  int type = 0;
  Delivery mode = Delivery::Send;
  int arg1 = 0;
  int arg2 = 0;
  std::vector<std::uint8_t> payload;

  // A text payload is stored with its terminating zero; this reads it back.
  std::string Text() const;
  static std::vector<std::uint8_t> TextPayload(std::string_view text);
};

}  // namespace rtv
