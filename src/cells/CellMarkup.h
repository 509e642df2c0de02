// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>
#include <vector>

#include "cells/Cell.h"

namespace rtv {

class OverlayText;

// Cell markup. `models` is the store that holds the "CellModel_" entries the markup names
// (models are read through it each time they are named, never precompiled).
//
// A row text is a sequence of cells separated by "|"; a backslash keeps a "|" in the
// cell. Each cell is display text with attribute groups in braces: "{(Color=clRed)S}Text".
// Unknown type or link names, bad counter references and missing models are faults of the
// overlay and fatal; anything else that does not parse is ignored.

// Cuts the front cell off `rowText` at the first unescaped "|", restarts `cell` from
// `parent` and, unless `splitOnly`, applies the cell's markup with the counter block.
// Returns the rest of the text after the "|" (a view into `rowText`), empty when there
// was no "|".
std::string_view ParseCell(OverlayText& models, Cell& cell, std::string_view rowText,
                           CellCounters* counters, const Cell* parent, bool splitOnly = false);

// Every cell of a row text, each started from `parent`.
std::vector<Cell> ParseRow(OverlayText& models, std::string_view rowText, CellCounters* counters,
                           const Cell* parent);

// Applies an attribute text (the inside of braces, or a cell model line) to a cell.
void ApplyAttributes(OverlayText& models, Cell& cell, std::string_view attributes);
// Applies one attribute item, the text between "(" and ")".
void ApplyAttribute(OverlayText& models, Cell& cell, std::string_view item);

}  // namespace rtv
