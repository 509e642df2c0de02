// SPDX-License-Identifier: GPL-3.0-or-later
#include "cells/CellCatalog.h"

#include <array>
#include <cstdint>
#include <cstdio>

#include "base/Fatal.h"
#include "cells/CellNames.h"
#include "overlay/NameTable.h"

namespace rtv {
namespace {

// Types and links share one table. Links are entered with this offset so that a link
// name written where a type belongs (or the reverse) is not mistaken for a number of
// the other vocabulary.
constexpr int kLinkValueOffset = 1 << 16;

struct CatalogTable {
  NameTable table{NameTable::kDefaultBuckets};
  bool typesEntered = false;
  bool linksEntered = false;
};

CatalogTable& Catalog() {
  static CatalogTable catalog;
  return catalog;
}

constexpr std::array<ListKind, kCellTypeCount + 1> kListKinds = {
    ListKind::None,
    ListKind::None,
    ListKind::IntChannels,
    ListKind::UsaChannels,
    ListKind::CanChannels,
    ListKind::DscChannels,
    ListKind::WeatherChannels,
    ListKind::FreeChannels,
    ListKind::DscIndividualIds,
    ListKind::DscGroupIds,
    ListKind::IdBlocking,
    ListKind::AtisCall,
    ListKind::Adjustment,
    ListKind::None,
};

// First link of each family, in family order, closed by the end of the catalog: the one
// place that says where the families lie.
constexpr std::array<int, kLinkFamilyCount + 1> kFamilyStarts = {
    LinkNo("CL_Null"),          LinkNo("CL_EeDebugWin_Adr"), LinkNo("CL_Free_Byte_Dec"),
    LinkNo("CL_Menu_File_New"), LinkNo("CallSheet"),         LinkNo("CL_Check_Int_ChInh"),
    LinkNo("CL_CloneInfo_Esn"), LinkNo("CL_PMenu_NoItem"),   LinkNo("CL_Misc_ChNo_0Base"),
    LinkNo("CL_Dummy"),         LinkNo("CL_ChList_No_INT"),  LinkNo("CL_INT_ChNo"),
    LinkNo("CL_DSC_ChNo"),      LinkNo("CL_WX_ChAtr"),       LinkNo("CL_Fch_FreqR"),
    LinkNo("CL_DscIndId_Id"),   LinkNo("CL_ComSet_Light"),   LinkNo("CL_Adjust_ChGrp"),
    LinkNo("CL_ADP_REF_Init"),  LinkNo("CL_WinAD_BATTD"),    kCellLinkCount,
};

// The family of every link, worked out once at compile time: the accessor asks for it
// several times on each of the warning pass's cells.
constexpr std::array<std::uint8_t, kCellLinkCount> kFamilyOfLink = [] {
  std::array<std::uint8_t, kCellLinkCount> families{};
  int family = 0;
  for (int cellLink = 0; cellLink < kCellLinkCount; ++cellLink) {
    while (cellLink >= kFamilyStarts[family + 1]) ++family;
    families[cellLink] = static_cast<std::uint8_t>(family);
  }
  return families;
}();

}  // namespace

int CellTypeNumber(std::string_view name) {
  if (name.empty()) return kCellTypeNone;
  CatalogTable& catalog = Catalog();
  if (!catalog.typesEntered) {
    catalog.typesEntered = true;
    for (int i = 0; i < kCellTypeCount; ++i) catalog.table.Add(kCellTypeNames[i], i);
  }
  const auto value = catalog.table.Find(name);
  if (!value || *value >= kLinkValueOffset) {
    FatalError("Cannot use the specified category.\n'" + std::string(name) + "'");
  }
  return *value;
}

int CellLinkNumber(std::string_view name) {
  if (name.empty()) return kCellLinkNone;
  CatalogTable& catalog = Catalog();
  if (!catalog.linksEntered) {
    catalog.linksEntered = true;
    for (int i = 0; i < kCellLinkCount; ++i) {
      catalog.table.Add(kCellLinkNames[i], kLinkValueOffset + i);
    }
  }
  const auto value = catalog.table.Find(name);
  if (!value || *value < kLinkValueOffset) {
    FatalError("Cannot use the specified cell.\n'" + std::string(name) + "'");
  }
  return *value - kLinkValueOffset;
}

std::string CellLinkName(int cellLink) {
  if (cellLink < 0 || cellLink >= kCellLinkCount) return {};
  return std::string(kCellLinkNames[cellLink]);
}

ListKind ListKindOf(int cellType) {
  if (cellType < 0 || cellType > kCellTypeCount) {
    char text[64];
    std::snprintf(text, sizeof text, "Unknown Cell Category. (%d)", cellType);
    FatalError(text);
  }
  return kListKinds[cellType];
}

int ListRowCount(ListKind kind) {
  switch (kind) {
    case ListKind::IntChannels:
    case ListKind::UsaChannels:
    case ListKind::CanChannels:
      return 421;
    case ListKind::DscChannels:
      return 171;
    case ListKind::WeatherChannels:
      return 10;
    case ListKind::FreeChannels:
      return 70;
    case ListKind::DscIndividualIds:
      return 60;
    case ListKind::DscGroupIds:
      return 30;
    default:
      return 0;
  }
}

LinkFamily LinkFamilyOf(int cellLink) {
  if (cellLink < 0 || cellLink >= kCellLinkCount) return LinkFamily::None;
  return static_cast<LinkFamily>(kFamilyOfLink[static_cast<std::size_t>(cellLink)]);
}

int LinkFamilyFirst(LinkFamily family) {
  return family == LinkFamily::None ? kCellLinkNone : kFamilyStarts[static_cast<int>(family)];
}

int LinkFamilyLast(LinkFamily family) {
  return family == LinkFamily::None ? kCellLinkNone
                                    : kFamilyStarts[static_cast<int>(family) + 1] - 1;
}

}  // namespace rtv
