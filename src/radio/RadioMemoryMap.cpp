#include "radio/RadioMemoryMap.h"

#include <memory>

#include "radio/ItemAccessor.h"
#include "radio/SettingsItems.h"

namespace rtv {

void InstallMemoryMap(ItemAccessor& accessor) {
  auto settings = std::make_shared<SettingsItems>();
  accessor.Serve(LinkFamily::RadioSettings,
                 [settings](CellAccess& access) { return settings->Serve(access); });
}

}  // namespace rtv
