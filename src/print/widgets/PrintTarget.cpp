// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/PrintTarget.h"

#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>

namespace rtv {

PrintTarget::PrintTarget(QPrinter& printer) {
  if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()) {
    OpenFile(printer.outputFileName(), printer.pageLayout(), printer.resolution());
  } else {
    printer_ = &printer;
    printer.setFullPage(true);  // the margins are ours
  }
}

PrintTarget::PrintTarget(const QString& pdfPath, const QPageLayout& layout, int dotsPerInch) {
  OpenFile(pdfPath, layout, dotsPerInch);
}

PrintTarget::~PrintTarget() { Abandon(); }

void PrintTarget::OpenFile(const QString& path, const QPageLayout& layout, int dotsPerInch) {
  path_ = path;
  file_ = std::make_unique<QSaveFile>(path);
  writer_ = std::make_unique<QPdfWriter>(file_.get());
  writer_->setResolution(dotsPerInch);
  writer_->setPageSize(layout.pageSize());
  writer_->setPageOrientation(layout.orientation());
  writer_->setPageMargins(QMarginsF(0, 0, 0, 0));
  writer_->setCreator(QStringLiteral("rtv612"));
}

bool PrintTarget::Open(QString& error) {
  if (file_ == nullptr) return true;
  if (file_->open(QIODevice::WriteOnly)) return true;
  error = QStringLiteral("Cannot write %1: %2").arg(path_, file_->errorString());
  return false;
}

QPagedPaintDevice& PrintTarget::device() {
  if (writer_ != nullptr) return *writer_;
  return *printer_;
}

bool PrintTarget::Commit(QString& error) {
  if (file_ == nullptr) {
    if (printer_->printerState() != QPrinter::Error) return true;
    error = QStringLiteral("The printer reported an error.");
    return false;
  }
  writer_.reset();  // its last bytes reach the file
  if (file_->error() == QFileDevice::NoError && file_->commit()) {
    file_.reset();
    return true;
  }
  error = QStringLiteral("Cannot write %1: %2").arg(path_, file_->errorString());
  file_.reset();
  return false;
}

void PrintTarget::Abandon() {
  writer_.reset();
  if (file_ != nullptr) file_->cancelWriting();
  file_.reset();
}

}  // namespace rtv
