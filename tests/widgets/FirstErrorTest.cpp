// SPDX-License-Identifier: GPL-3.0-or-later
// A place shown from outside the tree (the first error, a difference): the tree follows.
#include <gtest/gtest.h>

#include <QTreeWidget>
#include <string>

#include "MemorySettingsStore.h"
#include "ProgramWindow.h"
#include "WaitUntil.h"
#include "cells/CellNames.h"
#include "menus/widgets/TreeBuilder.h"

namespace rtv {
namespace {

TEST(FirstErrorTest, TheTreeFollowsToTheSheetOfAPlaceShown) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  w.Tick();
  const std::string sheet = "GI_Sheet_FreeCh";
  QTreeWidgetItem* node = w.mainWindow->Tree()->FindNode(sheet);
  ASSERT_NE(node, nullptr);
  ASSERT_NE(w.mainWindow->Tree()->currentItem(), node);
  w.mainWindow->ShowEditPlace(sheet, LinkNo("CL_Fch_ChName"), 1);
  ASSERT_TRUE(test::WaitUntil(sheet.c_str(), [&] { return w.Shows(sheet); }));
  EXPECT_EQ(w.mainWindow->Tree()->currentItem(), node);
  // The tree's own delay passes without opening anything else.
  w.clock.Advance(w.TreeDelayMs());
  w.Tick();
  EXPECT_TRUE(w.Shows(sheet));
}

}  // namespace
}  // namespace rtv
