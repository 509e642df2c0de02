// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>
#include <string>

#include "platform/qt/QtPrompts.h"

namespace rtv {
namespace {

// Seen while the box is up, then answered with its first button.
struct BoxLook {
  int height = 0;
  QString text;
  QString details;
};

BoxLook ShowAndMeasure(const std::string& text) {
  BoxLook look;
  QTimer::singleShot(0, [&look] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    look.height = box->frameGeometry().height();
    look.text = box->text();
    look.details = box->detailedText();
    box->buttons().front()->click();
  });
  QtPrompts prompts;
  prompts.Message(text, "Caption", PromptIcon::Warning, PromptButtons::Ok);
  return look;
}

TEST(PromptsTest, ALongReportKeepsTheBoxOnTheScreen) {
  std::string report = "0 cells taken.\n\n";
  for (int line = 1; line <= 100; ++line) {
    report += "line " + std::to_string(line) + ", column 5: \"2 W\" is not one of the choices\n";
  }
  const BoxLook look = ShowAndMeasure(report);
  ASSERT_GT(look.height, 0);
  EXPECT_LE(look.height, QGuiApplication::primaryScreen()->availableGeometry().height());
  EXPECT_TRUE(look.text.startsWith("0 cells taken.\n\nline 1,"));
  EXPECT_EQ(look.details.toStdString(), report);

  const BoxLook shortOne = ShowAndMeasure("1 cell taken.");
  EXPECT_EQ(shortOne.text, "1 cell taken.");
  EXPECT_TRUE(shortOne.details.isEmpty());
}

}  // namespace
}  // namespace rtv
