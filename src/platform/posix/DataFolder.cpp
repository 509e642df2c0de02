// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace rtv {

std::string DataFolder::ExecutableFolder(const std::string& argv0) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) path = std::filesystem::absolute(argv0, error);
  return path.parent_path().lexically_normal().string();
}

std::vector<std::string> DataFolder::Candidates(const std::string& executableFolder) {
  const std::filesystem::path folder(executableFolder);
  return {folder.lexically_normal().string(),
          (folder / kInstalledFolder).lexically_normal().string()};
}

bool DataFolder::Holds(const std::string& folder) {
  std::error_code error;
  return std::filesystem::is_regular_file(std::filesystem::path(folder) / kMarkerFile, error);
}

std::optional<std::string> DataFolder::FindIn(const std::vector<std::string>& folders) {
  for (const std::string& folder : folders) {
    if (Holds(folder)) return folder;
  }
  return std::nullopt;
}

std::string DataFolder::MissingMessage(const std::vector<std::string>& looked) {
  std::string text = "The program's data files (";
  text += kMarkerFile;
  text += " and the initial files) were not found. Looked in:";
  for (const std::string& folder : looked) text += "\n  " + folder;
  return text;
}

}  // namespace rtv
