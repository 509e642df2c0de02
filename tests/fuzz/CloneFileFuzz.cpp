// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the clone file reader as a file. The reader must never crash,
// and a read that fails must leave the target image exactly as it was.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "CloneFiles.h"
#include "base/Prompts.h"
#include "clonefile/CloneFile.h"
#include "overlay/OverlayText.h"

namespace {

class SilentPrompts : public rtv::Prompts {
 public:
  rtv::PromptAnswer Message(const std::string& text, const std::string&, rtv::PromptIcon,
                            rtv::PromptButtons) override {
    ++shown;
    lastText = text;
    return rtv::PromptAnswer::Ok;
  }
  std::optional<std::string> OpenFileName(const rtv::FileDialogRequest&) override { return {}; }
  std::optional<std::string> SaveFileName(const rtv::FileDialogRequest&) override { return {}; }
  int shown = 0;
  std::string lastText;
};

struct Harness {
  Harness() : reader(overlay, prompts) {
    // Each code's message line is its key, so the text shown names the code reported.
    overlay.SetLines(rtv::test::OverlayWithCloneFileKeys({"#GI_Sys_AppTitle", "Fuzz"}));
    image.SetSize(32768);
    reader.SetImage(&image);
    reader.SetModelCode(0x3974);
    reader.SetExtensionCode(1);
    reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
    path = "/tmp/rtv-fuzz-" + std::to_string(::getpid()) + ".rtv";
  }
  ~Harness() { std::remove(path.c_str()); }

  rtv::OverlayText overlay;
  SilentPrompts prompts;
  rtv::EepromImage image;
  rtv::CloneFile reader;
  std::string path;
  std::uint8_t pattern = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Harness h;
  std::FILE* file = std::fopen(h.path.c_str(), "wb");
  if (file == nullptr) std::abort();
  if (size > 0 && std::fwrite(data, 1, size, file) != size) std::abort();
  std::fclose(file);

  // A fresh pattern each time, so that a partial write into the image shows.
  h.image.Fill(++h.pattern);
  const rtv::EepromImage before(h.image);
  // Alternate between the start-up read (with coverage) and the File > Open read.
  const bool withRanges = (size % 2) == 0;
  const int shownBefore = h.prompts.shown;
  const rtv::FileErrorCode code = h.reader.Read(h.path, withRanges ? rtv::kCloneRanges : nullptr);
  if (code < 0 || code > 9) std::abort();
  if (code != rtv::kFileOk && !h.image.Equals(before)) std::abort();
  if ((code != rtv::kFileOk) != (h.prompts.shown == shownBefore + 1)) std::abort();
  if (code != rtv::kFileOk &&
      h.prompts.lastText.find(rtv::CloneFile::MessageKey(code)) == std::string::npos)
    std::abort();
  return 0;
}
