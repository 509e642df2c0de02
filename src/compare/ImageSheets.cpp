// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/ImageSheets.h"

#include "radio/MemoryLayout.h"
#include "radio/RadioMemoryMap.h"
#include "radio/RadioModel.h"
#include "sheet/ModelSheet.h"

namespace rtv {

ImageSheets::ImageSheets(OverlayText& overlay, const TextMetrics& metrics, const EepromImage& image)
    : overlay_(overlay),
      image_(image),
      choices_(overlay),
      services_{overlay, metrics, [this](CellRequest& request, bool notify) {
                  return accessor_.AccessCell(request, notify);
                }} {
  InstallMemoryMap(accessor_);
}

int ImageSheets::ModelTypeOf(const EepromImage& image) {
  if (!image.IsValidAddress(MemoryLayout::kModelType)) return 0;
  const int model = image.GetByte(MemoryLayout::kModelType);
  return model < RadioModel::kModelTypes ? model : 0;
}

void ImageSheets::SetImage(const EepromImage& image) { image_.Assign(image); }

std::uint8_t ImageSheets::RegionFlags() const {
  return image_.IsValidAddress(MemoryLayout::kRegionFlags)
             ? image_.GetByte(MemoryLayout::kRegionFlags)
             : std::uint8_t{0};
}

std::vector<TreeSheets::Entry> ImageSheets::List() {
  return TreeSheets::List(overlay_, OptionalSheets::For(RegionFlags(), ModelType(), false, false));
}

std::unique_ptr<Sheet> ImageSheets::Build(const std::string& key) {
  auto sheet = std::make_unique<ModelSheet>(services_, *this, overlay_, key);
  sheet->Build();
  return sheet;
}

}  // namespace rtv
