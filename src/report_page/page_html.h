// Helpers that the parts of the report page share.
#pragma once

#include <cstdint>
#include <string>

#include "report_page/page_facts.h"

// Text made safe to stand in HTML content and attribute values.
std::string HtmlEscape(const std::string& text);

// "2023-06-10 14:05" (UTC) of a minute as PageQso counts them.
std::string MinuteText(int64_t minute, const char* pattern = "%Y-%m-%d %H:%M");

// The parts of the page, each appending its <section>.
void AppendSummarySection(std::string& page, const SummaryTable& summary);
void AppendGridSection(std::string& page, const PageFacts& facts);
void AppendRateSection(std::string& page, const PageFacts& facts);
void AppendProblemSection(std::string& page, const std::vector<ProblemLine>& problems);
void AppendLeftOutSection(std::string& page, const std::vector<LeftOutCount>& leftOut);
