// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/SignalShutdown.h"

#include <QApplication>
#include <QDialog>
#include <ctime>

#include "app/RecoveryFile.h"
#include "app/widgets/MainWindow.h"
#include "platform/qt/QtPrompts.h"

namespace rtv {

void SignalShutdown::Run() {
  // First, so that nothing the closing boxes lead to can ask again.
  prompts_.StopAsking();
  CloseDialogs();
  mainWindow_.StorePlacement();
  recovery_.SaveUnsaved(std::time(nullptr));
  // Leaves every event loop, the dialogs' too, without closing the window: closing would ask
  // about unsaved changes.
  QCoreApplication::exit(0);
}

void SignalShutdown::CloseDialogs() {
  while (QWidget* popup = QApplication::activePopupWidget()) {
    popup->close();
    if (popup == QApplication::activePopupWidget()) break;
  }
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(widget);
    if (dialog != nullptr && dialog->isVisible()) dialog->done(QDialog::Rejected);
  }
}

}  // namespace rtv
