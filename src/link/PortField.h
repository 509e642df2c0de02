// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

// How the port dialog asks for the port: a number field, an editable number field whose
// drop-down lists the system's ports, or a list of the ports by their names.
enum class PortField { Number, NumberList, FriendlyList };

}  // namespace rtv
