#pragma once

#include "app/MainController.h"

namespace rtv {

// The controller of this radio family: model code 0x3974, extension code 1, 32 KB images.
class ModelController : public MainController {
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
  // Direction ImageNormaliser::kAfterLoad or kBeforeSave; against the template image.
  void Normalise(EepromImage& image, int direction) override;
  // Re-sorts the DSC ID lists of a freshly read image.
  void AfterRead(EepromImage& image) override;

  bool IsMakerMode() const { return makerMode_; }
  bool IsAdjustMode() const { return adjustMode_; }

 private:
  static void OnModelMessage(void* context, const Message& message);
  void HandleModelMessage(const Message& message);

  bool makerMode_ = false;
  bool adjustModeRequested_ = false;
  bool adjustMode_ = false;
};

}  // namespace rtv
