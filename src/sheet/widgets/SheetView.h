// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAbstractScrollArea>
#include <QIcon>
#include <QPointer>
#include <memory>
#include <string>
#include <vector>

#include "cells/ChoicePopupHost.h"
#include "sheet/SheetController.h"
#include "sheet/SheetViewport.h"
#include "sheet/widgets/CellPainter.h"
#include "sheet/widgets/SheetGeometry.h"

class QLineEdit;

namespace rtv {

class CellEditorField;
class ChoicePopup;
class ItemAccessor;
class MessageBus;
class SheetModelHost;
class Timers;
struct SheetServices;

// What a sheet view needs around it; all outlive the sheet view.
struct SheetViewServices {
  const SheetServices* sheets = nullptr;  // for the sheets of choice popups
  SheetModelHost* model = nullptr;
  MessageBus* bus = nullptr;
  Timers* timers = nullptr;
  // Pictures for the cells' marks: 4 warning, 5 error. Without them the marks are drawn.
  const std::vector<QIcon>* images = nullptr;
  // States of the cells' popup menus and their row keys; without it neither is offered.
  ItemAccessor* accessor = nullptr;
};

// The sheet view that shows a built sheet and draws every cell itself: fixed rows and columns,
// scrolling by whole cells, the in-place editor and the cells' popup menus. What the
// events mean is decided by the sheet's controller.
//
// While the sheet view has the focus, the popup menu of its current cell (the row commands of a
// channel row, say) is what a window's Edit menu offers: CellMenuKey names it and
// CellMenuChanged says when it changed.
class SheetView : public QAbstractScrollArea, public SheetViewport, public ChoicePopupHost {
  Q_OBJECT

 public:
  SheetView(Sheet& sheet, const SheetViewServices& services, QWidget* parent = nullptr);
  ~SheetView() override;

  SheetController& controller() { return *controller_; }
  Sheet& sheet() { return sheet_; }
  // Takes the sheet's sizes and cursor after a (re)build.
  void SheetRebuilt();
  // Embedded sheets without scroll bars (a choice popup that fits its screen).
  void SetScrollBarsShown(bool shown);
  // A dialog's sheet view shows its current cell in the cell's own colours until it is focused.
  void SetPlainUntilFocused(bool on) { plainUntilFocused_ = on; }
  // The cell with the cursor; null while the sheet has no cells.
  const Cell* CurrentCell() const;
  // A cell popup item (its cell link, such as CL_PMenu_Copy) chosen for the current cell.
  void RunPopupCommand(int cellLink);
  // The overlay key of the current cell's popup menu while the sheet view offers it to the Edit
  // menu; empty while it offers none (no such menu, or the focus went elsewhere).
  const std::string& CellMenuKey() const { return popupKey_; }

  // Viewport rectangle of a cell (empty when it is scrolled out of view).
  QRect CellRect(int column, int row) const;
  bool CellAtPoint(const QPoint& point, int& column, int& row) const;
  QLineEdit* editor() const;
  ChoicePopup* choicePopup() const;
  // Repaints since the last call, in cells (the whole sheet view counts every visible cell).
  int TakePaintedCells();
  // What a cell's tooltip says: a heading its column's rule, a marked cell its reason.
  QString ToolTipText(int column, int row) const;

  // SheetViewport
  void RedrawCell(int column, int row) override;
  void RedrawRow(int row) override;
  void RedrawAll() override;
  void VisibleCells(int& lastColumn, int& lastRow) const override;
  void ShowCell(int column, int row, bool fullyLeft, bool fullyTop) override;
  void OpenEditor(const std::string& text, int selectionStart, int selectionLength) override;
  void CloseEditor(bool commit) override;
  bool EditorOpen() const override;
  bool HasFocus() const override;
  ChoicePopupHost* PopupHost() override { return this; }
  void CurrentCellChanged() override;
  void ChoiceMade() override;

  // ChoicePopupHost
  void OpenChoicePopup(const std::string& listKey, int variant, int value) override;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return {1, 1}; }

 signals:
  void CellMenuChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void DrawCell(QPainter& painter, int column, int row, const QRect& rect);
  void UpdateScrollBars();
  void SetCellMenuKey(const std::string& key);
  void ShowCellPopup(const QPoint& globalPos);
  // Runs the row commands of a key when the cell's menu offers them all; false otherwise.
  bool RowKey(int key, int modifiers);
  void ClosePopup();
  bool EditorKey(QKeyEvent* event);
  // Commits the editor's text and closes it; false when the cell refused the text and the
  // editor stays open with it.
  bool CommitAndCloseEditor();
  void PostStatus(const std::string& text, ColourValue textColour, ColourValue background);
  // The status bar names a refused keystroke.
  void SayRefused(EditRefusal refusal, const QString& character);

  Sheet& sheet_;
  SheetViewServices services_;
  CellPainter cellPainter_;
  SheetGeometry geometry_;
  std::unique_ptr<SheetController> controller_;
  CellEditorField* editor_ = nullptr;
  QPointer<ChoicePopup> popup_;
  int popupColumn_ = -1;
  int popupRow_ = -1;
  std::string popupKey_;  // the cell popup menu built for the current cell
  bool plainUntilFocused_ = false;
  bool everFocused_ = false;
  int sizingColumn_ = -1;
  int sizingStartX_ = 0;
  int sizingStartWidth_ = 0;
  int paintedCells_ = 0;
};

}  // namespace rtv
