#include "summary_table.h"

#include <cstdlib>
#include <sstream>

#include "base/text.h"

namespace {

std::vector<std::string> Cells(const std::string& line) {
  std::vector<std::string> cells;
  std::stringstream in(line);
  for (std::string cell; std::getline(in, cell, '\t');)
    cells.push_back(Trim(cell));
  return cells;
}

long long Number(const std::vector<std::string>& cells, size_t i) {
  return i < cells.size() ? std::atoll(cells[i].c_str()) : 0;
}

}  // namespace

SummaryTable ParseSummaryTable(const std::string& text) {
  SummaryTable table;
  const std::string contestant = "Contestant:";
  std::stringstream in(ReplaceAll(text, "\r\n", "\n"));
  for (std::string line; std::getline(in, line);) {
    std::vector<std::string> cells = Cells(line);
    if (cells.empty())
      continue;
    if (cells.size() == 1 && table.Title.empty()) {
      table.Title = cells[0];
    } else if (cells.size() == 2 && cells[1].rfind(contestant, 0) == 0) {
      table.Contestant = Trim(cells[1].substr(contestant.size()));
    } else if (cells[0].empty() && cells.size() >= 4) {
      table.Japanese = cells.size() >= 5;  // the heading: QSOs, Points, County[, Cont]
    } else if (cells[0] == "Score") {
      table.Score = Number(cells, 1);
    } else if (cells.size() >= 4) {
      SummaryRow row{cells[0], Number(cells, 1), Number(cells, 2), Number(cells, 3),
                     Number(cells, 4)};
      if (row.Band == "Total")
        table.Total = row;
      else
        table.Bands.push_back(row);
    }
  }
  return table;
}
