// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedController.h"

namespace rtv::test {

ShippedController::ShippedController(int model) {
  settings.modelType = model;
  overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
  help.SetLines({"#End_Of_Ovl"});
  controller.SetDataFolder(RTV_INITIAL_DIR);
  controller.Setup(view);
}

std::unique_ptr<Sheet> ShippedController::BuildSheet(const std::string& key) {
  std::unique_ptr<Sheet> sheet = controller.CreateSheet(services, key);
  sheet->Build();
  return sheet;
}

}  // namespace rtv::test
