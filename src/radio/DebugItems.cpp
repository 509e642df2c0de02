// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/DebugItems.h"

#include <cstdio>
#include <string>

#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellAccessHost.h"
#include "cells/CellNames.h"
#include "cells/HexByteEditor.h"
#include "cells/IntegerEditor.h"
#include "radio/DifferingBytes.h"
#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

constexpr int kAddressColumn = LinkNo("CL_EeDebugWin_Adr");
constexpr int kFirstByte = LinkNo("CL_EeDebugWin_0");
constexpr int kLastByte = LinkNo("CL_EeDebugWin_F");
static_assert(kLastByte - kFirstByte + 1 == DebugItems::kBytesPerRow);

std::string Hex(const char* format, int value) {
  char text[16];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

void ShowSelected(CellRequest& request, std::string text) {
  request.displayText = std::move(text);
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

// The next or previous byte that differs from the reference, for the memory window.
void GoToDifference(CellAccess& access, const EepromImage& image, int address) {
  const EepromImage* reference = access.host.CellReferenceImage();
  if (reference == nullptr) return;
  const SpecialKey key = access.request.key.special();
  const std::optional<int> found = key == DebugItems::kNextDifferenceKey
                                       ? DifferingBytes::Next(*reference, image, address)
                                       : DifferingBytes::Previous(*reference, image, address);
  access.request.key = {};
  if (found) access.host.PostBusMessage(msg::DebugGoToAddress{*found});
}

}  // namespace

std::optional<int> DebugItems::ByteAddress(int cellLink, int index) {
  if (cellLink < kFirstByte || cellLink > kLastByte || index < 0) return std::nullopt;
  return index * kBytesPerRow + (cellLink - kFirstByte);
}

AccessResult DebugItems::ServeMemoryWindow(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  const int index = access.cell.index;
  if (cellLink == kAddressColumn) {
    access.ShowReadOnly(Hex("%04X", index * kBytesPerRow).c_str());
    return AccessResult::Nothing;
  }
  EepromImage* image = access.host.CellImage();
  const std::optional<int> address = ByteAddress(cellLink, index);
  // A row past the end of the image shows nothing and takes nothing.
  if (image == nullptr || !address || *address >= image->Size()) {
    access.ShowReadOnly("");
    return AccessResult::Nothing;
  }
  const SpecialKey key = access.request.key.special();
  if (key == kNextDifferenceKey || key == kPreviousDifferenceKey) {
    GoToDifference(access, *image, *address);
  }
  std::uint8_t& byte = image->Data()[*address];
  std::uint8_t value = byte;
  HexByteEditor editor(value);
  const AccessResult result = editor.Serve(access.request);
  if (editor.changed()) byte = value;
  return result;
}

AccessResult DebugItems::ServeFreeDebug(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  const int address = access.cell.index;
  const EepromImage* image = access.host.CellImage();
  const int bytes = cellLink == LinkNo("CL_Free_DscId") ? 5 : 1;
  if (image == nullptr || address < 0 || address + bytes > image->Size()) {
    access.ShowReadOnly("");
    return AccessResult::Nothing;
  }
  std::string text;
  if (cellLink == LinkNo("CL_Free_Byte_Dec")) {
    text = std::to_string(image->GetByte(address));
  } else if (cellLink == LinkNo("CL_Free_Byte_Hex")) {
    text = Hex("%02X", image->GetByte(address));
  } else {
    // Ten digits, two to a byte.
    for (int i = 0; i < bytes; ++i) text += Hex("%02X", image->GetByte(address + i));
  }
  access.ShowReadOnly(text.c_str());
  return AccessResult::Nothing;
}

AccessResult DebugItems::ServeFlagBit(CellAccess& access) {
  const int bit = access.cell.index - 1;
  EepromImage* image = access.host.CellImage();
  if (image == nullptr || bit < 0 || bit >= kFlagBits ||
      MemoryLayout::kRegionFlags >= image->Size()) {
    ShowSelected(access.request, access.cell.text.value_or(std::string()));
    return AccessResult::Nothing;
  }
  std::uint8_t& flags = image->Data()[MemoryLayout::kRegionFlags];
  const std::uint8_t mask = static_cast<std::uint8_t>(1u << bit);
  int value = (flags & mask) != 0 ? 1 : 0;
  IntegerEditor::Range range;
  range.maximum = 1;
  IntegerEditor editor(value, range);
  const AccessResult result = editor.Serve(access.request);
  if (editor.changed()) {
    flags = static_cast<std::uint8_t>(value != 0 ? flags | mask : flags & ~mask);
  }
  return result;
}

}  // namespace rtv
