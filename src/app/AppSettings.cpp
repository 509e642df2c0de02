#include "app/AppSettings.h"

#include <algorithm>

namespace rtv {

void AppSettings::ApplyDefaults(int screenWidth, int screenHeight) {
  stamp = kValidStamp;
  comPort = 1;
  comSpeedHigh = 1;
  currentDirectory.clear();
  recentFiles.clear();
  fontSizePercentage = 100;
  toolbarVisible = 1;
  fontSizePrinter = 10;
  // Truncation toward zero, as the integer conversions do.
  width = std::min(800, static_cast<int>(0.9 * screenWidth));
  height = std::min(600, static_cast<int>(0.9 * screenHeight));
  left = (screenWidth - width) / 2;
  top = static_cast<int>(0.3 * (screenHeight - height));
  splitterV = 200;
  modelType = 0;
  chListType = 0;
}

}  // namespace rtv
