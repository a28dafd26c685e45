// Cells of the CSV files the check writes.
#pragma once

#include <string>

// Quoted when it holds a comma, a semicolon, a quote or a line break, or begins
// or ends with a blank (quotes doubled, as RFC 4180 has it), and
// led by ' when a spreadsheet would take it for a formula: text that begins
// with =, +, -, @, a tab or a CR. Numbers the check counts are written as they
// are, not through here.
std::string CsvCell(const std::string& text);
