// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/CommandRouter.h"
#include "app/CurrentModel.h"
#include "app/Document.h"
#include "app/InitialFiles.h"
#include "app/ServiceModes.h"
#include "app/StartFacts.h"
#include "app/WarningScheduler.h"
#include "base/BusSubscription.h"
#include "base/FontDesc.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/Cell.h"
#include "cells/CellAccessHost.h"
#include "cells/ChoiceLists.h"
#include "link/PortDiscovery.h"
#include "radio/EditHistory.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioModel.h"
#include "radio/RowOperations.h"
#include "sheet/OptionalSheets.h"

namespace rtv {

class AppSettings;
class ClipboardRowCommands;
class CloneCommands;
class DebugTextLinkTrace;
class FileCommands;
class SheetCsvCommands;
class ImageCompareCommands;
class Sheet;
struct SheetServices;
class Clock;
class OverlayText;
class MainView;
class Prompts;
class SerialDevice;
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

// The process-wide controller: serves every cell, and puts together the pieces that do the
// work: the document, the commands of each menu, the warning checks' timing, the service
// modes, the initial files and the current model.
class MainController : public CellAccessHost {
 public:
  static constexpr int kControllerTickMs = 50;
  static constexpr const char* kSelfCheckMessage = "Self Check Error.\nEEPROM Map is too large.";
  static constexpr const char* kAdjustWindowSheet = "GI_Sheet_Win_AD";

  explicit MainController(const ControllerServices& services,
                          std::int32_t imageSize = RadioModel::kImageSize);
  ~MainController() override;
  MainController(const MainController&) = delete;
  MainController& operator=(const MainController&) = delete;

  // Loads the model's initial file, shows the main window and starts the idle work; the command
  // line's modes come on last.
  void Setup(MainView& view);
  // Builds the tree afresh: its marks, its first node chosen, the model in its root.
  void RebuildTree();

  // The document: its images, file, modified state, undo history and title.
  Document& CurrentDocument() { return document_; }
  const Document& CurrentDocument() const { return document_; }

  // The model's image rules.
  static constexpr int ModelCode() { return RadioModel::kModelCode; }
  static constexpr int ExtensionCode() { return RadioModel::kExtensionCode; }
  static RadioModel::Validity ValidateImage(const EepromImage& image,
                                            RadioModel::Strictness strictness) {
    return RadioModel::Validate(image, strictness);
  }
  static RadioModel::MapAge CheckNotNewer(const EepromImage& image) {
    return RadioModel::CheckNotNewer(image);
  }
  static void AfterRead(EepromImage& image) { RadioModel::AfterRead(image); }
  // The model the image names becomes current; the image is normalised against it.
  void AfterLoad(EepromImage& image);
  // Against the template image.
  void Normalise(EepromImage& image, NormaliseDirection direction);
  // Another model: its initial file becomes the template; asked, the working image starts
  // from it too.
  void ChangeModel(int modelType, bool ask);

  // The maker and adjust modes.
  ServiceModes& Modes() { return modes_; }
  const ServiceModes& Modes() const { return modes_; }
  // The current model as its rules and the channel sheets see it.
  CurrentModel& Model() { return currentModel_; }
  // When the warning checks run, and what they found last.
  WarningScheduler& Warnings() { return warnings_; }
  const WarningScheduler& Warnings() const { return warnings_; }

  // Where the program's data files are (see DataFolder).
  void SetDataFolder(const std::string& folder);
  const std::string& DataFolderPath() const { return initialFiles_.Folder(); }
  OverlayText& Overlay() { return services_.overlay; }
  MessageBus& Bus() { return services_.bus; }
  AppSettings& Settings() { return services_.settings; }
  const AppSettings& Settings() const { return services_.settings; }
  Prompts& UserPrompts() { return services_.prompts; }
  // File > Compare with File: the working image against a clone file the user picks; the
  // differences are shown in their window, or the user is told there are none.
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
  // The font size changed: the next sheet forgets its column widths.
  void ForgetColumnWidths() { columnWidthReset_ = true; }
  // Builds the sheet of a name: the model's sheets know its channels.
  std::unique_ptr<Sheet> CreateSheet(const SheetServices& services, const std::string& name);

  // Opens the help at the page of a cell link (0 or none: the first page).
  void OpenHelp(int cellLink);
  // Reads the model's initial file into the template image; a file that cannot be read or
  // holds no valid image ends the process.
  void LoadInitialFile(int modelType);

  // The main window, once set up; null before.
  MainView* View() { return view_; }

  // The debug compare: the differences from the reference copy, which is then taken again.
  void OpenCompareWindow();

  // Called after every write into the working image through an item accessor: what changed
  // becomes one step of the undo history.
  void AfterImageWrite() override;
  void CellInputStarting(const Cell& cell, int command) override;

  // Where a step of the document's history made now belongs: the sheet on show.
  EditPlace PlaceOnShow();
  // Takes back or makes again one step of the document; false when there was none. The
  // status bar says what was undone, and the sheet where it happened comes back.
  bool Undo();
  bool Redo();
  // What the item accessor reads around it.
  EepromImage* CellImage() override { return &document_.Working(); }
  EepromImage* CellTemplateImage() override { return &document_.Template(); }
  EepromImage* CellReferenceImage() override { return &document_.Reference(); }
  ChoiceLists* CellChoices() override { return &choiceLists_; }
  OverlayText* CellOverlay() override { return &services_.overlay; }
  int CellModelType() const override;
  bool ChannelSheetsUsedOnly() const override { return currentModel_.UsableView(); }
  void PostStatusText(const std::string& text, ColourValue textColour,
                      ColourValue background) override;
  void PostBusMessage(Message message) override;
  void RunCellCommand(int cellLink, const Cell& cell) override;
  CommandState CellCommandState(int cellLink, const Cell& cell) override;
  CloneInformation* CellCloneInformation() override;
  AdjustmentState* CellAdjustment() override;
  // Adjustment cells are editable once every value was read from the radio in this run.
  bool AdjustmentConnected() const override;
  void AdjustmentEdited(int cellLink, int value) override;

  // The File menu's commands.
  FileCommands& Files() { return *files_; }
  // The File menu's CSV export and import on the sheet on show.
  SheetCsvCommands& SheetCsv() { return *sheetCsv_; }
  // A row command (74–80) of a list cell's popup menu, on the access's row.
  void RunRowOperation(int command, CellAccess& access) override;
  bool RowOperationEnabled(int command, ListKind kind) const override;

  // The main window's close request; false refuses to close (a radio exchange runs, or the user
  // keeps unsaved changes).
  bool QueryClose();
  // The main window is closing: stop the idle work.
  void Close();

  const std::string& ApplicationTitle();
  // The main window's font: the cell style of the main window's basic cell.
  FontDesc MainWindowFont();

  // Every cell is served through this accessor; choice lists live as long as the controller.
  ItemAccessor& Accessor() { return accessor_; }
  ChoiceLists& Choices() { return choiceLists_; }
  // The row commands and the program's row clipboard.
  RowOperations& Rows() { return rowOperations_; }
  // Copy Rows and Paste Rows through the desktop's clipboard.
  ClipboardRowCommands& ClipboardCommands() { return *clipboardRows_; }

  const std::string& MessagePanelText() const { return messageText_; }
  ColourValue MessagePanelTextColour() const { return messageTextColour_; }
  ColourValue MessagePanelBackground() const { return messageBackground_; }

  // What the start page shows now.
  StartFacts CurrentStartFacts();
  // Switches the channel sheets between every channel and the channels in use (the
  // "ChListType" setting) and rebuilds the sheet on show on the same channel.
  void SetChannelsInUseOnly(bool on);
  // The optional sheets the tree shows now.
  OptionalSheets CurrentOptionalSheets();

  // The radio commands work once a serial device is attached; until then they do nothing.
  void AttachLink(SerialDevice& device, const PortEnvironment& ports);
  CloneCommands* Clone() { return clone_.get(); }

 private:
  void HandleMessage(const Message& message);
  void ControllerTick();
  void ModeTurnedOn(ServiceModes::Mode mode);
  // The free debug window opened or went away: the radio link's exchanges are recorded
  // there while it is open.
  void FreeDebugWindowShown(bool shown);
  void OpenAdjustWindow();
  void AdjustTree();

  // What the cell an input reaches stands for: its row command's caption, or the title of
  // its column or row.
  std::string DescribeInput(const Cell& cell, int command);
  // The status bar and the sheet after an undo or redo; `statusKey` formats the text.
  void AfterHistoryMove(const Document::StepInfo& step, const char* statusKey);
  void HistoryChanged();

  ControllerServices services_;
  std::int32_t imageSize_;
  MainView* view_ = nullptr;
  Document document_;
  std::string applicationTitle_;
  std::string messageText_;
  ColourValue messageTextColour_ = ToColourValue(SystemColour::WindowText);
  ColourValue messageBackground_ = ToColourValue(SystemColour::ButtonFace);
  std::unique_ptr<TimerTask> controllerTask_;
  std::vector<SheetPosition> sheetPositions_;
  bool columnWidthReset_ = false;
  InitialFiles initialFiles_;
  ServiceModes modes_;
  CurrentModel currentModel_;
  RadioModel model_{currentModel_};
  ChoiceLists choiceLists_;
  ItemAccessor accessor_;
  WarningScheduler warnings_;
  std::unique_ptr<FileCommands> files_;
  std::unique_ptr<SheetCsvCommands> sheetCsv_;
  std::unique_ptr<ImageCompareCommands> comparisons_;
  std::unique_ptr<ClipboardRowCommands> clipboardRows_;
  RowOperations rowOperations_;
  std::unique_ptr<CloneCommands> clone_;
  // While the free debug window is open, the link's record goes there too.
  std::unique_ptr<DebugTextLinkTrace> debugTrace_;
  CommandRouter commands_{*this};
  BusSubscription subscription_;
};

}  // namespace rtv
