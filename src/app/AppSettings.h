// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/WindowRecordStore.h"

namespace rtv {

class SettingsStore;

// Every setting the program remembers between runs. Other parts read and change the
// fields directly while the program runs; the store is written only at the end.
class AppSettings : public WindowRecordStore {
 public:
  static constexpr int kValidStamp = 753951;
  static constexpr int kRecentCapacity = 10;
  // The largest first window; smaller screens get 0.9 of their size.
  static constexpr int kDefaultWidth = 960;
  static constexpr int kDefaultHeight = 720;
  static constexpr const char* kMutexName = "Vrel RT-V612 APP Exclusive Mutex";

  // Settings that are never loaded or saved.
  explicit AppSettings(bool firstInstance) : firstInstance_(firstInstance) {}
  // Only the first instance reads the store (defaults when the stored set is incomplete
  // or not stamped) and writes it back when destroyed.
  AppSettings(SettingsStore& store, bool firstInstance, int screenWidth, int screenHeight);
  ~AppSettings() override;
  AppSettings(const AppSettings&) = delete;
  AppSettings& operator=(const AppSettings&) = delete;

  bool IsFirstInstance() const { return firstInstance_; }
  // Defaults of every field; the window position is computed from the screen size.
  void ApplyDefaults(int screenWidth, int screenHeight);
  // Writes every setting, when this is the first instance and the stamp is valid.
  // Failures are not reported: there is nobody left to tell.
  void Save();

  // The record of a secondary window: from memory, else read from the store.
  std::optional<WindowRecord> FindWindowRecord(const std::string& name) override;
  // Replaces or creates the record; the newest record comes first.
  void StoreWindowRecord(const WindowRecord& record) override;

  // The recent files, newest first. Paths naming the same file count as one entry; an
  // empty path is never an entry.
  void AddRecentFront(const std::string& path);
  void AppendRecent(const std::string& path);
  // The store the settings live in (sheets keep their column widths there); may be null.
  SettingsStore* Store() const { return store_; }

  // Whether two paths name the same file: compared as canonical paths, letters' case
  // included.
  static bool SamePath(const std::string& a, const std::string& b);
  int RecentCount() const { return static_cast<int>(recentFiles.size()); }
  // The file name alone when the entry lies in `folder`, else the full path; an index
  // outside the list gives an empty text.
  std::string RecentDisplayName(int index, const std::string& folder) const;

  int stamp = kValidStamp;
  int portNumber = 1;
  int highSpeed = 1;
  std::string currentDirectory;
  std::vector<std::string> recentFiles;
  int fontSizePercentage = 100;
  int toolbarVisible = 1;
  int fontSizePrinter = 10;
  int left = 0;
  int top = 0;
  int width = 800;
  int height = 600;
  int treeWidth = 200;
  int modelType = 0;
  int channelsInUseOnly = 0;

 private:
  bool Load();
  void RemoveRecent(const std::string& path);

  SettingsStore* store_ = nullptr;
  bool firstInstance_;
  std::vector<WindowRecord> windowRecords_;  // newest first
};

}  // namespace rtv
