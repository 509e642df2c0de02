// SPDX-License-Identifier: GPL-3.0-or-later
#include "EditorAccess.h"

namespace rtv {

std::ostream& operator<<(std::ostream& out, CellKey key) {
  if (key.IsTyped()) return out << '\'' << key.typed() << '\'';
  switch (key.special()) {
    case SpecialKey::None:
      return out << "none";
    case SpecialKey::Enter:
      return out << "Enter";
    case SpecialKey::Activate:
      return out << "Activate";
    case SpecialKey::Backspace:
      return out << "Backspace";
    case SpecialKey::Left:
      return out << "Left";
    case SpecialKey::Right:
      return out << "Right";
    default:
      return out << 'F' << static_cast<int>(key.special()) - static_cast<int>(SpecialKey::F1) + 1;
  }
}

std::ostream& operator<<(std::ostream& out, AccessResult result) {
  switch (result) {
    case AccessResult::Nothing:
      return out << "nothing";
    case AccessResult::PopupOpened:
      return out << "popup opened";
    case AccessResult::StartEdit:
      return out << "start edit";
  }
  return out << static_cast<int>(result);
}

void RecordingPopupHost::OpenChoicePopup(const std::string& listKey, int variant, int value) {
  opened.push_back(listKey + "#" + std::to_string(variant) + "=" + std::to_string(value));
}

EditorOutcome Serve(CellEditor& editor, const EditorAccess& access, bool withPopupHost) {
  RecordingPopupHost popupHost;
  CellRequest request;
  request.popupHost = withPopupHost ? &popupHost : nullptr;
  request.key = access.key;
  if (access.commit) {
    request.commit = CellCommit::Text;
    request.editText = *access.commit;
  }
  EditorOutcome out;
  out.result = editor.Serve(request);
  out.changed = editor.changed();
  out.display = request.displayText;
  out.selectionStart = request.selectionStart;
  out.selectionLength = request.selectionLength;
  out.opened = popupHost.opened;
  out.notice = request.notice;
  out.noticeValues = request.noticeValues;
  out.keepEditing = request.keepEditing;
  out.rule = request.editRule;
  return out;
}

}  // namespace rtv
