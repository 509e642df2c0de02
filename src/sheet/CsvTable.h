// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace rtv {

// A table of texts as comma-separated values: comma separator, fields quoted when they hold
// a comma, a quote or a line end, quotes doubled, CRLF line ends. Reading takes what a
// spreadsheet or an editor may make of it (a byte order mark, LF or CR-only line ends, stray
// quotes, an unterminated quote) and says what it had to guess.
class CsvTable {
 public:
  using Row = std::vector<std::string>;

  struct Problem {
    int line = 0;  // 1-based, in the text
    std::string text;
  };

  static std::string Write(const std::vector<Row>& rows);
  // One row per line of the text; an empty line is a row of one empty field.
  static CsvTable Read(std::string_view text);

  const std::vector<Row>& rows() const { return rows_; }
  // The text line each row starts on (1-based).
  const std::vector<int>& rowLines() const { return rowLines_; }
  const std::vector<Problem>& problems() const { return problems_; }

 private:
  std::vector<Row> rows_;
  std::vector<int> rowLines_;
  std::vector<Problem> problems_;
};

}  // namespace rtv
