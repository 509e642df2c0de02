#include "radio/RadioMemoryMap.h"

#include "radio/ItemAccessor.h"

namespace rtv {

void InstallMemoryMap(ItemAccessor& accessor) {
  (void)accessor;  // the families register here as they are served
}

}  // namespace rtv
