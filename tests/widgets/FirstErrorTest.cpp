// SPDX-License-Identifier: GPL-3.0-or-later
// A write refused for errors in the data, as a user meets it: the message names the first
// error and its reason, and "show it" opens its sheet with the tree following.
#include <gtest/gtest.h>

#include <QAction>
#include <QTreeWidget>
#include <string>

#include "MemorySettingsStore.h"
#include "ProgramWindow.h"
#include "WaitUntil.h"
#include "app/MainController.h"
#include "sheet/widgets/TreeBuilder.h"

namespace rtv {
namespace {

TEST(FirstErrorTest, TheReasonKeepsOneFullStopAndTheTreeFollowsToTheSheetShown) {
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.form->show();
  w.Tick();
  // The first DSC call's alarm: a maximum below its minimum.
  w.controller->WorkingImage().SetByte(0x23DB, 10);
  w.controller->WorkingImage().SetByte(0x23DC, 5);
  w.prompts.answers.push_back(PromptAnswer::Yes);  // show the first error
  QAction* write = w.MenuItem("CL_Menu_Clone_Write");
  ASSERT_NE(write, nullptr);
  write->trigger();
  w.Tick();

  ASSERT_EQ(w.prompts.shown.size(), 1u);
  const std::string& text = w.prompts.shown[0].text;
  const auto& first = w.controller->FirstError();
  ASSERT_TRUE(first.has_value());
  std::string reason = first->reason;
  ASSERT_FALSE(reason.empty());
  if (reason.back() == '.') reason.pop_back();
  EXPECT_NE(text.find("(" + reason + ")."), std::string::npos) << text;
  EXPECT_EQ(text.find(".)"), std::string::npos) << text;

  ASSERT_TRUE(test::WaitUntil(first->sheet.c_str(), [&] { return w.Shows(first->sheet); }));
  QTreeWidgetItem* node = w.form->Tree()->FindNode(first->sheet);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(w.form->Tree()->currentItem(), node);
  // The tree's own delay passes without opening anything again.
  w.clock.Advance(w.TreeDelayMs());
  w.Tick();
  EXPECT_TRUE(w.Shows(first->sheet));
}

}  // namespace
}  // namespace rtv
