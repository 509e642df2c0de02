// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/widgets/MenuBuilder.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <algorithm>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "menus/ItemStates.h"
#include "radio/ItemAccessor.h"

namespace rtv {
namespace {

void Bind(QAction* action, Cell& cell) {
  action->setData(QVariant::fromValue(reinterpret_cast<quintptr>(&cell)));
}

// Plain keys such as Enter or Delete belong to the sheet view that has the focus; the menu only
// names them. Keys with a modifier and function keys become real shortcuts.
bool IsMenuShortcut(const QKeySequence& sequence) {
  if (sequence.isEmpty()) return false;
  const QKeyCombination combination = sequence[0];
  if (combination.keyboardModifiers() != Qt::NoModifier) return true;
  const Qt::Key key = combination.key();
  return key >= Qt::Key_F1 && key <= Qt::Key_F35;
}

QString CaptionOf(const Cell& cell) { return QString::fromStdString(OverlayItems::Caption(cell)); }

void SetShortcut(QAction* action, const Cell& cell) {
  if (!cell.option || cell.option->empty()) return;
  const QString name = QString::fromStdString(*cell.option);
  const QKeySequence sequence = QKeySequence::fromString(name);
  if (IsMenuShortcut(sequence)) {
    action->setShortcut(sequence);
  } else {
    action->setText(CaptionOf(cell) + "\t" + name);
  }
}

QMenu* AddSubMenu(QWidget* parent, const QString& caption) {
  if (auto* bar = qobject_cast<QMenuBar*>(parent)) return bar->addMenu(caption);
  return static_cast<QMenu*>(parent)->addMenu(caption);
}

QAction* AddAction(QWidget* parent, const QString& caption) {
  if (auto* bar = qobject_cast<QMenuBar*>(parent)) return bar->addAction(caption);
  return static_cast<QMenu*>(parent)->addAction(caption);
}

void ClearMenu(QWidget* menu) {
  if (auto* bar = qobject_cast<QMenuBar*>(menu)) {
    bar->clear();
  } else {
    static_cast<QMenu*>(menu)->clear();
  }
}

QAction* FindAction(const QList<QAction*>& actions, int cellLink) {
  for (QAction* action : actions) {
    if (const Cell* cell = MenuBuilder::CellOf(action);
        cell != nullptr && cell->cellLink == cellLink) {
      return action;
    }
    if (QMenu* sub = action->menu()) {
      if (QAction* found = FindAction(sub->actions(), cellLink)) return found;
    }
  }
  return nullptr;
}

}  // namespace

MenuBuilder::MenuBuilder(QWidget* root, OverlayText& store, std::string key, ItemAccessor& accessor,
                         MessageBus* bus, ClickHandler onClick)
    : root_(root),
      store_(store),
      key_(std::move(key)),
      accessor_(accessor),
      onClick_(std::move(onClick)) {
  if (bus == nullptr) return;
  subscription_ = bus->Subscribe([this](const Message& message) {
    std::visit(Overloaded{[this](const msg::RefreshMenuStates&) { RefreshMenu(); },
                          [this](const msg::ClearMenuSubItems& m) { ClearSubItems(m.cellLink); },
                          [this](const msg::BuildMenuSubItems& m) {
                            BuildSubItems(m.cellLink, m.overlayKey);
                          },
                          [](const auto&) {}},
               message);
  });
}

MenuBuilder::~MenuBuilder() = default;

void MenuBuilder::BuildMenu() {
  ClearMenu(root_);
  subItems_.clear();
  items_.BuildNested(store_, key_);
  AddLevel(root_, items_.Items());
  RefreshMenu();
}

void MenuBuilder::AddLevel(QWidget* parent, std::vector<OverlayItem>& items) {
  for (OverlayItem& item : items) {
    const QString caption = CaptionOf(item.cell);
    if (caption == "-" && item.children.empty()) {
      if (auto* menu = qobject_cast<QMenu*>(parent)) menu->addSeparator();
      continue;
    }
    QAction* action = nullptr;
    if (!item.children.empty()) {
      QMenu* sub = AddSubMenu(parent, caption);
      // States are asked again whenever a menu opens, so they are never stale.
      connect(sub, &QMenu::aboutToShow, this, [this, sub] { Refresh(sub); });
      AddLevel(sub, item.children);
      action = sub->menuAction();
    } else {
      action = AddAction(parent, caption);
      Cell* cell = &item.cell;
      connect(action, &QAction::triggered, this, [this, cell] { Clicked(*cell); });
    }
    Bind(action, item.cell);
    SetShortcut(action, item.cell);
  }
}

void MenuBuilder::RefreshMenu() { Refresh(root_); }

void MenuBuilder::Refresh(QWidget* menu) {
  for (QAction* action : menu->actions()) {
    if (Cell* cell = CellOf(action)) {
      const ItemState state = RefreshItemState(accessor_, *cell, Owner());
      action->setCheckable(state.checked);
      action->setChecked(state.checked);
      action->setVisible(state.visible);
      action->setEnabled(state.enabled);
      if (state.relabelled) action->setText(QString::fromStdString(state.caption));
    } else if (!action->isSeparator()) {
      action->setChecked(false);
    }
    if (QMenu* sub = action->menu()) {
      Refresh(sub);
      // A menu goes when every item in it is hidden.
      const QList<QAction*> items = sub->actions();
      if (!items.isEmpty() && std::none_of(items.begin(), items.end(), [](const QAction* item) {
            return !item->isSeparator() && item->isVisible();
          })) {
        action->setVisible(false);
      }
    }
  }
}

void MenuBuilder::Clicked(const Cell& cell) {
  // A popup item's own cell only says what it is; the command belongs to its owner.
  if (cell.cellType == TypeNo("CT_PopupMenu") && popupCommand_) {
    popupCommand_(cell.cellLink);
  } else if (onClick_) {
    onClick_(cell);
  } else {
    ClickItem(accessor_, cell, Owner());
  }
  RefreshMenu();
}

void MenuBuilder::ClearSubItems(int cellLink) {
  QAction* action = ActionFor(cellLink);
  if (action == nullptr) return;
  if (QMenu* sub = action->menu()) {
    sub->clear();
    AddLeadingActions(cellLink, sub);
  }
  subItems_.erase(cellLink);
}

void MenuBuilder::BuildSubItems(int cellLink, const std::string& key) {
  QAction* action = ActionFor(cellLink);
  if (action == nullptr) return;
  ClearSubItems(cellLink);
  QMenu* sub = SubMenuOf(action);
  auto items = std::make_unique<OverlayItems>();
  items->BuildNested(store_, key);
  if (!sub->actions().isEmpty()) sub->addSeparator();
  AddLevel(sub, items->Items());
  subItems_[cellLink] = std::move(items);
  Refresh(sub);
}

void MenuBuilder::SetLeadingActions(int cellLink, std::vector<QAction*> actions) {
  leading_[cellLink] = std::move(actions);
  QAction* action = ActionFor(cellLink);
  if (action == nullptr) return;
  if (action->menu() == nullptr) {
    SubMenuOf(action);  // its leading actions are added as it is made
  } else {
    ClearSubItems(cellLink);
  }
}

QMenu* MenuBuilder::SubMenuOf(QAction* action) {
  QMenu* sub = action->menu();
  if (sub == nullptr) {
    sub = new QMenu(root_);
    action->setMenu(sub);
    connect(sub, &QMenu::aboutToShow, this, [this, sub] { Refresh(sub); });
    if (const Cell* cell = CellOf(action)) AddLeadingActions(cell->cellLink, sub);
  }
  return sub;
}

void MenuBuilder::SetSubItemsSource(int cellLink, std::function<std::string()> source) {
  QAction* action = ActionFor(cellLink);
  if (action == nullptr) return;
  QMenu* sub = SubMenuOf(action);
  // Connected after the refresh that SubMenuOf attaches, so that its build refreshes last.
  connect(sub, &QMenu::aboutToShow, this, [this, cellLink, source = std::move(source)] {
    const std::string key = source();
    if (!key.empty()) BuildSubItems(cellLink, key);
  });
}

void MenuBuilder::AddLeadingActions(int cellLink, QMenu* sub) {
  const auto found = leading_.find(cellLink);
  if (found == leading_.end()) return;
  for (QAction* leading : found->second) sub->addAction(leading);
}

Cell* MenuBuilder::CellOf(const QAction* action) {
  return reinterpret_cast<Cell*>(action->data().value<quintptr>());
}

QAction* MenuBuilder::ActionFor(int cellLink) const {
  return FindAction(root_->actions(), cellLink);
}

}  // namespace rtv
