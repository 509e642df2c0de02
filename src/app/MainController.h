// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "base/FontDesc.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "cells/ChoiceLists.h"
#include "radio/EditHistory.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioModel.h"
#include "radio/RowOperations.h"
#include "radio/WarningCheckList.h"

namespace rtv {

class AppSettings;
class ClipboardRowCommands;
class FileCommands;
class SheetCsvCommands;
class ImageCompareCommands;
class Sheet;
struct SheetServices;
class Clock;
class OverlayText;
class MainView;
class Prompts;
class Timers;
class TimerTask;

// What the controller works with; all outlive it.
struct ControllerServices {
  AppSettings& settings;
  OverlayText& overlay;
  OverlayText& helpOverlay;
  MessageBus& bus;
  Timers& timers;
  Clock& clock;
  Prompts& prompts;
};

// The process-wide controller: owns the EEPROM images and the current file, drives the
// idle work and answers the bus. The model subclass fills the model-specific slots.
class MainController : public CellAccessHost {
 public:
  static constexpr int kControllerTickMs = 50;
  static constexpr int kWarningCheckDelayMs = 250;
  static constexpr const char* kSelfCheckMessage = "Self Check Error.\nEEPROM Map is too large.";

  MainController(const ControllerServices& services, std::int32_t imageSize);
  virtual ~MainController();
  MainController(const MainController&) = delete;
  MainController& operator=(const MainController&) = delete;

  // What a radio family's controller adds: its set-up, its image rules and its modes.
  virtual void Reset();
  virtual void Setup(MainView& view);
  virtual void RebuildTree();
  virtual RadioModel::Validity ValidateImage(const EepromImage& image,
                                             RadioModel::Strictness strictness);
  virtual RadioModel::MapAge CheckNotNewer(const EepromImage& image);
  virtual void AfterLoad(EepromImage& image);
  virtual void Normalise(EepromImage& image, NormaliseDirection direction);
  virtual void AfterRead(EepromImage& image);
  // Whether a clone write may go on; a mode that needs the user's word asks for it here.
  virtual bool MakerWriteAllowed();
  virtual void KeyTyped(char character);
  // After New and Open: adjust mode ends unless the command line asked for it.
  virtual void EndAdjustModeUnlessRequested() {}

  // Where the program's data files are (see DataFolder).
  void SetDataFolder(const std::string& folder) { dataFolder_ = folder; }
  const std::string& DataFolderPath() const { return dataFolder_; }
  OverlayText& Overlay() { return services_.overlay; }
  MessageBus& Bus() { return services_.bus; }
  AppSettings& Settings() { return services_.settings; }
  const AppSettings& Settings() const { return services_.settings; }
  Prompts& UserPrompts() { return services_.prompts; }
  // File > Compare with File: the working image against a clone file the user picks; the
  // differences are shown in their window, or the user is told there are none.
  static constexpr int kCompareWithFile = 2;  // the index of its File menu item
  // Clone > Open Backup shares the link of these program-only commands.
  static constexpr int kOpenBackup = 3;
  void CompareWithFile();
  ImageCompareCommands& Comparisons() { return *comparisons_; }
  Timers& TaskTimers() { return services_.timers; }
  // Where the cursor was on each sheet, newest first.
  struct SheetPosition {
    std::string name;
    int column = 0;
    int row = 0;
    int leftColumn = 0;
    int topRow = 0;
  };
  void RememberSheetPosition(const SheetPosition& position);
  const SheetPosition* FindSheetPosition(const std::string& name) const;
  // Whether the next sheet built must forget the remembered column widths (they were
  // fitted to another font size); asking clears it.
  bool TakeColumnWidthReset() { return std::exchange(columnWidthReset_, false); }
  // Builds the sheet of a name; a radio family may build its own kinds of sheet.
  virtual std::unique_ptr<Sheet> CreateSheet(const SheetServices& services,
                                             const std::string& name);

  // Opens the help at the page of a cell link (0 or none: the first page).
  void OpenHelp(int link);
  // Re-evaluates the warning check list now (tree rebuilt, a folder opened or closed).
  void CheckWarnings() { EvaluateWarnings(); }
  // The checks now, and the tree marked by them; the timer's pending run is not needed.
  void RefreshWarnings();
  // The first cell the last checks found in error: its sheet, link and index, and why.
  using ErrorPlace = WarningCheckList::ErrorPlace;
  const std::optional<ErrorPlace>& FirstError() const { return firstError_; }
  // Reads the model's initial file into the template image; a file that cannot be read or
  // holds no valid image ends the process.
  void LoadInitialFile(int modelType);
  // Reads and validates a model's initial file; a file that cannot be used is fatal.
  void ReadInitialFile(int modelType, EepromImage& image);
  void CheckInitialFiles();

  // The main window, once set up; null before.
  MainView* View() { return view_; }

  // Title and dirty state.
  void UpdateTitle();
  std::string TitleText();
  void MarkClean();
  void MarkDirty();
  bool CheckDirty();
  bool IsDirty() const { return dirty_; }

  // The Debug menu's memory window entry with this index opens the flag bits window.
  static constexpr int kFlagBitsEntry = 1;
  // The debug compare: the differences from the reference copy, which is then taken again.
  void OpenCompareWindow();

  // Called after every write into the working image through an item accessor: what changed
  // becomes one step of the undo history.
  void AfterImageWrite() override;
  void CellInputStarting(const Cell& cell, int command) override;

  // The undo history of the working image.
  const EditHistory& History() const { return history_; }
  // New, Open, a clone read and a model change start a new history at the working image.
  void StartNewHistory();
  // Changes the program made to the working image (a normalise before writing) are not a
  // step the user can undo.
  void AbsorbProgramChanges() { history_.Absorb(working_); }
  // Everything written until EndStep is one step, named `what` (a CSV import).
  void BeginStep(const std::string& what);
  void EndStep();
  // Takes back or makes again one step; false when there was none. The status bar says
  // what was undone, and the sheet where it happened comes back.
  bool Undo();
  bool Redo();
  // "Undo Clear Rows", or "Undo" when there is nothing to undo; likewise for redo.
  std::string UndoCaption();
  std::string RedoCaption();
  // What the item accessor reads around it.
  EepromImage* CellImage() override { return &working_; }
  EepromImage* CellTemplateImage() override { return &template_; }
  EepromImage* CellReferenceImage() override { return &compare_; }
  ChoiceLists* CellChoices() override { return &choiceLists_; }
  OverlayText* CellOverlay() override { return &services_.overlay; }
  int CellModelType() const override;
  void PostStatusText(const std::string& text, ColourValue textColour,
                      ColourValue background) override;
  void PostBusMessage(Message message) override;
  void RunCellCommand(int link, const Cell& cell) override;
  CommandState CellCommandState(int link, const Cell& cell) override;

  // The File menu's commands.
  FileCommands& Files() { return *files_; }
  // A row command (74–80) of a list cell's popup menu, on the access's row.
  void RunRowOperation(int command, CellAccess& access) override;
  bool RowOperationEnabled(int command, ListKind kind) const override;
  void RestartWarningTimer();
  bool IsWarningTimerRunning() const { return warningDeadline_.has_value(); }

  // The form's close request; false refuses to close.
  virtual bool QueryClose();
  // The form is closing: stop the idle work.
  void Close();

  const std::string& ApplicationTitle();
  // The main form's font: the cell style of the form's basic cell.
  FontDesc FormFont();

  // Every cell is served through this accessor; choice lists live as long as the controller.
  ItemAccessor& Accessor() { return accessor_; }
  ChoiceLists& Choices() { return choiceLists_; }
  // The row commands and the program's row clipboard.
  RowOperations& Rows() { return rowOperations_; }
  // Copy Rows and Paste Rows through the desktop's clipboard.
  ClipboardRowCommands& ClipboardCommands() { return *clipboardRows_; }

  EepromImage& WorkingImage() { return working_; }
  const EepromImage& WorkingImage() const { return working_; }
  EepromImage& TemplateImage() { return template_; }
  const EepromImage& TemplateImage() const { return template_; }
  EepromImage& SavedImage() { return saved_; }
  EepromImage& CompareImage() { return compare_; }
  std::int32_t ImageSize() const { return imageSize_; }
  int ModelCode() const { return modelCode_; }
  int ExtensionCode() const { return extensionCode_; }
  const std::string& CurrentFileName() const { return currentFileName_; }
  void SetCurrentFileName(const std::string& name);

  const std::string& MessagePanelText() const { return messageText_; }
  ColourValue MessagePanelTextColour() const { return messageTextColour_; }
  ColourValue MessagePanelBackground() const { return messageBackground_; }

  // The warning check list was re-evaluated this many times (for the views and tests).
  int WarningEvaluations() const { return warningEvaluations_; }
  // The sheets the last evaluation found with errors, and with warnings only.
  const std::vector<std::string>& ErrorSheets() const { return errorSheets_; }
  const std::vector<std::string>& WarningSheets() const { return warningSheets_; }

 protected:
  const ControllerServices& Services() const { return services_; }
  void SetModelCodes(int modelCode, int extensionCode);
  // Re-evaluates the warning check list; the main window's marks follow it.
  virtual void EvaluateWarnings();
  // The free debug window opened or went away: a family with a radio link records its
  // exchanges there while it is open.
  virtual void FreeDebugWindowShown(bool /*shown*/) {}

 private:
  void HandleBaseMessage(const Message& message);
  void ControllerTick();

  // What the cell an input reaches stands for: its row command's caption, or the title of
  // its column or row.
  std::string DescribeInput(const Cell& cell, int command);
  void RecordStep();
  void AfterHistoryMove(const EditHistory::StepInfo& step, const char* statusKey);
  void HistoryChanged();

  ControllerServices services_;
  std::int32_t imageSize_;
  int modelCode_ = 0;
  int extensionCode_ = 0;
  MainView* view_ = nullptr;
  EepromImage working_;
  EepromImage template_;
  EepromImage saved_;
  EepromImage compare_;
  bool dirty_ = false;
  std::string currentFileName_;
  std::string dataFolder_;
  std::string applicationTitle_;
  std::string messageText_;
  ColourValue messageTextColour_ = ToColourValue(SystemColour::WindowText);
  ColourValue messageBackground_ = ToColourValue(SystemColour::ButtonFace);
  std::unique_ptr<TimerTask> controllerTask_;
  std::optional<std::int64_t> warningDeadline_;
  int warningEvaluations_ = 0;
  std::vector<SheetPosition> sheetPositions_;
  bool columnWidthReset_ = false;
  std::vector<std::string> errorSheets_;
  std::optional<ErrorPlace> firstError_;
  std::vector<std::string> warningSheets_;
  // The check list's cells, parsed once: the overlay does not change while the program runs.
  WarningCheckList warningChecks_;
  ChoiceLists choiceLists_;
  ItemAccessor accessor_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<SheetCsvCommands> sheetCsv_;
  std::unique_ptr<ImageCompareCommands> comparisons_;
  std::unique_ptr<ClipboardRowCommands> clipboardRows_;
  RowOperations rowOperations_;
  EditHistory history_;
  std::string pendingWhat_;
  EditPlace pendingPlace_;
  int stepDepth_ = 0;  // inside BeginStep … EndStep
  BusSubscription subscription_;
};

}  // namespace rtv
