// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's icon at build time into the PNG sizes of the hicolor theme
// (OUTPUT/NxN/apps/NAME.png), for the desktop and for the window.
// Usage: rtv_render_app_icon ICON.svg OUTPUT_FOLDER SIZE...
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char** argv) {
  // No display at build time.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const QGuiApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 4) {
    std::fprintf(stderr, "usage: rtv_render_app_icon ICON.svg OUTPUT_FOLDER SIZE...\n");
    return 2;
  }
  QSvgRenderer renderer(arguments[1]);
  if (!renderer.isValid()) {
    std::fprintf(stderr, "rtv_render_app_icon: cannot read %s\n", qPrintable(arguments[1]));
    return 1;
  }
  const QString name = QFileInfo(arguments[1]).completeBaseName();
  for (qsizetype i = 3; i < arguments.size(); ++i) {
    const int size = arguments[i].toInt();
    const QString folder = QString("%1/%2x%2/apps").arg(arguments[2]).arg(size);
    if (size <= 0 || !QDir().mkpath(folder)) {
      std::fprintf(stderr, "rtv_render_app_icon: bad size or folder %s\n", qPrintable(folder));
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter);
    painter.end();
    if (!image.save(folder + "/" + name + ".png", "PNG")) {
      std::fprintf(stderr, "rtv_render_app_icon: cannot write %s\n", qPrintable(folder));
      return 1;
    }
  }
  return 0;
}
