// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedController.h"

#include "ShippedData.h"

namespace rtv::test {

ShippedController::ShippedController(int model) {
  settings.modelType = model;
  overlay.SetFile(test::DataFile("RTV612.OVL"));
  help.SetLines({"#End_Of_Ovl"});
  controller.SetDataFolder(test::InitialFolder());
  controller.Setup(view);
}

std::unique_ptr<Sheet> ShippedController::BuildSheet(const std::string& key) {
  std::unique_ptr<Sheet> sheet = controller.CreateSheet(services, key);
  sheet->Build();
  return sheet;
}

}  // namespace rtv::test
