#pragma once

#include <string>
#include <vector>

#include "app/MainController.h"
#include "app/MainView.h"
#include "link/PortDiscovery.h"
#include "sheet/SheetModelHost.h"

namespace rtv {

class CloneCommands;
class SerialDevice;

// The controller of this radio family: model code 0x3974, extension code 1, 32 KB images.
class ModelController : public MainController, public SheetModelHost {
 public:
  static constexpr int kModelCode = 0x3974;
  static constexpr int kExtensionCode = 1;
  static constexpr std::int32_t kImageSize = 32768;
  static constexpr std::int32_t kValidFlagAddress = 0x0EEA;
  static constexpr std::int32_t kMakerNameAddress = 0x0EE0;
  static constexpr const char* kMakerName = "Vrel Inc";

  explicit ModelController(const ControllerServices& services, std::int32_t imageSize = kImageSize);
  ~ModelController() override;

  void Reset() override;
  int ValidateImage(const EepromImage& image, bool strict) override;
  void EndAdjustModeUnlessRequested() override;
  // Direction ImageNormaliser::kAfterLoad or kBeforeSave; against the template image.
  void Normalise(EepromImage& image, int direction) override;
  // Re-sorts the DSC ID lists of a freshly read image.
  void AfterRead(EepromImage& image) override;

  bool IsMakerMode() const { return makerMode_; }
  bool IsAdjustMode() const { return adjustMode_; }

  // Model and service modes.
  static constexpr std::int32_t kModelTypeAddress = 0x0EE9;
  static constexpr std::int32_t kRegionFlagsAddress = 0x0BA8;
  static constexpr const char* kMakerSwitch = "/kalvorn";
  static constexpr const char* kAdjustSwitch = "/bluefin_kor";
  static constexpr const char* kMakerWord = "kalvorn";
  static constexpr const char* kAdjustWindowSheet = "GI_Sheet_Win_AD";

  // The program's arguments, program path included; read by Setup.
  void SetCommandLine(std::vector<std::string> arguments) { arguments_ = std::move(arguments); }
  void Setup(MainView& view) override;
  void RebuildTree() override;
  void AfterLoad(EepromImage& image) override;
  int MakerGate() override;
  void KeyTyped(char character) override;
  void RunCellCommand(int link, const Cell& cell) override;
  CloneInformation* CellCloneInformation() override;
  AdjustmentState* CellAdjustment() override;
  // Refused while a radio exchange runs.
  bool QueryClose() override;
  CommandState CellCommandState(int link, const Cell& cell) override;
  void ChangeModel(int modelType, bool ask);
  void MakerModeOn();
  void AdjustModeOn();
  std::unique_ptr<Sheet> CreateSheet(const SheetServices& services,
                                     const std::string& name) override;
  bool ChannelSheetsUsedOnly() const override { return UsableView(); }

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
  void OpenAdjustWindow();
  void AdjustTree();

  static void OnModelMessage(void* context, const Message& message);
  void HandleModelMessage(const Message& message);

  bool makerMode_ = false;
  bool adjustModeRequested_ = false;
  bool adjustMode_ = false;
  std::vector<std::string> arguments_;
  std::string typed_;  // the last characters typed in the About box, lower-cased
  std::unique_ptr<CloneCommands> clone_;
};

}  // namespace rtv
