// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuiltPrograms.h"

namespace rtv::test {

QString ProgramPath() { return QStringLiteral(RTV_PROGRAM); }

QString RadioSimPath() { return QStringLiteral(RTV_RADIOSIM); }

}  // namespace rtv::test
