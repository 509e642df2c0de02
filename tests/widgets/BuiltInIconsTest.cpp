// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QImage>
#include <QPixmap>
#include <QStyle>
#include <algorithm>

#include "app/widgets/IconLists.h"
#include "app/widgets/ProgramIcon.h"
#include "app/widgets/ProgramStyle.h"

namespace rtv {
namespace {

// Whether the picture has both drawn and see-through pixels, as every one of ours has.
bool HasArtwork(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  bool opaque = false;
  bool clear = false;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const int alpha = qAlpha(image.pixel(x, y));
      opaque = opaque || alpha == 255;
      clear = clear || alpha == 0;
    }
  }
  return opaque && clear;
}

TEST(BuiltInIconsTest, EveryListedPictureIsBuiltInAtBothDensities) {
  std::vector<QIcon> icons = TreeIcons();
  ASSERT_EQ(icons.size(), 7U);
  const std::vector<QIcon> toolbar = ToolbarIcons();
  ASSERT_EQ(toolbar.size(), 20U);
  icons.insert(icons.end(), toolbar.begin(), toolbar.end());
  for (std::size_t i = 0; i < icons.size(); ++i) {
    SCOPED_TRACE(i);
    const QPixmap normal = icons[i].pixmap(QSize(16, 16), 1.0);
    const QPixmap dense = icons[i].pixmap(QSize(16, 16), 2.0);
    EXPECT_EQ(normal.size(), QSize(16, 16));
    EXPECT_EQ(dense.size(), QSize(32, 32));
    EXPECT_EQ(dense.devicePixelRatio(), 2.0);
    EXPECT_TRUE(HasArtwork(normal));
    EXPECT_TRUE(HasArtwork(dense));
  }
  EXPECT_TRUE(BuiltInIcon("imgIcon_No_Such_Picture").isNull());
}

// The strongest alpha of the picture, 0 to 255.
int MostOpaque(const QPixmap& pixmap) {
  const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
  int most = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) most = std::max(most, qAlpha(image.pixel(x, y)));
  }
  return most;
}

TEST(BuiltInIconsTest, ADisabledPictureIsGreyAndFaintEvenWhenItIsDark) {
  // The Undo arrow is dark grey already: Qt's own disabled look left it as it was.
  for (const char* name : {"imgIcon_Bar_Edit_Undo", "imgIcon_Bar_File_Save"}) {
    SCOPED_TRACE(name);
    const QIcon icon = BuiltInIcon(name);
    for (const qreal density : {1.0, 2.0}) {
      const QPixmap off = icon.pixmap(QSize(16, 16), density, QIcon::Disabled);
      EXPECT_EQ(off.devicePixelRatio(), density);
      EXPECT_EQ(MostOpaque(icon.pixmap(QSize(16, 16), density)), 255);
      EXPECT_LE(MostOpaque(off), 255 * 2 / 5);
      const QImage image = off.toImage().convertToFormat(QImage::Format_ARGB32);
      const QRgb middle = image.pixel(image.width() / 2, image.height() / 2);
      EXPECT_EQ(qRed(middle), qGreen(middle));
      EXPECT_EQ(qGreen(middle), qBlue(middle));
    }
  }
}

TEST(BuiltInIconsTest, TheStyleGivesTheMenuBarsOverflowPictureAndLeavesTheRest) {
  ProgramStyle style(QStringLiteral("Fusion"));
  const QIcon overflow = style.standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
  EXPECT_TRUE(HasArtwork(overflow.pixmap(16, 16)));
  // The same pixels as the built-in picture, not Qt's own.
  EXPECT_EQ(overflow.pixmap(16, 16).toImage(),
            BuiltInIcon("imgIcon_Menu_Extension").pixmap(16, 16).toImage());
  EXPECT_FALSE(style.standardIcon(QStyle::SP_MessageBoxWarning).isNull());
}

TEST(BuiltInIconsTest, TheProgramIconOffersEverySizeAndDrawsTheBuiltInPictures) {
  const QIcon icon = ProgramIcon::Make();
  ASSERT_FALSE(icon.isNull());
  const QList<QSize> sizes{{32, 32}, {48, 48}, {64, 64}, {128, 128}, {256, 256}};
  EXPECT_EQ(icon.availableSizes(), sizes);
  EXPECT_TRUE(icon.availableSizes(QIcon::Disabled).isEmpty());
  for (const QSize& size : sizes) {
    SCOPED_TRACE(size.width());
    const QImage built(QString(":/program/%1x%1/apps/rtv612.png").arg(size.width()));
    ASSERT_EQ(built.size(), size);
    const QPixmap pixmap = icon.pixmap(size, 1.0);
    EXPECT_EQ(pixmap.toImage().convertToFormat(QImage::Format_ARGB32),
              built.convertToFormat(QImage::Format_ARGB32));
  }
  // Between the sizes, a larger picture scaled down, as a plain icon of the files does.
  QIcon plain;
  for (const QSize& size : sizes) {
    plain.addFile(QString(":/program/%1x%1/apps/rtv612.png").arg(size.width()), size);
  }
  for (const QSize& asked : {QSize(40, 40), QSize(20, 20), QSize(300, 300), QSize(100, 60)}) {
    SCOPED_TRACE(asked.width());
    EXPECT_EQ(icon.actualSize(asked), plain.actualSize(asked));
    EXPECT_EQ(icon.pixmap(asked, 1.0).toImage(), plain.pixmap(asked, 1.0).toImage());
    EXPECT_EQ(icon.pixmap(asked, 1.0, QIcon::Disabled).toImage(),
              plain.pixmap(asked, 1.0, QIcon::Disabled).toImage());
  }
  EXPECT_TRUE(HasArtwork(icon.pixmap(QSize(48, 48), 1.0)));
}

}  // namespace
}  // namespace rtv
