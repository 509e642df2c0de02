// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FileCommands.h"

#include <ctime>
#include <filesystem>

#include "app/AppSettings.h"
#include "app/Document.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "base/Prompts.h"
#include "clonefile/CloneComment.h"
#include "clonefile/CloneFile.h"
#include "clonefile/ReadBackups.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr const char* kUntitled = "Untitled";

std::string FileNamePart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPart(const std::string& path) {
  const auto slash = path.find_last_of('/');
  if (slash == std::string::npos) return {};
  return slash == 0 ? "/" : path.substr(0, slash);
}

// "%s" of an overlay format replaced by `value`; the rest of the text stays as written.
std::string FormatOne(const std::string& format, const std::string& value) {
  const auto at = format.find("%s");
  if (at == std::string::npos) return format;
  return format.substr(0, at) + value + format.substr(at + 2);
}

std::string DoubleAmpersands(const std::string& text) {
  std::string out;
  for (char c : text) {
    out += c;
    if (c == '&') out += '&';
  }
  return out;
}

// Shows the busy cursor for as long as it lives.
class BusyCursor {
 public:
  explicit BusyCursor(MainView* view) : view_(view) {
    if (view_ != nullptr) view_->SetBusy(true);
  }
  ~BusyCursor() {
    if (view_ != nullptr) view_->SetBusy(false);
  }
  BusyCursor(const BusyCursor&) = delete;
  BusyCursor& operator=(const BusyCursor&) = delete;

 private:
  MainView* view_;
};

}  // namespace

FileCommands::FileCommands(MainController& controller, Document& document, AppSettings& settings,
                           OverlayText& overlay, Prompts& prompts, MessageBus& bus)
    : controller_(controller),
      document_(document),
      settings_(settings),
      overlay_(overlay),
      prompts_(prompts),
      bus_(bus),
      currentDirectory_(settings.currentDirectory) {}

void FileCommands::SetStartDirectory(const std::string& documentsFolder,
                                     const std::string& processFolder) {
  if (!settings_.currentDirectory.empty()) {
    currentDirectory_ = settings_.currentDirectory;
  } else if (!documentsFolder.empty()) {
    currentDirectory_ = documentsFolder;
  } else {
    currentDirectory_ = processFolder;
  }
}

std::string FileCommands::FullCurrentName() const {
  if (!document_.FileName().empty()) return document_.FileName();
  std::string name = currentDirectory_;
  if (!name.empty() && name.back() != '/') name += '/';
  return name + kUntitled;
}

FileCommands::UnsavedAnswer FileCommands::ConfirmUnsaved(bool writeAnother) {
  bus_.Send(msg::CommitEdits{});
  const std::string question = writeAnother
                                   ? overlay_.GetFirstLine("GI_Mess_Confirm_WriteAnother")
                                   : FormatOne(overlay_.GetFirstLine("GI_Mess_Confirm_WriteFile"),
                                               FileNamePart(FullCurrentName()));
  if (!document_.CheckDirty()) return UnsavedAnswer::GoOnSaved;
  const PromptAnswer answer = prompts_.Message(question, overlay_.GetFirstLine("GI_Sys_AppTitle"),
                                               PromptIcon::Warning, PromptButtons::YesNoCancel);
  if (answer == PromptAnswer::No) return UnsavedAnswer::GoOnDropped;
  if (answer != PromptAnswer::Yes) return UnsavedAnswer::Cancel;
  const bool saved =
      document_.FileName().empty() || writeAnother ? SaveAs() : SaveFile(FullCurrentName());
  return saved ? UnsavedAnswer::GoOnSaved : UnsavedAnswer::Cancel;
}

bool FileCommands::New() {
  if (ConfirmUnsaved(false) == UnsavedAnswer::Cancel) return false;
  document_.Working().Assign(document_.Template());
  controller_.Normalise(document_.Working(), NormaliseDirection::AfterLoad);
  document_.MarkClean();
  document_.StartNewHistory();
  document_.SetFileName({});
  if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
  controller_.Modes().EndAdjustUnlessRequested();
  bus_.Send(msg::ImageReplaced{});
  return true;
}

bool FileCommands::Open() { return OpenIn(currentDirectory_, {}); }

bool FileCommands::OpenBackup() {
  bus_.Send(msg::CommitEdits{});
  const std::string folder = ReadBackups::DefaultFolder();
  std::error_code error;
  if (folder.empty() || !std::filesystem::is_directory(folder, error)) {
    const std::string text =
        folder.empty()
            ? "There are no backups: reads from a radio are kept only when HOME or "
              "XDG_DATA_HOME names a folder."
            : "There are no backups yet. Every read from a radio is kept in " + folder + ".";
    prompts_.Message(text, overlay_.GetFirstLine("GI_Sys_AppTitle"), PromptIcon::Information,
                     PromptButtons::Ok);
    return false;
  }
  return OpenIn(folder, "Open Backup");
}

bool FileCommands::OpenIn(const std::string& folder, const std::string& title) {
  bus_.Send(msg::CommitEdits{});
  FileDialogRequest request;
  request.title = title;
  request.defaultExtension = overlay_.GetLine("GI_Sys_Dialog_FOpen", 0);
  request.filter = overlay_.GetLine("GI_Sys_Dialog_FOpen", 1);
  request.folder = folder;
  const std::optional<std::string> path = prompts_.OpenFileName(request);
  if (!path || path->empty()) return false;
  return OpenFile(*path);
}

bool FileCommands::OpenFile(const std::string& path) {
  const bool writeAnother = AppSettings::SamePath(path, FullCurrentName());
  if (ConfirmUnsaved(writeAnother) == UnsavedAnswer::Cancel) return false;

  EepromImage scratch;
  bool opened = false;
  {
    BusyCursor busy(controller_.View());
    if (ReadImageFile(path, scratch)) {
      RememberFile(path);
      document_.Working().Assign(scratch);
      controller_.AfterLoad(document_.Working());
      document_.MarkClean();
      document_.StartNewHistory();
      if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
      bus_.Send(msg::ImageReplaced{});
      opened = true;
    }
  }
  EndOfCommand();
  return opened;
}

bool FileCommands::ReadImageFile(const std::string& path, EepromImage& image) {
  image.SetSize(document_.Working().Size());
  CloneFile reader(overlay_, prompts_);
  reader.SetImage(&image);
  reader.SetModelCode(static_cast<std::uint16_t>(controller_.ModelCode()));
  reader.SetExtensionCode(static_cast<std::uint16_t>(controller_.ExtensionCode()));
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  if (reader.Read(path, nullptr) != kFileOk) return false;  // the reader has shown why
  if (controller_.ValidateImage(image, RadioModel::Strictness::Loose) !=
      RadioModel::Validity::Valid) {
    reader.ShowResult(kFileErrData);
    return false;
  }
  if (controller_.CheckNotNewer(image) == RadioModel::MapAge::Newer) {
    reader.ShowResult(kFileErrNewer);
    return false;
  }
  const FileErrorCode coverage = reader.CheckCoverage(kCloneRanges);
  reader.ShowResult(coverage);
  return coverage == kFileOk;
}

bool FileCommands::WriteImageFile(const std::string& path, EepromImage& image) {
  CloneFile writer(overlay_, prompts_);
  PrepareWriter(writer, image);
  return writer.Write(path, kCloneRanges) == kFileOk;
}

bool FileCommands::Save() {
  if (document_.FileName().empty()) return SaveAs();
  return SaveFile(FullCurrentName());
}

bool FileCommands::SaveAs() {
  FileDialogRequest request;
  request.defaultExtension = overlay_.GetLine("GI_Sys_Dialog_FOpen", 0);
  request.filter = overlay_.GetLine("GI_Sys_Dialog_FOpen", 1);
  request.folder = currentDirectory_;
  request.fileName = FileNamePart(FullCurrentName());
  const std::optional<std::string> path = prompts_.SaveFileName(request);
  if (!path || path->empty()) return false;
  return SaveFile(*path);
}

bool FileCommands::SaveFile(const std::string& path) {
  bus_.Send(msg::CommitEdits{});
  EepromImage& working = document_.Working();
  controller_.Normalise(working, NormaliseDirection::BeforeSave);
  BusyCursor busy(controller_.View());
  if (!WriteImageFile(path, working)) return false;
  RememberFile(path);
  document_.MarkClean();
  if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
  bus_.Send(msg::ImageReplaced{});
  return true;
}

void FileCommands::PrepareWriter(CloneFile& writer, EepromImage& image) {
  writer.SetImage(&image);
  writer.SetModelCode(static_cast<std::uint16_t>(controller_.ModelCode()));
  writer.SetExtensionCode(static_cast<std::uint16_t>(controller_.ExtensionCode()));
  writer.SetMapRevision(1);
  writer.SetComment(CloneCommentOf(image));
}

std::string FileCommands::KeepReadBackup(int radioVersion, std::string& error) {
  CloneFile writer(overlay_, prompts_);
  PrepareWriter(writer, document_.Working());
  return ReadBackups(ReadBackups::DefaultFolder())
      .Save(
          writer,
          {controller_.CellModelType(), radioVersion, ReadBackups::OwnMmsiOf(document_.Working())},
          std::time(nullptr), error);
}

FileCommands::RecentItem FileCommands::RecentItemState(int index) const {
  RecentItem item;
  if (index < 0 || index >= settings_.RecentCount()) {
    item.visible = index == 0;
    return item;
  }
  item.visible = true;
  item.enabled = true;
  item.caption = "&" + std::to_string(index + 1) + " " +
                 DoubleAmpersands(settings_.RecentDisplayName(index, currentDirectory_));
  return item;
}

void FileCommands::RecentItemExecute(int index) {
  if (index < 0 || index >= settings_.RecentCount()) return;
  // A copy: opening reorders the list.
  const std::string path = settings_.recentFiles[static_cast<std::size_t>(index)];
  OpenFile(path);
}

void FileCommands::Exit() {
  if (controller_.View() != nullptr) controller_.View()->CloseMainWindow();
}

void FileCommands::RememberFile(const std::string& path) {
  currentDirectory_ = FolderPart(path);
  settings_.currentDirectory = currentDirectory_;
  document_.SetFileName(path);
  settings_.AddRecentFront(path);
}

void FileCommands::EndOfCommand() {
  controller_.Modes().EndAdjustUnlessRequested();
  controller_.RebuildTree();
}

}  // namespace rtv
