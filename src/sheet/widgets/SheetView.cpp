// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/widgets/SheetView.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>

#include "base/Message.h"
#include "base/MessageBus.h"
#include "base/StatusColours.h"
#include "cells/CellMarkup.h"
#include "cells/CellNames.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtFonts.h"
#include "sheet/widgets/CellEditorField.h"
#include "sheet/widgets/CellPopupMenu.h"
#include "sheet/widgets/ChoicePopup.h"

namespace rtv {
namespace {

// How far down a column a heading looks for a cell that tells the column's rule.
constexpr int kRuleSearchRows = 64;
constexpr int kWheelRows = 3;

}  // namespace

SheetView::SheetView(Sheet& sheet, const SheetViewServices& services, QWidget* parent)
    : QAbstractScrollArea(parent),
      sheet_(sheet),
      services_(services),
      cellPainter_(sheet, services.images),
      geometry_(sheet),
      controller_(std::make_unique<SheetController>(sheet, *this, services.bus, services.timers)) {
  setFrameShape(QFrame::NoFrame);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(1);
  verticalScrollBar()->setSingleStep(1);
  SheetRebuilt();
}

// A window that shows the cell's menu in its Edit menu stops listening before the sheet view goes.
SheetView::~SheetView() { ClosePopup(); }

void SheetView::SheetRebuilt() {
  if (editor_ != nullptr) editor_->hide();
  controller_->SheetRebuilt();
  ClosePopup();
  cellPainter_.ClearFonts();
  UpdateScrollBars();
  setEnabled(sheet_.inputEnabled() || sheet_.rowCount() == 0);
  viewport()->update();
}

void SheetView::SetScrollBarsShown(bool shown) {
  const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff;
  setHorizontalScrollBarPolicy(policy);
  setVerticalScrollBarPolicy(policy);
}

QSize SheetView::sizeHint() const {
  return {sheet_.TotalWidth() + 2 * frameWidth(), sheet_.TotalHeight() + 2 * frameWidth()};
}

ChoicePopup* SheetView::choicePopup() const { return popup_; }

QLineEdit* SheetView::editor() const { return editor_; }

int SheetView::TakePaintedCells() {
  const int painted = paintedCells_;
  paintedCells_ = 0;
  return painted;
}

// Geometry ---------------------------------------------------------------------------------

QRect SheetView::CellRect(int column, int row) const {
  return geometry_.CellRect(column, row, viewport()->rect());
}

bool SheetView::CellAtPoint(const QPoint& point, int& column, int& row) const {
  return geometry_.CellAtPoint(point, column, row);
}

void SheetView::UpdateScrollBars() {
  if (sheet_.rowCount() == 0) return;
  const QPoint last = geometry_.LastTopLeft(viewport()->size());
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  h->setRange(0, last.x() - sheet_.fixedColumns());
  v->setRange(0, last.y() - sheet_.fixedRows());
  h->setPageStep(std::max(1, sheet_.columnCount() - last.x()));
  v->setPageStep(std::max(1, sheet_.rowCount() - last.y()));
  h->setValue(sheet_.leftColumn() - sheet_.fixedColumns());
  v->setValue(sheet_.topRow() - sheet_.fixedRows());
}

void SheetView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void SheetView::scrollContentsBy(int, int) {
  sheet_.SetTopLeft(sheet_.fixedColumns() + horizontalScrollBar()->value(),
                    sheet_.fixedRows() + verticalScrollBar()->value());
  if (editor_ != nullptr && editor_->IsOpen()) CloseEditor(true);
  viewport()->update();
}

// SheetViewport ----------------------------------------------------------------------------

void SheetView::RedrawCell(int column, int row) {
  if (!sheet_.Contains(column, row)) return;
  const int lead = geometry_.SpanLead(column, row);
  if (row < sheet_.fixedRows() || row >= sheet_.topRow()) {
    const QRect rect(geometry_.ColumnX(lead), geometry_.RowY(row), geometry_.SpanWidth(lead, row),
                     sheet_.RowHeight(row));
    viewport()->update(rect.intersected(viewport()->rect()));
  }
  // Row-track cells on the right show the selection of this one.
  if (column + 1 < sheet_.columnCount() && sheet_.CellAt(column + 1, row).cell.rowTrack) {
    RedrawCell(column + 1, row);
  }
}

void SheetView::RedrawRow(int row) {
  if (!sheet_.Contains(0, row)) return;
  if (row >= sheet_.fixedRows() && row < sheet_.topRow()) return;
  viewport()->update(QRect(0, geometry_.RowY(row), viewport()->width(), sheet_.RowHeight(row)));
}

void SheetView::RedrawAll() { viewport()->update(); }

void SheetView::VisibleCells(int& lastColumn, int& lastRow) const {
  geometry_.VisibleCells(viewport()->size(), lastColumn, lastRow);
}

void SheetView::ShowCell(int column, int row, bool fullyLeft, bool fullyTop) {
  const QPoint topLeft =
      geometry_.TopLeftShowing(column, row, fullyLeft, fullyTop, viewport()->size());
  horizontalScrollBar()->setValue(topLeft.x() - sheet_.fixedColumns());
  verticalScrollBar()->setValue(topLeft.y() - sheet_.fixedRows());
}

bool SheetView::HasFocus() const {
  return hasFocus() || (editor_ != nullptr && editor_->hasFocus());
}

void SheetView::OpenEditor(const std::string& text, int selectionStart, int selectionLength) {
  if (editor_ == nullptr) {
    editor_ = new CellEditorField(viewport(), this);
    editor_->installEventFilter(this);
    editor_->onRefused = [this](EditRefusal refusal, const QString& character) {
      SayRefused(refusal, character);
    };
  }
  editor_->SetRule(controller_->editRule());
  const int column = sheet_.currentColumn();
  const int row = sheet_.currentRow();
  ShowCell(column, row, false, false);
  const QRect cell = CellRect(column, row);
  if (cell.isEmpty()) return;
  const Cell& c = sheet_.CellAt(column, row).cell;
  editor_->Place(cell, cellPainter_.FontFor(c.font ? *c.font : *sheet_.basicCell().font),
                 c.verticalAlign);
  editor_->Start(text, selectionStart, selectionLength);
  RedrawCell(column, row);
}

bool SheetView::CommitAndCloseEditor() {
  if (!EditorOpen() || editor_->IsClosing()) return true;
  ClosePopup();
  const std::string text = editor_->text().toStdString();
  if (!controller_->CommitEditText(text)) {
    editor_->setFocus();
    return false;
  }
  editor_->Close();
  RedrawCell(sheet_.currentColumn(), sheet_.currentRow());
  return true;
}

void SheetView::PostStatus(const std::string& text, ColourValue textColour,
                           ColourValue background) {
  if (services_.bus == nullptr) return;
  services_.bus->Post(msg::StatusText{text, textColour, background});
}

void SheetView::SayRefused(EditRefusal refusal, const QString& character) {
  const std::string text = controller_->editRule().RefusalText(sheet_.services().overlay, refusal,
                                                               character.toStdString());
  if (text.empty()) return;
  PostStatus(controller_->CellName(sheet_.currentColumn(), sheet_.currentRow()) + ": " + text,
             kRefusedStatus.text, kRefusedStatus.background);
}

void SheetView::CloseEditor(bool commit) {
  ClosePopup();
  if (editor_ == nullptr || !editor_->IsOpen() || editor_->IsClosing()) return;
  const std::string text = editor_->text().toStdString();
  editor_->Close();
  if (commit) controller_->CommitEditText(text);
  RedrawCell(sheet_.currentColumn(), sheet_.currentRow());
}

bool SheetView::EditorOpen() const { return editor_ != nullptr && editor_->IsOpen(); }

void SheetView::CurrentCellChanged() {
  for (int row = 0; row < sheet_.fixedRows(); ++row) RedrawRow(row);
  if (!HasFocus() || services_.bus == nullptr) return;
  // A marked cell says why as the cursor enters it.
  if (!sheet_.embedded()) {
    const int column = sheet_.currentColumn();
    const int row = sheet_.currentRow();
    const std::string mark = controller_->MarkText(column, row);
    if (!mark.empty()) {
      PostStatus(controller_->CellName(column, row) + ": " + mark, kNoticeStatus.text,
                 kNoticeStatus.background);
    }
  }
  const std::string key =
      sheet_.CellAt(sheet_.currentColumn(), sheet_.currentRow()).cell.PopupMenuName();
  if (key == popupKey_) return;
  SetCellMenuKey(key);
  services_.bus->Post(msg::RefreshMenuStates{});
}

void SheetView::SetCellMenuKey(const std::string& key) {
  popupKey_ = key;
  emit CellMenuChanged();
}

void SheetView::ChoiceMade() {
  if (auto* popup = qobject_cast<ChoicePopup*>(window())) popup->hide();
}

void SheetView::OpenChoicePopup(const std::string& listKey, int variant, int value) {
  ClosePopup();
  if (services_.sheets == nullptr || services_.model == nullptr) return;
  popupColumn_ = sheet_.currentColumn();
  popupRow_ = sheet_.currentRow();
  const std::optional<FontDesc>& font = sheet_.basicCell().font;
  popup_ = new ChoicePopup(*services_.sheets, *services_.model, services_, listKey, variant, value,
                           font ? font->height : 0, this);
  popup_->SetOwnerCell(&sheet_.CellAt(popupColumn_, popupRow_).cell);
  popup_->onChosen = [this](const Cell& chosen) {
    controller_->CommitChoice(popupColumn_, popupRow_, chosen);
  };
  const QRect cell = CellRect(popupColumn_, popupRow_);
  popup_->ShowAt(QRect(viewport()->mapToGlobal(cell.topLeft()), cell.size()));
}

void SheetView::ClosePopup() {
  if (popup_ == nullptr) return;
  popup_->hide();
  popup_->deleteLater();
  popup_ = nullptr;
}

// Drawing ----------------------------------------------------------------------------------

void SheetView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect dirty = event->rect();
  painter.fillRect(dirty, ToQColor(sheet_.basicCell().colour));
  if (sheet_.busy() || sheet_.rowCount() == 0) return;
  const int width = viewport()->width();
  const int height = viewport()->height();
  const int fixedWidth = geometry_.FixedWidth();
  const int fixedHeight = geometry_.FixedHeight();
  for (int row = 0, y = 0; row < sheet_.rowCount() && y < height; ++row) {
    if (row == sheet_.fixedRows()) row = sheet_.topRow();
    if (row >= sheet_.rowCount()) break;
    const int rowHeight = sheet_.RowHeight(row);
    const int top = y;
    y += rowHeight;
    if (rowHeight <= 0 || top > dirty.bottom() || y <= dirty.top()) continue;
    for (int column = 0, x = 0; column < sheet_.columnCount() && x < width; ++column) {
      if (column == sheet_.fixedColumns()) column = sheet_.leftColumn();
      if (column >= sheet_.columnCount()) break;
      const int left = x;
      x += sheet_.ColumnWidth(column);
      if (sheet_.ColumnWidth(column) <= 0 || left > dirty.right() || x <= dirty.left()) continue;
      const bool fixedColumn = column < sheet_.fixedColumns();
      const bool firstInArea = column == 0 || column == sheet_.leftColumn();
      // A joined cell draws nothing of its own: its lead draws over it, unless the lead is
      // scrolled away.
      if (sheet_.CellAt(column, row).cell.joinLeft && !firstInArea) continue;
      const int lead = geometry_.SpanLead(column, row);
      if (!fixedColumn && lead < sheet_.fixedColumns()) continue;
      const QRect span(geometry_.ColumnX(lead), top, geometry_.SpanWidth(lead, row), rowHeight);
      painter.save();
      painter.setClipRect(fixedColumn ? QRect(0, 0, fixedWidth, height)
                                      : QRect(fixedWidth, 0, width - fixedWidth, height));
      if (row >= sheet_.fixedRows()) {
        painter.setClipRect(QRect(0, fixedHeight, width, height - fixedHeight), Qt::IntersectClip);
      }
      DrawCell(painter, lead, row, span);
      painter.restore();
    }
  }
}

void SheetView::DrawCell(QPainter& painter, int column, int row, const QRect& rect) {
  ++paintedCells_;
  CellLook look;
  const bool current = column == sheet_.currentColumn() && row == sheet_.currentRow();
  look.selected = controller_->IsSelected(column, row);
  if (plainUntilFocused_ && !everFocused_ && current) look.selected = false;
  look.editing = current && EditorOpen();
  look.focused = HasFocus() || sheet_.embedded();
  look.selectLine = sheet_.colourSelectLine() && row == sheet_.currentRow() &&
                    column >= sheet_.fixedColumns() && !sheet_.embedded();
  look.currentHeading = row < sheet_.fixedRows() && column == sheet_.currentColumn() &&
                        column >= sheet_.fixedColumns() && !sheet_.embedded();
  // The keyboard's cell shows in every marking mode: darker inside a marked row, framed.
  look.current = current && !sheet_.embedded();
  look.framed = look.current && HasFocus();
  look.ownerCell = controller_->ownerCell;
  cellPainter_.Paint(painter, column, row, rect, look);
}

// Input ------------------------------------------------------------------------------------

void SheetView::keyPressEvent(QKeyEvent* event) {
  const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
  controller_->SetShift((modifiers & Qt::ShiftModifier) != 0);
  const bool controlOnly = modifiers == Qt::ControlModifier;
  if (RowKey(event->key(), static_cast<int>(modifiers))) return;
  using Key = SheetController::NavigationKey;
  switch (event->key()) {
    case Qt::Key_PageUp:
      controller_->KeyDown(Key::PageUp);
      return;
    case Qt::Key_PageDown:
      controller_->KeyDown(Key::PageDown);
      return;
    case Qt::Key_Home:
      controller_->KeyDown(Key::Home, controlOnly);
      return;
    case Qt::Key_End:
      controller_->KeyDown(Key::End, controlOnly);
      return;
    case Qt::Key_Left:
      controller_->KeyDown(Key::Left);
      return;
    case Qt::Key_Right:
      controller_->KeyDown(Key::Right);
      return;
    case Qt::Key_Up:
      controller_->KeyDown(Key::Up, controlOnly);
      return;
    case Qt::Key_Down:
      controller_->KeyDown(Key::Down, controlOnly);
      return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      controller_->KeyDown(SpecialKey::Enter);
      return;
    case Qt::Key_Backspace:
      controller_->KeyDown(SpecialKey::Backspace);
      return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Escape:
      QAbstractScrollArea::keyPressEvent(event);
      return;
    default:
      break;
  }
  if (event->key() >= Qt::Key_F1 && event->key() <= Qt::Key_F12) {
    controller_->KeyDown(CellKey::Function(event->key() - Qt::Key_F1 + 1));
    return;
  }
  // Only the characters the radio can show go to a cell; every other key is the scroll
  // area's.
  const QString text = event->text();
  const CellKey typed = text.size() == 1 && text[0].unicode() < 0x80
                            ? CellKey::Typed(static_cast<char>(text[0].unicode()))
                            : CellKey();
  if (!typed.IsNone() && (modifiers & (Qt::ControlModifier | Qt::AltModifier)) == 0) {
    controller_->KeyDown(typed);
    return;
  }
  QAbstractScrollArea::keyPressEvent(event);
}

bool SheetView::eventFilter(QObject* watched, QEvent* event) {
  if (watched == editor_) {
    if (event->type() == QEvent::KeyPress && EditorKey(static_cast<QKeyEvent*>(event))) return true;
    if (event->type() == QEvent::FocusOut && !editor_->IsClosing() && editor_->IsOpen()) {
      CloseEditor(true);  // leaving the editor commits
    }
  }
  return QAbstractScrollArea::eventFilter(watched, event);
}

bool SheetView::EditorKey(QKeyEvent* event) {
  using Key = SheetController::NavigationKey;
  switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      CommitAndCloseEditor();
      return true;
    case Qt::Key_Escape:
      CloseEditor(false);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down:
      if (CommitAndCloseEditor())
        controller_->KeyDown(event->key() == Qt::Key_Up ? Key::Up : Key::Down);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (CommitAndCloseEditor()) {
        controller_->KeyDown(event->key() == Qt::Key_PageUp ? Key::PageUp : Key::PageDown);
      }
      return true;
    default:
      return false;
  }
}

void SheetView::mousePressEvent(QMouseEvent* event) {
  int column = 0;
  int row = 0;
  const QPoint pos = event->position().toPoint();
  if (!CellAtPoint(pos, column, row)) return;
  if (!HasFocus()) setFocus(Qt::MouseFocusReason);
  if (event->button() == Qt::RightButton) {
    controller_->SetShift(false);  // a right click never extends the marks
    controller_->RightButton(column, row);
    ShowCellPopup(event->globalPosition().toPoint());
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  const int border = geometry_.SizingBorder(pos);
  if (border >= 0) {
    sizingColumn_ = border;
    sizingStartX_ = pos.x();
    sizingStartWidth_ = sheet_.ColumnWidth(border);
    return;
  }
  controller_->SetShift((event->modifiers() & Qt::ShiftModifier) != 0);
  controller_->LeftDown(column, row);
}

void SheetView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (sizingColumn_ >= 0) {
    controller_->UserColumnWidth(sizingColumn_, sizingStartWidth_ + pos.x() - sizingStartX_,
                                 viewport()->width());
    UpdateScrollBars();
    viewport()->update();
    return;
  }
  viewport()->setCursor(geometry_.SizingBorder(pos) >= 0 ? Qt::SplitHCursor : Qt::ArrowCursor);
  int column = 0;
  int row = 0;
  if (!CellAtPoint(pos, column, row)) return;
  if ((event->buttons() & Qt::LeftButton) != 0) {
    controller_->DragTo(column, row);
  } else {
    controller_->Hover(column, row);
  }
}

void SheetView::mouseReleaseEvent(QMouseEvent* event) {
  if (sizingColumn_ >= 0) {
    sizingColumn_ = -1;
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  int column = sheet_.currentColumn();
  int row = sheet_.currentRow();
  CellAtPoint(event->position().toPoint(), column, row);
  controller_->LeftUp(column, row);
}

void SheetView::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  const int border = geometry_.SizingBorder(pos);
  if (border >= 0) {
    sheet_.SetColumnWidth(border, controller_->FittedColumnWidth(border));
    sheet_.SaveColumnWidths();
    UpdateScrollBars();
    viewport()->update();
  }
  int column = 0;
  int row = 0;
  if (CellAtPoint(pos, column, row)) controller_->DoubleClick(column, row);
}

void SheetView::wheelEvent(QWheelEvent* event) {
  QWidget* modal = QApplication::activeModalWidget();
  if ((modal != nullptr && modal != window()) || (popup_ != nullptr && popup_->isVisible())) {
    event->ignore();
    return;
  }
  const int top = geometry_.TopRowAfterWheel(event->angleDelta().y() / 120, kWheelRows);
  verticalScrollBar()->setValue(top - sheet_.fixedRows());
  event->accept();
}

void SheetView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  // System colours and fonts follow the desktop: a theme change repaints with the new ones.
  if (event->type() == QEvent::PaletteChange || event->type() == QEvent::FontChange ||
      event->type() == QEvent::StyleChange) {
    cellPainter_.ClearFonts();
    viewport()->update();
  }
}

void SheetView::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  everFocused_ = true;
  CurrentCellChanged();
  RedrawRow(sheet_.currentRow());
}

void SheetView::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  if (EditorOpen()) return;
  // A menu opening takes the focus for a moment: the Edit menu keeps this cell's items.
  if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::MenuBarFocusReason) {
    if (!popupKey_.empty()) SetCellMenuKey({});
  }
  RedrawRow(sheet_.currentRow());
}

// Tooltips ---------------------------------------------------------------------------------

QString SheetView::ToolTipText(int column, int row) const {
  if (!sheet_.Contains(column, row) || sheet_.embedded()) return {};
  if (row < sheet_.fixedRows()) {
    const int last = std::min(sheet_.rowCount(), sheet_.fixedRows() + kRuleSearchRows);
    for (int r = sheet_.fixedRows(); r < last; ++r) {
      if (sheet_.CellAt(column, r).cell.cellLink == kCellLinkNone) continue;
      const EditRule rule = controller_->DrawRequest(column, r, false).editRule;
      if (!rule.Limits()) continue;
      return QString::fromStdString(
          rule.Describe(sheet_.services().overlay, controller_->ColumnHeading(column)));
    }
    return {};
  }
  return QString::fromStdString(controller_->MarkText(column, row));
}

bool SheetView::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QAbstractScrollArea::viewportEvent(event);
  const auto* help = static_cast<QHelpEvent*>(event);
  int column = 0;
  int row = 0;
  const QString text = CellAtPoint(help->pos(), column, row) ? ToolTipText(column, row) : QString();
  if (text.isEmpty()) {
    QToolTip::hideText();
    event->ignore();
  } else {
    QToolTip::showText(help->globalPos(), text, viewport(), CellRect(column, row));
  }
  return true;
}

// Cell popup menus -------------------------------------------------------------------------

void SheetView::ShowCellPopup(const QPoint& globalPos) {
  const Cell* owner = CurrentCell();
  if (owner == nullptr || services_.accessor == nullptr) return;
  CellPopupMenu menu(sheet_.store(), *services_.accessor);
  const int chosen = menu.Exec(*owner, this, globalPos);
  if (chosen != 0) RunPopupCommand(chosen);
}

bool SheetView::RowKey(int key, int modifiers) {
  const std::vector<int> commands = CellPopupMenu::RowCommandsOfKey(key, modifiers);
  const Cell* owner = CurrentCell();
  if (commands.empty() || owner == nullptr || services_.accessor == nullptr) return false;
  CellPopupMenu menu(sheet_.store(), *services_.accessor);
  for (int cellLink : commands) {
    if (!menu.Offers(*owner, cellLink)) return false;
  }
  for (int cellLink : commands) RunPopupCommand(cellLink);
  return true;
}

const Cell* SheetView::CurrentCell() const {
  if (sheet_.columnCount() == 0 || sheet_.rowCount() == 0) return nullptr;
  return &sheet_.CellAt(sheet_.currentColumn(), sheet_.currentRow()).cell;
}

void SheetView::RunPopupCommand(int cellLink) {
  if (CurrentCell() == nullptr) return;
  controller_->SendToCell(sheet_.currentColumn(), sheet_.currentRow(), CellKey(), cellLink);
}

}  // namespace rtv
