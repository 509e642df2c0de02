// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <vector>

namespace rtv {

// A picture built into the program by the base name of its source file (rendered from the
// SVG sources when the program is built, at 16 pixels and twice that); empty if unknown.
QIcon BuiltInIcon(const char* name);

// The pictures the tree and the toolbar entries of the overlay refer to by position.
std::vector<QIcon> TreeIcons();
std::vector<QIcon> ToolbarIcons();

}  // namespace rtv
