// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "base/PlainTextMetrics.h"
#include "cli/ConsolePrompts.h"
#include "cli/FileLinkTrace.h"
#include "cli/ImageWorkspace.h"
#include "link/CloneLink.h"
#include "link/CloneSession.h"
#include "link/PortDiscovery.h"
#include "overlay/OverlayText.h"
#include "platform/posix/IniSettings.h"
#include "platform/posix/LoopTimers.h"
#include "platform/posix/PosixSerialDevice.h"
#include "print/PrintJob.h"
#include "radio/WarningCheckList.h"
#include "sheet/Sheet.h"

namespace rtv::tools {

// Exit statuses besides the link statuses 2-17.
enum ToolExit : int {
  kExitOk = 0,
  kExitData = 3,         // the data folder, the overlay or an initial file is missing or broken
  kExitUsage = 64,       // the command line is wrong
  kExitInputFile = 65,   // the clone file to write cannot be used
  kExitOutputFile = 73,  // the file to read into exists or cannot be written
};

// Exit statuses of the sheet commands.
inline constexpr int kSheetRefused = 1;    // some edited cells were not taken
inline constexpr int kSheetFileError = 2;  // a file could not be read or written

// Exit statuses of diff and verify.
inline constexpr int kCompareSame = 0;
inline constexpr int kCompareDifferent = 1;
inline constexpr int kCompareUnreadable = 2;  // diff: a file cannot be read or used

struct ToolOptions {
  std::string dataFolder;    // overlay and initial files
  std::string settingsFile;  // the program's settings
  std::string port;          // a number or a device path; empty for the ComPort setting
  bool progress = false;     // show a progress line
  std::string traceFile;     // a record of every frame and state change; empty for none
};

// The clone commands of the program for a terminal: ports, info, read and write, with
// the program's clone session, its checks and its error texts.
class CloneTool {
 public:
  explicit CloneTool(const ToolOptions& options);
  ~CloneTool();
  CloneTool(const CloneTool&) = delete;
  CloneTool& operator=(const CloneTool&) = delete;

  // False, with the message, when the trace file asked for cannot be written.
  bool TraceReady() const;
  // Loads the overlay's initial file of every model type; a message and kExitData when one
  // is missing or broken. Every command needs it first, before the port is touched.
  int LoadData();

  int Ports();
  int Info();
  int Read(const std::string& output, bool raw, bool force);
  int Write(const std::string& input, bool maker);
  // The sheets of a clone file as CSV: list them, export one, import one into a new file.
  int Sheets(const std::string& input);
  int Export(const std::string& input, const std::string& sheet, bool usable,
             const std::string& output, bool force);
  int Import(const std::string& input, const std::string& sheet, const std::string& csv,
             const std::string& output, bool force);
  // The differences between two clone files, or between the radio and a clone file, as the
  // sheets show them.
  int Diff(const std::string& fileA, const std::string& fileB, const std::string& sheet, bool csv);
  int Verify(const std::string& file, bool csv);

  // What a print of a clone file covers: one sheet (a key) or every sheet of the tree
  // (an empty key), built on the file's image and measured with `metrics`.
  struct PrintSource {
    std::vector<std::string> names;
    PrintJob::SheetFactory factory;
  };
  // The exit status; on success the source is filled.
  int OpenForPrint(const std::string& input, const std::string& sheet, const TextMetrics& metrics,
                   PrintSource& source);
  OverlayText& Overlay() { return overlay_; }
  // The program's printing font size as a choice 1…5.
  int PrinterFontChoice() const;

 private:
  bool ChoosePort();
  LinkResult Run(const std::function<bool(CloneLink::Callback)>& start, int totalBytes,
                 const char* activity);
  int Identify();
  // Identifies and reads the radio; unless raw, checks and prepares the image as the
  // program does before it would save it. kLinkOk or the exit code already reported.
  int ReadRadio(EepromImage& image, bool raw);
  // The checks the program runs before a write, on the image as it would be sent: no sheet
  // holds an error, and the image is valid with the maker's signature. kExitOk, or a message
  // and kExitInputFile.
  int CheckBeforeWrite(const std::string& input, EepromImage& image);
  // Reads a clone file the user gave with the checks of File > Open: the reader's code, or
  // kFileErrData or kFileErrNewer for an image that cannot be used; the message, with the
  // path, is shown once.
  int ReadUserFile(const std::string& path, EepromImage& image);
  // Reads a clone file into the working image as File > Open would: kExitOk, or the exit
  // status (the message shown) when it or the model's initial file cannot be used.
  int OpenClone(const std::string& path);
  // True, with the message, when the output exists and may not be replaced.
  static bool KeepsExisting(const std::string& output, bool force);
  // True when the output's folder exists and may be written; else false, with the message.
  static bool CanWriteInto(const std::string& output);
  // True, with the message, when the output is one of the inputs or the settings file:
  // writing it would destroy what is being read.
  bool IsAnInput(const std::string& output, std::vector<std::string> inputs) const;
  // Builds a sheet of the tree on the working image; null (and a message) for an unknown key.
  std::unique_ptr<Sheet> BuildSheet(const std::string& key);
  int Fail(int status);
  int FileError(int code, const std::string& path);
  // Reads a clone file as File > Open takes it in, for a comparison; false (the message
  // shown) when it cannot be used.
  bool ReadForComparison(const std::string& path, EepromImage& image);
  // Prints the differences; kCompareSame or kCompareDifferent.
  int PrintDifferences(const EepromImage& a, const EepromImage& b, const std::string& sheet,
                       bool csv);

  ToolOptions options_;
  std::unique_ptr<FileLinkTrace> trace_;
  IniSettings settings_;
  int portSetting_ = 1;  // the program's ComPort
  OverlayText overlay_;
  LoopTimers timers_;
  ConsolePrompts prompts_;
  ImageWorkspace images_;
  PortEnvironment ports_;
  PosixSerialDevice device_;
  std::string portPath_;
  int portNumber_ = 0;
  CloneLink link_;
  CloneSession session_;
  PlainTextMetrics metrics_;
  SheetServices sheetServices_;
  WarningCheckList warningChecks_;
  std::unique_ptr<SheetServices> printServices_;
};

}  // namespace rtv::tools
