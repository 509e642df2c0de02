#include "radio/RadioMemoryMap.h"

#include "radio/ChannelListColumns.h"
#include "radio/DscChannelColumns.h"
#include "radio/DscIdColumns.h"
#include "radio/FreeChannelColumns.h"
#include "radio/ItemAccessor.h"
#include "radio/WeatherColumns.h"

namespace rtv {

void InstallMemoryMap(ItemAccessor& accessor) {
  accessor.Serve(LinkFamily::ChannelListColumns, &ChannelListColumns::Serve);
  accessor.Serve(LinkFamily::DscChannelList, &DscChannelColumns::Serve);
  accessor.Serve(LinkFamily::WeatherChannelList, &WeatherColumns::Serve);
  accessor.Serve(LinkFamily::FreeChannels, &FreeChannelColumns::Serve);
  accessor.Serve(LinkFamily::DscIdLists, &DscIdColumns::Serve);
}

}  // namespace rtv
