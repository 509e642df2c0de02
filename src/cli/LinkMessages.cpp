// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/LinkMessages.h"

#include <vector>

#include "overlay/OverlayText.h"

namespace rtv::tools {
namespace {

const char* const kHeads[] = {
    "",
    "Communication error.",
    "Port COM%d could not be opened.",
    "Communication error.",
    "Echo error: the bytes sent did not come back from the line.",
    "The radio did not answer in time.",
    "The radio sent a frame that is not valid, or it does not allow to be read.",
    "The number of blocks received differs from the radio's count.",
    "Not all of the radio's memory arrived.",
    "The radio sent data outside the memory that was asked for.",
    "The radio did not accept the data.",
    "The radio is not of the selected model.",
    "Adjustment error.",
    "The adjustment value is not valid.",
    "The radio's identification is not valid.",
    "The memory read from the radio is not valid.",
    "Check error.",
    "Writing to the port failed.",
};

const char* const kChecks[] = {
    "Please check:",
    "- that the radio is switched on and in clone mode,",
    "- that the cable is connected to the radio and to the PC,",
    "- that the right port is selected.",
    "- that the radio is of the selected model,",
    "- that the radio's software version is supported.",
    "Please check the adjustment value",
    "and try again.",
};

std::vector<int> CheckLines(int status) {
  switch (status) {
    case 10:
      return {0, 2, 3};
    case 11:
    case 12:
      return {0, 1, 2, 3, 4, 5};
    case 13:
      return {6, 7};
    case 14:
      return {0, 4, 5};
    case 16:
      return {};
    default:
      return {0, 1, 2, 3};
  }
}

// Line index of key, or the fallback; the fallback also stands in for a body that is
// shorter than the index.
std::string Line(OverlayText& overlay, const std::string& key, int index,
                 const std::string& fallback) {
  if (!overlay.HasKey(key)) return fallback;
  return overlay.GetLine(key, index);
}

}  // namespace

std::string OverlayLine(OverlayText& overlay, const std::string& key, const std::string& fallback) {
  return Line(overlay, key, 0, fallback);
}

std::string LinkErrorText(OverlayText& overlay, int status, int portNumber) {
  if (status == 0) return {};
  const int known = static_cast<int>(sizeof kHeads / sizeof kHeads[0]);
  const std::string fallback = status > 0 && status < known ? kHeads[status] : kHeads[1];
  std::string head = Line(overlay, "GI_Mess_CloneErr_Head", status, fallback);
  if (status == 2) {
    // The head line names the port by number; a device given by path has none.
    const auto number = head.find("%d");
    if (portNumber <= 0) {
      head = "The port could not be opened.";
    } else if (number != std::string::npos) {
      head.replace(number, 2, std::to_string(portNumber));
    }
  }
  std::string text = head + "\n\n";
  const std::vector<int> checks = CheckLines(status);
  for (std::size_t i = 0; i < checks.size(); ++i) {
    if (i > 0) text += "\n";
    text += Line(overlay, "GI_Mess_CloneErr_Check", checks[i], kChecks[checks[i]]);
  }
  return text;
}

}  // namespace rtv::tools
