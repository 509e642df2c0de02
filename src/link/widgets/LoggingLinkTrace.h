// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLoggingCategory>

#include "link/LinkTrace.h"

namespace rtv {

Q_DECLARE_LOGGING_CATEGORY(linkTraceCategory)

// The link's record through Qt's logging, category "rtv.link"; off unless switched on,
// as with QT_LOGGING_RULES="rtv.link=true".
class LoggingLinkTrace : public LinkTrace {
 public:
  static bool Enabled() { return linkTraceCategory().isDebugEnabled(); }
  void Line(const std::string& text) override;
};

}  // namespace rtv
