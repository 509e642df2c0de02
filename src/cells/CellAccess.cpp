#include "cells/CellAccess.h"

namespace rtv {

void CellAccess::MarkReadOnly() {
  if (request.canvas != nullptr) request.canvas->SetFontColor(kReadOnlyColour);
  request.commit = CellRequest::kCommitNone;
  const int key = request.key;
  if ((key >= 1 && key <= 126) || key == CellRequest::kKeyF2) {
    request.key = CellRequest::kKeyNone;
    refused = true;
  }
}

void CellAccess::MarkGreyed() {
  if (request.canvas != nullptr) request.canvas->SetFontColor(kGreyedColour);
}

void CellAccess::ShowReadOnly(const char* text) {
  request.displayText = text;
  MarkReadOnly();
}

}  // namespace rtv
