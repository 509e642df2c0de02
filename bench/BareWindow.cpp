// The yardstick of the start-up benchmark: a bare Qt main window built like the program,
// with the same first-paint probe.
#include <QApplication>
#include <QMainWindow>

#include "app/widgets/FirstPaintProbe.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QMainWindow window;
  window.resize(800, 600);
  rtv::FirstPaintProbe::WatchIfAsked(&window);
  window.show();
  return app.exec();
}
