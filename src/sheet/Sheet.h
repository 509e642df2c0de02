// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/FontDesc.h"
#include "cells/Cell.h"
#include "cells/CellRequest.h"

namespace rtv {

class OverlayText;
class ItemAccessor;
class SettingsStore;
class TextMetrics;

// The text a sheet is opened by: "[tag]key,parameter", tag and parameter optional.
struct SheetDescriptor {
  std::string key;
  std::string parameter;
  static SheetDescriptor Parse(std::string_view descriptor);
};

struct SheetRow {
  int line = 0;               // in the key's "_Cells" entry
  bool selectEnabled = true;  // SelectON/SelectOFF when the row was listed
};

struct CellSlot {
  Cell cell;
  bool multiSelect = false;  // multi-select is on and the row is select-enabled
  bool marked = false;
  bool dragMarked = false;
};

// What every sheet reads around it; all outlive the sheet.
struct SheetServices {
  OverlayText& overlay;  // the main overlay: the width list, the usable-view texts
  const TextMetrics& metrics;
  // Serves the bound cells; a sheet without one shows only unbound texts.
  std::function<AccessResult(CellRequest&, bool notify)> accessor;
  // Where column widths are remembered; none: never.
  SettingsStore* widthStore = nullptr;
  int fontSizePercentage = 100;
};

// One editable table built from the overlay entries K_Style, K_BasicCell and K_Cells.
// The sheet view that shows it reads the cells, sizes and cursor from here.
class Sheet {
 public:
  static constexpr ColourValue kDefaultTitleColour = ToColourValue(SystemColour::GreyText);
  // How many cells the user may mark at once: only the cursor's, a rectangle of cells, or
  // whole rows.
  enum class MultiSelect : std::uint8_t { None, Cell, Line };
  static constexpr const char* kWidthListKey = "GI_CellWidthRegList";

  // `store` is where the entries are read (and the cell models they name).
  Sheet(const SheetServices& services, OverlayText& store, std::string descriptor,
        int initialLink = 0, int initialIndex = 0);
  virtual ~Sheet();
  Sheet(const Sheet&) = delete;
  Sheet& operator=(const Sheet&) = delete;

  // What a kind of sheet may do its own way: its parameter, the build and each of its
  // steps, the title, printing and the remembered column widths.
  virtual void SetParameter(std::string parameter);
  virtual void Build();
  virtual void ApplyStyleItem(std::string_view item);
  virtual void ApplyControlItem(std::string_view item);
  virtual void BuildCells();
  virtual void BuildBasicCell();
  virtual void LayoutRows();
  virtual void FillCells();
  virtual void RowStarted(int row);
  virtual void CellStarted(int column, int row);
  virtual std::string TitleText() const;
  virtual bool IsPrintable() const;
  virtual bool CanPrint() const;
  virtual void LoadColumnWidths();
  virtual void SaveColumnWidths();

  // The slot of a cell; outside the sheet view (or before it is built) is fatal.
  CellSlot& CellAt(int column, int row);
  const CellSlot& CellAt(int column, int row) const;
  bool Contains(int column, int row) const {
    return column >= 0 && row >= 0 && column < columns_ && row < rows_;
  }
  // The heading of a column: the text of its lowest heading cell that has one, on one line.
  std::string ColumnHeading(int column) const;

  // Forgets the remembered widths of every listed sheet.
  static void ResetAllColumnWidths(OverlayText& overlay, SettingsStore& store);
  // The settings group of a sheet's widths, or empty when its key is not listed.
  static std::string WidthGroup(OverlayText& overlay, const std::string& key);

  const std::string& key() const { return key_; }
  const std::string& descriptor() const { return descriptor_; }
  const std::string& parameter() const { return parameter_; }
  OverlayText& store() const { return store_; }
  const SheetServices& services() const { return services_; }

  const std::optional<std::string>& title() const { return title_; }
  const std::optional<FontDesc>& titleFont() const { return titleFont_; }
  ColourValue titleColour() const { return titleColour_; }
  int fixedColumns() const { return fixedColumns_; }
  int fixedRows() const { return fixedRows_; }
  bool embedded() const { return embedded_; }
  void SetEmbedded(bool on) { embedded_ = on; }
  bool noPrint() const { return noPrint_; }
  bool columnSizing() const { return columnSizing_; }
  bool colourSelectLine() const { return colourSelectLine_; }
  MultiSelect multiSelect() const { return multiSelect_; }
  int printFontRatio() const { return printFontRatio_; }
  double scale() const { return scale_; }
  const Cell& basicCell() const { return basicCell_; }
  const std::vector<SheetRow>& rows() const { return sheetRows_; }
  CellCounters& counters() { return counters_; }

  int columnCount() const { return columns_; }
  int rowCount() const { return rows_; }
  int ColumnWidth(int column) const { return columnWidths_.at(static_cast<std::size_t>(column)); }
  int RowHeight(int row) const { return rowHeights_.at(static_cast<std::size_t>(row)); }
  void SetColumnWidth(int column, int width);
  int TotalWidth() const;
  int TotalHeight() const;
  // The smallest column and row that hold a selectable cell (-1 when none does).
  int firstSelectableColumn() const { return firstSelectableColumn_; }
  int firstSelectableRow() const { return firstSelectableRow_; }

  // The cursor and the scrolled position the sheet view shows.
  int currentColumn() const { return currentColumn_; }
  int currentRow() const { return currentRow_; }
  void SetCurrent(int column, int row);
  int leftColumn() const { return leftColumn_; }
  int topRow() const { return topRow_; }
  void SetTopLeft(int column, int row);
  // False when the current cell is not selectable: the sheet shows but takes no input.
  bool inputEnabled() const { return inputEnabled_; }
  bool busy() const { return busy_; }

  // Set by the window before a (re)build.
  void SetRememberedPosition(int column, int row, int leftColumn, int topRow);
  void SetResetWidths(bool on) { resetWidths_ = on; }
  // Printing lays the sheet out with a fixed font height (0: the percentage applies).
  void SetFixedFontHeight(int height) { fixedFontHeight_ = height; }
  int fixedFontHeight() const { return fixedFontHeight_; }
  // Output pixels per screen pixel: a printer's cells keep the screen's proportions.
  void SetScale(double scale) { scale_ = scale > 0 ? scale : 1.0; }

  // The first selectable cell, rows top to bottom, each row left to right, whose link and
  // index equal the given ones (any cell link and index when `cellLink` is negative); false if
  // none.
  bool FindSelectable(int cellLink, int index, int& column, int& row, int cellType = -1) const;

  // Serves a cell through the accessor; a sheet without one answers nothing.
  AccessResult Access(CellRequest& request, bool notify) const;

 protected:
  // While LayoutRows runs: the line being read and the lines still to skip.
  int currentLine() const { return layoutLine_; }
  void SkipLines(int count) { skipLines_ = count; }
  void SetTitle(std::string title) { title_ = std::move(title); }
  void SetTitleFont(const FontDesc& font) { titleFont_ = font; }
  // The font a cell is drawn and measured in.
  const FontDesc& CellFont(const Cell& cell) const;
  // The loop of a bare "LoopFrom": starts at the current line with `count` repetitions.
  void StartLoop(int count);
  // FillCells, with `adjust` applied to each cell right after it is parsed or copied.
  void FillCellsWith(const std::function<void(Cell&)>& adjust);

 private:
  void ApplyStyle();
  void CountRow(std::string_view text);
  void EndControlLine();
  void FitCell(const Cell& cell, int column, int row);
  void RestorePosition();

  const SheetServices& services_;
  OverlayText& store_;
  std::string key_;
  std::string descriptor_;
  std::string parameter_;
  int initialLink_;
  int initialIndex_;

  std::optional<std::string> title_;
  std::optional<FontDesc> titleFont_;
  ColourValue titleColour_ = kDefaultTitleColour;
  int styleFixedColumns_ = 0;
  int styleFixedRows_ = 0;
  int fixedColumns_ = 0;
  int fixedRows_ = 0;
  bool embedded_ = false;
  bool noPrint_ = false;
  bool columnSizing_ = false;
  bool colourSelectLine_ = false;
  MultiSelect multiSelect_ = MultiSelect::None;
  int printFontRatio_ = 100;
  double scale_ = 1.0;
  int fixedFontHeight_ = 0;
  std::array<int, 4> remembered_{-1, -1, -1, -1};
  CellCounters counters_{};
  Cell basicCell_;
  std::vector<SheetRow> sheetRows_;
  std::vector<CellSlot> slots_;  // row by row
  bool resetWidths_ = false;

  int columns_ = 0;
  int rows_ = 0;
  std::vector<int> columnWidths_;
  std::vector<int> rowHeights_;
  int firstSelectableColumn_ = -1;
  int firstSelectableRow_ = -1;
  int currentColumn_ = 0;
  int currentRow_ = 0;
  int leftColumn_ = 0;
  int topRow_ = 0;
  bool inputEnabled_ = false;
  bool busy_ = false;

  // Layout state.
  int layoutLine_ = 0;
  int skipLines_ = 0;
  bool selectState_ = true;
  int loopStart_ = -1;
  int loopEnd_ = -1;
  int loopCount_ = 0;
  int loopBodyRows_ = 0;
};

}  // namespace rtv
