// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPainter>
#include <QString>
#include <functional>
#include <string>

#include "print/PrintSetup.h"

class QPagedPaintDevice;

namespace rtv {

class PrintJob;
class PrintTarget;
class SheetPaginator;
struct PrintStyle;
struct PrintedPage;

// One printed document: its pages are painted sheet by sheet onto the target, the first
// page starting the document.
class PrintSession {
 public:
  PrintSession(PrintTarget& target, PrintJob& job, const SheetPaginator& paginator,
               const PrintStyle& style);
  ~PrintSession();
  PrintSession(const PrintSession&) = delete;
  PrintSession& operator=(const PrintSession&) = delete;

  // The layout for a page device: its size in dots inside the style's margins.
  static PrintSetup SetupFor(QPagedPaintDevice& device, const PrintStyle& style, int fontPoints,
                             int screenDotsPerInch);

  // Prints every page of a sheet; false (see error) when the output failed.
  bool PrintSheet(const std::string& name, const std::function<bool()>& cancelled = {});
  bool PrintPage(const PrintedPage& page);
  // Ends the document; false (see error) when it could not be completed.
  bool Finish();
  int pagesPrinted() const { return pages_; }
  const QString& error() const { return error_; }

 private:
  bool Start();

  PrintTarget& target_;
  PrintJob& job_;
  const SheetPaginator& paginator_;
  const PrintStyle& style_;
  QPainter painter_;
  bool started_ = false;
  bool failed_ = false;
  int pages_ = 0;
  QString error_;
};

}  // namespace rtv
