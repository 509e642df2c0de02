// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Document.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "RecordingMainView.h"
#include "radio/RadioModel.h"

namespace rtv {
namespace {

// A document as the program starts it: the template opened as an untitled clean image,
// its title shown in a recording view.
struct DocumentFixture {
  DocumentFixture() {
    for (std::int32_t address = 0; address < 0x2C00; ++address) {
      document.Template().SetByte(address, static_cast<std::uint8_t>(address * 7));
    }
    document.ShowTitleIn(&view, "Radio Programmer");
    document.Working().Assign(document.Template());
    document.MarkClean();
    document.StartNewHistory();
    document.SetHistoryChanged([this] { ++historyChanges; });
  }
  // One input on a sheet: a step named `what`.
  void Type(const std::string& what, std::int32_t address, std::uint8_t value) {
    document.InputStarting(what, {"GI_Sheet_Int", 5, 0});
    document.Working().SetByte(address, value);
    document.RecordWrite();
  }
  bool Marked() const { return view.modified.back(); }

  Document document{RadioModel::kImageSize};
  test::RecordingMainView view;
  int historyChanges = 0;
};

TEST(DocumentTest, TheTitleNamesTheFileWithoutItsFolder) {
  struct Case {
    const char* path;
    const char* title;
  };
  const Case cases[] = {
      {"/home/skipper/boats/Dolphin.rtv", "Dolphin.rtv - Radio Programmer"},
      {"Dolphin.rtv", "Dolphin.rtv - Radio Programmer"},
      {"/home/skipper/boats/", "Untitled - Radio Programmer"},
      {"", "Untitled - Radio Programmer"},
  };
  DocumentFixture f;
  EXPECT_EQ(f.view.titles.back(), "Untitled - Radio Programmer");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    f.document.SetFileName(c.path);
    EXPECT_EQ(f.document.FileName(), c.path);
    EXPECT_EQ(f.document.TitleText(), c.title);
    EXPECT_EQ(f.view.titles.back(), c.title);
  }
}

TEST(DocumentTest, TheTitlesMarkFollowsWritesSavesAndReads) {
  DocumentFixture f;
  EXPECT_FALSE(f.Marked());
  f.Type("Comment", 0x0100, 0x42);
  EXPECT_TRUE(f.document.IsDirty());
  EXPECT_TRUE(f.Marked());
  f.document.MarkClean();  // as a save does
  EXPECT_FALSE(f.Marked());
  f.document.MarkDirty();  // as a read from the radio does, the image unchanged
  EXPECT_TRUE(f.document.IsDirty());
  EXPECT_TRUE(f.Marked());
  EXPECT_EQ(f.view.titles.back(), "Untitled - Radio Programmer");
}

TEST(DocumentTest, DirtyCheckComparesTheCloneRangeByContent) {
  DocumentFixture f;
  EepromImage& working = f.document.Working();
  const std::uint8_t initial = working.GetByte(0x0100);
  working.SetByte(0x0100, 5);
  working.SetByte(0x0100, initial);  // edited back before the check
  EXPECT_FALSE(f.document.CheckDirty());
  working.SetByte(0x2B60, 1);  // outside the clone range
  EXPECT_FALSE(f.document.CheckDirty());
  const std::uint8_t last = working.GetByte(0x2B5F);
  working.SetByte(0x2B5F, last ^ 1);
  EXPECT_TRUE(f.document.CheckDirty());
  working.SetByte(0x2B5F, last);  // once dirty, stays dirty until marked clean
  EXPECT_TRUE(f.document.CheckDirty());
  f.document.MarkClean();
  EXPECT_FALSE(f.document.IsDirty());
}

TEST(DocumentTest, UndoReachingTheSavedImageIsCleanAndRedoLeavingItDirty) {
  DocumentFixture f;
  f.Type("Comment", 0x0100, 0x01);
  f.document.MarkClean();  // as a save does
  f.Type("Comment", 0x0110, 0x02);
  EXPECT_TRUE(f.document.IsDirty());
  ASSERT_TRUE(f.document.Undo().has_value());
  EXPECT_FALSE(f.document.IsDirty());
  EXPECT_FALSE(f.Marked());
  ASSERT_TRUE(f.document.Undo().has_value());  // before the save
  EXPECT_TRUE(f.document.IsDirty());
  EXPECT_TRUE(f.Marked());
  ASSERT_TRUE(f.document.Redo().has_value());
  EXPECT_FALSE(f.document.IsDirty());
  ASSERT_TRUE(f.document.Redo().has_value());
  EXPECT_TRUE(f.document.IsDirty());
  EXPECT_FALSE(f.document.Redo().has_value());
}

TEST(DocumentTest, UndoBackToAnImageReadFromTheRadioLeavesItUnsaved) {
  DocumentFixture f;
  f.document.Working().SetByte(0x0200, 0x33);  // the radio's image
  f.document.MarkDirty();
  f.document.StartNewHistory();
  f.Type("Comment", 0x0100, 0x42);
  const auto step = f.document.Undo();
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->what, "Comment");
  EXPECT_EQ(f.document.Working().GetByte(0x0200), 0x33);
  EXPECT_TRUE(f.document.IsDirty());
  EXPECT_TRUE(f.Marked());
}

TEST(DocumentTest, ANewHistoryForgetsEveryStepAndKeepsTheImage) {
  DocumentFixture f;
  f.Type("Comment", 0x0100, 0x01);
  f.Type("Name", 0x0110, 0x02);
  ASSERT_TRUE(f.document.Undo().has_value());
  EXPECT_EQ(f.document.UndoCaption(), "Undo Comment");
  EXPECT_EQ(f.document.RedoCaption(), "Redo Name");
  // Open, New, a read: the image the history starts at is the one replaced in.
  f.document.Working().SetByte(0x0120, 0x03);
  f.document.MarkClean();
  f.document.StartNewHistory();
  EXPECT_FALSE(f.document.History().CanUndo());
  EXPECT_FALSE(f.document.History().CanRedo());
  EXPECT_EQ(f.document.UndoCaption(), "Undo");
  EXPECT_EQ(f.document.RedoCaption(), "Redo");
  EXPECT_FALSE(f.document.Undo().has_value());
  EXPECT_EQ(f.document.Working().GetByte(0x0100), 0x01);
  EXPECT_EQ(f.document.Working().GetByte(0x0120), 0x03);
  EXPECT_FALSE(f.document.IsDirty());
}

TEST(DocumentTest, BeginToEndIsOneStepAndTheProgramsOwnChangesNone) {
  DocumentFixture f;
  const EepromImage before = f.document.Working();
  f.document.BeginStep("Import CSV", {"GI_Sheet_IntCh", 0, 0});
  EXPECT_TRUE(f.document.InsideStep());
  f.Type("Comment", 0x0100, 0x01);  // an input inside the import belongs to it
  f.Type("Comment", 0x0110, 0x02);
  f.document.EndStep();
  EXPECT_EQ(f.historyChanges, 1);
  EXPECT_EQ(f.document.History().UndoCount(), 1u);
  EXPECT_EQ(f.document.UndoCaption(), "Undo Import CSV");
  EXPECT_TRUE(f.document.IsDirty());

  f.document.Working().SetByte(0x0EE0, 'V');  // a normalise before writing
  f.document.AbsorbProgramChanges();
  const auto step = f.document.Undo();
  ASSERT_TRUE(step.has_value());
  EXPECT_EQ(step->place.sheet, "GI_Sheet_IntCh");
  EXPECT_EQ(f.document.Working().GetByte(0x0100), before.GetByte(0x0100));
  EXPECT_EQ(f.document.Working().GetByte(0x0110), before.GetByte(0x0110));
  EXPECT_EQ(f.document.Working().GetByte(0x0EE0), 'V');  // no step took it
}

}  // namespace
}  // namespace rtv
