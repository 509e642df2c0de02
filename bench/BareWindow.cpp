// SPDX-License-Identifier: GPL-3.0-or-later
// The yardsticks of the start-up benchmark: a bare Qt main window built like the program,
// with the same first-paint probe. With "--text" it shows one line of text in its status
// bar, so that the font system's one-time set-up, which any window with text pays, is in
// the yardstick too.
#include <QApplication>
#include <QMainWindow>
#include <QStatusBar>
#include <cstring>

#include "app/widgets/FirstPaintProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  rtv::FirstPaintProbe::WatchIfAsked("QMainWindow");
  QMainWindow window;
  window.resize(800, 600);
  if (argc > 1 && std::strcmp(argv[1], "--text") == 0) window.statusBar()->showMessage("Ready");
  window.show();
  return app.exec();
}
