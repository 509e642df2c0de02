#include "app/widgets/MainForm.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include "CloneFiles.h"
#include "ManualClock.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/ModelController.h"
#include "app/widgets/MessagePanel.h"
#include "overlay/GTEX.h"

namespace rtv {
namespace {

struct FormFixture {
  FormFixture() : settings(true) {
    overlay.SetLines(test::OverlayWithCloneFileKeys({"#GI_Sys_AppTitle", "Radio Programmer",
                                                     "#GI_Form_Main_BasicCell",
                                                     "{(Font=,Serif,clWindowText,-15,,fsBold,)}"}));
    help.SetLines({"#End_Of_Ovl"});
    const QSize screen = QGuiApplication::primaryScreen()->size();
    settings.ApplyDefaults(screen.width(), screen.height());
    controller = std::make_unique<ModelController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
    test::WriteInitialFiles(initialFiles.Path());
    controller->SetExecutableFolder(initialFiles.Path());
  }
  test::TempFolder initialFiles;
  test::ManualClock clock;
  test::ScriptedPrompts prompts;
  AppSettings settings;
  GTEX overlay;
  GTEX help;
  MessageBus bus{clock};
  std::unique_ptr<ModelController> controller;
};

TEST(MainFormTest, ShowsAnUntitledWindowOnTheScreen) {
  FormFixture f;
  f.settings.left = -500;  // off screen to the left and above
  f.settings.top = -300;
  MainForm form(*f.controller, f.settings);
  f.controller->Setup(form);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  EXPECT_EQ(form.windowTitle(), "Untitled - Radio Programmer");
  EXPECT_EQ(form.minimumSize(), QSize(400, 200));
  EXPECT_EQ(form.font().pixelSize(), 15);  // the form font comes from the overlay
  EXPECT_TRUE(form.font().bold());
  const QRect area = form.screen()->availableGeometry();
  EXPECT_GE(form.x(), area.left());
  EXPECT_GE(form.y(), area.top());
  EXPECT_EQ(form.width(), f.settings.width);
}

TEST(MainFormTest, StatusTextReachesTheMessagePanel) {
  FormFixture f;
  MainForm form(*f.controller, f.settings);
  f.controller->Setup(form);
  f.bus.SendText(kMsgStatusText, 0x0000FF, 0xFFFFFF, "Clone read complete.");
  EXPECT_EQ(form.MessagePanelWidget()->Text(), "Clone read complete.");
  const QImage shot = form.MessagePanelWidget()->grab().toImage();
  EXPECT_EQ(shot.pixelColor(1, 1), QColor(Qt::white));
}

TEST(MainFormTest, ClosingStoresTheNormalPositionAndIsRefusedWhileDisabled) {
  FormFixture f;
  MainForm form(*f.controller, f.settings);
  f.controller->Setup(form);
  form.resize(640, 420);
  form.setEnabled(false);  // a radio exchange is running
  EXPECT_FALSE(form.close());
  EXPECT_TRUE(form.isVisible());
  form.setEnabled(true);
  EXPECT_TRUE(form.close());
  EXPECT_EQ(f.settings.width, 640);
  EXPECT_EQ(f.settings.height, 420);
}

}  // namespace
}  // namespace rtv
