// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's SVG pictures at build time into raw pixels, at the size the program
// shows them followed by twice that for high-density screens ("name.argb": premultiplied
// 32-bit ARGB words in this machine's byte order). The program wraps them from its
// resources while it starts, with no SVG parsing and no image decoding.
// Usage: rtv_render_icons OUTPUT_FOLDER SIZE PICTURE.svg...
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>
#include <cstdio>
#include <cstdlib>

namespace {

QByteArray Render(QSvgRenderer& renderer, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(&painter);
  painter.end();
  // Rows of exactly `size` words: the program reads the pixels back without a stride.
  QByteArray pixels;
  for (int y = 0; y < size; ++y) {
    pixels.append(reinterpret_cast<const char*>(image.constScanLine(y)), size * 4);
  }
  return pixels;
}

}  // namespace

int main(int argc, char** argv) {
  // No display at build time.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 4) {
    std::fprintf(stderr, "usage: rtv_render_icons OUTPUT_FOLDER SIZE PICTURE.svg...\n");
    return 2;
  }
  const QDir output(arguments[1]);
  const int size = arguments[2].toInt();
  if (!output.mkpath(".") || size <= 0) {
    std::fprintf(stderr, "rtv_render_icons: bad output folder or size\n");
    return 2;
  }
  for (qsizetype i = 3; i < arguments.size(); ++i) {
    QSvgRenderer renderer(arguments[i]);
    const QString name = QFileInfo(arguments[i]).completeBaseName();
    QSaveFile file(output.filePath(name + ".argb"));
    if (!renderer.isValid() || !file.open(QIODevice::WriteOnly) ||
        file.write(Render(renderer, size) + Render(renderer, 2 * size)) < 0 || !file.commit()) {
      std::fprintf(stderr, "rtv_render_icons: cannot render %s\n", qPrintable(arguments[i]));
      return 1;
    }
  }
  return 0;
}
