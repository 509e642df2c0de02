// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "app/MainController.h"
#include "app/MainView.h"
#include "app/StartFacts.h"
#include "link/PortDiscovery.h"
#include "radio/RadioModel.h"
#include "radio/RadioModelHost.h"
#include "sheet/SheetModelHost.h"

namespace rtv {

class CloneCommands;
class DebugTextLinkTrace;
class SerialDevice;

// The controller of this radio family: the model's image rules (RadioModel) on the
// controller's images, the service modes and the radio commands.
class ModelController : public MainController, public SheetModelHost, public RadioModelHost {
 public:
  explicit ModelController(const ControllerServices& services,
                           std::int32_t imageSize = RadioModel::kImageSize);
  ~ModelController() override;

  void Reset() override;
  RadioModel::Validity ValidateImage(const EepromImage& image,
                                     RadioModel::Strictness strictness) override;
  RadioModel::MapAge CheckNotNewer(const EepromImage& image) override;
  void EndAdjustModeUnlessRequested() override;
  // Against the template image.
  void Normalise(EepromImage& image, NormaliseDirection direction) override;
  void AfterRead(EepromImage& image) override;

  bool IsMakerMode() const { return makerMode_; }
  bool IsAdjustMode() const override { return adjustMode_; }
  // What the model's rules work against.
  const EepromImage& ModelTemplate() const override { return TemplateImage(); }
  void SwitchModel(int modelType) override { ChangeModel(modelType, false); }

  // Service modes.
  static constexpr const char* kMakerSwitch = "/kalvorn";
  static constexpr const char* kAdjustSwitch = "/bluefin_kor";
  static constexpr const char* kMakerWord = "kalvorn";
  static constexpr const char* kAdjustWindowSheet = "GI_Sheet_Win_AD";

  // The program's arguments, program path included; read by Setup.
  void SetCommandLine(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  void Setup(MainView& view) override;
  void RebuildTree() override;
  void AfterLoad(EepromImage& image) override;
  // In maker mode the maker caution is asked again; false when it is declined.
  bool MakerWriteAllowed() override;
  void KeyTyped(char character) override;
  void RunCellCommand(int link, const Cell& cell) override;
  CloneInformation* CellCloneInformation() override;
  AdjustmentState* CellAdjustment() override;
  // Adjustment cells are editable once every value was read from the radio in this run.
  bool AdjustmentConnected() const override;
  void AdjustmentEdited(int link, int value) override;
  // Refused while a radio exchange runs.
  bool QueryClose() override;
  CommandState CellCommandState(int link, const Cell& cell) override;
  void ChangeModel(int modelType, bool ask);
  void MakerModeOn();
  void AdjustModeOn();
  std::unique_ptr<Sheet> CreateSheet(const SheetServices& services,
                                     const std::string& name) override;
  bool ChannelSheetsUsedOnly() const override { return UsableView(); }

  // What the start page shows now.
  StartFacts CurrentStartFacts();

  // Switches the channel sheets between every channel and the channels in use (the
  // "ChListType" setting) and rebuilds the sheet on show on the same channel.
  void SetChannelsInUseOnly(bool on);

  // What the channel sheets read.
  int ModelType() const override;
  bool UsableView() const override;
  std::uint8_t RegionFlags() const override;
  ChannelMarks Channel(ListKind kind, int row) const override;

  // The optional sheets the tree shows now.
  OptionalSheets CurrentOptionalSheets();

  // The radio commands work once a serial device is attached; until then they do nothing.
  void AttachLink(SerialDevice& device, const PortEnvironment& ports);
  CloneCommands* Clone() { return clone_.get(); }

 private:
  bool Confirm(const char* key);
  void FreeDebugWindowShown(bool shown) override;
  void OpenAdjustWindow();
  void AdjustTree();

  void HandleModelMessage(const Message& message);

  bool makerMode_ = false;
  bool adjustModeRequested_ = false;
  bool adjustMode_ = false;
  std::vector<std::string> arguments_;
  std::string typed_;  // the last characters typed in the About box, lower-cased
  std::unique_ptr<CloneCommands> clone_;
  // While the free debug window is open, the link's record goes there too.
  std::unique_ptr<DebugTextLinkTrace> debugTrace_;
  RadioModel model_{*this};
  BusSubscription subscription_;
};

}  // namespace rtv
