// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary text to the cell markup reader: as a row of cells under a basic cell,
// as a font description, and as the cells entry of a choice list. Overlay faults end the
// program through FatalError; here its box throws instead, so that a fault ends only the
// one input. Anything else must neither crash nor upset a sanitizer.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/Fatal.h"
#include "base/FontDesc.h"
#include "base/Prompts.h"
#include "cells/Cell.h"
#include "cells/CellMarkup.h"
#include "cells/ChoiceLists.h"
#include "cells/FontMarkup.h"
#include "overlay/OverlayText.h"

namespace {

struct FatalStop {};

class ThrowingPrompts : public rtv::Prompts {
 public:
  rtv::PromptAnswer Message(const std::string&, const std::string&, rtv::PromptIcon,
                            rtv::PromptButtons) override {
    throw FatalStop{};
  }
  std::optional<std::string> OpenFileName(const rtv::FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const rtv::FileDialogRequest&) override {
    return std::nullopt;
  }
};

std::vector<std::string> Overlay(std::string_view cellsBody) {
  std::vector<std::string> lines = {
      "#CellModel_Basic",
      "<-(Color=clWindow)(Font=DEFAULT_CHARSET,,clWindowText,-17,,,)(PopupMenu=GI_PMenu_Edit)",
      "#CellModel_iChI",
      "^-WH(Color=clGray)(Font=,,clWhite,,,fsBold,)",
      "#CellModel_eWh",
      "S<_WHB",
      "#CellModel_iQp",
      "(%CT_Null.CL_Misc_QuarterPillar)",
      "#CellModel_Nested",
      "($eWh)($iChI)X(Flag2=1)",
      "#CellModel_Loop",
      "($Loop)",
      "#GI_Fuzz_Cells",
  };
  std::size_t start = 0;
  while (start <= cellsBody.size()) {
    const std::size_t end = cellsBody.find('\n', start);
    lines.emplace_back(cellsBody.substr(start, end - start));
    if (end == std::string_view::npos) break;
    start = end + 1;
  }
  lines.emplace_back("#");
  lines.emplace_back("#End_Of_Ovl");
  return lines;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void ParseAll(rtv::OverlayText& store, std::string_view text) {
  rtv::CellCounters counters{};
  rtv::Cell basic;
  rtv::ParseCell(store, basic, "{($Basic)(Font=,,,%120,,,)}", &counters, nullptr);

  // Splitting alone must find the cells that parsing finds.
  std::size_t split = 0;
  rtv::Cell scratch;
  for (std::string_view rest = text; !rest.empty(); ++split) {
    const std::string_view next = rtv::ParseCell(store, scratch, rest, &counters, &basic, true);
    Check(next.size() < rest.size());
    rest = next;
  }
  const std::vector<rtv::Cell> cells = rtv::ParseRow(store, text, &counters, &basic);
  Check(cells.size() == split);
  for (const rtv::Cell& cell : cells) {
    Check(cell.parent == &basic && cell.counters == nullptr);
    Check(cell.DrawingFont() != nullptr);
    Check(cell.horizontalAlign <= 2 && cell.verticalAlign <= 2 && cell.rightMark <= 2);
    cell.PopupMenuName();
  }

  rtv::FontDesc font;
  rtv::ApplyFont(font, text);
  Check(font.height >= -32767 && font.height <= 32767 && font.size >= -32767 && font.size <= 32767);

  rtv::ChoiceLists lists(store);
  for (int cellLink : {0, 1, 2, 567}) {
    const rtv::ChoiceList& list = lists.List("GI_Fuzz", cellLink);
    Check(list.byValue.size() == list.byPosition.size());
    for (std::size_t i = 0; i < list.byValue.size(); ++i) {
      const rtv::Choice& choice = list.byValue[i];
      Check(i == 0 || list.byValue[i - 1].value <= choice.value);
      // A value is named after the first of its choices in file order.
      if (i == 0 || list.byValue[i - 1].value != choice.value) {
        Check(lists.ChoiceName("GI_Fuzz", cellLink, choice.value) == choice.name);
      }
      lists.ChoiceStep("GI_Fuzz", cellLink, choice.value, 1);
    }
    lists.ChoiceStep("GI_Fuzz", cellLink, -7, -1);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  ThrowingPrompts prompts;
  rtv::SetFatalPrompts(&prompts);
  rtv::OverlayText store;
  store.SetLines(Overlay(text));
  try {
    ParseAll(store, text);
  } catch (const FatalStop&) {
    // An overlay fault: the program would have shown it and ended.
  }
  rtv::SetFatalPrompts(nullptr);
  return 0;
}
