#include "csv_text.h"

#include "core/base/text.h"

std::string CsvCell(const std::string& text) {
  std::string cell = text;
  if (!cell.empty() && std::string("=+-@\t\r").find(cell[0]) != std::string::npos)
    cell.insert(0, 1, '\'');
  if (cell.find_first_of(",\"\r\n") == std::string::npos)
    return cell;
  return '"' + ReplaceAll(cell, "\"", "\"\"") + '"';
}
