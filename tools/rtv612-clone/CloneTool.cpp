#include "CloneTool.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>

#include "CloneFileIo.h"
#include "LinkMessages.h"
#include "base/TimerTask.h"
#include "clonefile/CloneComment.h"
#include "clonefile/CloneFile.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"
#include "sheet/TreeSheets.h"

namespace rtv::tools {
namespace {

constexpr const char* kLineSettings = "38400,N,8,1";
constexpr int kPreamble = 48;
constexpr int kDataLead = 58;
constexpr int kProgressMs = 100;

constexpr AddressRange kReadList[] = {{0x0000, 0x2B5F}, {1, 0}};
constexpr AddressRange kFullWriteList[] = {{0x01A0, 0x02B3}, {0x02F0, 0x2B5F}, {1, 0}};
constexpr AddressRange kShortWriteList[] = {{0x02F0, 0x2B5F}, {1, 0}};

// Identification block: what the commands use of it.
constexpr int kIdBlockSize = 48;
constexpr int kIdMinPayload = 34;
constexpr int kIdValidByte = 6;
constexpr int kIdRefuseReadByte = 23;
constexpr int kIdVersionByte = 26;                  // digits at 26, 28, 29 and 30
constexpr std::int32_t kThresholdAddress = 0x015A;  // the same layout in the initial file

int TotalBytes(const AddressRange* ranges) {
  int total = 0;
  for (; ranges->last >= ranges->first; ++ranges) total += ranges->last - ranges->first + 1;
  return total;
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

CloneTool::CloneTool(const ToolOptions& options)
    : options_(options),
      settings_(options.settingsFile),
      bus_(timers_),
      controller_({appSettings_, overlay_, helpOverlay_, bus_, timers_, timers_, prompts_}),
      link_(device_, timers_, timers_, [this](int) { return portPath_; }),
      sheetServices_{overlay_, metrics_, [this](CellRequest& request, bool notify) {
                       return controller_.Accessor().AccessCell(request, notify);
                     }} {
  overlay_.SetFile(options_.dataFolder + "/RTV612.OVL");
  helpOverlay_.SetFile(options_.dataFolder + "/RTV612H.OVL");
  appSettings_.portNumber = std::clamp(settings_.ReadInt("Global", "ComPort").value_or(1), 1, 256);
  appSettings_.modelType = settings_.ReadInt("Setup", "ModelType").value_or(0);
  if (appSettings_.modelType < 0 || appSettings_.modelType > 6) appSettings_.modelType = 0;
  ports_.settings = &settings_;
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
    const bool current = PortNumberOf(line) == appSettings_.portNumber;
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
    portNumber_ = port.empty() ? appSettings_.portNumber : std::atoi(port.substr(0, 4).c_str());
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

void CloneTool::PrepareLink() {
  link_.SetPort(portNumber_, kLineSettings);
  link_.SetPreamble(kPreamble);
  link_.SetDataLead(kDataLead, kDataLead);
  link_.SetEchoCheck(true);
  link_.SetModelWords(static_cast<std::uint16_t>(controller_.ModelCode()), 0);
  link_.SetImageSize(controller_.ImageSize());
}

LinkResult CloneTool::Run(const std::function<bool(CloneLink::Callback)>& start, int totalBytes,
                          const char* activity) {
  PrepareLink();
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
  if (!start([&](LinkResult& result) { outcome = result; })) {
    LinkResult busy;
    return busy;
  }
  timers_.RunUntil([&] { return outcome.has_value(); });
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
  std::string text = LinkErrorText(overlay_, status, portNumber_);
  if (status == kLinkPortFailed) {
    const SerialPort& port = link_.Port();
    text += "\n\n" + SerialPort::DescribeOpenError(port.OpenError(), port.OpenSystemError(),
                                                   port.OpenPath());
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

int CloneTool::CheckIdentity(const LinkResult& result) {
  if (result.word1 != controller_.ModelCode() || result.word2 != controller_.ExtensionCode()) {
    return kLinkIdentity;
  }
  const ByteQueue& payload = result.payload;
  if (payload.Count() < kIdMinPayload || payload.At(0) != payload.Count()) return kLinkIdentity;
  idBlock_.assign(kIdBlockSize, 0);
  std::copy_n(payload.Data(), std::min(payload.Count(), kIdBlockSize), idBlock_.begin());
  return idBlock_[kIdValidByte] == 1 ? kLinkOk : kLinkIdBlock;
}

int CloneTool::Identify() {
  if (!ChoosePort()) return kExitUsage;
  const LinkResult result =
      Run([this](CloneLink::Callback done) { return link_.StartIdentify(std::move(done)); }, 0, "");
  const int status = result.status == kLinkOk ? CheckIdentity(result) : result.status;
  return status == kLinkOk ? kLinkOk : Fail(status);
}

int CloneTool::RadioVersion(const std::uint8_t* digits) {
  // Bytes 0, 2, 3 and 4 from here; the byte between the first two is not part of it.
  int version = 0;
  for (const int at : {0, 2, 3, 4}) {
    if (digits[at] < '0' || digits[at] > '9') return 0;
    version = version * 10 + (digits[at] - '0');
  }
  return version;
}

int CloneTool::LoadWithReader(const std::string& path, EepromImage& image) {
  CloneFile reader(overlay_, prompts_);
  reader.SetImage(&image);
  reader.SetModelCode(static_cast<std::uint16_t>(controller_.ModelCode()));
  reader.SetExtensionCode(static_cast<std::uint16_t>(controller_.ExtensionCode()));
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  return reader.Read(path, kCloneRanges);
}

int CloneTool::LoadTemplate() {
  // The overlay names one initial file per model; without that entry there is none to load.
  if (!overlay_.HasKey("GI_App_InitialFile")) return kExitOk;
  const std::string path =
      options_.dataFolder + "/" + overlay_.GetLine("GI_App_InitialFile", appSettings_.modelType);
  EepromImage& image = controller_.TemplateImage();
  if (LoadWithReader(path, image) != 0 ||
      controller_.ValidateImage(image, RadioModel::Strictness::Loose) !=
          RadioModel::Validity::Valid) {
    std::fprintf(stderr, "Cannot open '%s'.\n", path.c_str());
    return kExitInitialFile;
  }
  controller_.Normalise(image, NormaliseDirection::AfterLoad);
  return kExitOk;
}

// ---------------------------------------------------------------------------------------

int CloneTool::Info() {
  const int status = Identify();
  if (status != kLinkOk) return status;
  std::printf("Port:       %s\n", portPath_.c_str());
  std::printf("Model:      %04X %04X\n", controller_.ModelCode(), controller_.ExtensionCode());
  std::printf("Version:    %d\n", RadioVersion(&idBlock_[kIdVersionByte]));
  std::printf("Readable:   %s\n", (idBlock_[kIdRefuseReadByte] & 1) != 0 ? "no" : "yes");
  std::printf("Identification block:\n");
  for (int row = 0; row < kIdBlockSize; row += 16) {
    std::printf("  %02X ", row);
    for (int i = row; i < row + 16; ++i) std::printf(" %02X", idBlock_[i]);
    std::printf("  ");
    for (int i = row; i < row + 16; ++i) {
      std::putchar(idBlock_[i] >= 32 && idBlock_[i] < 127 ? idBlock_[i] : '.');
    }
    std::printf("\n");
  }
  return kExitOk;
}

int CloneTool::Read(const std::string& output, bool raw, bool force) {
  if (!force && Exists(output)) {
    std::fprintf(stderr, "%s already exists; give --force to replace it.\n", output.c_str());
    return kExitOutputFile;
  }
  if (!raw) {
    const int loaded = LoadTemplate();
    if (loaded != kExitOk) return loaded;
  }
  int status = Identify();
  if (status != kLinkOk) return status;
  if ((idBlock_[kIdRefuseReadByte] & 1) != 0) return Fail(kLinkBadFrame);

  const LinkResult result =
      Run([this](CloneLink::Callback done) { return link_.StartRead(kReadList, std::move(done)); },
          TotalBytes(kReadList), "Reading");
  if (result.status != kLinkOk) return Fail(result.status);

  EepromImage image(result.image);
  if (!raw) {
    if (controller_.ValidateImage(image, RadioModel::Strictness::Strict) !=
        RadioModel::Validity::Valid) {
      return Fail(kLinkImageCheck);
    }
    // What the program does with a radio's image before it would save it.
    controller_.AfterRead(image);
    controller_.AfterLoad(image);
    controller_.Normalise(image, NormaliseDirection::BeforeSave);
  }
  // Saved as File > Save would: the program's writer, complete or not at all.
  if (!force && Exists(output)) {
    std::fprintf(stderr, "%s already exists; give --force to replace it.\n", output.c_str());
    return kExitOutputFile;
  }
  CloneFile writer(overlay_, prompts_);
  writer.SetImage(&image);
  writer.SetModelCode(static_cast<std::uint16_t>(controller_.ModelCode()));
  writer.SetExtensionCode(static_cast<std::uint16_t>(controller_.ExtensionCode()));
  writer.SetComment(CloneCommentOf(image));
  writer.SetMapRevision(1);
  if (writer.Write(output, kCloneRanges) != kFileOk) return kExitOutputFile;
  std::printf("Read the radio's memory into %s.\n", output.c_str());
  return kExitOk;
}

int CloneTool::Write(const std::string& input, bool maker) {
  const int loaded = LoadTemplate();
  if (loaded != kExitOk) return loaded;
  EepromImage image;
  image.SetSize(controller_.ImageSize());
  // The program's own reader, with its checks and messages.
  int code = LoadWithReader(input, image);
  if (code == 0 && controller_.ValidateImage(image, RadioModel::Strictness::Loose) !=
                       RadioModel::Validity::Valid) {
    code = kFileErrData;
  }
  if (code == 0 && controller_.CheckNotNewer(image) == RadioModel::MapAge::Newer) {
    code = kFileErrNewer;
  }
  if (code != 0) {
    if (code == kFileErrData || code == kFileErrNewer) FileError(code, input);
    return kExitInputFile;
  }
  controller_.AfterLoad(image);

  const int status = Identify();
  if (status != kLinkOk) return status;
  controller_.Normalise(image, NormaliseDirection::BeforeSave);
  const AddressRange* ranges = kFullWriteList;
  if (!maker) {
    const int version = RadioVersion(&idBlock_[kIdVersionByte]);
    const int threshold = RadioVersion(controller_.TemplateImage().Data() + kThresholdAddress);
    if (threshold <= version) ranges = kShortWriteList;
  }
  const LinkResult result = Run(
      [&](CloneLink::Callback done) { return link_.StartWrite(image, ranges, std::move(done)); },
      TotalBytes(ranges), "Writing");
  if (result.status != kLinkOk) return Fail(result.status);
  std::printf("%s\n", OverlayLine(overlay_, "GI_Mess_CloneWrite_Succeeded",
                                  "The memory was written into the radio.")
                          .c_str());
  return kExitOk;
}

}  // namespace rtv::tools

namespace rtv::tools {

// ---------------------------------------------------------------------------------------

bool CloneTool::OpenClone(const std::string& path) {
  controller_.SetExecutableFolder(options_.dataFolder);
  if (LoadTemplate() != kExitOk) return false;
  EepromImage image;
  image.SetSize(controller_.ImageSize());
  int code = LoadWithReader(path, image);
  if (code == 0 && controller_.ValidateImage(image, RadioModel::Strictness::Loose) !=
                       RadioModel::Validity::Valid) {
    code = kFileErrData;
  }
  if (code == 0 && controller_.CheckNotNewer(image) == RadioModel::MapAge::Newer) {
    code = kFileErrNewer;
  }
  if (code == kFileErrData || code == kFileErrNewer) {
    FileError(code, path);
  } else if (code != 0) {
    std::fprintf(stderr, "(%s)\n", path.c_str());
  }
  if (code != 0) return false;
  controller_.WorkingImage().Assign(image);
  // The file's own model: its initial file and its sheets.
  controller_.AfterLoad(controller_.WorkingImage());
  return true;
}

std::unique_ptr<Sheet> CloneTool::BuildSheet(const std::string& key) {
  for (const TreeSheets::Entry& entry :
       TreeSheets::List(overlay_, controller_.CurrentOptionalSheets())) {
    if (entry.key != key) continue;
    std::unique_ptr<Sheet> sheet = controller_.CreateSheet(sheetServices_, key);
    sheet->Build();
    return sheet;
  }
  std::fprintf(stderr, "rtv612-clone: no sheet %s for this file; see 'sheets'.\n", key.c_str());
  return nullptr;
}

int CloneTool::Sheets(const std::string& input) {
  if (!OpenClone(input)) return kSheetFileError;
  for (const TreeSheets::Entry& entry :
       TreeSheets::List(overlay_, controller_.CurrentOptionalSheets())) {
    std::printf("%-20s %s\n", entry.key.c_str(), entry.title.c_str());
  }
  return kExitOk;
}

int CloneTool::Export(const std::string& input, const std::string& key, bool usable,
                      const std::string& output) {
  if (!OpenClone(input)) return kSheetFileError;
  appSettings_.channelsInUseOnly = usable ? 1 : 0;
  const std::unique_ptr<Sheet> sheet = BuildSheet(key);
  if (!sheet) return kExitUsage;
  const std::string csv = SheetExporter(*sheet).Csv();
  if (output.empty()) {
    std::fwrite(csv.data(), 1, csv.size(), stdout);
    return std::fflush(stdout) == 0 ? int{kExitOk} : kSheetFileError;
  }
  std::ofstream file(output, std::ios::binary | std::ios::trunc);
  file.write(csv.data(), static_cast<std::streamsize>(csv.size()));
  file.close();
  if (!file) {
    std::fprintf(stderr, "rtv612-clone: cannot write %s.\n", output.c_str());
    return kSheetFileError;
  }
  return kExitOk;
}

int CloneTool::Import(const std::string& input, const std::string& key, const std::string& csv,
                      const std::string& output, bool force) {
  if (!OpenClone(input)) return kSheetFileError;
  std::ifstream file(csv, std::ios::binary);
  std::ostringstream text;
  text << file.rdbuf();
  if (!file) {
    std::fprintf(stderr, "rtv612-clone: cannot read %s.\n", csv.c_str());
    return kSheetFileError;
  }
  const std::unique_ptr<Sheet> sheet = BuildSheet(key);
  if (!sheet) return kExitUsage;
  EepromImage& image = controller_.WorkingImage();
  const SheetImporter::Report report =
      SheetImporter(*sheet, controller_.Choices(), &image).Import(text.str());
  std::printf("%d cell%s taken.\n%s", report.taken, report.taken == 1 ? "" : "s",
              report.Text().c_str());

  if (!force && Exists(output)) {
    std::fprintf(stderr, "%s already exists; give --force to replace it.\n", output.c_str());
    return kSheetFileError;
  }
  // Saved as File > Save would.
  controller_.Normalise(image, NormaliseDirection::BeforeSave);
  CloneFile writer(overlay_, prompts_);
  writer.SetImage(&image);
  writer.SetModelCode(static_cast<std::uint16_t>(controller_.ModelCode()));
  writer.SetExtensionCode(static_cast<std::uint16_t>(controller_.ExtensionCode()));
  writer.SetComment(CloneCommentOf(image));
  writer.SetMapRevision(1);
  if (writer.Write(output, kCloneRanges) != kFileOk) return kSheetFileError;
  return report.Clean() ? int{kExitOk} : kSheetRefused;
}

}  // namespace rtv::tools
