// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/widgets/ToolbarBuilder.h"

#include <QHBoxLayout>
#include <QToolButton>
#include <QVBoxLayout>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "menus/ItemStates.h"

namespace rtv {
namespace {

constexpr int kIndent = 4;
constexpr const char* kCellProperty = "rtvCell";

Cell* CellOf(const QToolButton* button) {
  return reinterpret_cast<Cell*>(button->property(kCellProperty).value<quintptr>());
}

void ClearLayout(QLayout* layout) {
  while (QLayoutItem* item = layout->takeAt(0)) {
    if (QLayout* inner = item->layout()) ClearLayout(inner);
    delete item->widget();
    delete item;
  }
}

}  // namespace

ToolbarBuilder::ToolbarBuilder(QWidget* owner, OverlayText& store, std::string key,
                               std::vector<QIcon> icons, ItemAccessor& accessor, MessageBus* bus)
    : QWidget(owner),
      store_(store),
      key_(std::move(key)),
      icons_(std::move(icons)),
      accessor_(accessor),
      rows_(new QVBoxLayout(this)) {
  rows_->setContentsMargins(kIndent, 2, kIndent, 2);
  rows_->setSpacing(2);
  if (bus != nullptr) {
    subscription_ = bus->SubscribeTo<msg::RefreshToolbarStates>(
        [this](const msg::RefreshToolbarStates&) { RefreshToolbar(); });
  }
}

ToolbarBuilder::~ToolbarBuilder() = default;

QHBoxLayout* ToolbarBuilder::NewRow() {
  auto* row = new QHBoxLayout;
  row->setSpacing(0);
  row->setContentsMargins(0, 0, 0, 0);
  rows_->addLayout(row);
  return row;
}

int ToolbarBuilder::RowCount() const { return rows_->count(); }

void ToolbarBuilder::BuildToolbar() {
  ClearLayout(rows_);
  buttons_.clear();
  items_.BuildFlat(store_, key_);
  QHBoxLayout* row = NewRow();
  int placed = 0;
  bool added = actions_.empty();
  const auto addActions = [this, &row, &added] {
    added = true;
    row->addSpacing(kGapWidth);
    for (QAction* action : actions_) {
      auto* button = new QToolButton(this);
      button->setDefaultAction(action);
      row->addWidget(button);
    }
  };
  for (OverlayItem& item : items_.Items()) {
    if (!added && placed == actionsAfter_) addActions();
    const std::string caption = OverlayItems::Caption(item.cell);
    if (caption == "-") {
      row->addSpacing(kGapWidth);
      continue;
    }
    if (caption == "/") {
      row->addStretch();
      row = NewRow();
      continue;
    }
    auto* button = new QToolButton(this);
    button->setAutoRaise(false);
    button->setToolTip(QString::fromStdString(caption));
    const int image = item.cell.imageIndex;
    if (image >= 0 && image < static_cast<int>(icons_.size())) {
      button->setIcon(icons_[static_cast<std::size_t>(image)]);
    }
    button->setProperty(kCellProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&item.cell)));
    Cell* cell = &item.cell;
    connect(button, &QToolButton::clicked, this, [this, cell] {
      ClickItem(accessor_, *cell, nullptr);
      RefreshToolbar();
    });
    row->addWidget(button);
    buttons_.push_back(button);
    ++placed;
  }
  if (!added) addActions();
  row->addStretch();
  RefreshToolbar();
}

void ToolbarBuilder::AddActionButtons(std::vector<QAction*> actions, int afterButtons) {
  actions_ = std::move(actions);
  actionsAfter_ = afterButtons;
  BuildToolbar();
}

void ToolbarBuilder::RefreshToolbar() {
  for (QToolButton* button : buttons_) {
    Cell* cell = CellOf(button);
    if (cell == nullptr) continue;
    const ItemState state = RefreshItemState(accessor_, *cell, nullptr);
    button->setCheckable(state.checked);
    button->setChecked(state.checked);
    button->setEnabled(state.enabled);
    button->setVisible(state.visible);
    if (state.imageIndex >= 0 && state.imageIndex < static_cast<int>(icons_.size())) {
      button->setIcon(icons_[static_cast<std::size_t>(state.imageIndex)]);
    }
  }
}

}  // namespace rtv
