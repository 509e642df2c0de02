// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QTest>
#include <QToolButton>

#include "ManualClock.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/CellNames.h"
#include "menus/widgets/MenuBuilder.h"
#include "menus/widgets/ToolbarBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "radio/ItemAccessor.h"

namespace rtv {
namespace {

std::vector<QIcon> Icons(int count) {
  std::vector<QIcon> icons;
  for (int i = 0; i < count; ++i) {
    QPixmap picture(16, 16);
    picture.fill(QColor::fromHsv(i * 30, 200, 200));
    icons.emplace_back(picture);
  }
  return icons;
}

struct BuilderFixture {
  BuilderFixture() {
    store.SetLines({
        "#GI_Menu_Test_BasicCell",
        "{}",
        "#GI_Menu_Test_Body",
        "+&File{(%.CL_Null)}",
        " +&New{(%.CL_Menu_File_New:Ctrl+N)}",
        " +Recent{(%.CL_Menu_File_Recent)}",
        "+&Edit{(%.CL_Menu_Edit_Top)}",
        "#GI_PMenu_Row_BasicCell",
        "{(%CT_PopupMenu.)}",
        "#GI_PMenu_Row_Body",
        "+Edit...\t{(%CT_PopupMenu.CL_PMenu_Edit:Enter)}",
        "+Copy{(%CT_PopupMenu.CL_PMenu_Copy:Ctrl+C)}",
        "#GI_Tree_Test_BasicCell",
        "{}",
        "#GI_Tree_Test_Body",
        "+Radio{(%.CallSheet:GI_Sheet_Top)(ImageIndex=0)}",
        " +Channels{(%.CallSheet)(ImageIndex=1)}",
        "  +INT{(%.CallSheet:GI_Sheet_Int)(ImageIndex=2)}",
        "  +USA{(%.CallSheet:GI_Sheet_Usa)(ImageIndex=2)}",
        " +DSC{(%.CallSheet:GI_Sheet_Dsc)(ImageIndex=3)}",
        "#GI_ToolBar_Test_BasicCell",
        "{}",
        "#GI_ToolBar_Test_Body",
        "New{(%.CL_Menu_File_New)(ImageIndex=0)}",
        "-",
        "Open{(%.CL_Menu_File_Open)(ImageIndex=1)}",
        "/",
        "Read{(%.CL_Menu_Clone_Read)(ImageIndex=7)}",
        "#End_Of_Ovl",
    });
    accessor.Serve(LinkFamily::MenuCommands, [this](CellAccess& access) {
      const int cellLink = access.cell.cellLink;
      access.request.userFlags |= flags[cellLink];
      if (cellLink == LinkNo("CL_Menu_File_Recent")) access.request.displayText = "&1 R&&D.rtv";
      if (access.request.key == SpecialKey::Enter) clicked.push_back(cellLink);
      return AccessResult::Nothing;
    });
  }
  test::ManualClock clock;
  MessageBus bus{clock};
  OverlayText store;
  ItemAccessor accessor;
  std::map<int, std::uint8_t> flags;
  std::vector<int> clicked;
};

TEST(OverlayBuildersTest, MenuItemsFollowTheAccessorAndRunThroughIt) {
  BuilderFixture f;
  QMenuBar bar;
  MenuBuilder menu(&bar, f.store, "GI_Menu_Test", f.accessor, &f.bus);
  menu.BuildMenu();
  ASSERT_EQ(bar.actions().size(), 2);
  EXPECT_EQ(bar.actions()[0]->text(), "&File");
  QAction* newItem = menu.ActionFor(LinkNo("CL_Menu_File_New"));
  ASSERT_NE(newItem, nullptr);
  EXPECT_EQ(newItem->shortcut(), QKeySequence("Ctrl+N"));

  const int recent = LinkNo("CL_Menu_File_Recent");
  f.flags[recent] = 0x08 | 0x01;  // relabelled and checked
  f.flags[LinkNo("CL_Menu_File_New")] = 0x04;
  menu.RefreshMenu();
  EXPECT_EQ(menu.ActionFor(recent)->text(), "&1 R&&D.rtv");
  EXPECT_TRUE(menu.ActionFor(recent)->isChecked());
  EXPECT_FALSE(newItem->isEnabled());

  // Flags come back cleared on the next refresh: nothing sticks.
  f.flags.clear();
  f.flags[LinkNo("CL_Menu_File_New")] = 0x02;
  f.bus.Send(msg::RefreshMenuStates{});
  EXPECT_FALSE(newItem->isVisible());  // (Qt also disables what it hides)
  EXPECT_FALSE(menu.ActionFor(recent)->isChecked());

  f.flags.clear();
  menu.RefreshMenu();
  EXPECT_TRUE(newItem->isVisible());
  EXPECT_TRUE(newItem->isEnabled());
  newItem->trigger();
  EXPECT_EQ(f.clicked, std::vector<int>{LinkNo("CL_Menu_File_New")});
}

TEST(OverlayBuildersTest, TheEditMenuTakesTheCurrentCellsPopupItems) {
  BuilderFixture f;
  QMenuBar bar;
  MenuBuilder menu(&bar, f.store, "GI_Menu_Test", f.accessor, &f.bus);
  menu.BuildMenu();
  const int top = LinkNo("CL_Menu_Edit_Top");
  f.bus.Send(msg::BuildMenuSubItems{top, "GI_PMenu_Row"});
  QMenu* edit = menu.ActionFor(top)->menu();
  ASSERT_NE(edit, nullptr);
  ASSERT_EQ(edit->actions().size(), 2);
  // A plain key is named, not bound: Enter belongs to the sheet view.
  EXPECT_EQ(edit->actions()[0]->text(), QString("Edit...\tEnter"));
  EXPECT_TRUE(edit->actions()[0]->shortcut().isEmpty());
  EXPECT_EQ(edit->actions()[1]->shortcut(), QKeySequence("Ctrl+C"));
  // Built again, not doubled.
  f.bus.Send(msg::BuildMenuSubItems{top, "GI_PMenu_Row"});
  EXPECT_EQ(edit->actions().size(), 2);
  f.bus.Send(msg::ClearMenuSubItems{top});
  EXPECT_TRUE(edit->actions().isEmpty());
}

TEST(OverlayBuildersTest, TreeNodesSelectAndMarkByDescriptor) {
  BuilderFixture f;
  TreeBuilder tree(nullptr, f.store, "GI_Tree_Test", Icons(7), &f.bus);
  tree.BuildTree();
  ASSERT_EQ(tree.topLevelItemCount(), 1);
  QTreeWidgetItem* root = tree.topLevelItem(0);
  EXPECT_TRUE(root->isExpanded());
  ASSERT_EQ(root->childCount(), 2);
  QTreeWidgetItem* channels = root->child(0);
  EXPECT_EQ(channels->childCount(), 2);
  EXPECT_FALSE(channels->isExpanded());

  f.bus.Send(msg::SelectTreeNode{"GI_Sheet_Usa"});
  ASSERT_NE(tree.SelectedCell(), nullptr);
  EXPECT_EQ(tree.SelectedCaption(), "USA");
  tree.SelectByDescriptor("GI_Sheet_Nowhere");
  EXPECT_EQ(tree.SelectedCaption(), "USA");

  // The marked node and its collapsed folder change their pictures; the open root does not.
  const QImage rootBefore = root->icon(0).pixmap(16).toImage();
  const QImage folderBefore = channels->icon(0).pixmap(16).toImage();
  const QImage intBefore = channels->child(0)->icon(0).pixmap(16).toImage();
  const QImage usaBefore = channels->child(1)->icon(0).pixmap(16).toImage();
  tree.MarkNodes({"GI_Sheet_Int"}, 1);
  EXPECT_NE(channels->child(0)->icon(0).pixmap(16).toImage(), intBefore);
  EXPECT_NE(channels->icon(0).pixmap(16).toImage(), folderBefore);
  EXPECT_EQ(root->icon(0).pixmap(16).toImage(), rootBefore);
  EXPECT_EQ(channels->child(1)->icon(0).pixmap(16).toImage(), usaBefore);
  tree.ClearMarks();
  EXPECT_EQ(channels->child(0)->icon(0).pixmap(16).toImage(), intBefore);
  EXPECT_EQ(channels->icon(0).pixmap(16).toImage(), folderBefore);
}

TEST(OverlayBuildersTest, ToolbarGapsRowsAndButtonStates) {
  BuilderFixture f;
  ToolbarBuilder toolbar(nullptr, f.store, "GI_ToolBar_Test", Icons(20), f.accessor, &f.bus);
  toolbar.BuildToolbar();
  toolbar.show();
  ASSERT_EQ(toolbar.Buttons().size(), 3u);
  EXPECT_EQ(toolbar.RowCount(), 2);
  EXPECT_EQ(toolbar.Buttons()[0]->toolTip(), "New");
  QToolButton* newButton = toolbar.Buttons()[0];
  QToolButton* openButton = toolbar.Buttons()[1];
  QToolButton* readButton = toolbar.Buttons()[2];
  EXPECT_EQ(openButton->x() - (newButton->x() + newButton->width()), ToolbarBuilder::kGapWidth);
  EXPECT_GT(readButton->y(), newButton->y());

  f.flags[LinkNo("CL_Menu_File_Open")] = 0x01;
  f.flags[LinkNo("CL_Menu_Clone_Read")] = 0x04;
  f.bus.Send(msg::RefreshToolbarStates{});
  EXPECT_TRUE(openButton->isCheckable());
  EXPECT_TRUE(openButton->isChecked());
  EXPECT_FALSE(readButton->isEnabled());

  QTest::mouseClick(newButton, Qt::LeftButton);
  EXPECT_EQ(f.clicked, std::vector<int>{LinkNo("CL_Menu_File_New")});
}

}  // namespace
}  // namespace rtv
