#include "radio/ItemAccessor.h"

#include "radio/CellAccessHost.h"
#include "sheet/Cell.h"

namespace rtv {
namespace {

void ShowNotYetServed(CellRequest& request, int link) {
  request.displayText = std::to_string(link) + " *Yet*";
}

}  // namespace

ItemAccessor::ItemAccessor(CellAccessHost* host) : host_(host) {}

ItemAccessor::~ItemAccessor() = default;

void ItemAccessor::Serve(LinkFamily family, FamilyHandler handler) {
  if (family == LinkFamily::None) return;
  handlers_[static_cast<std::size_t>(family)] = std::move(handler);
}

int ItemAccessor::AccessCell(CellRequest& request, bool notify) {
  if (request.cell == nullptr) return kResultNothing;
  const Cell& cell = *request.cell;
  CellAccess access{request, cell, ListKindOf(cell.cellType)};
  const bool input = request.key != CellRequest::kKeyNone ||
                     request.commit != CellRequest::kCommitNone || request.command != 0;
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
  if (input && host_ != nullptr) host_->AfterImageWrite();
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
