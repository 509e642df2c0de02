// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/UndoActions.h"

#include <QAction>
#include <QKeySequence>

#include "app/Document.h"
#include "app/MainController.h"
#include "app/widgets/IconLists.h"
#include "base/Message.h"
#include "base/MessageBus.h"

namespace rtv {

UndoActions::UndoActions(MainController& controller, const Document& document, QObject* parent)
    : QObject(parent),
      controller_(controller),
      document_(document),
      undo_(new QAction(this)),
      redo_(new QAction(this)) {
  undo_->setIcon(BuiltInIcon("imgIcon_Bar_Edit_Undo"));
  redo_->setIcon(BuiltInIcon("imgIcon_Bar_Edit_Redo"));
  undo_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  redo_->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  connect(undo_, &QAction::triggered, this, [this] {
    controller_.Undo();
    Refresh();
  });
  connect(redo_, &QAction::triggered, this, [this] {
    controller_.Redo();
    Refresh();
  });
  subscription_ = controller_.Bus().Subscribe([this](const Message& message) {
    if (std::holds_alternative<msg::RefreshMenuStates>(message) ||
        std::holds_alternative<msg::RefreshToolbarStates>(message) ||
        std::holds_alternative<msg::ImageReplaced>(message)) {
      Refresh();
    }
  });
  Refresh();
}

UndoActions::~UndoActions() = default;

void UndoActions::Refresh() {
  undo_->setText(QString::fromStdString(document_.UndoCaption()));
  redo_->setText(QString::fromStdString(document_.RedoCaption()));
  undo_->setEnabled(document_.History().CanUndo());
  redo_->setEnabled(document_.History().CanRedo());
  // The tool tip names the shortcut as the other buttons' do.
  undo_->setToolTip(undo_->text() + " (Ctrl+Z)");
  redo_->setToolTip(redo_->text() + " (Ctrl+Y)");
}

}  // namespace rtv
