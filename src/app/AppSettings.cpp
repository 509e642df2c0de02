// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppSettings.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>
#include <utility>

#include "base/SettingsStore.h"

namespace rtv {
namespace {

constexpr const char* kGlobal = "Global";
constexpr const char* kRecent = "Recent File List";
constexpr const char* kView = "View Option";
constexpr const char* kWindow = "Window Position";
constexpr const char* kSetup = "Setup";
constexpr const char* kEditForm = "EditForm Position";
// Stands for a window value that could not be read.
constexpr int kDamaged = -0x7FFFFFFF;

std::string RecentName(int index) { return "Recent" + std::to_string(index); }

std::string EditFormName(const std::string& window, const char* value) {
  return window + "_" + value;
}

// A recent entry worth keeping: an absolute path of printable characters. Empty values are
// the unused slots; anything else is damage from outside and is dropped.
bool UsableRecentPath(const std::string& path) {
  if (path.empty() || path.front() != '/') return false;
  return std::none_of(path.begin(), path.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// The path the file system means, so that "/a/./b" and "/a/b" are one file; the letters'
// case counts, as it does on the disk.
std::string CanonicalPath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path canonical = std::filesystem::weakly_canonical(path, error);
  if (error) return std::filesystem::path(path).lexically_normal().string();
  return canonical.string();
}

// Reads values in order; the first missing integer or group spoils the whole set.
class Reader {
 public:
  explicit Reader(const SettingsStore& store) : store_(store) {}

  bool Group(const char* group) {
    group_ = group;
    if (!store_.HasGroup(group)) ok_ = false;
    return ok_;
  }
  int Int(const char* name) {
    if (!ok_) return 0;
    const std::optional<int> value = store_.ReadInt(group_, name);
    if (!value) ok_ = false;
    return value.value_or(0);
  }
  // A value that is there but is not a number gives `fallback` and spoils nothing else;
  // a missing one spoils the set as Int does.
  int IntOr(const char* name, int fallback) {
    if (!ok_) return fallback;
    if (const std::optional<int> value = store_.ReadInt(group_, name)) return *value;
    if (!store_.ReadString(group_, name)) ok_ = false;
    return fallback;
  }
  std::string Text(const std::string& name) {
    if (!ok_) return {};
    return store_.ReadString(group_, name).value_or(std::string());
  }
  bool Ok() const { return ok_; }

 private:
  const SettingsStore& store_;
  std::string group_;
  bool ok_ = true;
};

}  // namespace

AppSettings::AppSettings(SettingsStore& store, bool firstInstance, int screenWidth,
                         int screenHeight)
    : firstInstance_(firstInstance) {
  ApplyDefaults(screenWidth, screenHeight);
  if (!firstInstance_) return;  // a second copy never touches the store
  store_ = &store;
  if (!Load() || stamp != kValidStamp) ApplyDefaults(screenWidth, screenHeight);
}

AppSettings::~AppSettings() {
  try {
    Save();
  } catch (...) {
    // The process is ending; losing the settings is better than a crash on the way out.
  }
}

void AppSettings::ApplyDefaults(int screenWidth, int screenHeight) {
  stamp = kValidStamp;
  portNumber = 1;
  highSpeed = 1;
  currentDirectory.clear();
  recentFiles.clear();
  fontSizePercentage = 100;
  toolbarVisible = 1;
  fontSizePrinter = 10;
  // Truncation toward zero, as the integer conversions do. Large enough for the INT sheet
  // whole beside the tree.
  width = std::min(kDefaultWidth, static_cast<int>(0.9 * screenWidth));
  height = std::min(kDefaultHeight, static_cast<int>(0.9 * screenHeight));
  left = (screenWidth - width) / 2;
  top = static_cast<int>(0.3 * (screenHeight - height));
  treeWidth = 200;
  modelType = 0;
  channelsInUseOnly = 0;
}

bool AppSettings::Load() {
  Reader in(*store_);
  if (in.Group(kGlobal)) {
    stamp = in.Int("BBT");
    portNumber = std::clamp(in.IntOr("ComPort", portNumber), 1, 256);
    highSpeed = std::clamp(in.Int("ComSpeedHigh"), 0, 1);
    currentDirectory = in.Text("Current Directory");
  }
  if (in.Group(kRecent)) {
    recentFiles.clear();
    for (int i = 0; i < kRecentCapacity; ++i) {
      const std::string path = in.Text(RecentName(i));
      if (UsableRecentPath(path)) AppendRecent(path);
    }
  }
  if (in.Group(kView)) {
    fontSizePercentage = std::clamp(in.Int("FontSize Percentage"), 25, 1000);
    toolbarVisible = in.Int("Toolbar Visible") != 0 ? 1 : 0;
    fontSizePrinter = std::clamp(in.Int("FontSize Printer"), 8, 12);
  }
  if (in.Group(kWindow)) {
    // The window's place is one record: a damaged value gives the default place whole.
    const int defaults[] = {left, top, width, height, treeWidth};
    int* const fields[] = {&left, &top, &width, &height, &treeWidth};
    const char* const names[] = {"Left", "Top", "Width", "Height", "SplitterV"};
    bool damaged = false;
    for (int i = 0; i < 5; ++i) {
      *fields[i] = in.IntOr(names[i], kDamaged);
      damaged = damaged || *fields[i] == kDamaged;
    }
    if (damaged || width <= 0 || height <= 0) {
      for (int i = 0; i < 5; ++i) *fields[i] = defaults[i];
    }
  }
  if (in.Group(kSetup)) {
    modelType = in.Int("ModelType");
    channelsInUseOnly = in.IntOr("ChListType", channelsInUseOnly) != 0 ? 1 : 0;
  }
  return in.Ok();
}

void AppSettings::Save() {
  if (store_ == nullptr || !firstInstance_ || stamp != kValidStamp) return;
  SettingsStore& out = *store_;
  out.WriteInt(kGlobal, "BBT", stamp);
  out.WriteInt(kGlobal, "ComPort", portNumber);
  out.WriteInt(kGlobal, "ComSpeedHigh", highSpeed);
  out.WriteString(kGlobal, "Current Directory", currentDirectory);
  for (int i = 0; i < kRecentCapacity; ++i) {
    out.WriteString(kRecent, RecentName(i), i < RecentCount() ? recentFiles[i] : std::string());
  }
  out.WriteInt(kView, "FontSize Percentage", fontSizePercentage);
  out.WriteInt(kView, "Toolbar Visible", toolbarVisible);
  out.WriteInt(kView, "FontSize Printer", fontSizePrinter);
  out.WriteInt(kWindow, "Left", left);
  out.WriteInt(kWindow, "Top", top);
  out.WriteInt(kWindow, "Width", width);
  out.WriteInt(kWindow, "Height", height);
  out.WriteInt(kWindow, "SplitterV", treeWidth);
  out.WriteInt(kSetup, "ModelType", modelType);
  out.WriteInt(kSetup, "ChListType", channelsInUseOnly);
  for (const WindowRecord& record : windowRecords_) {
    out.WriteInt(kEditForm, EditFormName(record.name, "Left"), record.left);
    out.WriteInt(kEditForm, EditFormName(record.name, "Top"), record.top);
    out.WriteInt(kEditForm, EditFormName(record.name, "Width"), record.width);
    out.WriteInt(kEditForm, EditFormName(record.name, "Height"), record.height);
    out.WriteInt(kEditForm, EditFormName(record.name, "WindowState"), record.windowState);
  }
  out.Flush();
}

std::optional<WindowRecord> AppSettings::FindWindowRecord(const std::string& name) {
  for (const WindowRecord& record : windowRecords_) {
    if (record.name == name) return record;
  }
  if (store_ == nullptr || stamp != kValidStamp) return std::nullopt;
  WindowRecord record;
  record.name = name;
  const std::pair<const char*, int*> values[] = {{"Left", &record.left},
                                                 {"Top", &record.top},
                                                 {"Width", &record.width},
                                                 {"Height", &record.height},
                                                 {"WindowState", &record.windowState}};
  for (const auto& [value, field] : values) {
    const std::optional<int> stored = store_->ReadInt(kEditForm, EditFormName(name, value));
    if (!stored) return std::nullopt;
    *field = *stored;
  }
  windowRecords_.push_back(record);
  return record;
}

void AppSettings::StoreWindowRecord(const WindowRecord& record) {
  std::erase_if(windowRecords_, [&](const WindowRecord& r) { return r.name == record.name; });
  windowRecords_.insert(windowRecords_.begin(), record);
}

void AppSettings::RemoveRecent(const std::string& path) {
  std::erase_if(recentFiles, [&](const std::string& entry) { return SamePath(entry, path); });
}

void AppSettings::AddRecentFront(const std::string& path) {
  if (path.empty()) return;  // an unused slot is never an entry
  RemoveRecent(path);
  recentFiles.insert(recentFiles.begin(), path);
  if (RecentCount() > kRecentCapacity) recentFiles.resize(kRecentCapacity);
}

void AppSettings::AppendRecent(const std::string& path) {
  if (path.empty()) return;
  RemoveRecent(path);
  recentFiles.push_back(path);
  if (RecentCount() > kRecentCapacity) recentFiles.resize(kRecentCapacity);
}

bool AppSettings::SamePath(const std::string& a, const std::string& b) {
  return a == b || CanonicalPath(a) == CanonicalPath(b);
}

std::string AppSettings::RecentDisplayName(int index, const std::string& folder) const {
  if (index < 0 || index >= RecentCount()) return {};
  const std::string& entry = recentFiles[index];
  const auto slash = entry.find_last_of('/');
  if (slash == std::string::npos) return entry;
  const std::string entryFolder = slash == 0 ? "/" : entry.substr(0, slash);
  std::string wanted = folder;
  while (wanted.size() > 1 && wanted.back() == '/') wanted.pop_back();
  return SamePath(entryFolder, wanted) ? entry.substr(slash + 1) : entry;
}

}  // namespace rtv
