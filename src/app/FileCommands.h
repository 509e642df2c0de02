// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class CloneFile;

class AppSettings;
class EepromImage;
class OverlayText;
class Document;
class MainController;
class MessageBus;
class Prompts;

// The File menu on the working image: New, Open, Save, Save As, the recent files and Exit,
// with the unsaved-changes question that guards them and the folder the dialogs open in.
class FileCommands {
 public:
  // What the unsaved-changes question decided: go on (the changes saved, or dropped), or
  // leave the command.
  enum class UnsavedAnswer { GoOnSaved, GoOnDropped, Cancel };

  struct RecentItem {
    bool visible = false;
    bool enabled = false;
    std::string caption;  // empty: the menu keeps its own caption
  };

  FileCommands(MainController& controller, Document& document, AppSettings& settings,
               OverlayText& overlay, Prompts& prompts, MessageBus& bus);

  // Each is true when done, false when cancelled or failed (the user has been told why).
  bool New();
  bool Open();
  // Clone > Open Backup: Open in the folder of the read backups; when there is none yet,
  // the user is told where they will be.
  bool OpenBackup();
  bool OpenFile(const std::string& path);
  bool Save();
  bool SaveAs();
  bool SaveFile(const std::string& path);
  // Keeps the working image, just read from a radio, among the read backups; the path
  // written, or empty with the reason in error.
  std::string KeepReadBackup(int radioVersion, std::string& error);
  UnsavedAnswer ConfirmUnsaved(bool writeAnother);
  RecentItem RecentItemState(int index) const;
  // A clone file of this model into `image` with the checks of Open, or `image` into one,
  // as Save writes it; false when it failed (the user has been told why).
  bool ReadImageFile(const std::string& path, EepromImage& image);
  bool WriteImageFile(const std::string& path, EepromImage& image);
  void RecentItemExecute(int index);
  void Exit();

  // The current file, or the current folder followed by "Untitled" for a new image.
  std::string FullCurrentName() const;
  const std::string& CurrentDirectory() const { return currentDirectory_; }
  // The folder the dialogs start in: the setting, else the documents folder, else the
  // process's current folder.
  void SetStartDirectory(const std::string& documentsFolder, const std::string& processFolder);

 private:
  // The open dialog in `folder` (its own title when not empty), then OpenFile.
  bool OpenIn(const std::string& folder, const std::string& title);
  // A writer of `image` with the model's codes.
  void PrepareWriter(CloneFile& writer, EepromImage& image);

  void RememberFile(const std::string& path);
  void EndOfCommand();

  MainController& controller_;
  Document& document_;
  AppSettings& settings_;
  OverlayText& overlay_;
  Prompts& prompts_;
  MessageBus& bus_;
  std::string currentDirectory_;
};

}  // namespace rtv
