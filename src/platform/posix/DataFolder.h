// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace rtv {

// Where the program and the tool find their read-only data (overlay, help, initial files):
// next to the executable in a build tree, else in ../share/rtv612 beside its bin folder
// once installed. Both programs go through here, so they never disagree about it.
class DataFolder {
 public:
  // The file that marks a folder as holding the data.
  static constexpr const char* kMarkerFile = "RTV612.OVL";
  // Relative to the executable's folder when installed.
  static constexpr const char* kInstalledFolder = "../share/rtv612";

  // The folder of the running executable, from /proc/self/exe; `argv0` made absolute when
  // that link cannot be read.
  static std::string ExecutableFolder(const std::string& argv0);
  // The folders looked in, in order.
  static std::vector<std::string> Candidates(const std::string& executableFolder);
  // The first of the folders that holds the marker file.
  static std::optional<std::string> FindIn(const std::vector<std::string>& folders);
  // The first candidate that holds the marker file.
  static std::optional<std::string> Find(const std::string& executableFolder) {
    return FindIn(Candidates(executableFolder));
  }
  // Whether `folder` holds the marker file.
  static bool Holds(const std::string& folder);
  // What to tell the user when no folder holds the data: every folder looked in.
  static std::string MissingMessage(const std::vector<std::string>& looked);
};

}  // namespace rtv
