// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/AboutBox.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QTest>

#include "overlay/OverlayText.h"

namespace rtv {
namespace {

TEST(AboutBoxTest, ShowsTheProgramAndPassesOnEveryTypedCharacter) {
  OverlayText overlay;
  overlay.SetLines({"#GI_Sys_AppTitle", "Radio Programmer", "#GI_Sys_Rev", "Rev. 2.1",
                    "#GI_Sys_Maker", "Vrel Inc", "#End_Of_Ovl"});
  std::string typed;
  AboutBox about(nullptr, overlay, [&](char c) { typed += c; });
  about.show();
  QStringList texts;
  for (const QLabel* label : about.findChildren<QLabel*>()) texts << label->text();
  EXPECT_EQ(texts, (QStringList{"Radio Programmer", "Rev. 2.1", "Vrel Inc"}));
  QTest::keyClicks(&about, "xKalvorn");
  QTest::keyClick(&about, Qt::Key_Shift);  // no character
  EXPECT_EQ(typed, "xKalvorn");
  EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace rtv
