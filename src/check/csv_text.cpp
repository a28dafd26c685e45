#include "check/csv_text.h"

#include "core/base/text.h"

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

}  // namespace

std::string CsvCell(const std::string& text) {
  std::string cell = text;
  if (!cell.empty() && std::string("=+-@\t\r").find(cell[0]) != std::string::npos)
    cell.insert(0, 1, '\'');
  // Quoted whenever a reader could split or trim it: a spreadsheet set to
  // semicolons splits at ';', and many drop blanks at either end.
  bool plain = cell.find_first_of(",;\"\r\n") == std::string::npos &&
               (cell.empty() || (!IsBlank(cell.front()) && !IsBlank(cell.back())));
  if (plain)
    return cell;
  return '"' + ReplaceAll(cell, "\"", "\"\"") + '"';
}
