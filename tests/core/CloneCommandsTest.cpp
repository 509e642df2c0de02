// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CloneCommands.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "ControllerFixture.h"
#include "MemoryWire.h"
#include "ScriptedRadio.h"
#include "TempFolder.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/Cell.h"
#include "cells/CellNames.h"
#include "cells/CellRequest.h"
#include "clonefile/CloneFile.h"
#include "link/CloneFrames.h"
#include "link/LinkView.h"
#include "radio/ImageVersion.h"
#include "radio/ItemAccessor.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

using test::Bytes;
using test::MemoryWire;
using test::ScriptedRadio;

std::vector<std::string> LinkTexts() {
  std::vector<std::string> lines = {"#GI_Mess_CloneErr_Head"};
  for (int i = 0; i <= 17; ++i) {
    lines.push_back(i == 2 ? "Port COM%d could not be opened." : "Head " + std::to_string(i));
  }
  lines.push_back("#");
  lines.push_back("#GI_Mess_CloneErr_Check");
  for (int i = 0; i < 8; ++i) lines.push_back("Check " + std::to_string(i));
  lines.insert(lines.end(), {"#",
                             "#GI_Mess_CloneRW_Title_Message",
                             "Writing",
                             "Reading",
                             "#",
                             "#GI_Mess_Confirm_CloneWrite",
                             "Write?",
                             "#GI_Mess_CloneWrite_Succeeded",
                             "Written.",
                             "#GI_Mess_CloneWrite_Partly",
                             "Partly written.",
                             "#GI_Mess_CloneRW_Stopped",
                             "Stopped.",
                             "Write stopped.",
                             "#GI_Mess_CloneRead_Done",
                             "Read %1 bytes.",
                             "#GI_Mess_DataError",
                             "Data errors.",
                             "#GI_Mess_Adjust_Caution",
                             "Adjust?",
                             "#GI_Mess_Maker_Caution",
                             "Maker?",
                             "#GI_StatusPanel_Maker",
                             "MAKER",
                             "#GI_Mess_Port_Device",
                             "Device %s.",
                             "#GI_Mess_Port_Denied",
                             "Join dialout.",
                             "#GI_Mess_Port_NoDevice",
                             "No device.",
                             "#GI_AppInd_CloneInfo",
                             "Model: %s",
                             "Revision: %s",
                             "#"});
  return lines;
}

// The link windows as the controller drives them.
struct FakeLinkView : LinkView {
  void SetMainWindowEnabled(bool enabled) override {
    mainEnabled = enabled;
    if (!enabled) ++disabled;
  }
  void ShowProgress(const std::string& caption, LinkController& link) override {
    captions.push_back(caption);
    controller = &link;
    progressOpen = true;
  }
  void RepaintProgress() override {
    if (controller != nullptr) lastLit = controller->LitSegments();
  }
  void CloseProgress() override {
    progressOpen = false;
    mainEnabled = true;
  }
  std::optional<int> AskPort(PortField field, int currentPort, const PortEnvironment&) override {
    fields.push_back(field);
    shownPort = currentPort;
    return answer;
  }
  bool mainEnabled = true;
  int disabled = 0;
  bool progressOpen = false;
  int lastLit = -1;
  std::vector<std::string> captions;
  LinkController* controller = nullptr;
  std::vector<PortField> fields;
  int shownPort = 0;
  std::optional<int> answer;
};

// The link texts with a help topic line for every status.
std::vector<std::string> LinkTextsWithHelpTopics() {
  std::vector<std::string> lines = LinkTexts();
  lines.push_back("#GI_Mess_CloneErr_Help");
  for (int i = 0; i <= 17; ++i) lines.push_back("Topic " + std::to_string(i));
  lines.push_back("#");
  return lines;
}

class CloneCommandsTest : public ::testing::Test {
 protected:
  explicit CloneCommandsTest(std::vector<std::string> texts = LinkTexts())
      : f(RadioModel::kImageSize, std::move(texts)) {
    view.linkWindows = &windows;
    view.hasAdjustWindow = true;
    view.hasCloneInfoSheet = true;
    f.controller->Setup(view);
    f.controller->AttachLink(wire, ports);
    commands = f.controller->Clone();
    radioImage = test::InitialImage(0, 0x55);
    radio.answers[kCmdIdentify] =
        ScriptedRadio::IdentifyAnswer(0x3974, 0x0001, ScriptedRadio::IdPayload());
  }

  Bytes RadioMemory() const {
    return Bytes(radioImage.Data(), radioImage.Data() + radioImage.Size());
  }
  // The radio's answer to a read of the whole clone range.
  void AnswerReadWith(int first, int last, bool end = true) {
    int frames = 0;
    Bytes answer = ScriptedRadio::DataFrames(RadioMemory(), first, last, &frames);
    if (end) {
      const Bytes tail = ScriptedRadio::EndFrame(frames);
      answer.insert(answer.end(), tail.begin(), tail.end());
    }
    radio.answers[kCmdRead] = answer;
  }
  void Run(std::int64_t limitMs = 120000) {
    const std::int64_t start = f.clock.NowMs();
    while (commands->IsBusy() && f.clock.NowMs() - start < limitMs) f.clock.Advance(10);
    ASSERT_FALSE(commands->IsBusy());
  }
  void Command(int cellLink, int index = 0) {
    Cell cell;
    cell.index = index;
    f.controller->RunCellCommand(cellLink, cell);
    Run();
  }
  bool Sent(std::uint8_t command) const {
    for (const ScriptedRadio::Frame& frame : radio.frames) {
      if (frame.bytes.size() > 2 && frame.bytes[2] == command) return true;
    }
    return false;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : f.prompts.shown) texts.push_back(shown.text);
    return texts;
  }
  std::string LastText() const {
    return f.prompts.shown.empty() ? std::string() : f.prompts.shown.back().text;
  }

  // The wire outlives the controller, whose link closes it when destroyed.
  MemoryWire wire;
  ScriptedRadio radio{wire};
  PortEnvironment ports;
  test::ControllerFixture f;
  FakeLinkView windows;
  test::RecordingMainView view;
  CloneCommands* commands = nullptr;
  EepromImage radioImage;
};

// ---------------------------------------------------------------------------------------
// Clone read

TEST_F(CloneCommandsTest, ReadReplacesTheImageAndMarksItChangedAndUntitled) {
  radioImage.SetByte(0x0B31, 0xA5);
  AnswerReadWith(0, 0x2B5F);
  f.controller->CurrentDocument().SetFileName("/tmp/old.rtv");
  const int closedBefore = view.sheetsClosed;

  Command(LinkNo("CL_Menu_Clone_Read"));

  EXPECT_TRUE(Texts().empty()) << LastText();
  EXPECT_TRUE(Sent(kCmdIdentify));
  EXPECT_TRUE(Sent(kCmdRead));
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0xA5);
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x2000), 0x55);
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
  EXPECT_TRUE(f.controller->CurrentDocument().FileName().empty());
  EXPECT_EQ(view.titles.back(), "Untitled - Radio Programmer");
  EXPECT_GT(view.sheetsClosed, closedBefore);
  EXPECT_EQ(windows.captions, std::vector<std::string>{"Reading"});
  EXPECT_FALSE(windows.progressOpen);
  EXPECT_TRUE(windows.mainEnabled);
  EXPECT_EQ(windows.disabled, 2);  // identify, then read
  EXPECT_EQ(windows.lastLit, 33);
}

TEST_F(CloneCommandsTest, EveryReadLeavesABackupAndAFailedBackupIsOnlyAWarning) {
  test::TempFolder data;
  const char* saved = std::getenv("XDG_DATA_HOME");
  const std::string before = saved != nullptr ? saved : "";
  ::setenv("XDG_DATA_HOME", data.Path().c_str(), 1);
  radioImage.SetByte(0x0B31, 0xA5);
  AnswerReadWith(0, 0x2B5F);
  Command(LinkNo("CL_Menu_Clone_Read"));
  const std::string folder = data.File("Vrel/RT-V612/backups");
  std::vector<std::string> backups;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    backups.push_back(entry.path().string());
  }
  ASSERT_EQ(backups.size(), 1u);
  EXPECT_NE(backups[0].find("_M0_v"), std::string::npos) << backups[0];
  EepromImage backup;
  backup.SetSize(f.controller->CurrentDocument().Working().Size());
  CloneFile reader(f.overlay, f.prompts);
  reader.SetImage(&backup);
  reader.SetModelCode(0x3974);
  reader.SetExtensionCode(1);
  reader.SetMapRevisionCheck([](int) { return true; });
  ASSERT_EQ(reader.Read(backups[0], kCloneRanges), kFileOk);
  EXPECT_EQ(backup.GetByte(0x0B31), 0xA5);

  // The folder cannot be made: the read still succeeds, with a word in the status bar.
  ::setenv("XDG_DATA_HOME", backups[0].c_str(), 1);  // a file: no folder can go there
  f.controller->CurrentDocument().MarkClean();
  Command(LinkNo("CL_Menu_Clone_Read"));
  EXPECT_TRUE(Texts().empty()) << LastText();
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0xA5);
  f.clock.Advance(10);  // the status text is posted
  EXPECT_NE(f.controller->MessagePanelText().find("No backup of this read was kept"),
            std::string::npos)
      << f.controller->MessagePanelText();
  if (saved != nullptr) {
    ::setenv("XDG_DATA_HOME", before.c_str(), 1);
  } else {
    ::unsetenv("XDG_DATA_HOME");
  }
}

TEST_F(CloneCommandsTest, CancelHalfWayThroughAReadKeepsTheImageAndTheNextReadWorks) {
  radioImage.SetByte(0x0B31, 0xA5);
  AnswerReadWith(0, 0x2B5F);
  const EepromImage before(f.controller->CurrentDocument().Working());
  Cell cell;
  f.controller->RunCellCommand(LinkNo("CL_Menu_Clone_Read"), cell);
  const int total = LinkController::RangeBytes(CloneSession::kReadList);
  while (commands->IsBusy() && commands->Link().Link().DataDone() < total / 2) f.clock.Advance(10);
  ASSERT_TRUE(commands->IsBusy());
  const std::string progress = windows.controller->ProgressText();
  EXPECT_NE(progress.find(" of 11,104 bytes (5"), std::string::npos) << progress;
  windows.controller->Cancel();
  Run();
  EXPECT_TRUE(Texts().empty()) << LastText();  // the user's wish needs no box
  EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(windows.progressOpen);
  EXPECT_TRUE(windows.mainEnabled);
  f.clock.Advance(10);
  EXPECT_EQ(f.controller->MessagePanelText(), "Stopped.");

  Command(LinkNo("CL_Menu_Clone_Read"));
  EXPECT_TRUE(Texts().empty()) << LastText();
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0xA5);
  f.clock.Advance(10);
  EXPECT_EQ(f.controller->MessagePanelText(), "Read 11,104 bytes.");
}

TEST_F(CloneCommandsTest, CancelDuringAWriteSaysTheRadioMayBePartlyWritten) {
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0);
  Cell cell;
  f.controller->RunCellCommand(LinkNo("CL_Menu_Clone_Write"), cell);
  while (commands->IsBusy() && commands->Link().Link().DataDone() == 0) f.clock.Advance(10);
  ASSERT_TRUE(commands->IsBusy());
  windows.controller->Cancel();
  Run();
  ASSERT_EQ(f.prompts.shown.size(), 2u);  // the confirmation, then the outcome
  EXPECT_EQ(LastText(), "Write stopped.\n\nPartly written.");
  EXPECT_EQ(f.prompts.shown[1].icon, PromptIcon::Warning);
  EXPECT_FALSE(Sent(kCmdEnd));
}

TEST(LinkProgressTextTest, BytesPercentAndTimeLeftOnceTheRateIsKnown) {
  OverlayText none;
  const struct {
    int done;
    int total;
    std::int64_t elapsedMs;
    const char* text;
  } cases[] = {
      {0, 11104, 0, "0 of 11,104 bytes (0%)"},
      {5552, 11104, 900, "5,552 of 11,104 bytes (50%)"},  // too early to tell
      {5552, 11104, 1500, "5,552 of 11,104 bytes (50%), about 2 s left"},
      {11104, 11104, 3000, "11,104 of 11,104 bytes (100%), about 0 s left"},
      {20000, 11104, 3000, "11,104 of 11,104 bytes (100%), about 0 s left"},
      {5, 0, 3000, ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinkController::ProgressText(none, c.done, c.total, c.elapsedMs), c.text);
  }
  EXPECT_EQ(LinkController::GroupedNumber(1234567), "1,234,567");
  EXPECT_EQ(LinkController::GroupedNumber(999), "999");
  EXPECT_EQ(LinkController::GroupedNumber(-1000), "-1,000");
}

TEST_F(CloneCommandsTest, ReadWithUnsavedChangesAndCancelSendsNothing) {
  AnswerReadWith(0, 0x2B5F);
  f.controller->CurrentDocument().Working().SetByte(0x0B31, 0x01);
  f.controller->CurrentDocument().MarkDirty();
  f.prompts.answers = {PromptAnswer::Cancel};

  Command(LinkNo("CL_Menu_Clone_Read"));

  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(f.prompts.shown[0].buttons, PromptButtons::YesNoCancel);
  EXPECT_TRUE(wire.transmitted.empty());
  EXPECT_EQ(wire.openCount, 0);
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0x01);
}

TEST_F(CloneCommandsTest, IdentifyAnswersDecideWhetherTheReadFollows) {
  struct Case {
    const char* name;
    std::uint16_t modelCode;
    std::uint16_t extensionCode;
    Bytes payload;
    int status;  // 0: the read follows
  };
  Bytes invalid = ScriptedRadio::IdPayload();
  invalid[6] = 0;
  Bytes refusing = ScriptedRadio::IdPayload();
  refusing[23] = 0x01;
  const Case cases[] = {
      // The identity check's own cases are in CloneSessionTest.
      {"other model", 0x3975, 0x0001, ScriptedRadio::IdPayload(), kLinkIdentity},
      {"byte 6 not 1", 0x3974, 0x0001, invalid, kLinkIdBlock},
      {"refuses to be read", 0x3974, 0x0001, refusing, kLinkBadFrame},
      {"40 bytes", 0x3974, 0x0001, ScriptedRadio::IdPayload(40), 0},
  };
  AnswerReadWith(0, 0x2B5F);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    radio.frames.clear();
    f.prompts.shown.clear();
    f.controller->CurrentDocument().MarkClean();
    radio.answers[kCmdIdentify] =
        ScriptedRadio::IdentifyAnswer(c.modelCode, c.extensionCode, c.payload);
    Command(LinkNo("CL_Menu_Clone_Read"));
    EXPECT_EQ(Sent(kCmdRead), c.status == 0);
    if (c.status == 0) {
      EXPECT_TRUE(f.prompts.shown.empty()) << LastText();
    } else {
      ASSERT_EQ(f.prompts.shown.size(), 1u);
      EXPECT_EQ(LastText().substr(0, LastText().find('\n')), "Head " + std::to_string(c.status));
      EXPECT_EQ(f.prompts.shown[0].icon, PromptIcon::Error);
      EXPECT_EQ(f.prompts.shown[0].caption, "Radio Programmer");
    }
    EXPECT_TRUE(windows.mainEnabled);
  }
}

TEST_F(CloneCommandsTest, SilenceHalfwayShowsTheTimeOutAndKeepsTheImage) {
  AnswerReadWith(0, 0x15AF, false);  // 5552 of 11104 bytes, then nothing
  const EepromImage before(f.controller->CurrentDocument().Working());

  Command(LinkNo("CL_Menu_Clone_Read"));

  EXPECT_EQ(windows.lastLit, 16);
  ASSERT_EQ(f.prompts.shown.size(), 1u);
  EXPECT_EQ(LastText(), "Head 5\n\nCheck 0\nCheck 1\nCheck 2\nCheck 3");
  EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
  EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  EXPECT_FALSE(windows.progressOpen);
  EXPECT_TRUE(windows.mainEnabled);
}

TEST_F(CloneCommandsTest, ImageOfAnotherMakerIsRefused) {
  radioImage.SetByte(MemoryLayout::kMakerName, 'X');
  AnswerReadWith(0, 0x2B5F);
  const EepromImage before(f.controller->CurrentDocument().Working());

  Command(LinkNo("CL_Menu_Clone_Read"));

  EXPECT_EQ(LastText().substr(0, 7), "Head 15");
  EXPECT_FALSE(RangesDiffer(before, f.controller->CurrentDocument().Working(), kCloneRanges));
}

TEST_F(CloneCommandsTest, ClosingIsRefusedWhileAnExchangeRuns) {
  AnswerReadWith(0, 0x2B5F);
  Cell cell;
  f.controller->RunCellCommand(LinkNo("CL_Menu_Clone_Read"), cell);
  f.clock.Advance(300);
  ASSERT_TRUE(commands->IsBusy());
  EXPECT_FALSE(windows.mainEnabled);
  EXPECT_FALSE(f.controller->QueryClose());
  // A second command while busy starts nothing.
  const std::size_t frames = radio.frames.size();
  f.controller->RunCellCommand(LinkNo("CL_Menu_Clone_Info"), cell);
  Run();
  EXPECT_EQ(view.infoShown, 0);
  EXPECT_LE(radio.frames.size(), frames + 3);  // only the running read's own frames
  f.controller->CurrentDocument().MarkClean();
  EXPECT_TRUE(f.controller->QueryClose());
}

// ---------------------------------------------------------------------------------------
// Port failures

TEST_F(CloneCommandsTest, PortFailureNamesThePortAndTheDevice) {
  struct Case {
    int port;
    SerialError error;
    std::string text;
  };
  const Case cases[] = {
      {2, SerialError::PermissionDenied,
       "Port COM2 could not be opened.\nDevice /dev/ttyS1.\n"
       "Join dialout.\n\nCheck 0\nCheck 1\nCheck 2\nCheck 3"},
      {3, SerialError::NoSuchDevice,
       "Port COM3 could not be opened.\nDevice /dev/ttyS2.\n\n"
       "Check 0\nCheck 1\nCheck 2\nCheck 3"},
      {200, SerialError::None,
       "Port COM200 could not be opened.\nNo device.\n\n"
       "Check 0\nCheck 1\nCheck 2\nCheck 3"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.port);
    f.prompts.shown.clear();
    f.settings.portNumber = c.port;
    if (c.error != SerialError::None)
      wire.openErrors["/dev/ttyS" + std::to_string(c.port - 1)] = c.error;
    Command(LinkNo("CL_Menu_Clone_Info"));
    EXPECT_EQ(LastText(), c.text);
    EXPECT_EQ(view.infoShown, 0);
    EXPECT_TRUE(windows.mainEnabled);
  }
}

class CloneCommandsHelpTest : public CloneCommandsTest {
 protected:
  CloneCommandsHelpTest() : CloneCommandsTest(LinkTextsWithHelpTopics()) {}
};

// Each failure message ends with the line that names its help topic.
TEST_F(CloneCommandsHelpTest, AFailureMessageEndsWithItsHelpTopic) {
  radio.answers.clear();  // the radio stays silent
  Command(LinkNo("CL_Menu_Clone_Info"));
  EXPECT_EQ(LastText(), "Head 5\n\nCheck 0\nCheck 1\nCheck 2\nCheck 3\n\nTopic 5");

  f.settings.portNumber = 200;  // no device
  Command(LinkNo("CL_Menu_Clone_Info"));
  EXPECT_EQ(LastText(),
            "Port COM200 could not be opened.\nNo device.\n\n"
            "Check 0\nCheck 1\nCheck 2\nCheck 3\n\nTopic 2");
}

// ---------------------------------------------------------------------------------------
// Clone write

TEST_F(CloneCommandsTest, RadioVersionAgainstTheModelThresholdChoosesTheWriteList) {
  struct Case {
    const char* version;
    const char* threshold;
    bool full;
  };
  const Case cases[] = {
      {"1203", "1203", false}, {"1203", "1204", true},
      {"1204", "1203", false}, {" 203", "1203", true},  // a space is no digit: version 0
      {"1203", "12X3", false},                          // a threshold that is no number counts as 0
  };
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(0);
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.version) + " / " + c.threshold);
    radio.written.clear();
    f.prompts.shown.clear();
    radio.answers[kCmdIdentify] =
        ScriptedRadio::IdentifyAnswer(0x3974, 0x0001, ScriptedRadio::IdPayload(40, c.version));
    EepromImage& model = f.controller->CurrentDocument().Template();
    for (int i = 0, at = 0; i < 4; ++i, ++at) {
      if (at == 1) ++at;
      model.SetByte(ImageVersion::kThousands + at, static_cast<std::uint8_t>(c.threshold[i]));
    }
    Command(LinkNo("CL_Menu_Clone_Write"));
    EXPECT_EQ(radio.written.count(0x01A0), c.full ? 1u : 0u);
    EXPECT_EQ(radio.written.count(0x02B3), c.full ? 1u : 0u);
    EXPECT_EQ(radio.written.count(0x02B4), 0u);
    EXPECT_EQ(radio.written.count(0x02F0), 1u);
    EXPECT_EQ(radio.written.count(0x2B5F), 1u);
    EXPECT_EQ(radio.written.count(0x2B60), 0u);
    EXPECT_EQ(LastText(), "Written.");
  }
}

TEST_F(CloneCommandsTest, SuccessIsShownOnlyAfterTheRadioAccepted) {
  struct Case {
    const char* name;
    Bytes answer;
    std::string last;
  };
  // The data went out before each failure: the message says what the radio may hold now.
  const Case cases[] = {
      {"no answer", {}, "Head 5\n\nPartly written.\n\nCheck 0\nCheck 1\nCheck 2\nCheck 3"},
      {"E6 01", ScriptedRadio::WriteAnswer(1),
       "Head 10\n\nPartly written.\n\nCheck 0\nCheck 2\nCheck 3"},
      {"E6 00", ScriptedRadio::WriteAnswer(0), "Written."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    f.prompts.shown.clear();
    radio.answers[kCmdEnd] = c.answer;
    Command(LinkNo("CL_Menu_Clone_Write"));
    ASSERT_EQ(f.prompts.shown.size(), 2u);  // the confirmation, then the outcome
    EXPECT_EQ(f.prompts.shown[0].text, "Write?");
    EXPECT_EQ(LastText(), c.last);
    EXPECT_EQ(f.prompts.shown[1].icon, c.answer == ScriptedRadio::WriteAnswer(0)
                                           ? PromptIcon::Information
                                           : PromptIcon::Error);
    EXPECT_FALSE(f.controller->CurrentDocument().IsDirty());
  }
}

TEST_F(CloneCommandsTest, WriteStopsBeforeTheRadioWhenRefused) {
  f.prompts.answers = {PromptAnswer::Cancel};
  Command(LinkNo("CL_Menu_Clone_Write"));
  EXPECT_EQ(Texts(), std::vector<std::string>{"Write?"});
  EXPECT_TRUE(wire.transmitted.empty());
}

TEST_F(CloneCommandsTest, FailedWriteLeavesTheImageAsItWas) {
  f.controller->CurrentDocument().Working().SetByte(0x0B31, 0x42);
  f.controller->CurrentDocument().MarkDirty();
  radio.answers[kCmdEnd] = ScriptedRadio::WriteAnswer(1);
  Command(LinkNo("CL_Menu_Clone_Write"));
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0B31), 0x42);
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
  EXPECT_EQ(radio.written.at(0x0B31), 0x42);
}

// ---------------------------------------------------------------------------------------
// Clone information

TEST_F(CloneCommandsTest, InformationKeepsTheIdentificationBlock) {
  ItemAccessor& cells = f.controller->Accessor();
  const int basic = TypeNo("CT_Null");
  EXPECT_EQ(f.controller->CellCloneInformation(), nullptr);
  EXPECT_EQ(cells.CellText(basic, LinkNo("CL_CloneInfo_Revision"), 0), "");
  radio.answers[kCmdIdentify] =
      ScriptedRadio::IdentifyAnswer(0x3974, 0x0001, ScriptedRadio::IdPayload(40, "1207"));
  Command(LinkNo("CL_Menu_Clone_Info"));
  EXPECT_EQ(cells.CellText(basic, LinkNo("CL_CloneInfo_Revision"), 0), "1207");
  EXPECT_EQ(cells.CellText(basic, LinkNo("CL_CloneInfo_Model"), 0), "Model 0");
  EXPECT_EQ(view.infoShown, 1);
  ASSERT_EQ(commands->Session().IdBlock().size(), 48u);
  EXPECT_EQ(commands->Session().RadioVersion(), 1207);
  EXPECT_EQ(commands->Session().RadioModelCode(), 0x3974);
  EXPECT_FALSE(Sent(kCmdRead));
  EXPECT_TRUE(windows.captions.empty());  // an identify shows no progress
  EXPECT_TRUE(f.prompts.shown.empty()) << LastText();

  // A window without the information sheet: a message box says it.
  view.hasCloneInfoSheet = false;
  Command(LinkNo("CL_Menu_Clone_Info"));
  EXPECT_EQ(LastText(), "Model: Model 0\nRevision: 1207");
}

// ---------------------------------------------------------------------------------------
// Adjustment values

Bytes AdjustAnswer(std::uint16_t model, char high, char low) {
  return {0xFE,
          0xFE,
          0xEF,
          0xEE,
          0xE8,
          static_cast<std::uint8_t>(model >> 8),
          static_cast<std::uint8_t>(model & 0xFF),
          0x00,
          0x00,
          0x20,
          static_cast<std::uint8_t>(high),
          static_cast<std::uint8_t>(low),
          0xFD};
}

std::vector<int> AdjustCodes(const std::vector<ScriptedRadio::Frame>& frames) {
  std::vector<int> codes;
  for (const ScriptedRadio::Frame& frame : frames) {
    if (frame.bytes.size() > 7 && frame.bytes[2] == 0xE8) codes.push_back(frame.bytes[7]);
  }
  return codes;
}

TEST_F(CloneCommandsTest, ReadingAllAdjustmentValuesAsksInOrderAndStoresEachAnswer) {
  radio.answers[0xE8] = AdjustAnswer(0x3974, '3', 'C');
  int refreshes = 0;
  const BusSubscription counting =
      f.bus.SubscribeTo<msg::DataChanged>([&refreshes](const msg::DataChanged&) { ++refreshes; });
  commands->ReadAllAdjustValues();
  Run();
  EXPECT_TRUE(f.prompts.shown.empty()) << LastText();
  EXPECT_EQ(AdjustCodes(radio.frames),
            (std::vector<int>{0x20, 0x22, 0x23, 0x24, 0x26, 0x28, 0x29, 0x30, 0x31, 0x32, 0x33,
                              0x34, 0x35, 0x37, 0x39}));
  for (const ScriptedRadio::Frame& frame : radio.frames) {
    EXPECT_EQ(frame.leadBytes, 50);  // the 48-byte preamble and the frame's own two
    EXPECT_EQ(Bytes(frame.bytes.begin() + 3, frame.bytes.begin() + 7),
              (Bytes{0x39, 0x74, 0x00, 0x00}));
    EXPECT_EQ(Bytes(frame.bytes.begin() + 8, frame.bytes.end()), (Bytes{'0', '0'}));
  }
  for (int slot = 0; slot < AdjustValueStore::kSlotCount; ++slot) {
    EXPECT_EQ(commands->AdjustValues().Slot(slot), 0x3C) << slot;
  }
  // The A/D reading cells show what came back.
  EXPECT_EQ(f.controller->CellAdjustment()->readings[14], 0x3C);
  EXPECT_TRUE(commands->AdjustValues().HasValues());
  EXPECT_EQ(refreshes, 1);
  EXPECT_TRUE(windows.captions.empty());
  EXPECT_TRUE(windows.mainEnabled);
}

TEST_F(CloneCommandsTest, AdjustmentAnswersThatAreNotCapitalHexAreRefused) {
  struct Case {
    Bytes answer;
    int status;
  };
  const Case cases[] = {
      {AdjustAnswer(0x3974, '3', 'c'), kLinkBadFrame},
      {AdjustAnswer(0x3974, 'G', '0'), kLinkBadFrame},
      {AdjustAnswer(0x3975, '3', 'C'), kLinkTimeout},  // another model's answer is not ours
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.status);
    f.prompts.shown.clear();
    radio.answers[0xE8] = c.answer;
    f.controller->CurrentDocument().Working().SetByte(0x0026, 0x11);
    commands->ReadOneAdjustValue(0);
    Run();
    EXPECT_EQ(LastText().substr(0, 6), "Head " + std::to_string(c.status));
    EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0026), 0x11);
  }
}

TEST_F(CloneCommandsTest, ReadOneValueGoesIntoTheImage) {
  radio.answers[0xE8] = AdjustAnswer(0x3974, 'A', '7');
  commands->ReadOneAdjustValue(1);
  Run();
  EXPECT_EQ(AdjustCodes(radio.frames), std::vector<int>{0x58});
  EXPECT_EQ(f.controller->CurrentDocument().Working().GetByte(0x0027), 0xA7);
  EXPECT_TRUE(f.controller->CurrentDocument().IsDirty());
}

TEST_F(CloneCommandsTest, SettingValuesSendsTheirDigits) {
  std::uint8_t destination = 0;
  commands->SetAdjustValue(0x08, 0x3C, &destination, false);
  EXPECT_EQ(destination, 0);  // not before the request went out
  Run();
  EXPECT_EQ(destination, 0x3C);  // without read-back, no answer awaited
  commands->SetTwelveBitValue(0x0ABC);
  Run();
  ASSERT_EQ(radio.frames.size(), 2u);
  EXPECT_EQ(radio.frames[0].bytes,
            (Bytes{0xEE, 0xEF, 0xE8, 0x39, 0x74, 0x00, 0x00, 0x08, 0x33, 0x43}));
  EXPECT_EQ(radio.frames[1].bytes,
            (Bytes{0xEE, 0xEF, 0xE8, 0x39, 0x74, 0x00, 0x00, 0x09, 0x41, 0x42, 0x43}));
  EXPECT_EQ(commands->AdjustValues().TwelveBitValue(), 0x0ABC);
  EXPECT_TRUE(f.prompts.shown.empty()) << LastText();

  // With read-back the radio's answer is stored, not the value sent.
  radio.answers[0xE8] = AdjustAnswer(0x3974, '3', 'B');
  commands->SetAdjustValue(0x08, 0x3C, &destination, true);
  Run();
  EXPECT_EQ(destination, 0x3B);
}

// What the sheet view does when a value is typed into an adjustment cell.
void TypeIntoAdjustmentCell(ItemAccessor& accessor, int cellLink, const std::string& text) {
  Cell cell;
  cell.cellType = TypeNo("CT_Adj");
  cell.cellLink = cellLink;
  CellRequest request;
  request.cell = &cell;
  request.commit = CellCommit::Text;
  request.editText = text;
  accessor.AccessCell(request, true);
}

TEST_F(CloneCommandsTest, EditedAdjustmentCellsReachTheRadioOnceEveryValueWasRead) {
  ItemAccessor& cells = f.controller->Accessor();
  const int high = LinkNo("CL_Adjust_High");
  const int ref = LinkNo("CL_Adjust_Ref");
  const auto shown = [&cells](int cellLink) {
    return cells.CellText(TypeNo("CT_Adj"), cellLink, 0);
  };
  TypeIntoAdjustmentCell(cells, high, "90");
  Run();
  EXPECT_TRUE(radio.frames.empty());  // nothing read yet: read-only
  EXPECT_FALSE(f.controller->AdjustmentConnected());

  radio.answers[0xE8] = AdjustAnswer(0x3974, '3', 'C');
  commands->ReadAllAdjustValues();
  Run();
  ASSERT_TRUE(f.controller->AdjustmentConnected());
  radio.frames.clear();
  int refreshes = 0;
  const BusSubscription counting =
      f.bus.SubscribeTo<msg::DataChanged>([&refreshes](const msg::DataChanged&) { ++refreshes; });

  TypeIntoAdjustmentCell(cells, high, "90");
  EXPECT_EQ(shown(high), "0");  // not before the radio has it
  Run();
  TypeIntoAdjustmentCell(cells, ref, "2748");
  Run();
  ASSERT_EQ(radio.frames.size(), 2u);
  EXPECT_EQ(radio.frames[0].bytes,
            (Bytes{0xEE, 0xEF, 0xE8, 0x39, 0x74, 0x00, 0x00, 0x0A, '5', 'A'}));
  EXPECT_EQ(radio.frames[1].bytes,
            (Bytes{0xEE, 0xEF, 0xE8, 0x39, 0x74, 0x00, 0x00, 0x09, 'A', 'B', 'C'}));
  EXPECT_EQ(shown(high), "90");
  EXPECT_EQ(shown(ref), "2748");
  EXPECT_EQ(commands->AdjustValues().TwelveBitValue(), 0x0ABC);
  EXPECT_EQ(refreshes, 2);
  EXPECT_TRUE(f.prompts.shown.empty()) << LastText();
}

TEST_F(CloneCommandsTest, AFailedOrRefusedAdjustmentWriteChangesNothing) {
  radio.answers[0xE8] = AdjustAnswer(0x3974, '3', 'C');
  commands->ReadAllAdjustValues();
  Run();
  ItemAccessor& cells = f.controller->Accessor();
  const int low = LinkNo("CL_Adjust_Low");
  const EepromImage before = f.controller->CurrentDocument().Working();

  // No echo: the request never went out whole.
  wire.echo = false;
  TypeIntoAdjustmentCell(cells, low, "77");
  Run();
  EXPECT_EQ(LastText().substr(0, 5), "Head ");
  EXPECT_EQ(cells.CellText(TypeNo("CT_Adj"), low, 0), "0");
  EXPECT_TRUE(f.controller->CurrentDocument().Working().Equals(before));

  // While another exchange runs the edit is refused before anything is sent.
  wire.echo = true;
  radio.frames.clear();
  commands->ReadOneAdjustValue(0);
  ASSERT_TRUE(commands->IsBusy());
  EXPECT_FALSE(commands->SetSheetValue(low, 77));
  EXPECT_FALSE(commands->SetTwelveBitValue(0x0123));
  Run();
  EXPECT_EQ(AdjustCodes(radio.frames), std::vector<int>{0x57});
  EXPECT_EQ(cells.CellText(TypeNo("CT_Adj"), low, 0), "0");
  EXPECT_EQ(commands->AdjustValues().TwelveBitValue(), 0);
}

TEST_F(CloneCommandsTest, AdjustmentViewOpensItsWindowOnce) {
  std::vector<std::string> alreadyOpen;
  const BusSubscription listening = f.bus.SubscribeTo<msg::AdjustWindowOpen>(
      [&alreadyOpen](const msg::AdjustWindowOpen& open) { alreadyOpen.push_back(open.sheet); });
  EXPECT_FALSE(commands->AdjustWindowChecked());
  Command(LinkNo("CL_Menu_View_Ad"));
  f.clock.Advance(30);
  EXPECT_EQ(view.adjustOpened, 1);
  EXPECT_TRUE(commands->AdjustWindowChecked());
  EXPECT_TRUE(alreadyOpen.empty());

  Command(LinkNo("CL_Menu_View_Ad"));
  f.clock.Advance(30);
  EXPECT_EQ(view.adjustOpened, 2);
  EXPECT_EQ(alreadyOpen, std::vector<std::string>{"GI_Sheet_Win_AD"});

  // Its update button reads every value; closing it takes the check mark away.
  radio.answers[0xE8] = AdjustAnswer(0x3974, '0', '7');
  view.actions.update();
  Run();
  EXPECT_EQ(AdjustCodes(radio.frames).size(), 15u);
  EXPECT_EQ(commands->AdjustValues().Slot(0), 0x07);
  view.actions.closed();
  EXPECT_FALSE(commands->AdjustWindowChecked());
}

// ---------------------------------------------------------------------------------------
// The port menu

TEST_F(CloneCommandsTest, PortMenuSetsAndChecksThePort) {
  Command(LinkNo("CL_Menu_Port_Com"), 3);
  EXPECT_EQ(f.settings.portNumber, 3);
  EXPECT_TRUE(commands->PortChecked(3));
  EXPECT_FALSE(commands->PortChecked(4));
  EXPECT_FALSE(commands->UsbPortChecked());
  Command(LinkNo("CL_Menu_Port_Com"), 0);  // not a port
  EXPECT_EQ(f.settings.portNumber, 3);

  // What the menu shows.
  const auto checked = [this](int cellLink, int index) {
    Cell cell;
    cell.index = index;
    return (f.controller->CellCommandState(cellLink, cell).flags &
            CellAccessHost::kCommandChecked) != 0;
  };
  EXPECT_TRUE(checked(LinkNo("CL_Menu_Port_Com"), 3));
  EXPECT_FALSE(checked(LinkNo("CL_Menu_Port_Com"), 4));
  EXPECT_FALSE(checked(LinkNo("CL_Menu_Port_Usb"), 0));

  windows.answer = 6;
  Command(LinkNo("CL_Menu_Port_ComList2"));
  EXPECT_EQ(windows.fields, std::vector<PortField>{PortField::FriendlyList});
  EXPECT_EQ(windows.shownPort, 3);
  EXPECT_EQ(f.settings.portNumber, 6);
  EXPECT_TRUE(commands->UsbPortChecked());
  EXPECT_TRUE(checked(LinkNo("CL_Menu_Port_Usb"), 0));  // the other-port entry for port 6
  EXPECT_FALSE(checked(LinkNo("CL_Menu_Port_Com"), 3));

  windows.answer.reset();  // Cancel
  Command(LinkNo("CL_Menu_Port_Usb"));
  Command(LinkNo("CL_Menu_Port_ComList1"));
  EXPECT_EQ(windows.fields, (std::vector<PortField>{PortField::FriendlyList, PortField::Number,
                                                    PortField::NumberList}));
  EXPECT_EQ(f.settings.portNumber, 6);
}

}  // namespace
}  // namespace rtv
