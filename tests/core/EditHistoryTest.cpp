// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/EditHistory.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>

namespace rtv {
namespace {

EepromImage Image(std::uint8_t fill = 0) {
  EepromImage image;
  image.SetSize(32768);
  image.Fill(fill);
  return image;
}

void Write(EepromImage& image, std::int32_t address, const char* text) {
  image.WriteBlock(address, reinterpret_cast<const std::uint8_t*>(text),
                   static_cast<std::int32_t>(std::strlen(text)));
}

TEST(EditHistoryTest, UndoAndRedoRestoreTheBytesOfEachStep) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  const EepromImage start = image;
  Write(image, 0x0F10, "NAME");
  image.SetByte(0x04B0, 0x80);
  ASSERT_TRUE(history.Record(image, "Name", {"GI_Sheet_IntCh", 1, 0}));
  const EepromImage afterFirst = image;
  Write(image, 0x0F12, "XYZ");  // overlaps the first step's bytes
  image.SetByte(0x7FFF, 1);     // the last byte of the image
  ASSERT_TRUE(history.Record(image, "Clear Rows", {"GI_Sheet_IntCh", 2, 3}));
  const EepromImage afterSecond = image;
  EXPECT_FALSE(history.Record(image, "nothing", {}));  // no change, no step
  EXPECT_EQ(history.UndoCount(), 2u);

  ASSERT_EQ(history.NextUndo()->what, "Clear Rows");
  const std::optional<EditHistory::StepInfo> undone = history.Undo(image);
  ASSERT_TRUE(undone);
  EXPECT_EQ(undone->what, "Clear Rows");
  EXPECT_EQ(undone->place.index, 3);
  EXPECT_TRUE(image.Equals(afterFirst));
  ASSERT_TRUE(history.Undo(image));
  EXPECT_TRUE(image.Equals(start));
  EXPECT_FALSE(history.Undo(image));  // nothing left: the image stays
  EXPECT_TRUE(image.Equals(start));

  ASSERT_TRUE(history.Redo(image));
  EXPECT_TRUE(image.Equals(afterFirst));
  ASSERT_TRUE(history.Redo(image));
  EXPECT_TRUE(image.Equals(afterSecond));
  EXPECT_FALSE(history.Redo(image));
}

TEST(EditHistoryTest, ANewStepDropsTheRedoSteps) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  image.SetByte(10, 1);
  history.Record(image, "a", {});
  history.Undo(image);
  ASSERT_TRUE(history.CanRedo());
  image.SetByte(20, 2);
  history.Record(image, "b", {});
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(history.NextUndo()->what, "b");
  history.Undo(image);
  EXPECT_TRUE(image.Equals(Image()));
}

TEST(EditHistoryTest, TheSavedStateIsCleanAgainWhenReachedByUndoOrRedo) {
  struct Case {
    const char* what;
    int savedAfter;  // steps done when saved
  };
  for (const Case& c : {Case{"saved at the start", 0}, Case{"saved after one step", 1},
                        Case{"saved after two steps", 2}}) {
    SCOPED_TRACE(c.what);
    EepromImage image = Image();
    EditHistory history;
    history.Reset(image);
    for (int step = 1; step <= 2; ++step) {
      if (c.savedAfter == step - 1) history.MarkClean();
      image.SetByte(step, static_cast<std::uint8_t>(step));
      history.Record(image, "step", {});
    }
    if (c.savedAfter == 2) history.MarkClean();
    for (int done = 2; done >= 0; --done) {
      EXPECT_EQ(history.IsClean(), done == c.savedAfter) << done;
      history.Undo(image);
    }
    for (int done = 0; done <= 2; ++done) {
      EXPECT_EQ(history.IsClean(), done == c.savedAfter) << done;
      history.Redo(image);
    }
  }
}

TEST(EditHistoryTest, ASavedStateDroppedFromTheRedoStepsIsNeverCleanAgain) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  image.SetByte(1, 1);
  history.Record(image, "a", {});
  history.MarkClean();
  history.Undo(image);
  image.SetByte(2, 2);
  history.Record(image, "b", {});
  history.Undo(image);
  EXPECT_FALSE(history.IsClean());
  history.Redo(image);
  EXPECT_FALSE(history.IsClean());
}

TEST(EditHistoryTest, KeepsTheNewestStepsUpToItsLimit) {
  EepromImage image = Image();
  EditHistory history(1000);
  history.Reset(image);
  for (int step = 0; step < 1005; ++step) {
    image.SetByte(step, 0xAA);
    history.Record(image, std::to_string(step), {});
  }
  EXPECT_EQ(history.UndoCount(), 1000u);
  while (history.Undo(image)) {
  }
  // The five oldest steps are gone; everything after them is undone.
  for (int a = 0; a < 5; ++a) EXPECT_EQ(image.GetByte(a), 0xAA) << a;
  for (int a = 5; a < 1005; ++a) EXPECT_EQ(image.GetByte(a), 0) << a;
}

TEST(EditHistoryTest, ChangesAbsorbedByTheProgramAreNoStep) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  image.SetByte(100, 7);  // a normalise before saving
  history.Absorb(image);
  EXPECT_FALSE(history.Record(image, "x", {}));
  image.SetByte(5, 1);
  history.Record(image, "edit", {});
  history.Undo(image);
  EXPECT_EQ(image.GetByte(100), 7);
  EXPECT_EQ(image.GetByte(5), 0);
}

TEST(EditHistoryTest, AnImageOfAnotherSizeIsNeverWrittenOutsideItself) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  image.SetByte(0x7FFF, 9);
  history.Record(image, "end", {});
  EepromImage small;
  small.SetSize(16);
  EXPECT_FALSE(history.Undo(small));
  EXPECT_TRUE(history.CanUndo());
  EXPECT_TRUE(small.Equals([] {
    EepromImage zero;
    zero.SetSize(16);
    return zero;
  }()));
}

TEST(EditHistoryTest, StoresOnlyTheChangedBytes) {
  EepromImage image = Image();
  EditHistory history;
  history.Reset(image);
  const std::size_t empty = history.MemoryUsage();
  std::mt19937 random(18);
  for (int step = 0; step < 1000; ++step) {
    image.SetByte(static_cast<std::int32_t>(random() % 32768),
                  static_cast<std::uint8_t>(1 + random() % 255));
    history.Record(image, "Name", {"GI_Sheet_IntCh", 1, 0});
  }
  // A thousand one-byte steps take far less than a thousand images.
  EXPECT_LT(history.MemoryUsage() - empty, 1000u * 256u);
}

}  // namespace
}  // namespace rtv
