// SPDX-License-Identifier: GPL-3.0-or-later
// rtv612-clone: the clone commands of the RT-V612 programmer for terminals and scripts.
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "cli/CloneTool.h"
#ifdef RTV_TOOL_PRINT
#include "cli/PdfPrintCommand.h"
#endif
#include "base/Fatal.h"
#include "cli/StopSignals.h"
#include "platform/posix/DataFolder.h"

namespace {

using rtv::tools::CloneTool;
using rtv::tools::ToolOptions;

const char* const kUsage =
    "usage: rtv612-clone [options] COMMAND [arguments]\n"
    "Commands:\n"
    "  ports                              list the serial ports with their numbers\n"
    "  info  [--port N|PATH]              show the radio's identification\n"
    "  read  [--port N|PATH] -o FILE.rtv  read the radio into a clone file\n"
    "        [--raw] [--force]            --raw: the image exactly as received\n"
    "                                     --force: replace an existing file\n"
    "  write [--port N|PATH] FILE.rtv     write a clone file into the radio (after the\n"
    "        [--maker]                    program's data check); --maker: the full list\n"
    "  sheets FILE.rtv                    list the sheets of the file's model\n"
    "  export FILE.rtv --sheet KEY        write a sheet as CSV (standard output\n"
    "        [--usable] [-o OUT.csv]      without -o); --usable: channels in use only\n"
    "        [--force]\n"
    "  import FILE.rtv --sheet KEY IN.csv apply a CSV in the shape of an export and\n"
    "        -o NEW.rtv [--force]         write the result to a new clone file\n"
    "  diff  A.rtv B.rtv [--sheet KEY]    list what differs between two clone files, as\n"
    "        [--csv]                      the sheets show it; --csv: as a table\n"
    "  verify [--port N|PATH] FILE.rtv    read the radio and list what differs from the\n"
    "        [--csv]                      file (the check after a write)\n"
    "  print FILE.rtv (--sheet KEY|--all) print one sheet or every sheet of the tree\n"
    "        -o OUT.pdf [--font-size 1..5] into a PDF file (8 to 12 points; default:\n"
    "        [--force]                    the program's setting); --force: replace it\n"
    "Options:\n"
    "  --port N|PATH     port number (as in the program, \"Port Map\" included) or a device;\n"
    "                    default: the port chosen in the program\n"
    "  --data DIR        folder of the overlay and initial files (default: next to this\n"
    "                    tool, else ../share/rtv612 beside its folder)\n"
    "  --settings FILE   the program's settings (default: ~/.config/Vrel/RT-V612.conf)\n"
    "  --force           replace an existing output file (read, export, import)\n"
    "  --quiet           no progress line\n"
    "  --trace FILE      write every frame sent and received and every step of the link\n"
    "                    into FILE, for whoever helps with a radio that does not answer\n"
    "  --help, --version\n"
    "Exit status, every command: 0 success; 3 the data files are missing or broken\n"
    "(nothing is sent to the radio then); 64 wrong command line; 73 the trace file\n"
    "cannot be written.\n"
    "  ports:              nothing else\n"
    "  info:               2-17 the link status (the program's message numbers)\n"
    "  read:               2-17 the link status; 73 the output exists, is an input or\n"
    "                      cannot be written; 129/130/143 stopped by a signal\n"
    "  write:              2-17 the link status; 65 the clone file cannot be used or fails\n"
    "                      the data check; 129/130/143 stopped by a signal\n"
    "  sheets, export:     2 a file (or standard output) cannot be read or written\n"
    "  import:             1 some cells refused (the file is still written); 2 a file\n"
    "                      cannot be read or written, or the CSV is of another sheet\n"
    "  print:              2 the clone file cannot be read; 73 the PDF exists or cannot\n"
    "                      be written (nothing is left then)\n"
    "  diff:               0 the same; 1 different (or of different models); 2 a file\n"
    "                      cannot be read or used\n"
    "  verify:             0 the same; 1 different; 2-17 the link status; 65 the clone\n"
    "                      file cannot be used\n";

int Usage(const std::string& problem) {
  if (!problem.empty()) std::fprintf(stderr, "rtv612-clone: %s\n", problem.c_str());
  std::fputs(kUsage, stderr);
  return rtv::tools::kExitUsage;
}

// The folder given with --data, else the shared lookup; empty, with the message, when
// none holds the data.
std::string FindData(const std::string& given, const char* argv0) {
  const std::vector<std::string> looked =
      given.empty() ? rtv::DataFolder::Candidates(rtv::DataFolder::ExecutableFolder(argv0))
                    : std::vector<std::string>{given};
  if (const std::optional<std::string> found = rtv::DataFolder::FindIn(looked)) return *found;
  std::fprintf(stderr, "rtv612-clone: %s\nGive the folder that holds them with --data DIR.\n",
               rtv::DataFolder::MissingMessage(looked).c_str());
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  rtv::SetExecutableName("rtv612-clone");
  ToolOptions options;
  std::string dataGiven;
  options.settingsFile = rtv::IniSettings::DefaultPath();
  options.progress = ::isatty(STDERR_FILENO) != 0;

  std::string command;
  std::string output;
  std::string sheet;
  bool usable = false;
  std::vector<std::string> files;
  bool raw = false;
  bool force = false;
  bool maker = false;
  bool csv = false;
  bool all = false;
  std::string fontSize;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& into) {
      if (i + 1 >= argc) return false;
      into = argv[++i];
      return true;
    };
    bool ok = true;
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    } else if (arg == "--version") {
      std::printf("rtv612-clone %s\n", RTV_VERSION);
      return 0;
    } else if (arg == "--port") {
      ok = value(options.port);
    } else if (arg == "-o" || arg == "--output") {
      ok = value(output);
    } else if (arg == "--data") {
      ok = value(dataGiven);
    } else if (arg == "--settings") {
      ok = value(options.settingsFile);
    } else if (arg == "--trace") {
      ok = value(options.traceFile);
    } else if (arg == "--quiet") {
      options.progress = false;
    } else if (arg == "--raw") {
      raw = true;
    } else if (arg == "--force") {
      force = true;
    } else if (arg == "--maker") {
      maker = true;
    } else if (arg == "--sheet") {
      ok = value(sheet);
    } else if (arg == "--csv") {
      csv = true;
    } else if (arg == "--usable") {
      usable = true;
    } else if (arg == "--all") {
      all = true;
    } else if (arg == "--font-size") {
      ok = value(fontSize);
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option " + arg);
    } else if (command.empty()) {
      command = arg;
    } else {
      files.push_back(arg);
    }
    if (!ok) return Usage(arg + " needs a value");
  }

  const bool sheetCommand =
      command == "sheets" || command == "export" || command == "import" || command == "print";
  const bool compareCommand = command == "diff" || command == "verify";
  if (!sheetCommand && command != "diff" && (!sheet.empty() || usable)) {
    return Usage("--sheet and --usable belong to export, import, print and diff");
  }
  if (!compareCommand && csv) return Usage("--csv belongs to diff and verify");
  if (command != "print" && (all || !fontSize.empty())) {
    return Usage("--all and --font-size belong to print");
  }
  const bool readOnly = raw || force || !output.empty();
  if (sheetCommand && (raw || maker || !options.port.empty())) {
    return Usage(command + " works on files only");
  }
  if (command == "sheets") {
    if (files.size() != 1 || readOnly || !sheet.empty()) return Usage("sheets needs one FILE.rtv");
  } else if (command == "export") {
    if (files.size() != 1 || sheet.empty()) {
      return Usage("export needs FILE.rtv and --sheet KEY");
    }
  } else if (command == "import") {
    if (files.size() != 2 || sheet.empty() || output.empty() || usable) {
      return Usage("import needs FILE.rtv, --sheet KEY, IN.csv and -o NEW.rtv");
    }
  } else if (command == "diff") {
    if (files.size() != 2 || readOnly || maker || usable || !options.port.empty()) {
      return Usage("diff needs A.rtv and B.rtv");
    }
  } else if (command == "verify") {
    if (files.size() != 1 || readOnly || maker) return Usage("verify needs one FILE.rtv");
  } else if (command == "print") {
    const bool sizeOk =
        fontSize.empty() || (fontSize.size() == 1 && fontSize[0] >= '1' && fontSize[0] <= '5');
    if (files.size() != 1 || sheet.empty() == !all || output.empty() || usable || !sizeOk) {
      return Usage("print needs FILE.rtv, --sheet KEY or --all, -o OUT.pdf, --font-size 1..5");
    }
  } else if (command == "ports" || command == "info") {
    if (!files.empty() || readOnly || maker) return Usage(command + " takes no files or flags");
  } else if (command == "read") {
    if (output.empty() || !files.empty() || maker) return Usage("read needs -o FILE.rtv");
  } else if (command == "write") {
    if (files.size() != 1 || readOnly) return Usage("write needs one FILE.rtv");
  } else {
    return Usage(command.empty() ? "" : "unknown command " + command);
  }

  // Nothing runs, and the port stays untouched, without the data.
  options.dataFolder = FindData(dataGiven, argv[0]);
  if (options.dataFolder.empty()) return rtv::tools::kExitData;
  rtv::tools::StopSignals::Install();
  const int status = [&]() -> int {
    CloneTool tool(options);
    if (!tool.TraceReady()) return rtv::tools::kExitOutputFile;
    if (const int loaded = tool.LoadData(); loaded != rtv::tools::kExitOk) return loaded;
    if (command == "sheets") return tool.Sheets(files.front());
    if (command == "export") return tool.Export(files.front(), sheet, usable, output, force);
    if (command == "import") return tool.Import(files[0], sheet, files[1], output, force);
    if (command == "diff") return tool.Diff(files[0], files[1], sheet, csv);
    if (command == "verify") return tool.Verify(files.front(), csv);
    if (command == "print") {
#ifdef RTV_TOOL_PRINT
      const int choice = fontSize.empty() ? tool.PrinterFontChoice() : fontSize[0] - '0';
      return rtv::tools::PdfPrintCommand(files.front(), sheet, output, choice, force)
          .Run(argc, argv, tool);
#else
      return Usage("this build has no print command");
#endif
    }
    if (command == "ports") return tool.Ports();
    if (command == "info") return tool.Info();
    if (command == "read") return tool.Read(output, raw, force);
    return tool.Write(files.front(), maker);
  }();
  // What was printed is the result of a sheet command: a full disk or a closed pipe fails it.
  const bool written = std::fflush(stdout) == 0 && std::ferror(stdout) == 0;
  const int error = errno;
  if (std::fclose(stdout) != 0 || !written) {
    std::fprintf(stderr, "rtv612-clone: cannot write to standard output: %s\n",
                 std::strerror(written ? errno : error));
    if (status == 0)
      return sheetCommand || command == "diff" ? rtv::tools::kSheetFileError
                                               : rtv::tools::kExitOutputFile;
  }
  return status;
}
