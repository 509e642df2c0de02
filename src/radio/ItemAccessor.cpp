#include "radio/ItemAccessor.h"

#include "overlay/GTEX.h"
#include "radio/CellAccessHost.h"
#include "sheet/Cell.h"

namespace rtv {
namespace {

constexpr ColorValue kSystemWindowText = 0x80000008;
constexpr ColorValue kSystemButtonFace = 0x8000000F;
constexpr ColorValue kRestrictedText = 0xFFFF;
constexpr ColorValue kRestrictedBackground = 128;

// Serves a bare accessor: no image, nothing to tell.
class QuietHost : public CellAccessHost {
 public:
  void AfterImageWrite() override {}
};

CellAccessHost& Quiet() {
  static QuietHost host;
  return host;
}

void ShowNotYetServed(CellRequest& request, int link) {
  request.displayText = std::to_string(link) + " *Yet*";
}

}  // namespace

ItemAccessor::ItemAccessor(CellAccessHost* host) : host_(host != nullptr ? *host : Quiet()) {}

ItemAccessor::~ItemAccessor() = default;

void ItemAccessor::Serve(LinkFamily family, FamilyHandler handler) {
  if (family == LinkFamily::None) return;
  handlers_[static_cast<std::size_t>(family)] = std::move(handler);
}

int ItemAccessor::AccessCell(CellRequest& request, bool notify) {
  if (request.cell == nullptr) return kResultNothing;
  const Cell& cell = *request.cell;
  CellAccess access{request, cell, ListKindOf(cell.cellType), host_};
  const bool input = request.key != CellRequest::kKeyNone ||
                     request.commit != CellRequest::kCommitNone || request.command != 0;
  if (request.key != CellRequest::kKeyNone) {
    host_.PostStatusText(std::string(), kSystemWindowText, kSystemButtonFace);
  }
  request.servedType = cell.cellType;
  request.servedLink = cell.cellLink;
  request.servedIndex = cell.index;
  request.displayText.clear();
  request.resultFlags &=
      static_cast<std::uint8_t>(~(CellRequest::kResultWarning | CellRequest::kResultError));
  if (request.key == CellRequest::kKeyEnterAlias) request.key = CellRequest::kKeyEnter;

  int result = kResultNothing;
  const LinkFamily family = LinkFamilyOf(cell.cellLink);
  const FamilyHandler* handler =
      family == LinkFamily::None ? nullptr : &handlers_[static_cast<std::size_t>(family)];
  if (handler != nullptr && *handler) {
    result = (*handler)(access);
  } else {
    ShowNotYetServed(request, cell.cellLink);
  }

  if (notify && request.changed) {
    int flags = kAccessDone | access.extraFlags;
    if (access.kind != ListKind::None) flags |= kAccessListRow;
    request.changed(flags);
  }
  if (input) host_.AfterImageWrite();
  if (access.refused) {
    if (editRestrictedText_.empty() && host_.CellOverlay() != nullptr) {
      editRestrictedText_ = host_.CellOverlay()->GetFirstLine("GI_Botttom_EditRestrected");
    }
    host_.PostStatusText(editRestrictedText_, kRestrictedText, kRestrictedBackground);
  }
  return result;
}

std::string ItemAccessor::CellText(int cellType, int link, int index) {
  return Probe(cellType, link, index).displayText;
}

std::uint8_t ItemAccessor::CellFlags(int cellType, int link, int index) {
  return Probe(cellType, link, index).resultFlags &
         (CellRequest::kResultWarning | CellRequest::kResultError);
}

CellRequest ItemAccessor::Probe(int cellType, int link, int index) {
  Cell cell;
  cell.cellType = cellType;
  cell.cellLink = link;
  cell.index = index;
  CellRequest request;
  request.cell = &cell;
  AccessCell(request, false);
  request.cell = nullptr;  // the cell ends here
  return request;
}

bool ItemAccessor::CheckCell(int cellType, int link, int index) {
  return (CellFlags(cellType, link, index) & CellRequest::kResultError) != 0;
}

}  // namespace rtv
