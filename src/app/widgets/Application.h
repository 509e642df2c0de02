// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>

namespace rtv {

// Shows an exception that escapes an event handler and lets the event loop go on.
class Application : public QApplication {
  Q_OBJECT

 public:
  Application(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace rtv
