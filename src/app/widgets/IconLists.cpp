// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/IconLists.h"

#include <QImage>
#include <QPixmap>
#include <QResource>
#include <QString>

namespace rtv {
namespace {

constexpr int kSize = 16;
constexpr qsizetype kBytes = 4 * kSize * kSize;

QPixmap Wrap(const uchar* pixels, int size, qreal devicePixelRatio) {
  const QImage image(pixels, size, size, 4 * size, QImage::Format_ARGB32_Premultiplied);
  QPixmap pixmap = QPixmap::fromImage(image);
  pixmap.setDevicePixelRatio(devicePixelRatio);
  return pixmap;
}

// Qt's own disabled look keeps dark pictures dark (the Undo arrows looked the same either
// way): grey and mostly see-through reads as off on any picture.
QPixmap Faded(const QPixmap& pixmap) {
  QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int grey = qGray(line[x]);
      line[x] = qRgba(grey, grey, grey, qAlpha(line[x]) * 2 / 5);
    }
  }
  QPixmap faded = QPixmap::fromImage(image);
  faded.setDevicePixelRatio(pixmap.devicePixelRatio());
  return faded;
}

std::vector<QIcon> Load(std::initializer_list<const char*> names) {
  std::vector<QIcon> icons;
  icons.reserve(names.size());
  for (const char* name : names) icons.push_back(BuiltInIcon(name));
  return icons;
}

}  // namespace

QIcon BuiltInIcon(const char* name) {
  // Raw pixels, rendered when the program was built: decoding PNG or parsing SVG for every
  // picture costs more than the rest of building the window.
  const QResource resource(QStringLiteral(":/icons/%1.argb").arg(QLatin1String(name)));
  const QByteArray pixels = resource.uncompressedData();
  QIcon icon;
  if (pixels.size() != 5 * kBytes) return icon;
  const auto* bytes = reinterpret_cast<const uchar*>(pixels.constData());
  for (const QPixmap& pixmap : {Wrap(bytes, kSize, 1.0), Wrap(bytes + kBytes, 2 * kSize, 2.0)}) {
    icon.addPixmap(pixmap);
    icon.addPixmap(Faded(pixmap), QIcon::Disabled);
  }
  return icon;
}

std::vector<QIcon> TreeIcons() {
  return Load({"imgIcon_Tree_Rig", "imgIcon_Tree_Folder01", "imgIcon_Tree_Note01",
               "imgIcon_Tree_Note02", "imgIcon_Tree_WarnW_RB", "imgIcon_Tree_WarnE_RB",
               "imgIcon_Tree_Adjust"});
}

std::vector<QIcon> ToolbarIcons() {
  return Load({"imgIcon_Bar_File_New",   "imgIcon_Bar_File_Open",    "imgIcon_Bar_File_Save",
               "imgIcon_Bar_Com1",       "imgIcon_Bar_Com2",         "imgIcon_Bar_Com3",
               "imgIcon_Bar_Com4",       "imgIcon_Bar_Clone_Read",   "imgIcon_Bar_Clone_Write",
               "imgIcon_Bar_Clone_Info", "imgIcon_Bar_Pcg_Pen",      "imgIcon_Bar_Pcg_Fill",
               "imgIcon_Bar_Pcg_Slider", "imgIcon_Bar_Page_Top",     "imgIcon_Bar_Page_Previous",
               "imgIcon_Bar_Page_Next",  "imgIcon_Bar_Page_Last",    "imgIcon_Bar_Page_Zoom",
               "imgIcon_Tree_Adjust",    "imgIcon_Bar_Clone_IoCheck"});
}

}  // namespace rtv
