#include "app/ModelController.h"

#include <cstring>

#include "radio/IdListSorter.h"
#include "radio/ImageNormaliser.h"

namespace rtv {

ModelController::ModelController(const ControllerServices& services, std::int32_t imageSize)
    : MainController(services, imageSize) {
  ModelController::Reset();
  Bus().Subscribe(&ModelController::OnModelMessage, this);
}

ModelController::~ModelController() { Bus().Unsubscribe(&ModelController::OnModelMessage, this); }

void ModelController::Reset() {
  MainController::Reset();
  makerMode_ = false;
  adjustModeRequested_ = false;
  adjustMode_ = false;
  SetModelCodes(kModelCode, kExtensionCode);
}

int ModelController::ValidateImage(const EepromImage& image, bool strict) {
  if (!image.IsValidAddress(kValidFlagAddress) || image.GetByte(kValidFlagAddress) != 1) return 1;
  if (strict) {
    const std::size_t length = std::strlen(kMakerName);
    for (std::size_t i = 0; i < length; ++i) {
      const auto address = kMakerNameAddress + static_cast<std::int32_t>(i);
      if (image.GetByte(address) != static_cast<std::uint8_t>(kMakerName[i])) return 1;
    }
  }
  return 0;
}

void ModelController::Normalise(EepromImage& image, int direction) {
  ImageNormaliser(TemplateImage(), CellModelType(), adjustMode_).Normalise(image, direction);
}

void ModelController::AfterRead(EepromImage& image) { IdListSorter::Sort(image); }

void ModelController::OnModelMessage(void* context, const Message& message) {
  static_cast<ModelController*>(context)->HandleModelMessage(message);
}

void ModelController::HandleModelMessage(const Message&) {}

}  // namespace rtv
