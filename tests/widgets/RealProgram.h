// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include "BuiltPrograms.h"

namespace rtv::test {

// Starts the real program offscreen with its runtime folder (the lock) and its settings
// folder pointed at the given ones, its state folder (the recovery file) at "state" in the
// settings folder. With `reportWindow` it prints "first-paint" on its
// standard output once its main window has been painted.
inline void StartRealProgram(QProcess& program, const QString& runtimeFolder,
                             const QString& configFolder, bool reportWindow = false,
                             const QStringList& arguments = {}) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtimeFolder);
  environment.insert("XDG_CONFIG_HOME", configFolder);
  // The recovery file of the user who runs the tests is none of their business.
  environment.insert("XDG_STATE_HOME", configFolder + "/state");
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  if (reportWindow) {
    environment.insert("RTV_FIRST_PAINT_PROBE", "stay");
  } else {
    environment.remove("RTV_FIRST_PAINT_PROBE");
  }
  program.setProcessEnvironment(environment);
  program.start(test::ProgramPath(), arguments);
}

}  // namespace rtv::test
