#pragma once

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "ConsolePrompts.h"
#include "IniSettings.h"
#include "app/AppSettings.h"
#include "app/ModelController.h"
#include "base/MessageBus.h"
#include "base/PlainTextMetrics.h"
#include "link/CloneLink.h"
#include "link/PortDiscovery.h"
#include "overlay/OverlayText.h"
#include "platform/posix/LoopTimers.h"
#include "platform/posix/PosixSerialDevice.h"
#include "sheet/Sheet.h"

namespace rtv::tools {

// Exit statuses besides the link statuses 2-17.
enum ToolExit : int {
  kExitOk = 0,
  kExitInitialFile = 3,  // the model's initial file is missing or broken
  kExitUsage = 64,       // the command line is wrong
  kExitInputFile = 65,   // the clone file to write cannot be used
  kExitOutputFile = 73,  // the file to read into exists or cannot be written
};

// Exit statuses of the sheet commands.
inline constexpr int kSheetRefused = 1;    // some edited cells were not taken
inline constexpr int kSheetFileError = 2;  // a file could not be read or written

struct ToolOptions {
  std::string dataFolder;    // overlay and initial files
  std::string settingsFile;  // the program's settings
  std::string port;          // a number or a device path; empty for the ComPort setting
  bool progress = false;     // show a progress line
};

// The clone commands of the program for a terminal: ports, info, read and write, with
// the checks of the program and its error texts.
class CloneTool {
 public:
  explicit CloneTool(const ToolOptions& options);
  ~CloneTool();
  CloneTool(const CloneTool&) = delete;
  CloneTool& operator=(const CloneTool&) = delete;

  int Ports();
  int Info();
  int Read(const std::string& output, bool raw, bool force);
  int Write(const std::string& input, bool maker);
  // The sheets of a clone file as CSV: list them, export one, import one into a new file.
  int Sheets(const std::string& input);
  int Export(const std::string& input, const std::string& sheet, bool usable,
             const std::string& output);
  int Import(const std::string& input, const std::string& sheet, const std::string& csv,
             const std::string& output, bool force);

 private:
  bool ChoosePort();
  void PrepareLink();
  LinkResult Run(const std::function<bool(CloneLink::Callback)>& start, int totalBytes,
                 const char* activity);
  int Identify();
  int CheckIdentity(const LinkResult& result);
  int LoadTemplate();
  // Reads a clone file as the program does; the reader shows its own message on failure.
  int LoadWithReader(const std::string& path, EepromImage& image);
  // Reads a clone file into the working image as File > Open would; false (the reader's
  // message shown) when it cannot be used.
  bool OpenClone(const std::string& path);
  // Builds a sheet of the tree on the working image; null (and a message) for an unknown key.
  std::unique_ptr<Sheet> BuildSheet(const std::string& key);
  int Fail(int status);
  int FileError(int code, const std::string& path);
  static int RadioVersion(const std::uint8_t* digits);

  ToolOptions options_;
  IniSettings settings_;
  AppSettings appSettings_{true};
  OverlayText overlay_;
  OverlayText helpOverlay_;
  LoopTimers timers_;
  MessageBus bus_;
  ConsolePrompts prompts_;
  ModelController controller_;
  PortEnvironment ports_;
  PosixSerialDevice device_;
  std::string portPath_;
  int portNumber_ = 0;
  CloneLink link_;
  std::vector<std::uint8_t> idBlock_;
  PlainTextMetrics metrics_;
  SheetServices sheetServices_;
};

}  // namespace rtv::tools
