// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/Sheet.h"

#include <algorithm>
#include <cmath>

#include "base/Fatal.h"
#include "base/SettingsStore.h"
#include "base/TextMetrics.h"
#include "cells/CellMarkup.h"
#include "cells/CellRequest.h"
#include "cells/FontMarkup.h"
#include "cells/MarkupText.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

constexpr const char* kIllegalSelection = "Illegal Cell selection";
constexpr const char* kIllegalAssign = "Illegal Cell assign";
constexpr int kMinimumLoadedWidth = 10;

// "Name=value" items: the value when the item starts with `name` and "=".
std::optional<std::string_view> ItemValue(std::string_view item, std::string_view name) {
  if (item.size() <= name.size() || item.substr(0, name.size()) != name ||
      item[name.size()] != '=') {
    return std::nullopt;
  }
  return item.substr(name.size() + 1);
}

// Each "(" … ")" item of a text, handed on without its parentheses.
template <typename F>
void ForEachItem(std::string_view text, F&& apply) {
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (text[pos] != '(') {
      pos = CharEnd(text, pos);
      continue;
    }
    std::size_t end = pos + 1;
    while (end < text.size() && text[end] != ')') end = CharEnd(text, end);
    apply(text.substr(pos + 1, end - pos - 1));
    pos = end < text.size() ? end + 1 : end;
  }
}

// The lines of an entry up to the first one that starts with "#".
std::vector<std::string> BodyLines(OverlayText& store, const std::string& key) {
  std::vector<std::string> lines;
  for (int index = 0;; ++index) {
    std::string line = store.GetLine(key, index);
    if (!line.empty() && line[0] == '#') break;
    lines.push_back(std::move(line));
  }
  return lines;
}

int Scaled(int pixels, double scale) { return static_cast<int>(std::lround(pixels * scale)); }

// A heading written over two lines, as one.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  text.erase(0, text.find_first_not_of(' '));
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

}  // namespace

SheetDescriptor SheetDescriptor::Parse(std::string_view descriptor) {
  SheetDescriptor result;
  const std::size_t comma = descriptor.find(',');
  const std::size_t bracket = descriptor.find(']');
  std::string_view key = descriptor.substr(0, comma);
  if (bracket != std::string_view::npos && (comma == std::string_view::npos || bracket < comma)) {
    key = descriptor.substr(bracket + 1, comma == std::string_view::npos ? std::string_view::npos
                                                                         : comma - bracket - 1);
  }
  result.key = std::string(key);
  if (comma != std::string_view::npos) result.parameter = std::string(descriptor.substr(comma + 1));
  return result;
}

Sheet::Sheet(const SheetServices& services, OverlayText& store, std::string descriptor,
             int initialLink, int initialIndex)
    : services_(services),
      store_(store),
      key_(SheetDescriptor::Parse(descriptor).key),
      descriptor_(std::move(descriptor)),
      initialLink_(initialLink),
      initialIndex_(initialIndex) {}

Sheet::~Sheet() = default;

void Sheet::SetParameter(std::string parameter) { parameter_ = std::move(parameter); }

void Sheet::Build() {
  busy_ = true;
  title_.reset();
  titleFont_.reset();
  titleColour_ = kDefaultTitleColour;
  styleFixedColumns_ = styleFixedRows_ = 0;
  noPrint_ = columnSizing_ = colourSelectLine_ = false;
  multiSelect_ = MultiSelect::None;
  printFontRatio_ = 100;
  counters_ = {};
  ApplyStyle();

  BuildCells();
  fixedColumns_ = std::clamp(styleFixedColumns_, 0, columns_ - 1);
  fixedRows_ = std::clamp(styleFixedRows_, 0, rows_ - 1);

  currentColumn_ = currentRow_ = 0;
  leftColumn_ = fixedColumns_;
  topRow_ = fixedRows_;
  int column = 0;
  int row = 0;
  if (FindSelectable(-1, 0, column, row)) SetCurrent(column, row);
  RestorePosition();
  inputEnabled_ = CellAt(currentColumn_, currentRow_).cell.selectable;
  busy_ = false;
}

void Sheet::ApplyStyle() {
  ForEachItem(store_.GetFirstLine(key_ + "_Style"),
              [this](std::string_view item) { ApplyStyleItem(item); });
}

void Sheet::ApplyStyleItem(std::string_view item) {
  if (auto v = ItemValue(item, "TitleString")) {
    if (!v->empty()) title_ = std::string(*v);
  } else if (auto colourName = ItemValue(item, "TitleColor")) {
    if (auto colour = ColourNumber(*colourName)) titleColour_ = *colour;
  } else if (auto font = ItemValue(item, "TitleFont")) {
    titleFont_ = FontDesc{};
    ApplyFont(*titleFont_, *font);
  } else if (auto fixedCols = ItemValue(item, "FixedCols")) {
    styleFixedColumns_ = ToInt(DecimalPrefix(*fixedCols));
  } else if (auto fixedRows = ItemValue(item, "FixedRows")) {
    styleFixedRows_ = ToInt(DecimalPrefix(*fixedRows));
  } else if (item == "NoPrint") {
    noPrint_ = true;
  } else if (auto ratio = ItemValue(item, "PrintFontRatio")) {
    printFontRatio_ = ToInt(DecimalPrefix(*ratio));
  } else if (auto mode = ItemValue(item, "MultiSelect")) {
    multiSelect_ = *mode == "Cell"   ? MultiSelect::Cell
                   : *mode == "Line" ? MultiSelect::Line
                                     : MultiSelect::None;
  } else if (item == "ColSizing") {
    columnSizing_ = true;
  } else if (item == "ColorSelectLine") {
    colourSelectLine_ = true;
  }
}

void Sheet::ApplyControlItem(std::string_view item) {
  if (item.substr(0, 9) == "LoopFrom ") {
    StartLoop(std::max(ToInt(DecimalPrefix(item.substr(9))), 1));
  } else if (item == "LoopTo") {
    loopEnd_ = layoutLine_;
  } else if (item == "SelectON") {
    selectState_ = true;
  } else if (item == "SelectOFF") {
    selectState_ = false;
  }
}

void Sheet::StartLoop(int count) {
  loopStart_ = layoutLine_;
  loopEnd_ = -1;
  loopCount_ = count;
  loopBodyRows_ = 0;
}

void Sheet::BuildCells() {
  BuildBasicCell();
  LayoutRows();
  if (columns_ == 0 || rows_ == 0) FatalError(kIllegalAssign);
  slots_.assign(static_cast<std::size_t>(columns_) * static_cast<std::size_t>(rows_), CellSlot{});
  const int unit = std::max(1, static_cast<int>(scale_));  // one screen pixel
  columnWidths_.assign(static_cast<std::size_t>(columns_), unit);
  rowHeights_.assign(static_cast<std::size_t>(rows_), unit);
  FillCells();
}

void Sheet::BuildBasicCell() {
  basicCell_ = Cell{};
  ParseCell(store_, basicCell_, store_.GetFirstLine(key_ + "_BasicCell"), &counters_, nullptr);
  // The size applies to the font the overlay gave, keeping its face.
  if (!basicCell_.font) basicCell_.font = FontDesc{};
  const std::string face = basicCell_.font->face;
  if (fixedFontHeight_ != 0) {
    ApplyFont(*basicCell_.font, ",,," + std::to_string(fixedFontHeight_) + ",,,");
    if (printFontRatio_ != 100) {
      ApplyFont(*basicCell_.font, ",,,%" + std::to_string(printFontRatio_) + ",,,");
    }
  } else {
    ApplyFont(*basicCell_.font, ",,,%" + std::to_string(services_.fontSizePercentage) + ",,,");
  }
  basicCell_.font->face = face;
}

void Sheet::LayoutRows() {
  sheetRows_.clear();
  columns_ = 0;
  skipLines_ = 0;
  selectState_ = true;
  loopStart_ = loopEnd_ = -1;
  loopCount_ = loopBodyRows_ = 0;
  const std::string cellsKey = key_ + "_Cells";
  for (int line = 0;; ++line) {
    const std::string text = store_.GetLine(cellsKey, line);
    if (!text.empty() && text[0] == '#') break;
    if (skipLines_ > 0) {
      --skipLines_;
      continue;
    }
    layoutLine_ = line;
    if (!text.empty() && text[0] == ':') {
      ForEachItem(std::string_view(text).substr(1),
                  [this](std::string_view item) { ApplyControlItem(item); });
      EndControlLine();
    } else {
      CountRow(text);
    }
  }
  rows_ = static_cast<int>(sheetRows_.size());
}

void Sheet::CountRow(std::string_view text) {
  int cells = 0;
  Cell scratch;
  while (!text.empty()) {
    text = ParseCell(store_, scratch, text, nullptr, nullptr, true);
    ++cells;
  }
  columns_ = std::max(columns_, cells);
  sheetRows_.push_back({layoutLine_, selectState_});
  if (loopStart_ >= 0 && loopEnd_ < 0) ++loopBodyRows_;
}

void Sheet::EndControlLine() {
  if (loopStart_ < 0 || loopEnd_ < 0 || loopCount_ <= 0) return;
  for (int repeat = 1; repeat < loopCount_; ++repeat) {
    for (int body = 1; body <= loopBodyRows_; ++body) {
      sheetRows_.push_back({loopStart_ + body, selectState_});
    }
  }
  loopStart_ = loopEnd_ = -1;
  loopCount_ = loopBodyRows_ = 0;
}

void Sheet::FillCells() { FillCellsWith(nullptr); }

void Sheet::FillCellsWith(const std::function<void(Cell&)>& adjust) {
  firstSelectableColumn_ = firstSelectableRow_ = -1;
  const std::string cellsKey = key_ + "_Cells";
  for (int row = 0; row < rows_; ++row) {
    RowStarted(row);
    const int line = sheetRows_[static_cast<std::size_t>(row)].line;
    const bool copy = row > 0 && sheetRows_[static_cast<std::size_t>(row - 1)].line == line;
    if (copy) {
      for (int column = 0; column < columns_; ++column) {
        Cell& cell = CellAt(column, row).cell;
        cell = CellAt(column, row - 1).cell;
        ++cell.index;
        if (adjust) adjust(cell);
      }
      rowHeights_[static_cast<std::size_t>(row)] = rowHeights_[static_cast<std::size_t>(row - 1)];
    } else {
      const std::string text = store_.GetLine(cellsKey, line);
      std::string_view rest = text;
      for (int column = 0; column < columns_ && !rest.empty(); ++column) {
        Cell& cell = CellAt(column, row).cell;
        rest = ParseCell(store_, cell, rest, &counters_, &basicCell_);
        if (adjust) adjust(cell);
      }
      for (int column = 0; column < columns_; ++column) {
        if (CellAt(column, row).cell.parent == nullptr)
          CellAt(column, row).cell.parent = &basicCell_;
      }
    }
    const bool selectEnabled = sheetRows_[static_cast<std::size_t>(row)].selectEnabled;
    for (int column = 0; column < columns_; ++column) {
      CellStarted(column, row);
      CellSlot& slot = CellAt(column, row);
      if (!copy) FitCell(slot.cell, column, row);
      if (slot.cell.selectable) {
        if (firstSelectableColumn_ < 0 || column < firstSelectableColumn_)
          firstSelectableColumn_ = column;
        if (firstSelectableRow_ < 0) firstSelectableRow_ = row;
      }
      slot.multiSelect = multiSelect_ != MultiSelect::None && selectEnabled;
    }
  }
  if (!embedded_ && services_.widthStore != nullptr) {
    if (resetWidths_) {
      ResetAllColumnWidths(services_.overlay, *services_.widthStore);
    } else {
      LoadColumnWidths();
    }
    SaveColumnWidths();
  }
  resetWidths_ = false;
}

void Sheet::FitCell(const Cell& cell, int column, int row) {
  if (!cell.fitWidth && !cell.fitHeight) return;
  const FontDesc& font = CellFont(cell);
  const std::string_view text = cell.text ? std::string_view(*cell.text) : std::string_view();
  if (cell.fitWidth) {
    int& width = columnWidths_[static_cast<std::size_t>(column)];
    width = std::max(width, services_.metrics.TextWidth(font, text) + Scaled(8, scale_));
  }
  if (cell.fitHeight) {
    int& height = rowHeights_[static_cast<std::size_t>(row)];
    height = std::max(height, services_.metrics.TextHeight(font, text) + Scaled(2, scale_));
  }
}

const FontDesc& Sheet::CellFont(const Cell& cell) const {
  if (cell.font) return *cell.font;
  return *basicCell_.font;  // the basic cell always has one
}

void Sheet::RowStarted(int) {}

void Sheet::CellStarted(int, int) {}

std::string Sheet::TitleText() const { return title_.value_or(std::string()); }

bool Sheet::IsPrintable() const { return !noPrint_; }

bool Sheet::CanPrint() const { return IsPrintable(); }

std::string Sheet::WidthGroup(OverlayText& overlay, const std::string& key) {
  for (const std::string& line : BodyLines(overlay, kWidthListKey)) {
    const std::size_t colon = line.find(':');
    if (line.empty() || colon == std::string::npos) break;
    if (line.compare(0, colon, key) == 0 && colon == key.size()) {
      return "Display/" + line.substr(colon + 1) + "/colwidth";
    }
  }
  return {};
}

void Sheet::ResetAllColumnWidths(OverlayText& overlay, SettingsStore& store) {
  for (const std::string& line : BodyLines(overlay, kWidthListKey)) {
    const std::size_t colon = line.find(':');
    if (line.empty() || colon == std::string::npos) break;
    store.DeleteGroup("Display/" + line.substr(colon + 1) + "/colwidth");
  }
}

void Sheet::LoadColumnWidths() {
  if (services_.widthStore == nullptr) return;
  const std::string group = WidthGroup(services_.overlay, key_);
  if (group.empty()) return;
  const int row = std::clamp(styleFixedRows_, 0, rows_ - 1);
  for (int column = 0; column < columns_; ++column) {
    if (!CellAt(column, row).cell.selectable) continue;
    if (auto width = services_.widthStore->ReadInt(group, std::to_string(column))) {
      columnWidths_[static_cast<std::size_t>(column)] = std::max(*width, kMinimumLoadedWidth);
    }
  }
}

void Sheet::SaveColumnWidths() {
  if (services_.widthStore == nullptr) return;
  const std::string group = WidthGroup(services_.overlay, key_);
  if (group.empty()) return;
  const int row = std::clamp(styleFixedRows_, 0, rows_ - 1);
  for (int column = 0; column < columns_; ++column) {
    if (!CellAt(column, row).cell.selectable) continue;
    services_.widthStore->WriteInt(group, std::to_string(column), ColumnWidth(column));
  }
}

CellSlot& Sheet::CellAt(int column, int row) {
  if (!Contains(column, row)) FatalError(kIllegalSelection);
  return slots_[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns_) +
                static_cast<std::size_t>(column)];
}

const CellSlot& Sheet::CellAt(int column, int row) const {
  return const_cast<Sheet*>(this)->CellAt(column, row);
}

void Sheet::SetColumnWidth(int column, int width) {
  if (!Contains(column, 0)) FatalError(kIllegalSelection);
  columnWidths_[static_cast<std::size_t>(column)] = std::max(width, 0);
}

int Sheet::TotalWidth() const {
  int total = 0;
  for (int width : columnWidths_) total += width;
  return total;
}

int Sheet::TotalHeight() const {
  int total = 0;
  for (int height : rowHeights_) total += height;
  return total;
}

void Sheet::SetCurrent(int column, int row) {
  if (!Contains(column, row)) FatalError(kIllegalSelection);
  currentColumn_ = column;
  currentRow_ = row;
}

void Sheet::SetTopLeft(int column, int row) {
  leftColumn_ = std::clamp(column, fixedColumns_, std::max(columns_ - 1, fixedColumns_));
  topRow_ = std::clamp(row, fixedRows_, std::max(rows_ - 1, fixedRows_));
}

void Sheet::SetRememberedPosition(int column, int row, int leftColumn, int topRow) {
  remembered_ = {column, row, leftColumn, topRow};
}

void Sheet::RestorePosition() {
  if (!Contains(remembered_[0], remembered_[1])) remembered_ = {-1, -1, -1, -1};
  int column = 0;
  int row = 0;
  if (remembered_[0] < 0) {
    if (initialLink_ != 0 && FindSelectable(initialLink_, initialIndex_, column, row)) {
      SetCurrent(column, row);
    }
  } else if (CellAt(remembered_[0], remembered_[1]).cell.selectable) {
    SetTopLeft(remembered_[2], remembered_[3]);
    SetCurrent(remembered_[0], remembered_[1]);
  }
}

bool Sheet::FindSelectable(int cellLink, int index, int& column, int& row, int cellType) const {
  for (int r = 0; r < rows_; ++r) {
    for (int c = 0; c < columns_; ++c) {
      const Cell& cell = CellAt(c, r).cell;
      if (!cell.selectable) continue;
      if (cellLink >= 0 && (cell.cellLink != cellLink || cell.index != index)) continue;
      if (cellType >= 0 && cell.cellType != cellType) continue;
      column = c;
      row = r;
      return true;
    }
  }
  return false;
}

AccessResult Sheet::Access(CellRequest& request, bool notify) const {
  if (!services_.accessor) return AccessResult::Nothing;
  return services_.accessor(request, notify);
}

std::string Sheet::ColumnHeading(int column) const {
  for (int row = fixedRows_ - 1; row >= 0; --row) {
    const Cell& cell = CellAt(column, row).cell;
    if (!cell.text) continue;
    if (std::string heading = OneLine(*cell.text); !heading.empty()) return heading;
  }
  return {};
}

}  // namespace rtv
