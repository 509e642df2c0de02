// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RadioMemoryMap.h"

#include <memory>

#include "radio/AdjustmentItems.h"
#include "radio/ChannelListColumns.h"
#include "radio/ChoiceItems.h"
#include "radio/DebugItems.h"
#include "radio/DscChannelColumns.h"
#include "radio/DscIdColumns.h"
#include "radio/FreeChannelColumns.h"
#include "radio/ItemAccessor.h"
#include "radio/ProgramItems.h"
#include "radio/SettingsItems.h"
#include "radio/WarningChecks.h"
#include "radio/WeatherColumns.h"

namespace rtv {

void InstallMemoryMap(ItemAccessor& accessor) {
  auto choiceItems = std::make_shared<ChoiceItems>(accessor);
  accessor.Serve(LinkFamily::Special,
                 [choiceItems](CellAccess& access) { return choiceItems->Serve(access); });
  accessor.Serve(LinkFamily::EepromDebug, DebugItems::ServeMemoryWindow);
  accessor.Serve(LinkFamily::FreeDebug, DebugItems::ServeFreeDebug);
  accessor.Serve(LinkFamily::MenuCommands, ProgramItems::ServeCommand);
  accessor.Serve(LinkFamily::SheetCall, ProgramItems::ServeCommand);
  accessor.Serve(LinkFamily::PopupCommands, ProgramItems::ServePopupItem);
  auto checks = std::make_shared<WarningChecks>(accessor);
  accessor.Serve(LinkFamily::WarningChecks,
                 [checks](CellAccess& access) { return checks->Serve(access); });
  accessor.Serve(LinkFamily::CloneInformation, ProgramItems::ServeCloneInformation);
  accessor.Serve(LinkFamily::LayoutHelpers, ProgramItems::ServeLayout);
  accessor.Serve(LinkFamily::FixedTexts, ProgramItems::ServeFixedText);

  accessor.Serve(LinkFamily::ChannelListColumns, &ChannelListColumns::Serve);
  accessor.Serve(LinkFamily::DscChannelList, &DscChannelColumns::Serve);
  accessor.Serve(LinkFamily::WeatherChannelList, &WeatherColumns::Serve);
  accessor.Serve(LinkFamily::FreeChannels, &FreeChannelColumns::Serve);
  accessor.Serve(LinkFamily::DscIdLists, &DscIdColumns::Serve);

  auto settings = std::make_shared<SettingsItems>();
  accessor.Serve(LinkFamily::RadioSettings,
                 [settings](CellAccess& access) { return settings->Serve(access); });
  accessor.Serve(LinkFamily::AdjustmentSheet, AdjustmentItems::ServeSheet);
  accessor.Serve(LinkFamily::AdjustmentParams, AdjustmentItems::ServeParameter);
  accessor.Serve(LinkFamily::AdReadings, AdjustmentItems::ServeReading);
}

}  // namespace rtv
