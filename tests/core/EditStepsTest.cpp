// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditSteps.h"

#include <gtest/gtest.h>

#include "radio/EepromImage.h"

namespace rtv {
namespace {

struct StepsFixture {
  StepsFixture() {
    image.SetSize(64);
    image.Fill(0);
    steps.StartNew(false);
    steps.SetRecorded([this] { ++recorded; });
  }
  EepromImage image;
  EditSteps steps{image};
  int recorded = 0;
};

TEST(EditStepsTest, AnInputIsOneStepNamedAfterWhatItReached) {
  StepsFixture f;
  f.steps.InputStarting("Comment", {"GI_Sheet_Int", 5, 3});
  f.image.SetByte(1, 7);
  f.steps.Record();
  f.steps.Record();  // nothing new: no step
  EXPECT_EQ(f.recorded, 1);
  EXPECT_EQ(f.steps.UndoCaption(), "Undo Comment");
  EXPECT_EQ(f.steps.RedoCaption(), "Redo");

  const auto undone = f.steps.Undo();
  ASSERT_TRUE(undone.has_value());
  EXPECT_EQ(undone->what, "Comment");
  EXPECT_EQ(undone->place.sheet, "GI_Sheet_Int");
  EXPECT_EQ(undone->place.cellLink, 5);
  EXPECT_EQ(undone->place.index, 3);
  EXPECT_EQ(f.image.GetByte(1), 0);
  EXPECT_EQ(f.steps.UndoCaption(), "Undo");
  EXPECT_EQ(f.steps.RedoCaption(), "Redo Comment");
  ASSERT_TRUE(f.steps.Redo().has_value());
  EXPECT_EQ(f.image.GetByte(1), 7);
  EXPECT_FALSE(f.steps.Redo().has_value());
}

TEST(EditStepsTest, BeginToEndIsOneStepNamedByBegin) {
  StepsFixture f;
  f.image.SetByte(0, 1);
  f.steps.Record();  // an input nobody named: "Edit"
  f.steps.Begin("Import CSV", {"GI_Sheet_Int", 0, 0});
  EXPECT_TRUE(f.steps.InsideStep());
  f.steps.InputStarting("Comment", {});  // inside the import: still the import
  f.image.SetByte(2, 2);
  f.steps.Record();
  f.steps.Begin("Nested", {});
  f.image.SetByte(3, 3);
  EXPECT_FALSE(f.steps.End());  // the inner pair
  EXPECT_TRUE(f.steps.End());
  EXPECT_FALSE(f.steps.End());  // one End too many changes nothing
  EXPECT_EQ(f.steps.History().UndoCount(), 2u);
  EXPECT_EQ(f.steps.UndoCaption(), "Undo Import CSV");
  ASSERT_TRUE(f.steps.Undo().has_value());
  EXPECT_EQ(f.image.GetByte(2), 0);
  EXPECT_EQ(f.image.GetByte(3), 0);
  EXPECT_EQ(f.image.GetByte(0), 1);
  EXPECT_EQ(f.steps.UndoCaption(), "Undo Edit");
}

TEST(EditStepsTest, ANewHistoryForgetsTheStepsAndKnowsWhetherItIsSaved) {
  StepsFixture f;
  f.image.SetByte(4, 4);
  f.steps.Record();
  f.steps.StartNew(true);  // an image read from the radio
  EXPECT_FALSE(f.steps.History().CanUndo());
  EXPECT_FALSE(f.steps.History().IsClean());
  f.image.SetByte(5, 5);  // a normalise before saving
  f.steps.MarkSaved();
  EXPECT_TRUE(f.steps.History().IsClean());
  f.steps.Record();
  EXPECT_FALSE(f.steps.History().CanUndo());  // the program's change was no step
  f.image.SetByte(6, 6);
  f.steps.Absorb();
  f.steps.Record();
  EXPECT_FALSE(f.steps.History().CanUndo());
}

}  // namespace
}  // namespace rtv
