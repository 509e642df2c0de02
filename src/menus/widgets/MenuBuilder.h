// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/BusSubscription.h"
#include "menus/OverlayItems.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace rtv {

class OverlayText;
class ItemAccessor;
class MessageBus;

// A menu bar or popup menu built from an overlay body. What each item does and whether
// it is checked, shown, enabled or relabelled is the accessor's answer for its cell.
class MenuBuilder : public QObject {
  Q_OBJECT

 public:
  // The sheet cell the menu acts on, or null.
  using OwnerProvider = std::function<const Cell*()>;
  using ClickHandler = std::function<void(const Cell& cell)>;
  // Runs a cell popup item's command (its cell link) on the owner cell, as the sheet view's own
  // popup does.
  using PopupCommandHandler = std::function<void(int cellLink)>;

  // `root` is a QMenuBar or a QMenu; without a click handler a click is Enter on the cell.
  MenuBuilder(QWidget* root, OverlayText& store, std::string key, ItemAccessor& accessor,
              MessageBus* bus, ClickHandler onClick = {});
  ~MenuBuilder() override;

  void SetOwnerProvider(OwnerProvider provider) { owner_ = std::move(provider); }
  void SetPopupCommandHandler(PopupCommandHandler handler) { popupCommand_ = std::move(handler); }

  void BuildMenu();
  void RefreshMenu();
  void ClearSubItems(int cellLink);
  void BuildSubItems(int cellLink, const std::string& key);
  // The item bound to `cellLink` gets a sub-menu built afresh, from the key `source` names,
  // each time it opens: it shows what holds at that moment, whatever has the focus.
  void SetSubItemsSource(int cellLink, std::function<std::string()> source);
  // Actions of the window's own that head the sub-items of `cellLink` whatever they are (the
  // Edit menu's Undo and Redo); the window owns them.
  void SetLeadingActions(int cellLink, std::vector<QAction*> actions);

  // The action of the first item bound to `cellLink` (for the window and for tests).
  QAction* ActionFor(int cellLink) const;
  // The cell an action was built from, or null.
  static Cell* CellOf(const QAction* action);

 private:
  void AddLevel(QWidget* parent, std::vector<OverlayItem>& items);
  void Refresh(QWidget* menu);
  void Clicked(const Cell& cell);
  const Cell* Owner() const { return owner_ ? owner_() : nullptr; }
  // The sub-menu of `cellLink`'s item, made when it has none yet.
  QMenu* SubMenuOf(QAction* action);
  void AddLeadingActions(int cellLink, QMenu* sub);

  QWidget* root_;
  OverlayText& store_;
  const std::string key_;
  ItemAccessor& accessor_;
  ClickHandler onClick_;
  OwnerProvider owner_;
  PopupCommandHandler popupCommand_;
  OverlayItems items_;
  // Sub-items built under an item, by the item's cell link.
  std::map<int, std::unique_ptr<OverlayItems>> subItems_;
  std::map<int, std::vector<QAction*>> leading_;
  BusSubscription subscription_;  // last: it ends first
};

}  // namespace rtv
