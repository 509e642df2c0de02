// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <ctime>
#include <fstream>
#include <string>
#include <vector>

#include "ControllerFixture.h"
#include "TempFolder.h"
#include "app/FileCommands.h"
#include "app/RecoveryFile.h"

namespace rtv {
namespace {

constexpr std::int32_t kProbe = 0x0F10;  // a channel comment byte, inside the clone range

struct RecoveryFixture : test::ControllerFixture {
  RecoveryFixture() { controller->Setup(view); }
  RecoveryFile Recovery() {
    return RecoveryFile(*controller, controller->CurrentDocument(), controller->Files(), prompts,
                        state.Path() + "/Vrel/RT-V612");
  }
  EepromImage& working() { return controller->CurrentDocument().Working(); }
  test::TempFolder state;
};

// 2026-12-11 00:07 local time.
std::time_t When() {
  std::tm local{};
  local.tm_year = 126;
  local.tm_mon = 11;
  local.tm_mday = 11;
  local.tm_min = 7;
  local.tm_isdst = -1;
  return std::mktime(&local);
}

TEST(RecoveryFileTest, UnsavedChangesAreKeptAndTakenBackAtTheNextStart) {
  struct Case {
    const char* name;
    std::string file;  // the current file when the program ended
    PromptAnswer answer;
    bool recovered;
    bool kept;  // the recovery files stay for another start
  };
  const Case cases[] = {
      {"yes", "/boats/Dolphin.rtv", PromptAnswer::Yes, true, false},
      {"yes, untitled", "", PromptAnswer::Yes, true, false},
      {"no", "/boats/Dolphin.rtv", PromptAnswer::No, false, false},
      // The program was ended again while it asked.
      {"ended while asking", "/boats/Dolphin.rtv", PromptAnswer::Cancel, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecoveryFixture ended;
    ended.controller->CurrentDocument().SetFileName(c.file);
    ended.working().SetByte(kProbe, 0x41);
    ended.controller->CurrentDocument().CheckDirty();
    ASSERT_TRUE(ended.Recovery().SaveUnsaved(When()));
    EXPECT_TRUE(std::ifstream(ended.Recovery().ImagePath()).good());

    RecoveryFixture next;
    RecoveryFile recovery(*next.controller, next.controller->CurrentDocument(),
                          next.controller->Files(), next.prompts,
                          ended.state.Path() + "/Vrel/RT-V612");
    next.prompts.answers.push_back(c.answer);
    EXPECT_EQ(recovery.Offer(), c.recovered);
    ASSERT_EQ(next.prompts.shown.size(), 1u);
    EXPECT_EQ(next.prompts.shown[0].text, std::string("Recover the changes of ") +
                                              (c.file.empty() ? "Untitled" : "Dolphin.rtv") +
                                              " from 2026-12-11 00:07?");
    EXPECT_EQ(next.prompts.shown[0].buttons, PromptButtons::YesNo);
    EXPECT_EQ(next.working().GetByte(kProbe) == 0x41, c.recovered);
    EXPECT_EQ(next.controller->CurrentDocument().IsDirty(), c.recovered);
    EXPECT_EQ(next.controller->CurrentDocument().FileName(), c.recovered ? c.file : "");
    EXPECT_EQ(std::ifstream(recovery.NotePath()).good(), c.kept);
    EXPECT_EQ(std::ifstream(recovery.ImagePath()).good(), c.kept);
  }
}

TEST(RecoveryFileTest, NothingIsWrittenOrOfferedWithoutChanges) {
  RecoveryFixture f;
  EXPECT_TRUE(f.Recovery().SaveUnsaved(When()));
  EXPECT_FALSE(std::ifstream(f.Recovery().NotePath()).good());
  EXPECT_FALSE(f.Recovery().Offer());
  EXPECT_TRUE(f.prompts.shown.empty());
}

TEST(RecoveryFileTest, TheFolderFollowsTheStateHome) {
  const char* saved = std::getenv("XDG_STATE_HOME");
  const std::string before = saved != nullptr ? saved : "";
  ::setenv("XDG_STATE_HOME", "/run/state", 1);
  EXPECT_EQ(RecoveryFile::DefaultFolder(), "/run/state/Vrel/RT-V612");
  ::setenv("XDG_STATE_HOME", "relative", 1);  // not absolute: ignored, as the standard says
  const char* home = std::getenv("HOME");
  EXPECT_EQ(RecoveryFile::DefaultFolder(),
            std::string(home != nullptr ? home : ".") + "/.local/state/Vrel/RT-V612");
  if (saved != nullptr) {
    ::setenv("XDG_STATE_HOME", before.c_str(), 1);
  } else {
    ::unsetenv("XDG_STATE_HOME");
  }
}

}  // namespace
}  // namespace rtv
