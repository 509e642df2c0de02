// SPDX-License-Identifier: GPL-3.0-or-later
// Clone > Open Backup as a user meets it: the folder of the read backups in the open dialog.
#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <filesystem>
#include <string>

#include "MemorySettingsStore.h"
#include "ProgramWindow.h"
#include "TempFolder.h"
#include "app/FileCommands.h"
#include "clonefile/ReadBackups.h"

namespace rtv {
namespace {

// The data folder of the program, for as long as the object lives.
class DataHome {
 public:
  explicit DataHome(const std::string& path) : saved_(qgetenv("XDG_DATA_HOME")) {
    qputenv("XDG_DATA_HOME", path.c_str());
  }
  ~DataHome() { qputenv("XDG_DATA_HOME", saved_); }
  DataHome(const DataHome&) = delete;
  DataHome& operator=(const DataHome&) = delete;

 private:
  QByteArray saved_;
};

QMenu* TopMenu(QMenuBar& bar, const QString& title) {
  for (QAction* top : bar.actions()) {
    if (top->menu() != nullptr && top->text().remove('&') == title) return top->menu();
  }
  return nullptr;
}

TEST(OpenBackupTest, SaysThereAreNoneYetThenOpensTheBackupChosenInTheirFolder) {
  test::TempFolder dataHome;
  const DataHome home(dataHome.Path());
  const std::string folder = dataHome.Path() + "/Vrel/RT-V612/backups";
  test::MemorySettingsStore store;
  test::ProgramWindow w(store);
  w.mainWindow->show();
  w.Tick();
  QAction* item = w.MenuItem("CL_Menu_File_Exp", CommandRouter::kOpenBackup);
  ASSERT_NE(item, nullptr);
  QMenu* clone = TopMenu(*w.mainWindow->menuBar(), "Clone");
  ASSERT_NE(clone, nullptr);
  EXPECT_TRUE(clone->actions().contains(item));
  EXPECT_TRUE(item->isEnabled());

  // Before the first read there is no folder: no dialog, and the message names the folder.
  item->trigger();
  w.Tick();
  EXPECT_TRUE(w.prompts.dialogs.empty());
  ASSERT_EQ(w.prompts.shown.size(), 1u);
  EXPECT_NE(w.prompts.shown[0].text.find(folder), std::string::npos) << w.prompts.shown[0].text;

  // A read of a boat whose own MMSI is set leaves one backup.
  EepromImage& working = w.controller->CurrentDocument().Working();
  const std::uint8_t mmsi[] = {36, 61, 23, 45, 60, 0x1E};
  for (int i = 0; i < 6; ++i) working.SetByte(0x23C0 + i, mmsi[i]);
  std::string error;
  const std::string backup = w.controller->Files().KeepReadBackup(1203, error);
  ASSERT_FALSE(backup.empty()) << error;
  EXPECT_EQ(std::filesystem::path(backup).parent_path().string(), folder);
  const std::string name = std::filesystem::path(backup).filename().string();
  EXPECT_TRUE(name.ends_with("_M0_v1203_366123456.rtv")) << name;
  w.controller->CurrentDocument().MarkClean();
  ASSERT_TRUE(w.controller->Files().New());
  ASSERT_EQ(ReadBackups::OwnMmsiOf(working), "");

  // With unsaved changes the usual question comes; the dialog starts in the backups.
  w.controller->CurrentDocument().MarkDirty();
  w.prompts.answers.push_back(PromptAnswer::No);
  w.prompts.fileNames.push_back(backup);
  item->trigger();
  w.Tick();
  ASSERT_EQ(w.prompts.dialogs.size(), 1u);
  EXPECT_EQ(w.prompts.dialogs[0].folder, folder);
  ASSERT_EQ(w.prompts.shown.size(), 2u);
  EXPECT_EQ(w.prompts.shown[1].buttons, PromptButtons::YesNoCancel);
  EXPECT_EQ(ReadBackups::OwnMmsiOf(w.controller->CurrentDocument().Working()), "366123456");
  EXPECT_EQ(w.controller->Files().FullCurrentName(), backup);
  EXPECT_FALSE(w.controller->CurrentDocument().CheckDirty());
}

}  // namespace
}  // namespace rtv
