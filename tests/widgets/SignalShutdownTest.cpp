// SPDX-License-Identifier: GPL-3.0-or-later
// A signal that ends the program while it shows a dialog, a message box or nothing at all.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <csignal>
#include <filesystem>
#include <functional>
#include <memory>

#include "ProgramWindow.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/FileCommands.h"
#include "app/RecoveryFile.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/SignalShutdown.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/TerminationSignals.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kProbe = 0x0F10;  // a channel comment byte, inside the clone range

// The program's window with its real message boxes and dialogs, and the signals wired as
// the program wires them.
struct EndedWindow : test::ProgramWindowWith<QtPrompts> {
  // The recovery file in `stateFolder`, or in a folder of its own.
  explicit EndedWindow(const std::string& stateFolder = {}) {
    prompts.SetOwner(mainWindow.get());
    recovery = std::make_unique<RecoveryFile>(*controller, controller->CurrentDocument(),
                                              controller->Files(), prompts,
                                              stateFolder.empty() ? state.Path() : stateFolder);
    shutdown = std::make_unique<SignalShutdown>(prompts, *mainWindow, *recovery);
    termination.OnSignal([this] {
      ++signalsHandled;
      shutdown->Run();
    });
  }
  ~EndedWindow() {
    // The shutdown left every event loop; a new one starts clean for the next test.
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCoreApplication::exec();
  }

  test::TempFolder state;
  std::unique_ptr<RecoveryFile> recovery;
  std::unique_ptr<SignalShutdown> shutdown;
  TerminationSignals termination;
  int signalsHandled = 0;
};

struct StateCase {
  const char* what;
  std::function<bool(EndedWindow&)> command;  // shows its dialog and returns when it goes
};

TEST(SignalShutdownTest, ASignalEndsEveryStateWithoutAQuestion) {
  const StateCase cases[] = {
      {"the unsaved-changes question", [](EndedWindow& w) { return w.controller->Files().New(); }},
      {"the open file dialog", [](EndedWindow& w) { return w.controller->Files().Open(); }},
      {"the save file dialog", [](EndedWindow& w) { return w.controller->Files().SaveAs(); }},
  };
  for (const StateCase& c : cases) {
    SCOPED_TRACE(c.what);
    EndedWindow w;
    w.mainWindow->show();
    w.mainWindow->move(123, 45);
    w.controller->CurrentDocument().Working().SetByte(kProbe, 0x41);
    w.controller->CurrentDocument().CheckDirty();
    ASSERT_TRUE(w.controller->CurrentDocument().IsDirty());
    // Once the dialog is up, the signal comes from outside.
    QTimer signaller;
    int dialogsSeen = 0;
    QObject::connect(&signaller, &QTimer::timeout, [&] {
      if (QApplication::activeModalWidget() == nullptr) return;
      if (dialogsSeen++ == 0) ::raise(SIGTERM);
    });
    signaller.start(5);
    EXPECT_FALSE(c.command(w));
    signaller.stop();
    EXPECT_EQ(w.signalsHandled, 1);
    EXPECT_EQ(dialogsSeen, 1);  // nothing asked again once the first was gone
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(w.controller->CurrentDocument().Working().GetByte(kProbe), 0x41);
    EXPECT_TRUE(fs::exists(w.recovery->ImagePath()));
    EXPECT_TRUE(fs::exists(w.recovery->NotePath()));
    EXPECT_EQ(w.settings.left, 123);  // the frame's corner, where it was moved
  }
}

// With nothing on show the window is left as it is: closing it would ask about the changes.
TEST(SignalShutdownTest, ASignalWithUnsavedChangesAndNothingOnShowAsksNothing) {
  EndedWindow w;
  w.mainWindow->show();
  w.controller->CurrentDocument().Working().SetByte(kProbe, 0x41);
  w.controller->CurrentDocument().CheckDirty();
  QTimer watcher;
  bool asked = false;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      asked = true;
      modal->close();
    }
  });
  watcher.start(5);
  ::raise(SIGTERM);
  ASSERT_TRUE(test::WaitUntil("the signal's handler", [&] { return w.signalsHandled == 1; }));
  EXPECT_FALSE(asked);
  EXPECT_TRUE(w.mainWindow->isVisible());
  EXPECT_TRUE(fs::exists(w.recovery->ImagePath()));
}

// Ended with unsaved changes, started again: the real question comes up, and Yes brings the
// changes back as unsaved changes of the same file.
TEST(SignalShutdownTest, TheNextStartOffersTheChangesASignalKept) {
  test::TempFolder state;
  {
    EndedWindow ended(state.Path());
    ended.controller->CurrentDocument().SetFileName("/boats/Dolphin.rtv");
    ended.controller->CurrentDocument().Working().SetByte(kProbe, 0x41);
    ended.controller->CurrentDocument().CheckDirty();
    ::raise(SIGTERM);
    ASSERT_TRUE(test::WaitUntil("the signal's handler", [&] { return ended.signalsHandled == 1; }));
  }
  EndedWindow next(state.Path());
  RecoveryFile& recovery = *next.recovery;
  QString question;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    question = box->text();
    box->button(QMessageBox::Yes)->click();
  });
  EXPECT_TRUE(recovery.Offer());
  EXPECT_TRUE(question.startsWith("Recover the changes of Dolphin.rtv from "))
      << question.toStdString();
  EXPECT_EQ(next.controller->CurrentDocument().Working().GetByte(kProbe), 0x41);
  EXPECT_TRUE(next.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(next.controller->CurrentDocument().FileName(), "/boats/Dolphin.rtv");
  EXPECT_FALSE(fs::exists(recovery.ImagePath()));
}

}  // namespace
}  // namespace rtv
