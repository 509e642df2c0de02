// SPDX-License-Identifier: GPL-3.0-or-later
#include "link/widgets/LoggingLinkTrace.h"

namespace rtv {

Q_LOGGING_CATEGORY(linkTraceCategory, "rtv.link", QtWarningMsg)

void LoggingLinkTrace::Line(const std::string& text) {
  qCDebug(linkTraceCategory).noquote() << QString::fromStdString(text);
}

}  // namespace rtv
