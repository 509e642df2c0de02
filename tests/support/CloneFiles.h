// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv::test {

// `own` followed by the entries that clone files and start-up look up: the two
// unsaved-changes questions, the model names "Model 0" to "Model 6", the initial file
// names "model0.rtv" to "model6.rtv", the headline "Clone file error" and, as the line of
// each result code's message, the message's own key ("GI_Mess_FileErr_Format", ...); then
// "#End_Of_Ovl".
std::vector<std::string> OverlayWithCloneFileKeys(std::vector<std::string> own);

// The clone file text of image bytes first..last, written here independently of the
// program's writer: header "39740001", a comment, "#MapRev=1", 16-byte aligned data lines,
// each ended by a line feed.
std::string CloneFileText(const EepromImage& image, std::int32_t first = 0,
                          std::int32_t last = 0x2B5F);

// A 32 KB image that passes the start-up checks of model `model`: valid flag and maker
// name set, model byte = model, and every other byte of the clone range = `fill`.
EepromImage InitialImage(int model, std::uint8_t fill = 0);

// Writes "model0.rtv" to "model6.rtv" into `folder`: InitialImage(m, 0x10 + m) each.
void WriteInitialFiles(const std::string& folder);
// The path of model m's file in `folder`.
std::string InitialFilePath(const std::string& folder, int model);

}  // namespace rtv::test
