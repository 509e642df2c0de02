// SPDX-License-Identifier: GPL-3.0-or-later
// Printing as a user meets it: File > Print, the preview's paging, zoom and font setting,
// and the pages going into a PDF file while the main window waits.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

#include "MemorySettingsStore.h"
#include "ProgramWindow.h"
#include "WaitUntil.h"
#include "print/widgets/PrintPreviewWindow.h"
#include "print/widgets/PrintProgressWindow.h"
#include "print/widgets/SheetPrinter.h"

namespace rtv {
namespace {

struct PrintFixture {
  PrintFixture() {
    EXPECT_TRUE(program.Choose("GI_Sheet_IntCh"));
    pdf = program.folder.Path() + "/out.pdf";
    program.mainWindow->Printer()->SetSetupDialog([this](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QString::fromStdString(pdf));
      return true;
    });
  }
  // Runs `inPreview` once the preview is up (it is modal), after the menu command.
  void PrintThrough(const char* command, std::function<void(PrintPreviewWindow&)> inPreview) {
    QAction* action = program.MenuItem(command);
    ASSERT_NE(action, nullptr);
    program.Tick();  // the menu's states
    ASSERT_TRUE(action->isEnabled());
    // The preview is modal: it is driven from inside its own event loop once it shows.
    bool ran = false;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
      PrintPreviewWindow* preview = program.mainWindow->Printer()->preview();
      if (preview == nullptr || !preview->isVisible() || ran) return;
      ran = true;
      EXPECT_FALSE(program.mainWindow->isEnabled());
      inPreview(*preview);
      if (preview->isVisible()) preview->reject();
    });
    poll.start();
    action->trigger();
    poll.stop();
    EXPECT_TRUE(ran);
  }
  bool PdfWritten() const {
    QFile file(QString::fromStdString(pdf));
    return file.open(QIODevice::ReadOnly) && file.read(5) == "%PDF-";
  }

  test::MemorySettingsStore store;
  test::ProgramWindow program{store};
  std::string pdf;
};

void ExpectPage(PrintPreviewWindow& preview, int page) {
  const int count = preview.paging().count();
  EXPECT_EQ(preview.paging().page(), page);
  EXPECT_EQ(preview.pageBox()->text(), QString::number(page));
  EXPECT_EQ(preview.statusPanel()->text(), QStringLiteral(" %1 / %2").arg(page).arg(count));
  EXPECT_EQ(preview.topAction()->isEnabled(), page > 1);
  EXPECT_EQ(preview.previousAction()->isEnabled(), page > 1);
  EXPECT_EQ(preview.nextAction()->isEnabled(), page < count);
  EXPECT_EQ(preview.lastAction()->isEnabled(), page < count);
}

TEST(PrintPreviewTest, PagingZoomAndFontSettingThenPrintToPdf) {
  PrintFixture f;
  int pagesAt10 = 0;
  f.PrintThrough("CL_Menu_File_Print_Current", [&](PrintPreviewWindow& preview) {
    const int count = preview.paging().count();
    pagesAt10 = count;
    ASSERT_GT(count, 2);
    EXPECT_EQ(preview.countLabel()->text(), QStringLiteral(" / %1").arg(count));
    ExpectPage(preview, 1);
    preview.lastAction()->trigger();
    ExpectPage(preview, count);
    QTest::keyClick(preview.pageArea(), Qt::Key_PageUp);
    ExpectPage(preview, count - 1);
    QTest::keyClick(preview.pageArea(), Qt::Key_Up);  // not zoomed: a page back
    ExpectPage(preview, count - 2);

    // The page box: letters are dropped, 0 is the first page and 99 the last.
    struct Typed {
      const char* keys;
      int page;
    };
    for (const Typed& typed : {Typed{"0", 1}, Typed{"99", count}, Typed{"x2", 2}}) {
      preview.pageBox()->clear();
      QTest::keyClicks(preview.pageBox(), typed.keys);
      QTest::keyClick(preview.pageBox(), Qt::Key_Return);
      ExpectPage(preview, typed.page);
    }

    // Zoom shows the page at full size; off, the page fits the window.
    const QLabel* shown = qobject_cast<QLabel*>(preview.pageArea()->widget());
    ASSERT_NE(shown, nullptr);
    EXPECT_LE(shown->pixmap().height(), preview.pageArea()->viewport()->height());
    preview.zoomAction()->trigger();
    EXPECT_TRUE(preview.zoomed());
    EXPECT_EQ(shown->pixmap().size(), preview.pageImage().size());
    QTest::keyClick(preview.pageArea(), Qt::Key_Down);  // zoomed: scrolls, same page
    ExpectPage(preview, 2);
    preview.zoomAction()->trigger();
    EXPECT_LE(shown->pixmap().height(), preview.pageArea()->viewport()->height());

    // Setting: "5" is 12 points, stored, and the sheet is cut into more pages.
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      EXPECT_EQ(dialog->windowTitle(), "Setting");
      auto* sizes = dialog->findChild<QComboBox*>();
      ASSERT_NE(sizes, nullptr);
      EXPECT_EQ(sizes->currentText(), "3");  // 10 points
      sizes->setCurrentIndex(sizes->findText("5"));
      dialog->accept();
    });
    preview.settingButton()->click();
    EXPECT_EQ(preview.setup().fontPoints, 12);
    EXPECT_GT(preview.paging().count(), count);
    EXPECT_EQ(preview.countLabel()->text(), QStringLiteral(" / %1").arg(preview.paging().count()));
    preview.printButton()->click();
  });
  EXPECT_EQ(f.program.settings.fontSizePrinter, 12);
  EXPECT_TRUE(f.PdfWritten());
  EXPECT_TRUE(f.program.mainWindow->isEnabled());
  EXPECT_GT(pagesAt10, 0);
}

TEST(PrintPreviewTest, ClosingThePreviewPrintsNothing) {
  PrintFixture f;
  f.PrintThrough("CL_Menu_File_Print_Current", [](PrintPreviewWindow& preview) {
    EXPECT_GT(preview.paging().count(), 0);
    preview.reject();
  });
  EXPECT_FALSE(QFile::exists(QString::fromStdString(f.pdf)));
  EXPECT_TRUE(f.program.mainWindow->isEnabled());
  EXPECT_EQ(f.program.mainWindow->Printer()->progress(), nullptr);
}

TEST(PrintPreviewTest, AllSheetsGoOutOneSheetPerTickAndCancelEndsTheJob) {
  for (const bool cancel : {false, true}) {
    SCOPED_TRACE(cancel);
    PrintFixture f;
    int pages = 0;
    f.PrintThrough("CL_Menu_File_Print_All", [&](PrintPreviewWindow& preview) {
      pages = preview.paging().count();
      preview.printButton()->click();
    });
    SheetPrinter& printer = *f.program.mainWindow->Printer();
    EXPECT_GT(pages, 10);
    ASSERT_TRUE(printer.jobActive());
    EXPECT_FALSE(f.program.mainWindow->isEnabled());
    ASSERT_NE(printer.progress(), nullptr);
    f.program.clock.Advance(SheetPrinter::kTickMs);  // the first sheet
    EXPECT_TRUE(printer.jobActive());
    if (cancel) printer.progress()->cancelButton()->click();
    for (int tick = 0; tick < 200 && printer.jobActive(); ++tick) {
      f.program.clock.Advance(SheetPrinter::kTickMs);
    }
    EXPECT_FALSE(printer.jobActive());
    EXPECT_EQ(printer.progress(), nullptr);
    EXPECT_TRUE(f.program.mainWindow->isEnabled());
    EXPECT_TRUE(f.PdfWritten());  // a cancelled job still ends its document
  }
}

}  // namespace
}  // namespace rtv
