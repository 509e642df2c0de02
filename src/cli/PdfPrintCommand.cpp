// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PdfPrintCommand.h"

#include <QApplication>
#include <QPageLayout>
#include <QPageSize>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "cli/CloneTool.h"
#include "platform/qt/QtTextMetrics.h"
#include "print/PrintFontSize.h"
#include "print/PrintJob.h"
#include "print/PrintStyle.h"
#include "print/SheetPaginator.h"
#include "print/widgets/PrintSession.h"
#include "print/widgets/PrintTarget.h"

namespace rtv::tools {
namespace {

constexpr int kDotsPerInch = 600;
constexpr int kScreenDotsPerInch = 96;  // the proportions of the program's sheets

}  // namespace

PdfPrintCommand::PdfPrintCommand(std::string input, std::string sheet, std::string output,
                                 int fontChoice, bool force)
    : input_(std::move(input)),
      sheet_(std::move(sheet)),
      output_(std::move(output)),
      fontChoice_(fontChoice),
      force_(force) {}

int PdfPrintCommand::Run(int argc, char** argv, CloneTool& tool) const {
  std::error_code error;
  if (!force_ && std::filesystem::exists(output_, error)) {
    std::fprintf(stderr, "%s already exists; give --force to replace it.\n", output_.c_str());
    return kExitOutputFile;
  }
  // Painting needs a platform; the tool never shows a window.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication application(argc, argv);
  QtTextMetrics metrics;
  CloneTool::PrintSource source;
  if (const int status = tool.OpenForPrint(input_, sheet_, metrics, source); status != kExitOk) {
    return status;
  }
  PrintJob job(source.factory, source.names);
  const PrintStyle style = PrintStyle::FromOverlay(tool.Overlay());
  PrintTarget target(QString::fromStdString(output_),
                     QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF()),
                     kDotsPerInch);
  const PrintSetup setup = PrintSession::SetupFor(
      target.device(), style, PrintFontSize::PointsOfChoice(fontChoice_), kScreenDotsPerInch);
  const SheetPaginator paginator(metrics, setup);
  PrintSession session(target, job, paginator, style);
  bool ok = true;
  for (const std::string& name : source.names) {
    ok = session.PrintSheet(name);
    if (!ok) break;
  }
  if (ok && session.pagesPrinted() == 0) {
    target.Abandon();
    std::fprintf(stderr, "rtv612-clone: %s has nothing to print.\n",
                 sheet_.empty() ? "the file" : sheet_.c_str());
    return kExitUsage;
  }
  if (!ok || !session.Finish()) {
    target.Abandon();
    std::fprintf(stderr, "rtv612-clone: %s\n", session.error().toUtf8().constData());
    return kExitOutputFile;
  }
  return kExitOk;
}

}  // namespace rtv::tools
