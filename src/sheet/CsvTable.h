// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rtv {

// A table of texts as comma-separated values: comma separator (or another, a tab for the
// clipboard), fields quoted when they hold the separator, a quote or a line end, quotes
// doubled, CRLF line ends. Reading takes what a
// spreadsheet or an editor may make of it (a byte order mark, LF or CR-only line ends, stray
// quotes, an unterminated quote) and says what it had to guess.
//
// A spreadsheet runs a text that starts like a formula (=, +, -, @, a tab or a carriage
// return), so such a text is written with a leading apostrophe, which a spreadsheet shows as
// text; reading removes one leading apostrophe from every field. A text that starts with an
// apostrophe gets one more, so it survives. A bare sign and a plain number stay as they are:
// a spreadsheet reads them as what they are, and "-" is what many cells show.
class CsvTable {
 public:
  using Row = std::vector<std::string>;

  struct Problem {
    int line = 0;  // 1-based, in the text
    std::string text;
  };

  static constexpr char kComma = ',';
  static constexpr char kTab = '\t';

  static std::string Write(const std::vector<Row>& rows, char separator = kComma);
  // One row per line of the text; an empty line is a row of one empty field. Rows after the
  // first `keptRows` are counted but neither kept nor checked, so a huge file costs no more
  // memory than the rows wanted.
  static CsvTable Read(std::string_view text, std::size_t keptRows = SIZE_MAX,
                       char separator = kComma);

  const std::vector<Row>& rows() const { return rows_; }
  // The text line each kept row starts on (1-based).
  const std::vector<int>& rowLines() const { return rowLines_; }
  const std::vector<Problem>& problems() const { return problems_; }
  // Every row of the text, kept or not, and every row up to the last one with any text.
  std::size_t rowCount() const { return rowCount_; }
  std::size_t filledRowCount() const { return filledRowCount_; }
  // The line of a kept row or of the first row after them; 0 for others.
  int LineOfRow(std::size_t row) const;

 private:
  std::vector<Row> rows_;
  std::vector<int> rowLines_;
  std::vector<Problem> problems_;
  std::size_t rowCount_ = 0;
  std::size_t filledRowCount_ = 0;
  int firstDroppedLine_ = 0;
};

}  // namespace rtv
