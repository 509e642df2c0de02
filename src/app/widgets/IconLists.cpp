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
  icon.addPixmap(Wrap(bytes, kSize, 1.0));
  icon.addPixmap(Wrap(bytes + kBytes, 2 * kSize, 2.0));
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
