#include "report_page/summary_table.h"

#include <cstdlib>

#include "core/base/text.h"

namespace {

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t at; (at = text.find(separator, start)) != std::string::npos; start = at + 1)
    parts.push_back(text.substr(start, at - start));
  parts.push_back(text.substr(start));
  return parts;
}

// The numbers under the heading's columns; cells beyond them are left out.
SummaryRow Row(const std::vector<std::string>& cells, size_t columns) {
  SummaryRow row{cells[0], {}};
  for (size_t i = 1; i < cells.size() && i - 1 < columns; ++i)
    row.Values.push_back(std::atoll(cells[i].c_str()));
  return row;
}

}  // namespace

SummaryTable ParseSummaryTable(const std::string& text) {
  SummaryTable table;
  if (text.empty())
    return table;
  const std::string contestant = "Contestant:";
  for (const std::string& line : SplitLines(text)) {
    std::vector<std::string> cells = Split(line, '\t');
    if (cells.size() == 1 && table.Title.empty()) {
      table.Title = Trim(line);
    } else if (cells.size() > 1 && cells[0].empty() && cells[1].rfind(contestant, 0) == 0) {
      table.Contestant = Trim(cells[1].substr(contestant.size()));
    } else if (cells.size() > 1 && cells[0].empty()) {
      for (size_t i = 1; i < cells.size(); ++i)
        table.Columns.push_back(ToLower(Trim(cells[i])));
    } else if (cells[0] == "Total") {
      table.Total = Row(cells, table.Columns.size());
    } else if (cells[0] == "Score" && cells.size() == 2) {
      table.Score = std::atoll(cells[1].c_str());
    } else if (cells.size() > 1) {
      table.Bands.push_back(Row(cells, table.Columns.size()));
    }
  }
  return table;
}
