// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CloneTool.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "base/TimerTask.h"
#include "cli/LinkMessages.h"
#include "cli/StopSignals.h"
#include "clonefile/CloneFile.h"
#include "compare/ImageComparison.h"
#include "link/LinkController.h"
#include "platform/posix/RegularFile.h"
#include "platform/posix/SafeSave.h"
#include "print/PrintFontSize.h"
#include "sheet/ModelSheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"
#include "sheet/TreeSheets.h"

namespace rtv::tools {
namespace {

constexpr int kProgressMs = 100;
constexpr const char* kPartlyWritten =
    "The write was stopped part way: the radio may now hold a partly written memory. Write "
    "the file again to repair it.";

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

int ModelTypeSetting(const IniSettings& settings) {
  const int model = settings.ReadInt("Setup", "ModelType").value_or(0);
  return model < 0 || model >= RadioModel::kModelTypes ? 0 : model;
}

}  // namespace

CloneTool::CloneTool(const ToolOptions& options)
    : options_(options),
      settings_(options.settingsFile),
      portSetting_(std::clamp(settings_.ReadInt("Global", "ComPort").value_or(1), 1, 256)),
      images_(overlay_, prompts_, options.dataFolder, ModelTypeSetting(settings_)),
      link_(device_, timers_, timers_, [this](int) { return portPath_; }),
      session_([this](EepromImage& image) { images_.Model().AfterLoad(image); }),
      sheetServices_{overlay_, metrics_, [this](CellRequest& request, bool notify) {
                       return images_.Accessor().AccessCell(request, notify);
                     }} {
  overlay_.SetFile(options_.dataFolder + "/RTV612.OVL");
  ports_.settings = &settings_;
  if (!settings_.LoadProblem().empty()) {
    std::fprintf(stderr, "rtv612-clone: %s; the defaults are used.\n",
                 settings_.LoadProblem().c_str());
  }
  if (!options_.traceFile.empty()) {
    trace_ = std::make_unique<FileLinkTrace>(options_.traceFile);
    link_.SetTrace(trace_.get());
  }
}

bool CloneTool::TraceReady() const {
  if (trace_ == nullptr || trace_->IsOpen()) return true;
  std::fprintf(stderr, "Cannot write the trace %s: %s.\n", options_.traceFile.c_str(),
               std::strerror(trace_->OpenError()));
  return false;
}

CloneTool::~CloneTool() = default;

// ---------------------------------------------------------------------------------------

int CloneTool::Ports() {
  std::vector<std::string> numbers;
  std::vector<std::string> friendly;
  ListDosComPorts(numbers, ports_);
  ListFriendlyPorts(numbers, friendly, ports_);
  if (friendly.empty()) {
    std::printf("No serial ports found.\n");
    return kExitOk;
  }
  for (const std::string& line : friendly) {
    const bool current = PortNumberOf(line) == portSetting_;
    std::printf("%s%s\n", line.c_str(), current ? "  [selected]" : "");
  }
  return kExitOk;
}

bool CloneTool::ChoosePort() {
  const std::string& port = options_.port;
  const bool number = !port.empty() && std::all_of(port.begin(), port.end(), [](char c) {
    return std::isdigit(static_cast<unsigned char>(c));
  });
  if (port.empty() || number) {
    portNumber_ = port.empty() ? portSetting_ : std::atoi(port.substr(0, 4).c_str());
    if (portNumber_ < 1 || portNumber_ > kMaxPortNumber) {
      std::fprintf(stderr, "Port numbers go from 1 to %d.\n", kMaxPortNumber);
      return false;
    }
    portPath_ = PortDevicePath(portNumber_, ports_);
  } else {
    portPath_ = port;
    portNumber_ = PortNumberOfPath(port, ports_);
  }
  return true;
}

LinkResult CloneTool::Run(const std::function<bool(CloneLink::Callback)>& start, int totalBytes,
                          const char* activity) {
  CloneSession::PrepareLink(link_, portNumber_, RadioModel::kImageSize);
  std::optional<LinkResult> outcome;
  TimerTask progress(timers_);
  const bool show = options_.progress && totalBytes > 0;
  if (show) {
    progress.Bind([&](TimerTask&) {
      std::fprintf(stderr, "\r%s %3d%%", activity, link_.DataDone() * 100 / totalBytes);
      std::fflush(stderr);
    });
    progress.Schedule(kProgressMs);
  }
  const StopSignals::DuringExchange stoppable;
  if (!start([&](LinkResult& result) { outcome = result; })) {
    LinkResult busy;
    return busy;
  }
  timers_.RunUntil([&] { return outcome.has_value() || StopSignals::Requested() != 0; });
  if (!outcome) {
    link_.Cancel();
    timers_.RunUntil([&] { return outcome.has_value(); });
  }
  progress.Schedule(-1);
  if (show) std::fprintf(stderr, "\r%s %3d%%\n", activity, link_.DataDone() * 100 / totalBytes);
  if (!outcome) {
    LinkResult silent;
    silent.status = kLinkTimeout;
    return silent;
  }
  return *outcome;
}

int CloneTool::Fail(int status) {
  if (status == kLinkCancelled) {
    const int signal = StopSignals::Requested();
    if (link_.CurrentExchange() == Exchange::Write) {
      std::fprintf(stderr, "%s\n", kPartlyWritten);
    } else {
      std::fprintf(stderr, "Stopped; nothing was written.\n");
    }
    return ExitStatusOfSignal(signal);
  }
  const SerialPort& port = link_.Port();
  if (status == kLinkPortFailed && !port.OpenBusyReason().empty()) {
    // Who holds the port is the whole answer; the cable is not the problem then.
    std::fprintf(stderr, "%s\n", port.OpenBusyReason().c_str());
    return status;
  }
  std::string text = LinkErrorText(overlay_, status, portNumber_);
  if (status == kLinkPortFailed) {
    text += "\n\n" + port.DescribeOpenFailure();
  }
  std::fprintf(stderr, "%s\n", text.c_str());
  return status;
}

int CloneTool::FileError(int code, const std::string& path) {
  // The program's own file messages, from the overlay.
  std::fprintf(stderr, "%s:\n", path.c_str());
  CloneFile(overlay_, prompts_).ShowResult(code >= 1 && code <= 9 ? code : kFileErrFormat);
  return code;
}

// ---------------------------------------------------------------------------------------

int CloneTool::Identify() {
  if (!ChoosePort()) return kExitUsage;
  const LinkResult result =
      Run([this](CloneLink::Callback done) { return link_.StartIdentify(std::move(done)); }, 0, "");
  const int status = result.status == kLinkOk ? session_.CheckIdentity(result) : result.status;
  return status == kLinkOk ? kLinkOk : Fail(status);
}

int CloneTool::LoadData() {
  if (!overlay_.HasKey("GI_App_InitialFile")) {
    std::fprintf(stderr,
                 "rtv612-clone: %s/RTV612.OVL names no initial files (GI_App_InitialFile).\n",
                 images_.DataFolderPath().c_str());
    return kExitData;
  }
  std::string failed;
  if (!images_.LoadTemplates(ModelTypeSetting(settings_), failed)) {
    std::fprintf(stderr, "Cannot open '%s'.\n", failed.c_str());
    return kExitData;
  }
  return kExitOk;
}

int CloneTool::CheckBeforeWrite(const std::string& input, EepromImage& image) {
  images_.Working().Assign(image);
  const WarningCheckList::Outcome checked = warningChecks_.Evaluate(overlay_, images_.Accessor());
  if (!checked.errorSheets.empty()) {
    std::fprintf(stderr, "%s:\n%s\nSheets with errors:\n", input.c_str(),
                 OverlayLine(overlay_, "GI_Mess_DataError", "The data holds errors.").c_str());
    for (const std::string& sheet : checked.errorSheets) {
      std::fprintf(stderr, "  %s\n", sheet.c_str());
    }
    return kExitInputFile;
  }
  images_.Model().Normalise(image, NormaliseDirection::BeforeSave);
  if (CloneSession::CheckImage(image) != kLinkOk) {
    std::fprintf(stderr,
                 "%s: not a valid memory image of this radio (maker signature or "
                 "image-valid byte); it is not written.\n",
                 input.c_str());
    return kExitInputFile;
  }
  return kExitOk;
}

int CloneTool::ReadUserFile(const std::string& path, EepromImage& image) {
  image.SetSize(RadioModel::kImageSize);
  // The program's own reader, with its checks and messages.
  const int code = images_.ReadFile(path, image);
  if (code != kFileOk) {
    std::fprintf(stderr, "(%s)\n", path.c_str());
    return code;
  }
  if (RadioModel::Validate(image, RadioModel::Strictness::Loose) != RadioModel::Validity::Valid) {
    return FileError(kFileErrData, path);
  }
  if (RadioModel::CheckNotNewer(image) == RadioModel::MapAge::Newer) {
    return FileError(kFileErrNewer, path);
  }
  return kFileOk;
}

bool CloneTool::KeepsExisting(const std::string& output, bool force) {
  if (force || output.empty() || !Exists(output)) return false;
  std::fprintf(stderr, "%s already exists; give --force to replace it.\n", output.c_str());
  return true;
}

bool CloneTool::CanWriteInto(const std::string& output) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path folder = fs::absolute(output, error).parent_path();
  if (error || !fs::is_directory(folder, error)) {
    std::fprintf(stderr, "Cannot write %s: the folder %s does not exist.\n", output.c_str(),
                 folder.c_str());
    return false;
  }
  if (::access(folder.c_str(), W_OK) != 0) {
    std::fprintf(stderr, "Cannot write %s: %s: %s.\n", output.c_str(), folder.c_str(),
                 std::strerror(errno));
    return false;
  }
  return true;
}

bool CloneTool::IsAnInput(const std::string& output, std::vector<std::string> inputs) const {
  if (output.empty()) return false;
  struct stat written {};
  if (::stat(output.c_str(), &written) != 0) return false;
  inputs.push_back(options_.settingsFile);
  for (const std::string& input : inputs) {
    struct stat read {};
    // The same file under any name: a link, a relative path, a hard link.
    if (::stat(input.c_str(), &read) == 0 && read.st_dev == written.st_dev &&
        read.st_ino == written.st_ino) {
      std::fprintf(stderr, "rtv612-clone: %s is also an input (%s); choose another output.\n",
                   output.c_str(), input.c_str());
      return true;
    }
  }
  return false;
}

// ---------------------------------------------------------------------------------------

int CloneTool::Info() {
  const int status = Identify();
  if (status != kLinkOk) return status;
  std::printf("Port:       %s\n", portPath_.c_str());
  std::printf("Model:      %04X %04X\n", RadioModel::kModelCode, RadioModel::kExtensionCode);
  std::printf("Version:    %d\n", session_.RadioVersion());
  std::printf("Readable:   %s\n", session_.RefusesRead() ? "no" : "yes");
  std::printf("Identification block:\n");
  const std::vector<std::uint8_t>& block = session_.IdBlock();
  for (int row = 0; row < CloneSession::kIdBlockSize; row += 16) {
    std::printf("  %02X ", row);
    for (int i = row; i < row + 16; ++i) std::printf(" %02X", block[i]);
    std::printf("  ");
    for (int i = row; i < row + 16; ++i) {
      std::putchar(block[i] >= 32 && block[i] < 127 ? block[i] : '.');
    }
    std::printf("\n");
  }
  return kExitOk;
}

int CloneTool::Read(const std::string& output, bool raw, bool force) {
  // Before the radio is touched: a read that cannot be kept is not worth its minutes.
  if (IsAnInput(output, {}) || KeepsExisting(output, force) || !CanWriteInto(output)) {
    return kExitOutputFile;
  }
  EepromImage image;
  const int status = ReadRadio(image, raw);
  if (status != kLinkOk) return status;
  // Saved as File > Save would: the program's writer, complete or not at all.
  if (KeepsExisting(output, force)) return kExitOutputFile;
  if (images_.WriteFile(output, image) != kFileOk) {
    std::fprintf(stderr, "The radio's memory could not be saved in %s.\n", output.c_str());
    return kExitOutputFile;
  }
  std::printf("Read the radio's memory into %s.\n", output.c_str());
  std::string problem;
  const std::string backup = images_.WriteBackup(image, session_.RadioVersion(), problem);
  if (backup.empty()) {
    std::fprintf(stderr, "Warning: no backup of this read was kept: %s.\n", problem.c_str());
  } else if (options_.progress) {
    std::fprintf(stderr, "A backup is in %s.\n", backup.c_str());
  }
  return kExitOk;
}

int CloneTool::ReadRadio(EepromImage& image, bool raw) {
  const int status = Identify();
  if (status != kLinkOk) return status;
  if (session_.RefusesRead()) return Fail(kLinkBadFrame);
  const LinkResult result = Run(
      [this](CloneLink::Callback done) {
        return link_.StartRead(CloneSession::kReadList, std::move(done));
      },
      LinkController::RangeBytes(CloneSession::kReadList), "Reading");
  if (result.status != kLinkOk) return Fail(result.status);
  image.Assign(result.image);
  if (raw) return kLinkOk;
  const int checked = CloneSession::CheckImage(image);
  if (checked != kLinkOk) return Fail(checked);
  // What the program does with a radio's image before it would save it.
  session_.AfterRead(image);
  images_.Model().Normalise(image, NormaliseDirection::BeforeSave);
  return kLinkOk;
}

int CloneTool::Write(const std::string& input, bool maker) {
  EepromImage image;
  if (ReadUserFile(input, image) != kFileOk) return kExitInputFile;
  // The file's model: its template, its rules.
  images_.Model().AfterLoad(image);
  const int checked = CheckBeforeWrite(input, image);
  if (checked != kExitOk) return checked;

  const int status = Identify();
  if (status != kLinkOk) return status;
  const AddressRange* ranges =
      session_.WriteList(maker ? CloneSession::WriteMode::Maker : CloneSession::WriteMode::Normal,
                         images_.ModelTemplate());
  const LinkResult result = Run(
      [&](CloneLink::Callback done) { return link_.StartWrite(image, ranges, std::move(done)); },
      LinkController::RangeBytes(ranges), "Writing");
  if (result.status != kLinkOk) {
    const int exit = Fail(result.status);
    if (result.status != kLinkCancelled && link_.FrameCount() > 0) {
      std::fprintf(stderr, "\n%s\n", kPartlyWritten);
    }
    return exit;
  }
  std::printf("%s\n", OverlayLine(overlay_, "GI_Mess_CloneWrite_Succeeded",
                                  "The memory was written into the radio.")
                          .c_str());
  return kExitOk;
}

}  // namespace rtv::tools

namespace rtv::tools {

// ---------------------------------------------------------------------------------------

int CloneTool::OpenClone(const std::string& path) {
  EepromImage image;
  if (ReadUserFile(path, image) != kFileOk) return kSheetFileError;
  images_.Working().Assign(image);
  // The file's own model: its initial file and its sheets.
  images_.Model().AfterLoad(images_.Working());
  return kExitOk;
}

std::unique_ptr<Sheet> CloneTool::BuildSheet(const std::string& key) {
  for (const TreeSheets::Entry& entry :
       TreeSheets::List(overlay_, images_.CurrentOptionalSheets())) {
    if (entry.key != key) continue;
    std::unique_ptr<Sheet> sheet =
        std::make_unique<ModelSheet>(sheetServices_, images_, overlay_, key);
    sheet->Build();
    return sheet;
  }
  std::fprintf(stderr, "rtv612-clone: no sheet %s for this file; see 'sheets'.\n", key.c_str());
  return nullptr;
}

int CloneTool::PrinterFontChoice() const {
  const int points = settings_.ReadInt("View Option", "FontSize Printer").value_or(10);
  return PrintFontSize::ChoiceOfPoints(points);
}

int CloneTool::OpenForPrint(const std::string& input, const std::string& key,
                            const TextMetrics& metrics, PrintSource& source) {
  const int opened = OpenClone(input);
  if (opened != kExitOk) return opened;
  source.names.clear();
  for (const TreeSheets::Entry& entry :
       TreeSheets::List(overlay_, images_.CurrentOptionalSheets())) {
    if (key.empty() || entry.key == key) source.names.push_back(entry.key);
  }
  if (source.names.empty()) {
    std::fprintf(stderr, "rtv612-clone: no sheet %s for this file; see 'sheets'.\n", key.c_str());
    return kExitUsage;
  }
  // Paper has no remembered column widths and no screen font percentage.
  printServices_ = std::make_unique<SheetServices>(
      SheetServices{overlay_, metrics, sheetServices_.accessor, nullptr, 100});
  source.factory = [this](const std::string& name) -> std::unique_ptr<Sheet> {
    return std::make_unique<ModelSheet>(*printServices_, images_, overlay_, name);
  };
  return kExitOk;
}

int CloneTool::Sheets(const std::string& input) {
  const int opened = OpenClone(input);
  if (opened != kExitOk) return opened;
  for (const TreeSheets::Entry& entry :
       TreeSheets::List(overlay_, images_.CurrentOptionalSheets())) {
    std::printf("%-20s %s\n", entry.key.c_str(), entry.title.c_str());
  }
  return kExitOk;
}

int CloneTool::Export(const std::string& input, const std::string& key, bool usable,
                      const std::string& output, bool force) {
  if (IsAnInput(output, {input}) || KeepsExisting(output, force)) return kSheetFileError;
  const int opened = OpenClone(input);
  if (opened != kExitOk) return opened;
  images_.SetUsableView(usable);
  const std::unique_ptr<Sheet> sheet = BuildSheet(key);
  if (!sheet) return kExitUsage;
  const std::string csv = SheetExporter(*sheet).Csv();
  if (output.empty()) {
    // A failed write shows when the tool ends and closes standard output.
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return kExitOk;
  }
  int error = 0;
  const SafeSaveResult saved = SafeSave(output, csv, &error);
  if (saved != SafeSaveResult::kOk) {
    std::fprintf(stderr, "rtv612-clone: %s %s.\n", output.c_str(),
                 DescribeSafeSaveFailure(saved, error).c_str());
    return kSheetFileError;
  }
  return kExitOk;
}

int CloneTool::Import(const std::string& input, const std::string& key, const std::string& csv,
                      const std::string& output, bool force) {
  if (IsAnInput(output, {input, csv}) || KeepsExisting(output, force)) return kSheetFileError;
  const int opened = OpenClone(input);
  if (opened != kExitOk) return opened;
  const RegularFileText text = ReadRegularFile(csv, SheetImporter::kMaxFileBytes);
  if (!text.Ok()) {
    std::fprintf(
        stderr, "rtv612-clone: %s %s.\n", csv.c_str(),
        DescribeRegularFileStatus(text.status, text.error, SheetImporter::kMaxFileBytes).c_str());
    return kSheetFileError;
  }
  const std::unique_ptr<Sheet> sheet = BuildSheet(key);
  if (!sheet) return kExitUsage;
  EepromImage& image = images_.Working();
  const SheetImporter::Report report =
      SheetImporter(*sheet, images_.Choices(), &image).Import(text.contents);
  if (!report.refusal.empty()) {
    std::fprintf(stderr, "rtv612-clone: %s: %s.\n", csv.c_str(), report.refusal.c_str());
    return kSheetFileError;
  }
  std::fputs(report.Summary().c_str(), stdout);

  // Saved as File > Save would.
  images_.Model().Normalise(image, NormaliseDirection::BeforeSave);
  if (images_.WriteFile(output, image) != kFileOk) return kSheetFileError;
  return report.Clean() ? int{kExitOk} : kSheetRefused;
}

// ---------------------------------------------------------------------------------------

bool CloneTool::ReadForComparison(const std::string& path, EepromImage& image) {
  if (ReadUserFile(path, image) != kFileOk) return false;
  // Each file as the program shows it once opened: normalised against its own model.
  images_.Model().AfterLoad(image);
  return true;
}

int CloneTool::PrintDifferences(const EepromImage& a, const EepromImage& b,
                                const std::string& sheet, bool csv) {
  const ImageDifferences differences = ImageComparison(overlay_, metrics_).Compare(a, b, sheet);
  if (!differences.refusal.empty()) {
    std::printf("%s\n", differences.refusal.c_str());
    return kCompareDifferent;
  }
  if (csv) {
    const std::string text = differences.Csv();
    std::fwrite(text.data(), 1, text.size(), stdout);
  } else if (differences.Same()) {
    std::printf("No differences.\n");
  } else {
    std::fputs(differences.Text().c_str(), stdout);
  }
  return differences.Same() ? kCompareSame : kCompareDifferent;
}

int CloneTool::Diff(const std::string& fileA, const std::string& fileB, const std::string& sheet,
                    bool csv) {
  EepromImage a;
  EepromImage b;
  if (!ReadForComparison(fileA, a) || !ReadForComparison(fileB, b)) return kCompareUnreadable;
  if (!sheet.empty()) {
    images_.Working().Assign(a);
    const bool known =
        std::ranges::any_of(TreeSheets::List(overlay_, images_.CurrentOptionalSheets()),
                            [&](const TreeSheets::Entry& entry) { return entry.key == sheet; });
    if (!known) {
      std::fprintf(stderr, "rtv612-clone: no sheet %s for this file; see 'sheets'.\n",
                   sheet.c_str());
      return kExitUsage;
    }
  }
  return PrintDifferences(a, b, sheet, csv);
}

int CloneTool::Verify(const std::string& file, bool csv) {
  // The file first: a radio is not read for a file that cannot be compared.
  EepromImage expected;
  if (!ReadForComparison(file, expected)) return kExitInputFile;
  EepromImage radio;
  const int status = ReadRadio(radio, false);
  if (status != kLinkOk) return status;
  // As the saved read would be opened again.
  images_.Model().AfterLoad(radio);
  return PrintDifferences(expected, radio, {}, csv);
}

}  // namespace rtv::tools
