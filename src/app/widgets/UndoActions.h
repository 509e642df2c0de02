// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>

#include "base/BusSubscription.h"

class QAction;

namespace rtv {

class Document;
class MainController;

// The Undo and Redo commands of the window: their actions for the Edit menu and the
// toolbar, with the shortcuts Ctrl+Z, Ctrl+Shift+Z and Ctrl+Y. Their captions say what
// they would take back or make again, and they are greyed when there is nothing.
class UndoActions : public QObject {
  Q_OBJECT

 public:
  // The captions and the enabling follow `document`; the commands run through the controller.
  UndoActions(MainController& controller, const Document& document, QObject* parent);
  ~UndoActions() override;

  QAction* Undo() const { return undo_; }
  QAction* Redo() const { return redo_; }
  void Refresh();

 private:
  MainController& controller_;
  const Document& document_;
  QAction* undo_;
  QAction* redo_;
  BusSubscription subscription_;
};

}  // namespace rtv
