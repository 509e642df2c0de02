// SPDX-License-Identifier: GPL-3.0-or-later
#include "menus/widgets/TreeBuilder.h"

#include <QHeaderView>
#include <QPainter>
#include <algorithm>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/CellMarkup.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"

namespace rtv {
namespace {

constexpr int kCellRole = Qt::UserRole;
constexpr int kIconSize = 16;

}  // namespace

TreeBuilder::TreeBuilder(QWidget* owner, OverlayText& store, std::string key,
                         std::vector<QIcon> icons, MessageBus* bus)
    : QTreeWidget(owner), store_(store), key_(std::move(key)), icons_(std::move(icons)) {
  setHeaderHidden(true);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setIconSize(QSize(kIconSize, kIconSize));
  if (bus != nullptr) {
    subscription_ = bus->SubscribeTo<msg::SelectTreeNode>(
        [this](const msg::SelectTreeNode& m) { SelectByDescriptor(m.sheet); });
  }
}

TreeBuilder::~TreeBuilder() = default;

const Cell* TreeBuilder::CellOf(const QTreeWidgetItem* node) {
  if (node == nullptr) return nullptr;
  return reinterpret_cast<const Cell*>(node->data(0, kCellRole).value<quintptr>());
}

void TreeBuilder::BuildTree() {
  clear();
  addedCells_.clear();
  items_.BuildNested(store_, key_);
  const Cell& basic = items_.BasicCell();
  if (const FontDesc* font = basic.DrawingFont()) setFont(ToQFont(*font));
  QPalette colours = palette();
  colours.setColor(QPalette::Base, ToQColor(basic.colour));
  setPalette(colours);
  AddLevel(nullptr, items_.Items());
  if (QTreeWidgetItem* first = topLevelItem(0)) first->setExpanded(true);
}

void TreeBuilder::AddLevel(QTreeWidgetItem* parent, std::vector<OverlayItem>& items) {
  for (OverlayItem& item : items) {
    auto* node = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, QString::fromStdString(OverlayItems::Caption(item.cell)));
    node->setData(0, kCellRole, QVariant::fromValue(reinterpret_cast<quintptr>(&item.cell)));
    node->setIcon(0, Icon(item.cell.imageIndex));
    AddLevel(node, item.children);
  }
}

QIcon TreeBuilder::Icon(int index) const {
  if (index < 0 || index >= static_cast<int>(icons_.size())) return {};
  return icons_[static_cast<std::size_t>(index)];
}

QIcon TreeBuilder::Marked(int index, int overlayPicture) const {
  QPixmap picture(kIconSize, kIconSize);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  Icon(index).paint(&painter, picture.rect());
  Icon(overlayPicture == 0 ? kErrorPicture : kWarningPicture).paint(&painter, picture.rect());
  return QIcon(picture);
}

const Cell* TreeBuilder::SelectedCell() const { return CellOf(currentItem()); }

QString TreeBuilder::SelectedCaption() const {
  const QTreeWidgetItem* node = currentItem();
  return node != nullptr ? node->text(0) : QString();
}

void TreeBuilder::SelectByDescriptor(const std::string& descriptor) {
  if (QTreeWidgetItem* node = FindNode(descriptor)) setCurrentItem(node);
}

void TreeBuilder::MarkNodes(const std::vector<std::string>& descriptors, int overlayPicture) {
  for (int i = 0; i < topLevelItemCount(); ++i) {
    MarkUnder(topLevelItem(i), descriptors, overlayPicture);
  }
}

bool TreeBuilder::MarkUnder(QTreeWidgetItem* node, const std::vector<std::string>& descriptors,
                            int overlayPicture) {
  bool below = false;
  for (int i = 0; i < node->childCount(); ++i) {
    below = MarkUnder(node->child(i), descriptors, overlayPicture) || below;
  }
  const Cell* cell = CellOf(node);
  const bool listed =
      cell != nullptr && cell->option &&
      std::find(descriptors.begin(), descriptors.end(), *cell->option) != descriptors.end();
  if (listed || (below && !node->isExpanded())) {
    node->setIcon(0, Marked(cell != nullptr ? cell->imageIndex : -1, overlayPicture));
  }
  return listed || below;
}

void TreeBuilder::ClearMarks() {
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
    const Cell* cell = CellOf(*it);
    (*it)->setIcon(0, Icon(cell != nullptr ? cell->imageIndex : -1));
  }
}

}  // namespace rtv

namespace rtv {

QTreeWidgetItem* TreeBuilder::FindNode(const std::string& descriptor) {
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
    const Cell* cell = CellOf(*it);
    if (cell != nullptr && cell->option && *cell->option == descriptor) return *it;
  }
  return nullptr;
}

void TreeBuilder::RemoveNodesWithFlag(int flag) {
  std::vector<QTreeWidgetItem*> doomed;
  for (QTreeWidgetItemIterator it(this); *it != nullptr; ++it) {
    const Cell* cell = CellOf(*it);
    if (cell != nullptr && cell->UserFlag(flag)) doomed.push_back(*it);
  }
  // Children go with their parents; delete from the deepest up so no pointer dangles.
  for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) delete *it;
}

bool TreeBuilder::InsertFromBody(const std::string& descriptor, int position) {
  QTreeWidgetItem* root = topLevelItem(0);
  if (root == nullptr || FindNode(descriptor) != nullptr) return false;
  const std::string bodyKey = key_ + "_Body";
  if (!store_.HasKey(bodyKey)) return false;
  for (int line = 0;; ++line) {
    const std::string text = store_.GetLine(bodyKey, line);
    if (!text.empty() && text[0] == '#') return false;
    if (text.find(descriptor) == std::string::npos) continue;
    const auto plus = text.find('+');
    if (plus == std::string::npos) continue;
    auto cell = std::make_unique<Cell>();
    ParseCell(store_, *cell, std::string_view(text).substr(plus + 1), nullptr, &items_.BasicCell());
    auto* node = new QTreeWidgetItem;
    node->setText(0, QString::fromStdString(OverlayItems::Caption(*cell)));
    node->setData(0, kCellRole, QVariant::fromValue(reinterpret_cast<quintptr>(cell.get())));
    node->setIcon(0, Icon(cell->imageIndex));
    root->insertChild(std::clamp(position, 0, root->childCount()), node);
    addedCells_.push_back(std::move(cell));
    return true;
  }
}

}  // namespace rtv
