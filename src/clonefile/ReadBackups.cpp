// SPDX-License-Identifier: GPL-3.0-or-later
#include "clonefile/ReadBackups.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "clonefile/CloneFile.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExtension = ".rtv";

// Names start with the time, so that their order is the order of the reads.
std::string BaseName(const ReadBackups::Radio& radio, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
  return std::string(stamp) + "_M" + std::to_string(radio.modelType) + "_v" +
         std::to_string(radio.version);
}

}  // namespace

std::string ReadBackups::DefaultFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  fs::path base;
  if (data != nullptr && data[0] == '/') {
    base = data;
  } else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0') {
    base = fs::path(home) / ".local" / "share";
  } else {
    return {};
  }
  return (base / "Vrel" / "RT-V612" / "backups").string();
}

std::string ReadBackups::Save(CloneFile& writer, const Radio& radio, std::time_t when,
                              std::string& error) const {
  error.clear();
  if (folder_.empty()) {
    error = "no folder for backups (HOME is not set)";
    return {};
  }
  std::error_code made;
  fs::create_directories(folder_, made);
  if (made) {
    error = folder_ + ": " + made.message();
    return {};
  }
  const std::string base = (fs::path(folder_) / BaseName(radio, when)).string();
  std::string path = base + kExtension;
  for (int n = 2; fs::exists(path) && n < 100; ++n) {
    path = base + "-" + std::to_string(n) + kExtension;
  }
  if (writer.WriteSilently(path, kCloneRanges) != kFileOk) {
    error = "cannot write " + path;
    return {};
  }
  Prune();
  return path;
}

void ReadBackups::Prune() const {
  std::vector<fs::path> backups;
  std::error_code error;
  for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
    if (it->path().extension() == kExtension && it->is_regular_file()) {
      backups.push_back(it->path());
    }
  }
  if (static_cast<int>(backups.size()) <= kKept) return;
  std::sort(backups.begin(), backups.end());
  const std::size_t extra = backups.size() - kKept;
  for (std::size_t i = 0; i < extra; ++i) fs::remove(backups[i], error);
}

}  // namespace rtv
