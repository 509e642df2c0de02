// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {
class OverlayText;
}

namespace rtv::tools {

// The message for a link status as the program shows it: the head line of the status
// from GI_Mess_CloneErr_Head, an empty line, and the status's lines of
// GI_Mess_CloneErr_Check. Where the overlay lacks the texts, English ones stand in.
// Status 0 gives an empty text; a port number of 0 stands for a port given by its path.
std::string LinkErrorText(OverlayText& overlay, int status, int portNumber);

// Line 0 of key, or the fallback when the overlay does not have it.
std::string OverlayLine(OverlayText& overlay, const std::string& key, const std::string& fallback);

}  // namespace rtv::tools
