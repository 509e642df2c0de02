#include "EditorAccess.h"

namespace rtv {

void RecordingGrid::OpenChoicePopup(const std::string& listKey, int variant, int value) {
  opened.push_back(listKey + "#" + std::to_string(variant) + "=" + std::to_string(value));
}

EditorOutcome Serve(CellEditor& editor, const EditorAccess& access, bool withGrid) {
  RecordingGrid grid;
  CellRequest request;
  request.grid = withGrid ? &grid : nullptr;
  request.key = access.key;
  if (access.commit) {
    request.commit = CellRequest::kCommitEdit;
    request.editText = *access.commit;
  }
  EditorOutcome out;
  out.result = editor.Serve(request);
  out.changed = editor.changed();
  out.display = request.displayText;
  out.selectionStart = request.selectionStart;
  out.selectionLength = request.selectionLength;
  out.opened = grid.opened;
  return out;
}

}  // namespace rtv
