// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempFolder.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

namespace rtv::test {

TempFolder::TempFolder() {
  std::string pattern = (std::filesystem::temp_directory_path() / "rtv-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                               std::filesystem::perm_options::add, ignored);
  std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::File(const std::string& name) const { return path_ + "/" + name; }

std::vector<std::string> TempFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(path_)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace rtv::test
