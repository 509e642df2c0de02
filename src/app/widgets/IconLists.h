#pragma once

#include <QIcon>
#include <QString>
#include <vector>

namespace rtv {

// The pictures the tree and the toolbar entries of the overlay refer to by position,
// read from the "icons" folder beside the program.
std::vector<QIcon> TreeIcons(const QString& programFolder);
std::vector<QIcon> ToolbarIcons(const QString& programFolder);

}  // namespace rtv
