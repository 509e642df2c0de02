// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/FirstPaintProbe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>

namespace rtv {

void FirstPaintProbe::WatchIfAsked(const char* className) {
  if (qEnvironmentVariableIsEmpty("RTV_FIRST_PAINT_PROBE")) return;
  QCoreApplication* application = QCoreApplication::instance();
  auto* probe =
      new FirstPaintProbe(className, qEnvironmentVariable("RTV_FIRST_PAINT_PROBE") == "stay");
  probe->setParent(application);
  // Application-wide: the watched widget may be made long after the window.
  application->installEventFilter(probe);
}

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint && !fired_ && watched->inherits(className_)) {
    fired_ = true;
    // The paint in progress and the flush to the screen end before a zero timer runs.
    const auto* widget = qobject_cast<QWidget*>(watched);
    const QByteArray title = widget != nullptr ? widget->window()->windowTitle().toUtf8() : "";
    QTimer::singleShot(0, [stay = stay_, title] {
      const auto now = std::chrono::system_clock::now().time_since_epoch();
      std::printf("first-paint %lld\n",
                  static_cast<long long>(
                      std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
      std::printf("window-title %s\n", title.constData());
      std::fflush(stdout);
      if (!stay) QCoreApplication::exit(0);
    });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace rtv
