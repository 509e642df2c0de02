// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace rtv::test {

// The program and the radio simulator of this build. Their absolute paths are compiled into
// BuiltPrograms.cpp alone, so that the other test sources compile the same in any clone.
QString ProgramPath();
QString RadioSimPath();

}  // namespace rtv::test
