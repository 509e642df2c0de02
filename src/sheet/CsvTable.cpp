// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/CsvTable.h"

namespace rtv {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool NeedsQuotes(const std::string& field, char separator) {
  const char special[] = {separator, '"', '\r', '\n', '\0'};
  return field.find_first_of(special) != std::string::npos;
}

// "-", "---", "+5", "-12.5": read by a spreadsheet as text or a number, never as a formula.
bool PlainNumber(const std::string& field) {
  if (field.find_first_not_of('-') == std::string::npos) return true;
  std::size_t i = 1;
  while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
  if (i < field.size() && field[i] == '.' && i > 1) {
    ++i;
    const std::size_t digits = i;
    while (i < field.size() && field[i] >= '0' && field[i] <= '9') ++i;
    if (i == digits) return false;
  }
  return i == field.size();
}

bool NeedsApostrophe(const std::string& field) {
  if (field.empty()) return false;
  switch (field.front()) {
    case '=':
    case '@':
    case '\t':
    case '\r':
    case '\'':
      return true;
    case '+':
    case '-':
      return !PlainNumber(field);
    default:
      return false;
  }
}

}  // namespace

std::string CsvTable::Write(const std::vector<Row>& rows, char separator) {
  std::string text;
  for (const Row& row : rows) {
    for (std::size_t i = 0; i < row.size(); ++i) {
      if (i != 0) text += separator;
      const std::string field = NeedsApostrophe(row[i]) ? "'" + row[i] : row[i];
      if (!NeedsQuotes(field, separator)) {
        text += field;
        continue;
      }
      text += '"';
      for (char c : field) {
        if (c == '"') text += '"';
        text += c;
      }
      text += '"';
    }
    text += "\r\n";
  }
  return text;
}

int CsvTable::LineOfRow(std::size_t row) const {
  if (row < rowLines_.size()) return rowLines_[row];
  return row == rowLines_.size() ? firstDroppedLine_ : 0;
}

CsvTable CsvTable::Read(std::string_view text, std::size_t keptRows, char separator) {
  CsvTable table;
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    text.remove_prefix(kByteOrderMark.size());
  }
  int line = 1;
  std::size_t i = 0;
  const std::size_t size = text.size();
  // A line end: CRLF, LF or a lone CR. Returns its length at `at`, 0 for none.
  const auto lineEnd = [&](std::size_t at) -> std::size_t {
    if (at >= size) return 0;
    if (text[at] == '\n') return 1;
    if (text[at] != '\r') return 0;
    return at + 1 < size && text[at + 1] == '\n' ? 2 : 1;
  };
  std::vector<Problem> dropped;  // the problems of rows that are not kept
  while (i < size) {
    const bool kept = table.rowCount_ < keptRows;
    std::vector<Problem>& problems = kept ? table.problems_ : dropped;
    dropped.clear();
    Row row;
    if (kept) {
      table.rowLines_.push_back(line);
    } else if (table.rowCount_ == keptRows) {
      table.firstDroppedLine_ = line;
    }
    bool filled = false;
    for (;;) {
      std::string field;
      if (i < size && text[i] == '"') {
        const int quoteLine = line;
        ++i;
        bool closed = false;
        while (i < size) {
          if (text[i] == '"') {
            if (i + 1 < size && text[i + 1] == '"') {
              field += '"';
              i += 2;
              continue;
            }
            ++i;
            closed = true;
            break;
          }
          if (const std::size_t end = lineEnd(i); end != 0) {
            field.append(text.substr(i, end));
            i += end;
            ++line;
            continue;
          }
          field += text[i++];
        }
        if (!closed) {
          problems.push_back({quoteLine, "a quoted field is not closed"});
        } else if (i < size && text[i] != separator && lineEnd(i) == 0) {
          // Text after the closing quote: kept, as a spreadsheet would.
          problems.push_back({line, "text after a closing quote"});
          while (i < size && text[i] != separator && lineEnd(i) == 0) field += text[i++];
        }
      } else {
        bool strayQuote = false;
        while (i < size && text[i] != separator && lineEnd(i) == 0) {
          strayQuote = strayQuote || text[i] == '"';
          field += text[i++];
        }
        if (strayQuote) problems.push_back({line, "a quote inside an unquoted field"});
      }
      if (!field.empty() && field.front() == '\'') field.erase(0, 1);
      filled = filled || !field.empty();
      if (kept) row.push_back(std::move(field));
      if (i < size && text[i] == separator) {
        ++i;
        continue;
      }
      break;
    }
    if (const std::size_t end = lineEnd(i); end != 0) {
      i += end;
      ++line;
    }
    ++table.rowCount_;
    if (filled) table.filledRowCount_ = table.rowCount_;
    if (kept) table.rows_.push_back(std::move(row));
  }
  return table;
}

}  // namespace rtv
