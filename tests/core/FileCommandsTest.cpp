// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileCommands.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ControllerFixture.h"
#include "MessageLog.h"
#include "base/Message.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

using test::ControllerFixture;

constexpr std::int32_t kProbe = 0x0F10;  // a channel comment byte, inside the clone range

// A set-up controller with the texts the file commands read.
struct FileFixture : ControllerFixture {
  FileFixture()
      : ControllerFixture(RadioModel::kImageSize,
                          {"#GI_Sys_Dialog_FOpen", "rtv", "Clone files (*.rtv)|*.rtv"}) {
    controller->Setup(view);
  }
  FileCommands& files() { return controller->Files(); }
  EepromImage& working() { return controller->CurrentDocument().Working(); }
  void Touch(std::uint8_t value = 0x41) {
    working().SetByte(kProbe, value);
    controller->CurrentDocument().CheckDirty();
  }
  test::MessageLog messages{bus};
};

TEST(FileCommandsTest, NewOnACleanImageAsksNothingAndGivesTheUntitledTemplate) {
  FileFixture f;
  f.working().SetByte(kProbe, 0x41);
  f.controller->CurrentDocument().MarkClean();
  f.controller->CurrentDocument().SetFileName("/boats/old.rtv");
  f.messages.Clear();
  const int closedBefore = f.view.sheetsClosed;

  EXPECT_TRUE(f.files().New());
  EXPECT_TRUE(f.prompts.shown.empty());
  EXPECT_TRUE(f.working().Equals(f.controller->CurrentDocument().Template()));
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), "");
  EXPECT_EQ(f.view.titles.back(), "Untitled - Radio Programmer");
  EXPECT_EQ(f.view.sheetsClosed, closedBefore + 1);
  EXPECT_EQ(f.messages.Count<msg::ImageReplaced>(), 1);
  EXPECT_GE(f.messages.Count<msg::CommitEdits>(), 1);
}

TEST(FileCommandsTest, TheUnsavedChangesQuestionGuardsNew) {
  struct Case {
    const char* name;
    std::vector<PromptAnswer> answers;
    std::vector<std::string> fileNames;  // the Save As dialog; "" cancels
    bool replaced;
    bool fileWritten;
  };
  const Case cases[] = {
      {"cancel", {PromptAnswer::Cancel}, {}, false, false},
      {"no drops the changes", {PromptAnswer::No}, {}, true, false},
      {"yes saves through Save As", {PromptAnswer::Yes}, {"saved.rtv"}, true, true},
      {"yes, dialog cancelled, is cancel", {PromptAnswer::Yes}, {""}, false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    f.Touch();
    for (PromptAnswer a : c.answers) f.prompts.answers.push_back(a);
    for (const std::string& n : c.fileNames)
      f.prompts.fileNames.push_back(n.empty() ? n : f.initialFiles.Path() + "/" + n);

    EXPECT_EQ(f.files().New(), c.replaced);
    ASSERT_EQ(f.prompts.shown.size(), 1u);
    EXPECT_EQ(f.prompts.shown[0].text, "Save the changes to \"Untitled\"?");
    EXPECT_EQ(f.prompts.shown[0].caption, "Radio Programmer");
    EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::YesNoCancel);
    EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Warning);
    EXPECT_EQ(f.working().GetByte(kProbe) != 0x41, c.replaced);
    EXPECT_EQ(f.controller->CurrentDocument().IsDirty(), !c.replaced);
    EXPECT_EQ(std::ifstream(f.initialFiles.Path() + "/saved.rtv").good(), c.fileWritten);
  }
}

// The answer the commands act on: asked only with changes, and "go on" only once the
// changes are saved or dropped.
TEST(FileCommandsTest, TheUnsavedChangesAnswer) {
  using Answer = FileCommands::UnsavedAnswer;
  struct Case {
    const char* name;
    bool changed;
    std::vector<PromptAnswer> answers;
    std::vector<std::string> fileNames;  // the Save As dialog; "" cancels
    Answer expected;
    bool stillDirty;
  };
  const Case cases[] = {
      {"no changes", false, {}, {}, Answer::GoOnSaved, false},
      {"yes, saved", true, {PromptAnswer::Yes}, {"saved.rtv"}, Answer::GoOnSaved, false},
      {"no", true, {PromptAnswer::No}, {}, Answer::GoOnDropped, true},
      {"cancel", true, {PromptAnswer::Cancel}, {}, Answer::Cancel, true},
      {"yes, dialog cancelled", true, {PromptAnswer::Yes}, {""}, Answer::Cancel, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    FileFixture f;
    if (c.changed) f.Touch();
    for (PromptAnswer a : c.answers) f.prompts.answers.push_back(a);
    for (const std::string& n : c.fileNames)
      f.prompts.fileNames.push_back(n.empty() ? n : f.initialFiles.Path() + "/" + n);

    EXPECT_EQ(f.files().ConfirmUnsaved(false), c.expected);
    EXPECT_EQ(f.prompts.shown.size(), c.changed ? 1u : 0u);
    EXPECT_EQ(f.controller->CurrentDocument().IsDirty(), c.stillDirty);
    // The question decides; the working image stays as it was either way.
    EXPECT_EQ(f.working().GetByte(kProbe) == 0x41, c.changed);
  }
}

TEST(FileCommandsTest, SaveAsWritesTheFileAndOpenReadsTheSameImageBack) {
  FileFixture f;
  f.Touch(0x5A);
  const std::string path = f.initialFiles.Path() + "/boat.rtv";
  f.prompts.fileNames.push_back(path);

  EXPECT_TRUE(f.files().Save());  // untitled: Save is Save As
  ASSERT_EQ(f.prompts.dialogs.size(), 1u);
  EXPECT_EQ(f.prompts.dialogs[0].fileName, "Untitled");
  EXPECT_EQ(f.prompts.dialogs[0].defaultExtension, "rtv");
  EXPECT_EQ(f.prompts.dialogs[0].filter, "Clone files (*.rtv)|*.rtv");
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), path);
  EXPECT_EQ(f.view.titles.back(), "boat.rtv - Radio Programmer");
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(f.settings.currentDirectory, f.initialFiles.Path());
  ASSERT_EQ(f.settings.RecentCount(), 1);
  EXPECT_EQ(f.settings.recentFiles[0], path);
  EXPECT_FALSE(f.view.busy);
  EXPECT_GT(f.view.busyCalls, 0);

  // Saving again writes to the same file without a dialog.
  f.Touch(0x5B);
  EXPECT_TRUE(f.files().Save());
  EXPECT_EQ(f.prompts.dialogs.size(), 1u);

  const EepromImage saved(f.working());
  f.files().New();
  EXPECT_NE(f.working().GetByte(kProbe), 0x5B);
  EXPECT_TRUE(f.files().OpenFile(path));
  EXPECT_TRUE(f.working().Equals(saved));
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), path);
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
}

TEST(FileCommandsTest, OpeningTheCurrentFileAgainWithChangesSavesElsewhereFirst) {
  FileFixture f;
  const std::string path = f.initialFiles.Path() + "/boat.rtv";
  ASSERT_TRUE(f.files().SaveFile(path));
  f.Touch();
  const std::string other = f.initialFiles.Path() + "/copy.rtv";
  f.prompts.fileNames.push_back(other);

  EXPECT_TRUE(f.files().OpenFile(path));
  ASSERT_FALSE(f.prompts.shown.empty());
  EXPECT_EQ(f.prompts.shown[0].text, "Save the changes to the current data first?");
  EXPECT_EQ(f.prompts.dialogs.size(), 1u);  // Save As, not an overwrite
  // The changes went to the copy; the reopened file is the unchanged one.
  EXPECT_NE(f.working().GetByte(kProbe), 0x41);
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), path);
  EXPECT_EQ(f.settings.recentFiles[0], path);
  EXPECT_EQ(f.settings.recentFiles[1], other);
}

TEST(FileCommandsTest, AFailedOpenKeepsImageNameAndDirtyState) {
  FileFixture f;
  const std::string path = f.initialFiles.Path() + "/boat.rtv";
  ASSERT_TRUE(f.files().SaveFile(path));

  // The same file with the image-valid byte cleared.
  EepromImage invalid(f.working());
  invalid.SetByte(MemoryLayout::kValidFlag, 0);
  const std::string bad = f.initialFiles.Path() + "/bad.rtv";
  std::ofstream(bad) << test::CloneFileText(invalid);

  f.Touch(0x77);
  f.prompts.answers.push_back(PromptAnswer::No);  // drop the changes
  const EepromImage before(f.working());
  EXPECT_FALSE(f.files().OpenFile(bad));
  EXPECT_EQ(f.prompts.shown.back().text, "Clone file error\n\nGI_Mess_FileErr_Data");
  EXPECT_TRUE(f.working().Equals(before));
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), path);
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(f.view.busy);
  EXPECT_EQ(f.settings.RecentCount(), 1);
}

TEST(FileCommandsTest, RecentFiles) {
  FileFixture f;
  const std::string folder = f.initialFiles.Path();
  // An empty list shows one disabled item with the menu's own caption.
  const auto none = f.files().RecentItemState(0);
  EXPECT_TRUE(none.visible);
  EXPECT_FALSE(none.enabled);
  EXPECT_FALSE(f.files().RecentItemState(1).visible);

  ASSERT_TRUE(f.files().SaveFile(folder + "/R&D boat.rtv"));
  f.settings.AddRecentFront("/elsewhere/gone.rtv");
  const auto first = f.files().RecentItemState(0);
  EXPECT_TRUE(first.enabled);
  EXPECT_EQ(first.caption, "&1 /elsewhere/gone.rtv");
  EXPECT_EQ(f.files().RecentItemState(1).caption, "&2 R&&D boat.rtv");  // literal ampersand
  EXPECT_FALSE(f.files().RecentItemState(2).visible);

  // A file that no longer exists fails with the open message and stays in the list.
  f.files().RecentItemExecute(0);
  EXPECT_EQ(f.prompts.shown.back().text, "Clone file error\n\nGI_Mess_FileErr_FileOpen");
  EXPECT_EQ(f.settings.RecentCount(), 2);
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), folder + "/R&D boat.rtv");

  // The menu command reaches the same code through the accessor's host.
  Cell cell;
  cell.index = 1;
  f.Touch();
  f.prompts.answers.push_back(PromptAnswer::No);
  f.controller->RunCellCommand(LinkNo("CL_Menu_File_Recent"), cell);
  EXPECT_EQ(f.controller->CurrentDocument().FileName(), folder + "/R&D boat.rtv");
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  f.controller->RunCellCommand(LinkNo("CL_Menu_File_Exit"), cell);
  EXPECT_EQ(f.view.closeRequests, 1);
}

TEST(FileCommandsTest, TheDialogsStartInTheRememberedFolder) {
  FileFixture f;
  f.settings.currentDirectory.clear();
  f.files().SetStartDirectory("/home/skipper/Documents", "/tmp");
  EXPECT_EQ(f.files().FullCurrentName(), "/home/skipper/Documents/Untitled");
  f.files().SetStartDirectory("", "/tmp");
  EXPECT_EQ(f.files().CurrentDirectory(), "/tmp");
  f.settings.currentDirectory = "/data/boats";
  f.files().SetStartDirectory("/home/skipper/Documents", "/tmp");
  f.prompts.fileNames.push_back("");
  EXPECT_FALSE(f.files().Open());
  EXPECT_EQ(f.prompts.dialogs.back().folder, "/data/boats");
  EXPECT_TRUE(f.prompts.shown.empty());
}

}  // namespace
}  // namespace rtv
