// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace rtv {

// The overlay text store: answers lookups of overlay keys from a line-oriented text
// source, scanning it lazily for key headers and caching recently read lines.
class OverlayText {
 public:
  static constexpr int kMaxLineBytes = 8191;  // line feed included
  static constexpr int kCacheLines = 64;
  static constexpr const char* kEndKey = "End_Of_Ovl";

  OverlayText() = default;
  ~OverlayText();
  OverlayText(const OverlayText&) = delete;
  OverlayText& operator=(const OverlayText&) = delete;

  // Give a store without source a file or a line array to read; refused when the store
  // already has a source.
  bool SetFile(const std::string& path);
  bool SetLines(std::vector<std::string> lines);

  // Line `index` of the key's body, without its line feed. A missing key, or a source
  // that ends before that line, is fatal.
  std::string GetLine(const std::string& key, int index);
  std::string GetFirstLine(const std::string& key) { return GetLine(key, 0); }
  // The body up to the first line that starts with "#", joined with "\n".
  std::string GetText(const std::string& key);
  // Whether the key exists, without the fatal error for a missing one.
  bool HasKey(const std::string& key);

  // A text with the places %1, %2 ... filled with the values in order; places without a
  // value stay. Overlay texts use these rather than printf formats, which a damaged file
  // could turn against the program.
  static std::string FillIn(std::string text, const std::vector<std::string>& values);

  // The help table: the context number of a cell link name, 0 when it has none.
  int HelpContextId(const std::string& cellLinkName);

  // Observations for tests and benchmarks.
  int KeyCount() const { return static_cast<int>(keys_.size()); }
  int CachedLineCount() const { return static_cast<int>(cache_.size()); }
  bool IsScanFinished() const { return !scanning_; }
  std::int64_t PhysicalReads() const { return physicalReads_; }

 private:
  struct KeyEntry {
    std::string name;
    std::int64_t bodyPosition = 0;
    int cursorLine = 0;
    std::int64_t cursorPosition = 0;
  };
  struct LineCacheEntry {
    std::int64_t position = 0;
    std::int64_t length = 0;  // bytes in the file, line feed included
    std::string text;         // as delivered, line feed included when the line had one
  };
  enum class Kind { None, Lines, File };

  bool Open();
  bool ReadLine(bool cached);
  bool ReadFileLine(std::string& out, std::int64_t& consumed);
  void Seek(std::int64_t position);
  bool ScanStep(bool& appended);
  KeyEntry* FindKey(const std::string& key);
  KeyEntry* FindOrFail(const std::string& key);
  bool ReadBodyLine(KeyEntry& entry, int index);
  [[noreturn]] void MissingKey(const std::string& key);

  Kind kind_ = Kind::None;
  std::vector<std::string> lines_;
  std::FILE* file_ = nullptr;
  bool open_ = false;
  bool openTried_ = false;
  std::int64_t position_ = 0;      // where the next line is read
  std::int64_t filePosition_ = 0;  // where the stream stands; seeks wait until a read
  std::string fileName_;
  std::string lineBuffer_;
  std::int64_t scanPosition_ = 0;
  std::list<LineCacheEntry> cache_;  // most recent first
  std::list<KeyEntry> keys_;         // list order is the search order
  bool scanning_ = true;
  std::int64_t physicalReads_ = 0;
};

}  // namespace rtv
