// SPDX-License-Identifier: GPL-3.0-or-later
#include "CloneFiles.h"

#include <cstdio>
#include <cstring>
#include <fstream>

#include "clonefile/CloneFile.h"

namespace rtv::test {

std::vector<std::string> OverlayWithCloneFileKeys(std::vector<std::string> own) {
  std::vector<std::string> lines = std::move(own);
  lines.push_back("#GI_Mess_Confirm_WriteFile");
  lines.push_back("Save the changes to \"%s\"?");
  lines.push_back("#GI_Mess_Confirm_WriteAnother");
  lines.push_back("Save the changes to the current data first?");
  lines.push_back("#GI_AppInd_Model");
  for (int m = 0; m < 7; ++m) lines.push_back("Model " + std::to_string(m));
  lines.push_back("#GI_App_InitialFile");
  for (int m = 0; m < 7; ++m) lines.push_back("model" + std::to_string(m) + ".rtv");
  lines.push_back("#");
  lines.push_back("#GI_Mess_FileErr_Headline");
  lines.push_back("Clone file error");
  for (int code = kFileErrFileOpen; code <= kFileErrNewer; ++code) {
    lines.push_back("#" + CloneFile::MessageKey(code));
    lines.push_back(CloneFile::MessageKey(code));
  }
  lines.push_back("#End_Of_Ovl");
  return lines;
}

std::string CloneFileText(const EepromImage& image, std::int32_t first, std::int32_t last) {
  std::string text = "39740001\n#Comment=test image\n#MapRev=1\n";
  char hex[16];
  for (std::int32_t address = first; address <= last;) {
    std::int32_t count = 16 - address % 16;
    if (address + count - 1 > last) count = last - address + 1;
    std::snprintf(hex, sizeof hex, "%04X%02X", static_cast<unsigned>(address),
                  static_cast<unsigned>(count));
    text += hex;
    for (std::int32_t i = 0; i < count; ++i) {
      std::snprintf(hex, sizeof hex, "%02X", image.GetByte(address + i));
      text += hex;
    }
    text += "\n";
    address += count;
  }
  return text;
}

EepromImage InitialImage(int model, std::uint8_t fill) {
  EepromImage image;
  image.SetSize(32768);
  for (std::int32_t a = 0; a <= 0x2B5F; ++a) image.SetByte(a, fill);
  const char* maker = "Vrel Inc";
  image.WriteBlock(0x0EE0, reinterpret_cast<const std::uint8_t*>(maker),
                   static_cast<std::int32_t>(std::strlen(maker)));
  image.SetByte(0x0EE9, static_cast<std::uint8_t>(model));
  image.SetByte(0x0EEA, 1);
  return image;
}

std::string InitialFilePath(const std::string& folder, int model) {
  return folder + "/model" + std::to_string(model) + ".rtv";
}

void WriteInitialFiles(const std::string& folder) {
  for (int m = 0; m < 7; ++m) {
    std::ofstream(InitialFilePath(folder, m), std::ios::binary)
        << CloneFileText(InitialImage(m, static_cast<std::uint8_t>(0x10 + m)));
  }
}

}  // namespace rtv::test
