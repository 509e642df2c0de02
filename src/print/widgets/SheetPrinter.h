// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "print/PrintJob.h"
#include "print/PrintStyle.h"
#include "print/widgets/PreviewIcons.h"

class QPrinter;
class QWidget;

namespace rtv {

class OverlayText;
class PrintPreviewWindow;
class PrintProgressWindow;
class PrintSession;
class PrintTarget;
class Prompts;
class SheetPaginator;
class TextMetrics;
class Timer;
class Timers;

// What the printer works with; all outlive it.
struct PrinterServices {
  QWidget* mainWindow = nullptr;  // disabled while a print runs
  OverlayText* overlay = nullptr;
  const TextMetrics* metrics = nullptr;
  Prompts* prompts = nullptr;
  Timers* timers = nullptr;  // the print task's
  PreviewIcons icons;
  PrintJob::SheetFactory factory;  // builds the sheets afresh for the printer
  std::function<int()> fontPoints;
  std::function<void(int)> storeFontPoints;
  // The printer set-up dialog; false on Cancel. The system's dialog unless set.
  std::function<bool(QPrinter&)> setupDialog;
};

// Prints the sheet on show or every sheet of the tree: the printer set-up, the preview,
// then the pages, for all sheets one sheet per tick so that the progress window answers.
class SheetPrinter : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 50;

  explicit SheetPrinter(PrinterServices services, QObject* parent = nullptr);
  ~SheetPrinter() override;

  // `current` is the sheet on show; `all` prints the listed sheets instead.
  void Print(bool all, const std::string& current, const std::vector<std::string>& sheets);
  bool jobActive() const;
  // Replaces the printer set-up dialog (tests choose a PDF file without one).
  void SetSetupDialog(std::function<bool(QPrinter&)> dialog) {
    services_.setupDialog = std::move(dialog);
  }
  // The preview while it is open, the progress window while pages go out.
  PrintPreviewWindow* preview() const;
  PrintProgressWindow* progress() const;

 signals:
  void finished();

 private:
  void Tick();
  void EndJob();
  bool ShowSetupDialog(QPrinter& printer);

  PrinterServices services_;
  PrintStyle style_;
  std::unique_ptr<QPrinter> printer_;
  std::unique_ptr<PrintTarget> target_;
  std::unique_ptr<PrintJob> job_;
  std::unique_ptr<SheetPaginator> paginator_;
  std::unique_ptr<PrintSession> session_;
  QPointer<PrintPreviewWindow> preview_;
  QPointer<PrintProgressWindow> progress_;
  std::vector<std::string> sheets_;
  std::size_t nextSheet_ = 0;
  std::unique_ptr<Timer> task_;
};

}  // namespace rtv
