// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "base/BusSubscription.h"
#include "menus/OverlayItems.h"

class QAction;
class QHBoxLayout;
class QToolButton;
class QVBoxLayout;

namespace rtv {

class OverlayText;
class ItemAccessor;
class MessageBus;

// The toolbar built from an overlay body: one button per line, "-" a gap of 8 pixels and
// "/" the start of a new row. Button states are the accessor's answers for their cells.
class ToolbarBuilder : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kGapWidth = 8;

  ToolbarBuilder(QWidget* owner, OverlayText& store, std::string key, std::vector<QIcon> icons,
                 ItemAccessor& accessor, MessageBus* bus);
  ~ToolbarBuilder() override;

  void BuildToolbar();
  void RefreshToolbar();
  // Buttons of the window's own actions (Undo and Redo), after a gap behind the first
  // `afterButtons` buttons of the first row; kept when the toolbar is built again.
  void AddActionButtons(std::vector<QAction*> actions, int afterButtons);

  // The buttons in order (for the window and for tests).
  const std::vector<QToolButton*>& Buttons() const { return buttons_; }
  int RowCount() const;

 private:
  QHBoxLayout* NewRow();

  OverlayText& store_;
  const std::string key_;
  std::vector<QIcon> icons_;
  ItemAccessor& accessor_;
  OverlayItems items_;
  QVBoxLayout* rows_;
  std::vector<QToolButton*> buttons_;
  std::vector<QAction*> actions_;
  int actionsAfter_ = 0;
  BusSubscription subscription_;  // last: it ends first
};

}  // namespace rtv
