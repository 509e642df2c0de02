// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

class ItemAccessor;

// Gives the accessor the handlers of every family of the radio's memory map.
void InstallMemoryMap(ItemAccessor& accessor);

}  // namespace rtv
