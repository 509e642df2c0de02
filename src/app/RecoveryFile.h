// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

namespace rtv {

class FileCommands;
class Document;
class MainController;
class Prompts;

// Unsaved changes kept across an end from outside (logout, kill, a closed terminal): the
// working image is written when a signal ends the program and offered at the next start.
// Two files in the folder: the image as a clone file and a note of the file it belongs to
// and when it was written.
class RecoveryFile {
 public:
  // $XDG_STATE_HOME/Vrel/RT-V612, or ~/.local/state/Vrel/RT-V612.
  static std::string DefaultFolder();

  RecoveryFile(MainController& controller, Document& document, FileCommands& files,
               Prompts& prompts, std::string folder);

  // Writes the working image when it holds unsaved changes; false when it could not.
  bool SaveUnsaved(std::time_t now);
  // Asks "Recover the changes of <file> from <time>?": Yes makes them the unsaved changes of
  // that file again, No drops them; either way the files go. Any other answer (the program
  // is ending) keeps them for the next start. True when the changes were taken back.
  bool Offer();

  std::string ImagePath() const { return folder_ + "/recovery.rtv"; }
  std::string NotePath() const { return folder_ + "/recovery.txt"; }

 private:
  void Discard();

  MainController& controller_;
  Document& document_;
  FileCommands& files_;
  Prompts& prompts_;
  std::string folder_;
};

}  // namespace rtv
