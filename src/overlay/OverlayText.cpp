// SPDX-License-Identifier: GPL-3.0-or-later
#include "overlay/OverlayText.h"

#include <cstdlib>

#include "base/Fatal.h"

namespace rtv {
namespace {

// Keys found this deep in the list move to its head.
constexpr int kMoveToFrontIndex = 10;

}  // namespace

OverlayText::~OverlayText() {
  if (file_ != nullptr) std::fclose(file_);
}

bool OverlayText::SetFile(const std::string& path) {
  if (kind_ != Kind::None) return false;
  kind_ = Kind::File;
  fileName_ = path;
  return true;
}

bool OverlayText::SetLines(std::vector<std::string> lines) {
  if (kind_ != Kind::None) return false;
  kind_ = Kind::Lines;
  lines_ = std::move(lines);
  open_ = true;
  openTried_ = true;
  return true;
}

bool OverlayText::Open() {
  if (openTried_) return open_;
  openTried_ = true;
  if (kind_ == Kind::File && !fileName_.empty()) {
    file_ = std::fopen(fileName_.c_str(), "rb");
    open_ = file_ != nullptr;
  }
  if (!open_) scanning_ = false;
  return open_;
}

void OverlayText::Seek(std::int64_t position) {
  // Lines served from the cache move only the position: most seeks never reach the file.
  position_ = position;
}

// Reads one line as the text-mode stream would: a CR right before a LF is dropped, and
// at most kMaxLineBytes bytes (line feed included) make one piece.
bool OverlayText::ReadFileLine(std::string& out, std::int64_t& consumed) {
  out.clear();
  consumed = 0;
  if (filePosition_ != position_) {
    if (std::fseek(file_, static_cast<long>(position_), SEEK_SET) != 0) return false;
    filePosition_ = position_;
  }
  ++physicalReads_;
  while (static_cast<int>(out.size()) < kMaxLineBytes) {
    int c = std::getc(file_);
    if (c == EOF) break;
    ++consumed;
    if (c == '\r') {
      int next = std::getc(file_);
      if (next == '\n') {
        ++consumed;
        c = '\n';
      } else if (next != EOF) {
        std::ungetc(next, file_);
      }
    }
    out.push_back(static_cast<char>(c));
    if (c == '\n') break;
  }
  filePosition_ += consumed;
  return consumed > 0;
}

bool OverlayText::ReadLine(bool cached) {
  if (kind_ == Kind::Lines) {
    if (position_ < 0 || position_ >= static_cast<std::int64_t>(lines_.size())) return false;
    const std::string& element = lines_[static_cast<std::size_t>(position_)];
    lineBuffer_.assign(element, 0, kMaxLineBytes);
    lineBuffer_.push_back('\n');
    ++position_;
    return true;
  }
  if (!cached) {
    std::int64_t consumed = 0;
    if (!ReadFileLine(lineBuffer_, consumed)) return false;
    position_ += consumed;
    return true;
  }
  for (auto it = cache_.begin(); it != cache_.end(); ++it) {
    if (it->position != position_) continue;
    lineBuffer_ = it->text;
    Seek(position_ + it->length);
    cache_.splice(cache_.begin(), cache_, it);
    return true;
  }
  std::int64_t consumed = 0;
  if (!ReadFileLine(lineBuffer_, consumed)) return false;
  if (static_cast<int>(cache_.size()) >= kCacheLines) cache_.pop_back();
  cache_.push_front(LineCacheEntry{position_, consumed, lineBuffer_});
  position_ += consumed;
  return true;
}

bool OverlayText::ScanStep(bool& appended) {
  appended = false;
  Seek(scanPosition_);
  if (!ReadLine(false)) {
    scanning_ = false;
    return false;
  }
  scanPosition_ = position_;
  if (lineBuffer_.size() >= 2 && lineBuffer_[0] == '#' && lineBuffer_[1] != '\n') {
    std::string name = lineBuffer_.substr(1);
    if (!name.empty() && name.back() == '\n') name.pop_back();
    const bool end = name == kEndKey;
    keys_.push_back(KeyEntry{std::move(name), position_, 0, position_});
    appended = true;
    if (end) scanning_ = false;
  }
  return true;
}

OverlayText::KeyEntry* OverlayText::FindKey(const std::string& key) {
  if (!Open()) return nullptr;
  int index = 0;
  for (auto it = keys_.begin(); it != keys_.end(); ++it, ++index) {
    if (it->name != key) continue;
    if (index > kMoveToFrontIndex) keys_.splice(keys_.begin(), keys_, it);
    return &*it;
  }
  while (scanning_) {
    bool appended = false;
    if (!ScanStep(appended)) break;
    if (appended && keys_.back().name == key) return &keys_.back();
  }
  return nullptr;
}

void OverlayText::MissingKey(const std::string& key) {
  std::string text = "OverlayText Error !\nThe index '" + key + "' was not found";
  // Which file, with its full path: a user cannot tell otherwise what to repair.
  if (kind_ == Kind::File) {
    text += open_ ? " in '" + fileName_ + "'" : ": '" + fileName_ + "' cannot be read";
  }
  FatalError(text + ".");
}

OverlayText::KeyEntry* OverlayText::FindOrFail(const std::string& key) {
  KeyEntry* entry = FindKey(key);
  if (entry == nullptr) MissingKey(key);
  return entry;
}

bool OverlayText::ReadBodyLine(KeyEntry& entry, int index) {
  int line = 0;
  if (index < entry.cursorLine) {
    Seek(entry.bodyPosition);
  } else {
    Seek(entry.cursorPosition);
    line = entry.cursorLine;
  }
  for (; line < index; ++line) {
    if (!ReadLine(true)) return false;
  }
  if (!ReadLine(true)) return false;
  const auto feed = lineBuffer_.find('\n');
  if (feed != std::string::npos) lineBuffer_.resize(feed);
  entry.cursorLine = index + 1;
  entry.cursorPosition = position_;
  return true;
}

std::string OverlayText::GetLine(const std::string& key, int index) {
  KeyEntry* entry = FindOrFail(key);
  if (index < 0 || !ReadBodyLine(*entry, index)) MissingKey(key);
  return lineBuffer_;
}

std::string OverlayText::GetText(const std::string& key) {
  KeyEntry* entry = FindOrFail(key);
  std::string text;
  for (int index = 0;; ++index) {
    // The end of the source ends the body like a terminator would.
    if (!ReadBodyLine(*entry, index)) break;
    if (!lineBuffer_.empty() && lineBuffer_[0] == '#') break;
    if (index > 0) text.push_back('\n');
    text += lineBuffer_;
  }
  return text;
}

bool OverlayText::HasKey(const std::string& key) { return FindKey(key) != nullptr; }

int OverlayText::HelpContextId(const std::string& cellLinkName) {
  static const std::string kTable = "GI_AppItem_CellName_to_ContextID";
  for (int index = 0;; ++index) {
    const std::string line = GetLine(kTable, index);
    if (line == "#") return 0;
    const auto tab = line.find('\t');
    if (line.substr(0, tab) != cellLinkName) continue;
    return tab == std::string::npos ? 0 : std::atoi(line.c_str() + tab + 1);
  }
}

std::string OverlayText::FillIn(std::string text, const std::vector<std::string>& values) {
  // From the last place down, so that %1 does not eat the start of %10.
  for (std::size_t i = values.size(); i-- > 0;) {
    const std::string place = "%" + std::to_string(i + 1);
    for (std::size_t at = text.find(place); at != std::string::npos;
         at = text.find(place, at + values[i].size())) {
      text.replace(at, place.size(), values[i]);
    }
  }
  return text;
}

}  // namespace rtv
