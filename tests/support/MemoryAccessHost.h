// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "cells/CellAccessHost.h"
#include "cells/ChoiceLists.h"
#include "overlay/OverlayText.h"
#include "radio/AdjustmentState.h"
#include "radio/CloneInformation.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"

namespace rtv {

// The program around an item accessor, for tests: a working image, the shipped overlay and
// its choice lists, and a record of what the accessor told it. The memory map is installed.
class MemoryAccessHost : public CellAccessHost {
 public:
  struct StatusText {
    std::string text;
    ColourValue textColour;
    ColourValue background;
  };
  struct CellCommand {
    int cellLink;
    int index;
  };

  // `overlayPath` is the overlay file to read (tests pass the shipped one).
  explicit MemoryAccessHost(const std::string& overlayPath, std::int32_t imageSize = 32768);

  void AfterImageWrite() override { ++imageWrites; }
  EepromImage* CellImage() override { return &image; }
  EepromImage* CellTemplateImage() override {
    return templateImage.Size() > 0 ? &templateImage : nullptr;
  }
  EepromImage* CellReferenceImage() override {
    return referenceImage.Size() > 0 ? &referenceImage : nullptr;
  }
  ChoiceLists* CellChoices() override { return &choices; }
  OverlayText* CellOverlay() override { return &overlay; }
  int CellModelType() const override { return modelType; }
  bool ChannelSheetsUsedOnly() const override { return usedOnly; }
  bool AdjustmentConnected() const override { return adjustmentConnected; }
  void PostStatusText(const std::string& text, ColourValue textColour,
                      ColourValue background) override {
    statusTexts.push_back({text, textColour, background});
  }
  void PostBusMessage(Message message) override { messages.push_back(std::move(message)); }
  void RunCellCommand(int cellLink, const Cell& cell) override;
  CommandState CellCommandState(int cellLink, const Cell&) override {
    return commandStates[cellLink];
  }
  void CopyToClipboard(const std::string& text) override { clipboard.push_back(text); }
  CloneInformation* CellCloneInformation() override {
    return cloneInformation ? &*cloneInformation : nullptr;
  }
  AdjustmentState* CellAdjustment() override { return adjustment ? &*adjustment : nullptr; }
  // As a radio that takes every value at once.
  void AdjustmentEdited(int cellLink, int value) override;
  void RunRowOperation(int command, CellAccess& access) override;

  // The last status text that said something, or empty.
  std::string LastStatus() const;

  OverlayText overlay;
  EepromImage image;
  EepromImage templateImage;   // empty: no template
  EepromImage referenceImage;  // empty: no reference
  ChoiceLists choices{overlay};
  ItemAccessor accessor{this};
  int modelType = 0;
  bool usedOnly = false;
  bool adjustmentConnected = false;
  int imageWrites = 0;
  std::vector<StatusText> statusTexts;
  std::vector<Message> messages;
  std::vector<CellCommand> commands;
  std::map<int, CommandState> commandStates;
  std::vector<std::string> clipboard;
  std::optional<CloneInformation> cloneInformation;
  std::optional<AdjustmentState> adjustment;
  std::vector<int> adjustmentEdits;
  std::vector<CellCommand> rowOperations;  // command and row
};

}  // namespace rtv
