// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QTreeWidget>
#include <memory>
#include <string>
#include <vector>

#include "base/BusSubscription.h"
#include "menus/OverlayItems.h"

namespace rtv {

class OverlayText;
class MessageBus;

// The read-only tree of sheets, built from an overlay body: each node's cell names, in
// its option, the sheet that selecting the node opens.
class TreeBuilder : public QTreeWidget {
  Q_OBJECT

 public:
  // Overlay picture 0 marks errors, 1 warnings; these are their icon list positions.
  static constexpr int kErrorPicture = 5;
  static constexpr int kWarningPicture = 4;

  TreeBuilder(QWidget* owner, OverlayText& store, std::string key, std::vector<QIcon> icons,
              MessageBus* bus);
  ~TreeBuilder() override;

  void BuildTree();
  // The cell of the selected node, or null.
  const Cell* SelectedCell() const;
  QString SelectedCaption() const;
  // Selects the node whose descriptor (option text) equals `descriptor`; unchanged when
  // no node carries it.
  void SelectByDescriptor(const std::string& descriptor);
  // Marks the nodes whose descriptors are listed, and every collapsed node holding one,
  // with overlay picture 0 (error) or 1 (warning).
  void MarkNodes(const std::vector<std::string>& descriptors, int overlayPicture);
  void ClearMarks();

  // The node whose descriptor is `descriptor`, or null.
  QTreeWidgetItem* FindNode(const std::string& descriptor);
  // Deletes every node whose cell has user flag `flag`, with the nodes under it.
  void RemoveNodesWithFlag(int flag);
  // Creates the node of `descriptor` from the first body line that names it and inserts
  // it under the first node at `position`; false when no line names it or it exists.
  bool InsertFromBody(const std::string& descriptor, int position);

  // Each node's cell (for the window and for tests).
  static const Cell* CellOf(const QTreeWidgetItem* node);

 private:
  void AddLevel(QTreeWidgetItem* parent, std::vector<OverlayItem>& items);
  QIcon Icon(int index) const;
  QIcon Marked(int index, int overlayPicture) const;
  // Marks `node` when it is listed; returns whether it or a node under it is listed.
  bool MarkUnder(QTreeWidgetItem* node, const std::vector<std::string>& descriptors,
                 int overlayPicture);

  OverlayText& store_;
  const std::string key_;
  std::vector<QIcon> icons_;
  OverlayItems items_;
  // Cells of nodes added after the build; their addresses must stay put.
  std::vector<std::unique_ptr<Cell>> addedCells_;
  BusSubscription subscription_;  // last: it ends first
};

}  // namespace rtv
