// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "MemorySettingsStore.h"
#include "RadioSimulator.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/MainController.h"
#include "app/widgets/MainWindow.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "link/widgets/LinkWindows.h"
#include "link/widgets/PortDialog.h"
#include "link/widgets/ProgressWindow.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "platform/posix/PosixSerialDevice.h"
#include "platform/qt/QtTimers.h"
#include "radio/ImageVersion.h"
#include "sheet/widgets/SheetDialog.h"
#include "sheet/widgets/SheetPane.h"
#include "sheet/widgets/SheetView.h"

namespace rtv {
namespace {

using test::kExchangeLimitMs;
using test::kSimPort;
using test::RadioFixture;
using test::Simulator;

// Paints the window; the picture is kept for a person to look at only when asked for.
void Save(QWidget& widget, const char* name) {
  const QPixmap picture = widget.grab();
  const QString folder = qEnvironmentVariable("RTV_TEST_PICTURES");
  if (!folder.isEmpty()) picture.save(folder + "/" + name + ".png");
}

QString IdBlockHex(int size, int validByte) {
  QByteArray block(size, '0');
  block[0] = static_cast<char>(size);
  if (size > 6) block[6] = static_cast<char>(validByte);
  if (size > 30) {
    block[23] = 0;
    block[26] = '1';
    block[28] = '2';
    block[29] = '0';
    block[30] = '3';
  }
  return QString::fromLatin1(block.toHex().toUpper());
}

// ---------------------------------------------------------------------------------------

// A long port path or a slow line's time left, and the title, are shown whole: the window
// widens to them and keeps Cancel at its right edge.
TEST(ProgressWindowTest, TheWindowWidensToHoldItsTextsAndTitle) {
  QString detail = QStringLiteral("4,736 of 11,104 bytes (42%), about 9 s left");
  ProgressWindow::Content content;
  content.lit = [] { return 16; };
  content.activity = [] { return QStringLiteral("Reading from the radio on /dev/ttyUSB0"); };
  content.detail = [&] { return detail; };
  ProgressWindow window(nullptr, content);
  const int narrow = window.width();
  detail = QStringLiteral("4,736 of 11,104 bytes (42%), about 1 h 13 min 20 s left, line slow");
  window.Refresh();
  const QString title = QStringLiteral("Reading from the Radio - RT-V612 Clone Programmer");
  window.ShowCentred(title);
  for (QLabel* label : {window.ActivityLabel(), window.DetailLabel()}) {
    EXPECT_GE(label->width(), label->sizeHint().width()) << label->text().toStdString();
    EXPECT_LE(label->geometry().right(), window.width() - ProgressWindow::kMarginX);
  }
  EXPECT_GT(window.width(), narrow);
  EXPECT_GE(window.width(), window.fontMetrics().horizontalAdvance(title));
  EXPECT_EQ(window.CancelButton()->geometry().right() + 1,
            window.width() - ProgressWindow::kMarginX);
  // Shorter numbers later leave the width as it is.
  const int wide = window.width();
  detail = QStringLiteral("11,104 of 11,104 bytes (100%)");
  window.Refresh();
  EXPECT_EQ(window.width(), wide);
}

TEST(CloneLinkWidgetTest, ReadReplacesTheImageAndShowsProgress) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--baud", "115200"}));  // paced, so that the bar can be seen
  f.controller->CurrentDocument().SetFileName("/tmp/before.rtv");
  const EepromImage before(f.controller->CurrentDocument().Working());

  // Through the menu entry, as the user reads a radio.
  QAction* read = nullptr;
  for (QAction* action : f.mainWindow->menuBar()->findChildren<QAction*>()) {
    if (action->text() == "&Read from Radio...") read = action;
  }
  ASSERT_NE(read, nullptr);
  read->trigger();
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return f.Progress() != nullptr && f.Commands().Link().LitSegments() >= 12; },
      kExchangeLimitMs));
  EXPECT_FALSE(f.mainWindow->isEnabled());
  EXPECT_EQ(f.Progress()->windowTitle(), "Reading from the radio...");
  Save(*f.Progress(), "progress");
  // Closing the main window now is refused.
  EXPECT_FALSE(f.mainWindow->close());

  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  EXPECT_TRUE(f.mainWindow->isEnabled());
  EXPECT_EQ(f.Progress(), nullptr);
  EXPECT_TRUE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
  EXPECT_TRUE(f.mainWindow->isWindowModified());
  EXPECT_EQ(f.mainWindow->windowTitle(),
            QString::fromStdString("Untitled[*] - " + f.overlay.GetFirstLine("GI_Sys_AppTitle")));
  EXPECT_TRUE(sim.LogShows("sent 174 data frames")) << sim.Log().toStdString();
}

TEST(CloneLinkWidgetTest, CancelStopsAReadAndTheRadioCanBeReadAgainAtOnce) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--baud", "38400"}));
  const EepromImage before(f.controller->CurrentDocument().Working());
  // The button, Escape and the window's close button each stop the read.
  for (const char* way : {"button", "escape", "close"}) {
    SCOPED_TRACE(way);
    f.Command(LinkNo("CL_Menu_Clone_Read"));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return f.Progress() != nullptr && f.Commands().Link().LitSegments() >= 12; },
        kExchangeLimitMs));
    ProgressWindow* progress = f.Progress();
    EXPECT_TRUE(progress->ActivityLabel()->text().startsWith("Reading from the radio on "));
    EXPECT_TRUE(progress->DetailLabel()->text().contains(" of 11,104 bytes ("))
        << progress->DetailLabel()->text().toStdString();
    if (std::string(way) == "button") {
      QTest::mouseClick(progress->CancelButton(), Qt::LeftButton);
    } else if (std::string(way) == "escape") {
      QTest::keyClick(progress, Qt::Key_Escape);
    } else {
      progress->close();
    }
    ASSERT_TRUE(f.WaitForIdle());
    EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
    EXPECT_EQ(f.Progress(), nullptr);
    EXPECT_TRUE(f.mainWindow->isEnabled());
    EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
    EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  }
  // A new read right after works: the rest of the stopped one is dropped first.
  f.Command(LinkNo("CL_Menu_Clone_Read"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return !f.Commands().IsBusy() && f.controller->CurrentDocument().IsDirty(); },
      kExchangeLimitMs));
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  EXPECT_TRUE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
  // What the window showed last, before it went.
  const std::string last = f.Commands().Link().ProgressText();
  EXPECT_NE(last.find("11,104 of 11,104 bytes (100%)"), std::string::npos) << last;
}

TEST(CloneLinkWidgetTest, UnsavedChangesAndCancelSendNothing) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  f.controller->CurrentDocument().Working().SetByte(0x0B31, 0x99);
  f.controller->CurrentDocument().MarkDirty();
  f.prompts.answers = {PromptAnswer::Cancel};
  f.Command(LinkNo("CL_Menu_Clone_Read"));
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0x99);

  // The simulator logs what reaches it in order: an identify sent now is all of its log
  // only if the cancelled command sent nothing before it.
  std::optional<int> identified;
  ASSERT_TRUE(f.Commands().Link().Identify([&](LinkResult& r) { identified = r.status; }));
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_EQ(identified, std::optional<int>(kLinkOk));
  ASSERT_TRUE(test::WaitUntil("the simulator's log of the identify",
                              [&] { return sim.Log().contains("identify"); }));
  EXPECT_EQ(sim.Log().toStdString(), "radiosim: identify\n");
  EXPECT_EQ(f.prompts.shown.size(), 1u);
}

TEST(CloneLinkWidgetTest, IdentifyAnswersOfTheRadio) {
  struct Case {
    const char* name;
    QStringList options;
    int status;  // 0: the read follows
  };
  const Case cases[] = {
      {"other model word", {"--words", "3975,0001"}, kLinkIdentity},
      {"33-byte payload", {"--id-block", IdBlockHex(33, 1)}, kLinkIdentity},
      {"40-byte payload", {"--id-block", IdBlockHex(40, 1)}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RadioFixture f;
    Simulator sim(f.SimLink());
    ASSERT_TRUE(sim.Start(c.options));
    const EepromImage before(f.controller->CurrentDocument().Working());
    f.Command(LinkNo("CL_Menu_Clone_Read"));
    ASSERT_TRUE(f.WaitForIdle());
    EXPECT_TRUE(f.mainWindow->isEnabled());
    EXPECT_TRUE(sim.LogShows("identify"));
    const bool requested =
        c.status == 0 ? sim.LogShows("read request") : sim.Log().contains("read request");
    EXPECT_EQ(requested, c.status == 0) << sim.Log().toStdString();
    if (c.status == 0) {
      EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
    } else {
      EXPECT_EQ(f.LastText().substr(0, f.LastText().find('\n')), f.Head(c.status));
      EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
    }
  }
}

TEST(CloneLinkWidgetTest, SilenceHalfwayLightsSixteenSegmentsAndKeepsTheImage) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--silent-after", "87"}));  // 87 × 64 = 5568 of 11104 bytes
  const EepromImage before(f.controller->CurrentDocument().Working());
  f.Command(LinkNo("CL_Menu_Clone_Read"));
  ASSERT_TRUE(QTest::qWaitFor(
      [&] { return f.Progress() != nullptr && f.Commands().Link().Link().DataDone() == 5568; },
      kExchangeLimitMs));
  ASSERT_TRUE(QTest::qWaitForWindowExposed(f.Progress()));
  const QImage bar = f.Progress()->PaintBox()->grab().toImage();
  const int w = (bar.width() + 1) / ProgressWindow::kSegments;
  const QColor lit = f.Progress()->palette().color(QPalette::Highlight);
  EXPECT_EQ(bar.pixelColor(w * 15 + 1, 8), lit);
  EXPECT_NE(bar.pixelColor(w * 16 + 1, 8), lit);
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_EQ(f.Commands().Link().LitSegments(), 16);
  EXPECT_EQ(f.LastText().substr(0, f.LastText().find('\n')), f.Head(kLinkTimeout));
  EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_TRUE(f.mainWindow->isEnabled());
}

TEST(CloneLinkWidgetTest, RadioVersionChoosesTheWriteList) {
  struct Case {
    const char* version;
    const char* threshold;
    int frames;  // 163 for the short list, 168 for the full one
  };
  const Case cases[] = {{"1203", "1203", 163}, {"1203", "1204", 168}, {" 203", "1203", 168}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " / " + c.threshold);
    RadioFixture f;
    Simulator sim(f.SimLink());
    ASSERT_TRUE(sim.Start({"--version", c.version}));
    f.SetThreshold(c.threshold);
    f.Command(LinkNo("CL_Menu_Clone_Write"));
    ASSERT_TRUE(f.WaitForIdle());
    EXPECT_TRUE(sim.LogShows(QString("write accepted after %1 data frames").arg(c.frames)))
        << sim.Log().toStdString();
    EXPECT_EQ(f.LastText(), f.overlay.GetText("GI_Mess_CloneWrite_Succeeded"));
  }
}

TEST(CloneLinkWidgetTest, WriteSuccessOnlyAfterTheRadioAccepted) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--refuse-write"}));
  f.Command(LinkNo("CL_Menu_Clone_Write"));
  ASSERT_TRUE(f.WaitForIdle());
  ASSERT_EQ(f.prompts.shown.size(), 2u);  // the confirmation, then the refusal
  EXPECT_EQ(f.LastText().substr(0, f.LastText().find('\n')), f.Head(kLinkWriteRefused));
  EXPECT_TRUE(sim.LogShows("write refused")) << sim.Log().toStdString();
  EXPECT_TRUE(f.mainWindow->isEnabled());
}

TEST(CloneLinkWidgetTest, ReadingAllAdjustmentValuesFillsEverySlotInOrder) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  f.Commands().ReadAllAdjustValues();
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  // The simulator answers each code with 0x40 + code % 64.
  const AdjustValueStore& values = f.Commands().AdjustValues();
  for (std::size_t i = 0; i < AdjustValueStore::kReadAllCodes.size(); ++i) {
    EXPECT_EQ(values.Slot(AdjustValueStore::kReadAllSlots[i]),
              0x40 + AdjustValueStore::kReadAllCodes[i] % 64)
        << i;
  }
}

TEST(CloneLinkWidgetTest, AdjustmentWindowReadsTheValuesAndReopensWhereItWas) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  f.Command(LinkNo("CL_Menu_View_Ad"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.mainWindow->AdjustmentWindow() != nullptr; }, 2000));
  AdjustWindow* window = f.mainWindow->AdjustmentWindow();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
  EXPECT_TRUE(f.Commands().AdjustWindowChecked());
  EXPECT_EQ(window->UpdateButton()->text(), "Read values");
  EXPECT_NE(dynamic_cast<SheetPane*>(window->Content()), nullptr);

  QTest::mouseClick(window->UpdateButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.Commands().AdjustValues().HasValues(); }, 5000));
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_EQ(f.Commands().AdjustValues().Slot(0), 0x40 + 0x20);
  ASSERT_TRUE(test::WaitUntil("the posted updates", [&] { return f.bus.PendingCount() == 0; }));
  Save(*window, "adjust-window");

  // A second View > Adjustment while it is open opens no other window.
  f.Command(LinkNo("CL_Menu_View_Ad"));
  ASSERT_TRUE(test::WaitUntil("the posted open", [&] { return f.bus.PendingCount() == 0; }));
  EXPECT_EQ(f.mainWindow->AdjustmentWindow(), window);
  EXPECT_EQ(f.mainWindow->findChildren<AdjustWindow*>().size(), 1);

  window->setGeometry(120, 90, 500, 300);
  const QRect placed = window->geometry();
  QTest::mouseClick(window->OkButton(), Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.mainWindow->AdjustmentWindow() == nullptr; }, 2000));
  EXPECT_FALSE(f.Commands().AdjustWindowChecked());
  f.Command(LinkNo("CL_Menu_View_Ad"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return f.mainWindow->AdjustmentWindow() != nullptr; }, 2000));
  EXPECT_EQ(f.mainWindow->AdjustmentWindow()->geometry(), placed);
}

TEST(CloneLinkWidgetTest, LowerCaseAdjustmentAnswerIsRefused) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--lower-case-adjust"}));
  std::uint8_t destination = 0x11;
  f.Commands().SetAdjustValue(0x08, 0x3C, &destination, true);  // answered as "3c"
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_EQ(f.LastText().substr(0, f.LastText().find('\n')), f.Head(kLinkBadFrame));
  EXPECT_EQ(destination, 0x11);
  EXPECT_TRUE(f.mainWindow->isEnabled());
}

// The requests the simulator logged, after the first `skip` of them.
QStringList AdjustFrames(const QString& log, int skip) {
  QStringList frames;
  for (const QString& line : log.split('\n')) {
    if (line.startsWith("radiosim: adjust frame ")) frames << line.mid(23);
  }
  return frames.mid(skip);
}

TEST(CloneLinkWidgetTest, EditedAdjustmentCellsReachTheRadio) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  f.controller->Modes().AdjustOn();
  f.mainWindow->show();
  f.Command(LinkNo("CL_Menu_Debug_Window"));
  ASSERT_TRUE(test::WaitUntil("the free debug window", [&] { return f.mainWindow->FreeDebug(); }));
  QTreeWidgetItem* node = f.mainWindow->Tree()->FindNode("GI_Sheet_Adjust");
  ASSERT_NE(node, nullptr);  // adjust mode shows the sheet in the tree
  f.mainWindow->Tree()->setCurrentItem(node);
  const auto onShow = [&] {
    return test::WaitUntil("the adjustment sheet", [&] {
      return f.mainWindow->CurrentSheet() != nullptr &&
             f.mainWindow->CurrentSheet()->sheet().descriptor() == "GI_Sheet_Adjust";
    });
  };
  ItemAccessor& cells = f.controller->Accessor();
  const auto shown = [&](const char* cellLink) {
    return cells.CellText(TypeNo("CT_Adj"), CellLinkNumber(cellLink), 0);
  };
  // Typed into the sheet view as a technician does: the cell's text, then Enter.
  const auto type = [&](const char* cellLink, const char* text) {
    // The sheet is built again when the image's values change: the sheet view of now.
    if (!onShow()) return false;
    SheetView* sheetView = f.mainWindow->CurrentSheet()->sheetView();
    int column = 0;
    int row = 0;
    if (!sheetView->sheet().FindSelectable(CellLinkNumber(cellLink), 0, column, row)) return false;
    sheetView->controller().SelectCell(column, row, true);
    sheetView->setFocus();
    QTest::keyClick(sheetView, text[0]);  // the first character opens the cell's editor
    if (!sheetView->EditorOpen()) return false;
    QTest::keyClicks(sheetView->editor(), text + 1);
    QTest::keyClick(sheetView->editor(), Qt::Key_Return);
    return f.WaitForIdle();
  };
  // Read-only until every value was read.
  EXPECT_FALSE(type("CL_Adjust_High", "90"));
  f.Commands().ReadAllAdjustValues();
  ASSERT_TRUE(f.WaitForIdle());
  ASSERT_TRUE(f.controller->AdjustmentConnected());

  ASSERT_TRUE(type("CL_Adjust_High", "90"));
  ASSERT_TRUE(type("CL_Adjust_Ref", "2748"));
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  ASSERT_TRUE(test::WaitUntil("the frames logged", [&] {
    return AdjustFrames(sim.Log(), AdjustValueStore::kReadAllCount).size() >= 2;
  })) << sim.Log().toStdString();
  EXPECT_EQ(AdjustFrames(sim.Log(), AdjustValueStore::kReadAllCount),
            (QStringList{"EE EF E8 39 74 00 00 0A 35 41", "EE EF E8 39 74 00 00 09 41 42 43"}));
  EXPECT_EQ(shown("CL_Adjust_High"), "90");
  EXPECT_EQ(shown("CL_Adjust_Ref"), "2748");
  EXPECT_EQ(f.Commands().AdjustValues().TwelveBitValue(), 0x0ABC);
  Save(*f.mainWindow, "adjust-edited");

  // The free debug window has a line for each frame, with the checks' outcome.
  ASSERT_TRUE(test::WaitUntil("the posted lines", [&] { return f.bus.PendingCount() == 0; }));
  const QString log = f.mainWindow->FreeDebug()->Text()->toPlainText();
  EXPECT_TRUE(log.contains("EE EF E8 39 74 00 00 09 41 42 43 FD")) << log.toStdString();
  EXPECT_TRUE(log.contains("echo complete")) << log.toStdString();
  EXPECT_TRUE(log.contains(QRegularExpression("< \\d+:( FE)+ EF EE E8 39 74")))
      << log.toStdString();
  Save(*f.mainWindow->FreeDebug(), "free-debug-cellLink");
}

TEST(CloneLinkWidgetTest, InformationShowsTheRadiosRevision) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start({"--version", "1207"}));
  f.Command(LinkNo("CL_Menu_Clone_Info"));
  ASSERT_TRUE(f.WaitForIdle());
  EXPECT_TRUE(f.prompts.shown.empty()) << f.LastText();
  SheetDialog* dialog = f.mainWindow->findChild<SheetDialog*>();
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
  EXPECT_FALSE(f.mainWindow->isEnabled());  // the dialog is modal
  ItemAccessor& cells = f.controller->Accessor();
  EXPECT_EQ(cells.CellText(TypeNo("CT_Null"), LinkNo("CL_CloneInfo_Revision"), 0), "1207");
  EXPECT_EQ(cells.CellText(TypeNo("CT_Null"), LinkNo("CL_CloneInfo_Model"), 0),
            f.overlay.GetLine("GI_AppInd_Model", f.settings.modelType));
  Save(*dialog, "clone-info");
  QTest::mouseClick(dialog->button(), Qt::LeftButton);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return f.mainWindow->findChild<SheetDialog*>() == nullptr; }, 2000));
  EXPECT_TRUE(f.mainWindow->isEnabled());
}

// ---------------------------------------------------------------------------------------
// The port dialog

TEST(PortDialogTest, NumbersOutsideOneTo256AreRefused) {
  RadioFixture f;
  struct Case {
    const char* typed;
    std::optional<int> port;
  };
  const Case cases[] = {{"0", std::nullopt},  {"257", std::nullopt}, {"9999", std::nullopt},
                        {"x5", std::nullopt}, {"", std::nullopt},    {"256", 256},
                        {" 7 ", 7},           {"12ab", 12}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed);
    f.prompts.shown.clear();
    PortDialog dialog(f.mainWindow.get(), f.overlay, f.prompts, PortField::Number, 3, f.ports);
    EXPECT_EQ(dialog.NumberField()->text(), "3");
    dialog.show();
    dialog.NumberField()->clear();
    QTest::keyClicks(dialog.NumberField(), c.typed);
    QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.ChosenPort(), c.port);
    EXPECT_EQ(dialog.isVisible(), !c.port.has_value());
    if (!c.port) {
      ASSERT_EQ(f.prompts.shown.size(), 1u);
      EXPECT_EQ(f.prompts.shown[0].text, f.overlay.GetText("GI_AppInd_Opt_ComSel_OutofRange"));
      EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Error);
    }
  }
}

TEST(PortDialogTest, FriendlyListShowsTheMappedPortAndChoosesIt) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  PortDialog dialog(f.mainWindow.get(), f.overlay, f.prompts, PortField::FriendlyList, kSimPort,
                    f.ports);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  EXPECT_FALSE(dialog.NumberField()->isVisible());
  const QString current = dialog.List()->currentText();
  EXPECT_TRUE(current.startsWith(QString("%1: ").arg(kSimPort))) << current.toStdString();
  EXPECT_TRUE(current.contains(QString::fromStdString(f.SimLink()))) << current.toStdString();
  Save(dialog, "port-dialog");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.ChosenPort(), kSimPort);
}

TEST(PortDialogTest, NumberListNamesEachPortAndPutsTheChosenNumberInTheField) {
  RadioFixture f;
  Simulator sim(f.SimLink());
  ASSERT_TRUE(sim.Start());
  PortDialog dialog(f.mainWindow.get(), f.overlay, f.prompts, PortField::NumberList, 5, f.ports);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  QComboBox& list = *dialog.List();
  EXPECT_EQ(list.currentText(), "5");
  const QString device = QString::fromStdString(f.SimLink());
  const int simRow = list.findText(QString("%1: ").arg(kSimPort), Qt::MatchStartsWith);
  ASSERT_GE(simRow, 0);
  EXPECT_TRUE(list.itemText(simRow).contains(device)) << list.itemText(simRow).toStdString();
  for (int i = 0; i < list.count(); ++i) {
    SCOPED_TRACE(list.itemText(i).toStdString());
    EXPECT_TRUE(list.itemText(i).contains("/")) << "an item without its device";
  }
  // Chosen in the drop-down: the field shows the number, which OK takes.
  list.showPopup();
  ASSERT_TRUE(QTest::qWaitFor([&] { return list.view()->isVisible(); }, 2000));
  list.view()->setCurrentIndex(list.model()->index(simRow, 0));
  QTest::keyClick(list.view(), Qt::Key_Return);
  EXPECT_EQ(list.currentText(), QString::number(kSimPort));
  Save(dialog, "port-number-list");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.ChosenPort(), kSimPort);
}

TEST(PortDialogTest, AnUnpluggedCurrentPortStaysChosenAndSaysSo) {
  RadioFixture f;
  constexpr int kUnplugged = 40;  // ttyUSB7, which the test system does not have
  PortDialog dialog(f.mainWindow.get(), f.overlay, f.prompts, PortField::FriendlyList, kUnplugged,
                    f.ports);
  dialog.show();
  const std::string current = dialog.List()->currentText().toStdString();
  EXPECT_EQ(current, "40: " + PortDevicePath(kUnplugged, f.ports) + " (not connected)");
  QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.ChosenPort(), kUnplugged);
}

TEST(PortDialogTest, CancelChangesNothing) {
  RadioFixture f;
  PortDialog dialog(f.mainWindow.get(), f.overlay, f.prompts, PortField::NumberList, 5, f.ports);
  dialog.show();
  EXPECT_EQ(dialog.List()->currentText(), "5");
  QTest::mouseClick(dialog.CancelButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.ChosenPort().has_value());
  EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

}  // namespace
}  // namespace rtv
