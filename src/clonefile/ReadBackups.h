// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <ctime>
#include <string>

namespace rtv {

class CloneFile;
class EepromImage;

// Every image read from a radio is also kept as a clone file in a folder of its own, so
// that a read is never lost because nobody saved it. The newest kKept files stay.
class ReadBackups {
 public:
  static constexpr int kKept = 200;

  explicit ReadBackups(std::string folder) : folder_(std::move(folder)) {}

  // $XDG_DATA_HOME/Vrel/RT-V612/backups, else ~/.local/share/Vrel/RT-V612/backups; empty
  // when neither is known.
  static std::string DefaultFolder();
  const std::string& Folder() const { return folder_; }

  // What the radio said of itself, and the boat it belongs to, for the file name.
  struct Radio {
    int modelType = 0;
    int version = 0;
    std::string ownMmsi;  // nine digits, else left out of the name
  };
  // The ship's own MMSI in the image: the nine digits of its own DSC ID when it is set
  // and its check byte matches; empty otherwise.
  static std::string OwnMmsiOf(const EepromImage& image);

  // Writes the writer's image as "2026-12-10_221530_M0_v1203_366123456.rtv" (without the
  // MMSI when there is none; with "-2" and so on when two reads fall in one second),
  // creating the folder, then removes the oldest backups beyond kKept. Returns the path
  // written, or empty with the reason in error.
  std::string Save(CloneFile& writer, const Radio& radio, std::time_t when,
                   std::string& error) const;

 private:
  void Prune() const;

  std::string folder_;
};

}  // namespace rtv
