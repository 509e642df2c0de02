// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv {

class OverlayText;
class Prompts;

// Result of reading or writing a clone file; 0 is success. Each failure has its message.
enum FileErrorCode : int {
  kFileOk = 0,
  kFileErrFileOpen = 1,    // cannot be opened (read) or created (write)
  kFileErrFileAccess = 2,  // a write failed
  kFileErrModel = 3,       // header model code differs
  kFileErrExtra = 4,       // header extension code differs
  kFileErrMapRev = 5,      // map revision not accepted
  kFileErrFormat = 6,      // malformed header or data line
  kFileErrCoverage = 7,    // bytes the range list requires are missing
  kFileErrData = 8,        // bytes outside the image or the range list; invalid image
  kFileErrNewer = 9,       // image of a newer map
};

// Reads and writes the text form of an EEPROM image: a header with the model and
// extension codes, "#Comment=" and "#MapRev=" lines, then hexadecimal data lines.
// Every failure is shown to the user here and returned as its code.
class CloneFile {
 public:
  static constexpr int kFormatVersion = 1;
  static constexpr int kBytesPerLine = 16;
  static constexpr int kMaxDataLine = 516;    // 255 bytes
  static constexpr int kMaxLineLength = 767;  // longer lines are never data or headers
  using MapRevisionCheck = std::function<bool(int revision)>;

  CloneFile(OverlayText& overlay, Prompts& prompts);

  // The image to write from or read into; both bit maps follow its size.
  void SetImage(EepromImage* image);
  void SetModelCode(std::uint16_t code) { modelCode_ = code; }
  void SetExtensionCode(std::uint16_t code) { extensionCode_ = code; }
  void SetComment(const std::string& comment) { comment_ = comment; }
  void SetMapRevision(int revision) { mapRevision_ = revision; }
  void SetMapRevisionCheck(MapRevisionCheck check) { mapRevisionCheck_ = std::move(check); }
  int MapRevision() const { return mapRevision_; }

  // Writes the listed ranges; the old file survives any failure (code 1 or 2).
  FileErrorCode Write(const std::string& path, const AddressRange* ranges);
  // The same without the message box, for writes that the user did not ask for.
  FileErrorCode WriteSilently(const std::string& path, const AddressRange* ranges);
  // Reads into the image; on any failure the image is left exactly as it was. Without a
  // range list the coverage is not checked.
  FileErrorCode Read(const std::string& path, const AddressRange* ranges);
  // After a read: 0 when the file held exactly the listed ranges, 8 when it held bytes
  // outside them, else 7.
  FileErrorCode CheckCoverage(const AddressRange* ranges);
  // The warning box of a failure; nothing for 0.
  void ShowResult(int code);
  // The overlay key of a failure's message; empty for 0 and for numbers that are no code.
  static std::string MessageKey(int code);

 private:
  std::string Format(const AddressRange* ranges) const;
  FileErrorCode ReadLines(std::FILE* file, const AddressRange* ranges);
  FileErrorCode ParseDataLine(const std::string& line);
  EepromImage& Image() const;

  OverlayText& overlay_;
  Prompts& prompts_;
  EepromImage* image_ = nullptr;
  std::uint16_t modelCode_ = 0;
  std::uint16_t extensionCode_ = 0;
  std::string comment_;
  int bytesPerLine_ = kBytesPerLine;
  int mapRevision_ = -1;
  MapRevisionCheck mapRevisionCheck_;
  std::vector<std::uint8_t> expectedMap_;
  std::vector<std::uint8_t> readMap_;
};

}  // namespace rtv
