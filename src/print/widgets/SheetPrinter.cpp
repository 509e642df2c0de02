// SPDX-License-Identifier: GPL-3.0-or-later
#include "print/widgets/SheetPrinter.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QWidget>

#include "base/Prompts.h"
#include "base/Timers.h"
#include "overlay/OverlayText.h"
#include "print/SheetPaginator.h"
#include "print/widgets/PrintPreviewWindow.h"
#include "print/widgets/PrintProgressWindow.h"
#include "print/widgets/PrintSession.h"
#include "print/widgets/PrintTarget.h"

namespace rtv {

SheetPrinter::SheetPrinter(PrinterServices services, QObject* parent)
    : QObject(parent), services_(std::move(services)) {
  task_ = services_.timers->CreateTimer([this] { Tick(); });
}

bool SheetPrinter::jobActive() const { return task_->IsActive(); }

PrintPreviewWindow* SheetPrinter::preview() const { return preview_; }

PrintProgressWindow* SheetPrinter::progress() const { return progress_; }

SheetPrinter::~SheetPrinter() {
  task_->Stop();
  session_.reset();
  delete progress_;
}

bool SheetPrinter::ShowSetupDialog(QPrinter& printer) {
  if (services_.setupDialog) return services_.setupDialog(printer);
  QPrintDialog dialog(&printer, services_.mainWindow);
  return dialog.exec() == QDialog::Accepted;
}

void SheetPrinter::Print(bool all, const std::string& current,
                         const std::vector<std::string>& sheets) {
  if (current.empty() || jobActive() || preview_ != nullptr) return;
  OverlayText& overlay = *services_.overlay;
  printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
  // Qt's PDF output is a printer on every system; only a printing system that offers
  // neither a printer nor PDF leaves nothing to print on.
  if (!printer_->isValid()) {
    services_.prompts->Message(overlay.GetFirstLine("GI_Sys_Printer_NoPrinter"),
                               overlay.GetFirstLine("GI_Sys_AppTitle"), PromptIcon::Error,
                               PromptButtons::Ok);
    return;
  }
  printer_->setCopyCount(1);
  if (!ShowSetupDialog(*printer_)) return;

  QWidget* mainWindow = services_.mainWindow;
  if (mainWindow != nullptr) mainWindow->setEnabled(false);
  style_ = PrintStyle::FromOverlay(overlay);
  sheets_ = all ? sheets : std::vector<std::string>{current};
  job_ = std::make_unique<PrintJob>(services_.factory, sheets_);
  target_ = std::make_unique<PrintTarget>(*printer_);
  const int screenDpi = mainWindow != nullptr ? mainWindow->logicalDpiY() : 96;
  const PrintSetup setup =
      PrintSession::SetupFor(target_->device(), style_, services_.fontPoints(), screenDpi);
  PreviewServices previewServices{overlay,         *services_.metrics,        style_,
                                  services_.icons, services_.storeFontPoints, screenDpi};
  auto* preview = new PrintPreviewWindow(*job_, setup, previewServices, mainWindow);
  preview->setAttribute(Qt::WA_DeleteOnClose, false);
  preview_ = preview;
  const bool print = preview->exec() == QDialog::Accepted;
  paginator_ = std::make_unique<SheetPaginator>(*services_.metrics, preview->setup());
  delete preview;
  if (!print) {
    EndJob();
    return;
  }
  progress_ = new PrintProgressWindow(overlay, mainWindow);
  progress_->show();
  session_ = std::make_unique<PrintSession>(*target_, *job_, *paginator_, style_);
  nextSheet_ = 0;
  if (all) {
    task_->Start(kTickMs);
    return;
  }
  session_->PrintSheet(current, [this] { return progress_->cancelRequested(); });
  EndJob();
}

void SheetPrinter::Tick() {
  if (nextSheet_ < sheets_.size() && session_ != nullptr) {
    // A cancelled job still walks its sheets, printing nothing more.
    session_->PrintSheet(sheets_[nextSheet_++],
                         [this] { return progress_ == nullptr || progress_->cancelRequested(); });
  }
  if (nextSheet_ >= sheets_.size()) EndJob();
}

void SheetPrinter::EndJob() {
  task_->Stop();
  QString error;
  if (session_ != nullptr && !session_->Finish()) error = session_->error();
  session_.reset();
  target_.reset();
  paginator_.reset();
  job_.reset();
  printer_.reset();
  sheets_.clear();
  delete progress_;
  if (QWidget* mainWindow = services_.mainWindow) {
    mainWindow->setEnabled(true);
    mainWindow->activateWindow();
  }
  if (!error.isEmpty()) {
    services_.prompts->Message(error.toStdString(),
                               services_.overlay->GetFirstLine("GI_Sys_AppTitle"),
                               PromptIcon::Error, PromptButtons::Ok);
  }
  emit finished();
}

}  // namespace rtv
