// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/Application.h"

#include <QMessageBox>
#include <exception>

namespace rtv {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    QMessageBox::critical(activeWindow(), applicationName(), QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(activeWindow(), applicationName(), "Unknown exception.");
  }
  return false;
}

}  // namespace rtv
