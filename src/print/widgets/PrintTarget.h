// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPageLayout>
#include <QString>
#include <memory>

class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class QSaveFile;

namespace rtv {

// Where printed pages go: a system printer, or a PDF file that is written whole or not at
// all (a failed or cancelled print leaves no part of it behind).
class PrintTarget {
 public:
  // A printer set to PDF output writes its file through a PDF writer of its own.
  explicit PrintTarget(QPrinter& printer);
  PrintTarget(const QString& pdfPath, const QPageLayout& layout, int dotsPerInch);
  ~PrintTarget();
  PrintTarget(const PrintTarget&) = delete;
  PrintTarget& operator=(const PrintTarget&) = delete;

  // False, with the reason, when the output cannot be started.
  bool Open(QString& error);
  QPagedPaintDevice& device();
  // Completes the output; false, with the reason, when the last of it could not be written.
  bool Commit(QString& error);
  // Drops a PDF file that was started.
  void Abandon();
  bool toFile() const { return file_ != nullptr; }

 private:
  void OpenFile(const QString& path, const QPageLayout& layout, int dotsPerInch);

  QPrinter* printer_ = nullptr;
  std::unique_ptr<QSaveFile> file_;
  std::unique_ptr<QPdfWriter> writer_;
  QString path_;
};

}  // namespace rtv
