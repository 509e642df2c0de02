#include "app/widgets/FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace rtv {

void FirstPaintProbe::WatchIfAsked(QObject* window) {
  if (qEnvironmentVariableIsEmpty("RTV_FIRST_PAINT_PROBE")) return;
  auto* probe = new FirstPaintProbe;
  probe->setParent(window);
  // Paints reach the children; any of them counts as the window's first paint.
  for (QWidget* child : window->findChildren<QWidget*>()) child->installEventFilter(probe);
  window->installEventFilter(probe);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !fired_) {
    fired_ = true;
    const auto now = std::chrono::system_clock::now().time_since_epoch();
    std::printf(
        "first-paint %lld\n",
        static_cast<long long>(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
    std::fflush(stdout);
    QCoreApplication::exit(0);
    return false;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace rtv
