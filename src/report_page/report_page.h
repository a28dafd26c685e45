// The report page: one self-contained HTML file (inline CSS and SVG, no
// script, nothing fetched) of a scored log.
#pragma once

#include <string>

#include "report_page/page_facts.h"

std::string ReportPage(const PageFacts& facts);
