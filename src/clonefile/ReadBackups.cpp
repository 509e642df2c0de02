// SPDX-License-Identifier: GPL-3.0-or-later
#include "clonefile/ReadBackups.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "cells/IdDigitsEditor.h"
#include "clonefile/CloneFile.h"
#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;

constexpr const char* kExtension = ".rtv";
constexpr int kMmsiDigits = 9;

bool IsMmsi(const std::string& text) {
  return text.size() == kMmsiDigits &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Names start with the time, so that their order is the order of the reads.
std::string BaseName(const ReadBackups::Radio& radio, std::time_t when) {
  std::tm local{};
  localtime_r(&when, &local);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y-%m-%d_%H%M%S", &local);
  std::string name = std::string(stamp) + "_M" + std::to_string(radio.modelType) + "_v" +
                     std::to_string(radio.version);
  // Only the digits of an MMSI may reach the name: no separators, no dots.
  if (IsMmsi(radio.ownMmsi)) name += "_" + radio.ownMmsi;
  return name;
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

std::string ReadBackups::OwnMmsiOf(const EepromImage& image) {
  if (image.Size() <
      MemoryLayout::kSelfId + static_cast<std::int32_t>(IdDigitsEditor::kIdBytes) + 1) {
    return {};
  }
  std::uint8_t id[IdDigitsEditor::kIdBytes];
  for (std::size_t i = 0; i < IdDigitsEditor::kIdBytes; ++i) {
    id[i] = image.GetByte(MemoryLayout::kSelfId + static_cast<std::int32_t>(i));
  }
  const IdDigitsEditor::ConstIdBytes bytes(id);
  const std::uint8_t check =
      image.GetByte(MemoryLayout::kSelfId + static_cast<std::int32_t>(IdDigitsEditor::kIdBytes));
  if (IdDigitsEditor::IsAbsent(bytes) || check != IdDigitsEditor::CheckByte(bytes)) return {};
  return IdDigitsEditor::Digits(bytes, kMmsiDigits);
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
