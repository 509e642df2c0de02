// SPDX-License-Identifier: GPL-3.0-or-later
#include "clonefile/CloneFile.h"

#include <algorithm>
#include <climits>

#include "base/Fatal.h"
#include "base/HexDigits.h"
#include "base/Prompts.h"
#include "overlay/OverlayText.h"
#include "platform/posix/RegularFile.h"
#include "platform/posix/SafeSave.h"

namespace rtv {
namespace {

constexpr const char* kMessageKeys[] = {
    "",
    "GI_Mess_FileErr_FileOpen",
    "GI_Mess_FileErr_FileAccess",
    "GI_Mess_FileErr_Model",
    "GI_Mess_FileErr_Extra",
    "GI_Mess_FileErr_MapRev",
    "GI_Mess_FileErr_Format",
    "GI_Mess_FileErr_Coverage",
    "GI_Mess_FileErr_Data",
    "GI_Mess_FileErr_Newer",
};
constexpr const char* kMapRevPrefix = "#MapRev=";
// One line per error code, naming the help topic of its message.
constexpr const char* kHelpTopicKey = "GI_Mess_FileErr_Help";

// Like atoi, but a number too large for an int saturates instead of overflowing.
int LeadingDecimal(const std::string& text, std::size_t at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  bool negative = false;
  if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
  long long value = 0;
  for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
    value = std::min<long long>(value * 10 + (text[at] - '0'), 1LL + INT_MAX);
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

void Mark(std::vector<std::uint8_t>& map, std::int32_t first, std::int32_t last) {
  const auto bits = static_cast<std::int64_t>(map.size()) * 8;
  if (first < 0 || last >= bits) return;
  // Bit by bit up to a byte boundary, whole bytes between: an image is thousands of bytes.
  std::int32_t a = first;
  for (; a <= last && a % 8 != 0; ++a) map[a / 8] |= static_cast<std::uint8_t>(1u << (a % 8));
  for (; a + 7 <= last; a += 8) map[a / 8] = 0xFF;
  for (; a <= last; ++a) map[a / 8] |= static_cast<std::uint8_t>(1u << (a % 8));
}

// Calls `use` for each range of the list, up to its end pair or its first range that
// leaves the image.
template <typename Use>
void ForEachRange(const AddressRange* ranges, const EepromImage& image, Use use) {
  for (const AddressRange* r = ranges; r != nullptr; ++r) {
    if (r->last < r->first || !image.IsValidAddress(r->first) || !image.IsValidAddress(r->last)) {
      return;
    }
    use(*r);
  }
}

enum class LineStatus { kLine, kEnd, kError };

// One physical line without its line feed. At most kMaxLineLength characters are taken;
// a longer line is marked and the rest is left in the file, so that garbage without
// line breaks is refused without being read.
struct Line {
  std::string text;
  bool hadBreak = false;
  bool tooLong = false;
};

LineStatus NextLine(std::FILE* file, Line& line) {
  line.text.clear();
  line.hadBreak = false;
  line.tooLong = false;
  for (;;) {
    const int c = getc_unlocked(file);  // the file is this reader's alone
    if (c == EOF) {
      if (std::ferror(file)) return LineStatus::kError;
      return line.text.empty() ? LineStatus::kEnd : LineStatus::kLine;
    }
    if (c == '\n') {
      line.hadBreak = true;
      return LineStatus::kLine;
    }
    if (line.text.size() == static_cast<std::size_t>(CloneFile::kMaxLineLength)) {
      line.tooLong = true;
      return LineStatus::kLine;
    }
    line.text.push_back(static_cast<char>(c));
  }
}

bool SkipRestOfLine(std::FILE* file) {
  int c;
  while ((c = getc_unlocked(file)) != EOF && c != '\n') {
  }
  return !std::ferror(file);
}

void DropCarriageReturn(std::string& text) {
  if (!text.empty() && text.back() == '\r') text.pop_back();
}

}  // namespace

CloneFile::CloneFile(OverlayText& overlay, Prompts& prompts)
    : overlay_(overlay), prompts_(prompts) {}

void CloneFile::SetImage(EepromImage* image) {
  image_ = image;
  const std::size_t bytes =
      image != nullptr ? (static_cast<std::size_t>(image->Size()) + 7) / 8 : 0;
  expectedMap_.assign(bytes, 0);
  readMap_.assign(bytes, 0);
  if (image != nullptr && image->Size() > 0) Mark(expectedMap_, 0, image->Size() - 1);
}

EepromImage& CloneFile::Image() const {
  if (image_ == nullptr) FatalError("Clone file access without an image.");
  return *image_;
}

std::string CloneFile::Format(const AddressRange* ranges) const {
  const EepromImage& image = Image();
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04X%04X\r\n", modelCode_, extensionCode_);
  std::string text = buffer;
  std::string comment = comment_;
  // A line break inside the comment would turn the rest of it into a data line.
  std::replace_if(
      comment.begin(), comment.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
  text += "#Comment=" + comment + "\r\n";
  std::snprintf(buffer, sizeof buffer, "#MapRev=%d\r\n", mapRevision_);
  text += buffer;
  ForEachRange(ranges, image, [&](const AddressRange& range) {
    for (std::int32_t address = range.first; address <= range.last;) {
      const std::int32_t count =
          std::min(bytesPerLine_ - address % bytesPerLine_, range.last - address + 1);
      std::snprintf(buffer, sizeof buffer, "%04X%02X", static_cast<unsigned>(address),
                    static_cast<unsigned>(count));
      text += buffer;
      for (std::int32_t i = 0; i < count; ++i) {
        std::snprintf(buffer, sizeof buffer, "%02X", image.GetByte(address + i));
        text += buffer;
      }
      text += "\r\n";
      address += count;
    }
  });
  return text;
}

FileErrorCode CloneFile::Write(const std::string& path, const AddressRange* ranges) {
  const FileErrorCode result = WriteSilently(path, ranges);
  ShowResult(result);
  return result;
}

FileErrorCode CloneFile::WriteSilently(const std::string& path, const AddressRange* ranges) {
  switch (SafeSave(path, Format(ranges))) {
    case SafeSaveResult::kOk:
      return kFileOk;
    case SafeSaveResult::kCannotCreate:
      return kFileErrFileOpen;
    case SafeSaveResult::kWriteFailed:
      break;
  }
  return kFileErrFileAccess;
}

FileErrorCode CloneFile::Read(const std::string& path, const AddressRange* ranges) {
  EepromImage& image = Image();
  const EepromImage before(image);
  std::fill(readMap_.begin(), readMap_.end(), 0);
  mapRevision_ = -1;
  FileErrorCode result = kFileErrFileOpen;
  // Only plain files: a directory or a device would read as garbage or never end.
  RegularFileStatus status = RegularFileStatus::kOk;
  int error = 0;
  if (std::FILE* file = OpenRegularFile(path, status, error)) {
    result = ReadLines(file, ranges);
    std::fclose(file);
  }
  if (result != kFileOk) image.Assign(before);
  ShowResult(result);
  return result;
}

FileErrorCode CloneFile::ReadLines(std::FILE* file, const AddressRange* ranges) {
  Line line;
  LineStatus status = NextLine(file, line);
  if (status == LineStatus::kError) return kFileErrFileOpen;
  if (status == LineStatus::kEnd || !line.hadBreak || line.tooLong) return kFileErrFormat;
  DropCarriageReturn(line.text);
  if (line.text.size() != 8) return kFileErrFormat;
  // The header holds decimal digits only, although they are read as hexadecimal.
  for (const char c : line.text) {
    if (c < '0' || c > '9') return kFileErrFormat;
  }
  if (HexFieldValue(line.text, 0, 4) != modelCode_) return kFileErrModel;
  if (HexFieldValue(line.text, 4, 4) != extensionCode_) return kFileErrExtra;

  bool revisionChecked = false;
  while ((status = NextLine(file, line)) == LineStatus::kLine) {
    if (!line.text.empty() && line.text.front() == '#') {
      // Only a line that starts so: a comment that mentions the word changes nothing.
      if (line.text.starts_with(kMapRevPrefix)) {
        mapRevision_ = LeadingDecimal(line.text, std::char_traits<char>::length(kMapRevPrefix));
      }
      if (line.tooLong && !SkipRestOfLine(file)) return kFileErrFileOpen;
      continue;
    }
    if (!revisionChecked) {
      if (!mapRevisionCheck_ || !mapRevisionCheck_(mapRevision_)) return kFileErrMapRev;
      revisionChecked = true;
    }
    if (line.tooLong) return kFileErrFormat;
    DropCarriageReturn(line.text);
    const FileErrorCode code = ParseDataLine(line.text);
    if (code != kFileOk) return code;
  }
  if (status == LineStatus::kError) return kFileErrFileOpen;
  return ranges != nullptr ? CheckCoverage(ranges) : kFileOk;
}

FileErrorCode CloneFile::ParseDataLine(const std::string& line) {
  const std::size_t length = line.size();
  if (length < 8 || length > static_cast<std::size_t>(kMaxDataLine)) return kFileErrFormat;
  if (!std::all_of(line.begin(), line.end(), [](char c) { return HexDigitValue(c) >= 0; })) {
    return kFileErrFormat;
  }
  const std::int32_t address = HexFieldValue(line, 0, 4);
  const std::int32_t count = HexFieldValue(line, 4, 2);
  if (length != static_cast<std::size_t>(2 * count + 6)) return kFileErrFormat;
  EepromImage& image = Image();
  if (!image.IsValidAddress(address) || !image.IsValidAddress(address + count - 1)) {
    return kFileErrData;
  }
  std::uint8_t bytes[255];
  for (std::int32_t i = 0; i < count; ++i) {
    bytes[i] =
        static_cast<std::uint8_t>(HexFieldValue(line, 6 + 2 * static_cast<std::size_t>(i), 2));
  }
  image.WriteBlock(address, bytes, count);
  Mark(readMap_, address, address + count - 1);
  return kFileOk;
}

FileErrorCode CloneFile::CheckCoverage(const AddressRange* ranges) {
  const EepromImage& image = Image();
  std::fill(expectedMap_.begin(), expectedMap_.end(), 0);
  ForEachRange(ranges, image,
               [&](const AddressRange& range) { Mark(expectedMap_, range.first, range.last); });
  if (readMap_ == expectedMap_) return kFileOk;
  for (std::size_t i = 0; i < readMap_.size(); ++i) {
    if ((readMap_[i] & ~expectedMap_[i]) != 0) return kFileErrData;
  }
  return kFileErrCoverage;
}

void CloneFile::ShowResult(int code) {
  if (code <= kFileOk || code > kFileErrNewer) return;
  std::string text = overlay_.GetFirstLine("GI_Mess_FileErr_Headline") + "\n\n" +
                     overlay_.GetFirstLine(MessageKey(code));
  // The last line names the message's topic in the help, where the overlay has them.
  if (overlay_.HasKey(kHelpTopicKey)) text += "\n\n" + overlay_.GetLine(kHelpTopicKey, code);
  prompts_.Message(text, overlay_.GetFirstLine("GI_Sys_AppTitle"), PromptIcon::Warning,
                   PromptButtons::Ok);
}

std::string CloneFile::MessageKey(int code) {
  if (code <= kFileOk || code > kFileErrNewer) return {};
  return kMessageKeys[code];
}

}  // namespace rtv
