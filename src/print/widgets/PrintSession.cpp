// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/PrintSession.h"

#include <QPagedPaintDevice>

#include "print/PrintJob.h"
#include "print/PrintStyle.h"
#include "print/SheetPaginator.h"
#include "print/widgets/PrintTarget.h"
#include "print/widgets/SheetPagePainter.h"

namespace rtv {

PrintSession::PrintSession(PrintTarget& target, PrintJob& job, const SheetPaginator& paginator,
                           const PrintStyle& style)
    : target_(target), job_(job), paginator_(paginator), style_(style) {}

PrintSession::~PrintSession() {
  if (painter_.isActive()) painter_.end();
}

PrintSetup PrintSession::SetupFor(QPagedPaintDevice& device, const PrintStyle& style,
                                  int fontPoints, int screenDotsPerInch) {
  PrintSetup setup;
  setup.dotsPerInch = device.logicalDpiY();
  setup.screenDotsPerInch = screenDotsPerInch;
  setup.pageWidth = device.width();
  setup.pageHeight = device.height();
  setup.area = style.margins.PageArea(device.width(), device.height(), setup.dotsPerInch);
  setup.framePoints = style.framePoints;
  setup.fontPoints = fontPoints;
  return setup;
}

bool PrintSession::Start() {
  if (started_) return true;
  if (!target_.Open(error_) || !painter_.begin(&target_.device())) {
    if (error_.isEmpty()) error_ = QStringLiteral("The printer could not start the document.");
    failed_ = true;
    return false;
  }
  started_ = true;
  return true;
}

bool PrintSession::PrintPage(const PrintedPage& page) {
  if (failed_) return false;
  if (!started_) {
    if (!Start()) return false;
  } else if (!target_.device().newPage()) {
    error_ = QStringLiteral("The printer could not start a new page.");
    failed_ = true;
    return false;
  }
  Sheet* sheet = job_.SheetOf(page, paginator_);
  if (sheet != nullptr) SheetPagePainter(paginator_, style_).Paint(painter_, *sheet, page);
  ++pages_;
  return true;
}

bool PrintSession::PrintSheet(const std::string& name, const std::function<bool()>& cancelled) {
  for (const PrintedPage& page : job_.PaginateSheet(paginator_, name)) {
    if (cancelled && cancelled()) return true;
    if (!PrintPage(page)) return false;
  }
  return true;
}

bool PrintSession::Finish() {
  if (failed_) {
    target_.Abandon();
    return false;
  }
  if (!started_) {
    target_.Abandon();  // no pages: no document
    return true;
  }
  painter_.end();
  return target_.Commit(error_);
}

}  // namespace rtv
