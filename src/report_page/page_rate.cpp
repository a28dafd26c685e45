// QSOs per hour as stacked bars, one colour per band, under the busiest hour.
#include <algorithm>
#include <cstdio>
#include <string>

#include "report_page/hour_rate.h"
#include "report_page/page_html.h"

namespace {

// Above the plot, room for the bracket that marks the best 60 minutes.
const int kLeft = 40, kTop = 22, kPlotHeight = 160, kPlotWidth = 720, kBottom = 34;

std::string Num(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", value);
  std::string out = text;
  return out.size() > 2 && out.compare(out.size() - 2, 2, ".0") == 0 ? out.substr(0, out.size() - 2)
                                                                     : out;
}

std::string Rect(double x, double y, double width, double height, const std::string& cls) {
  return "<rect x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" width=\"" + Num(width) + "\" height=\"" +
         Num(height) + "\" class=\"" + cls + "\"/>";
}

std::string Text(double x, double y, const std::string& anchor, const std::string& text) {
  return "<text x=\"" + Num(x) + "\" y=\"" + Num(y) + "\" text-anchor=\"" + anchor + "\">" + text +
         "</text>";
}

// Hours between two labels of the time axis, so that about 16 fit.
int LabelStep(size_t hours) {
  for (int step : {1, 2, 3, 6, 12, 24, 48, 168})
    if (hours / step <= 16)
      return step;
  return 720;
}

}  // namespace

void AppendRateSection(std::string& page, const PageFacts& facts) {
  HourRate rate = BuildHourRate(facts);
  page += "<section id=\"rate\"><h2>Rate</h2>\n";
  if (rate.BestCount == 0) {
    page += "<p>No stored QSO inside the contest period.</p>\n</section>\n";
    return;
  }
  page += "<p id=\"best-hour\">Best 60 minutes: <b>" + std::to_string(rate.BestCount) +
          " QSOs</b>, " + MinuteText(rate.BestStartMinute) + " to " +
          MinuteText(rate.BestStartMinute + 59, "%H:%M") + ".</p>\n";

  const size_t hours = rate.Hours.size();
  const double barWidth = std::max(1.0, static_cast<double>(kPlotWidth / hours));
  const double width = barWidth * hours;
  int most = 1;
  for (const auto& hour : rate.Hours) {
    int total = 0;
    for (int n : hour)
      total += n;
    most = std::max(most, total);
  }
  const int top = (most + 9) / 10 * 10;
  const double perQso = static_cast<double>(kPlotHeight) / top;
  const double baseY = kTop + kPlotHeight;

  page += "<svg xmlns=\"http://www.w3.org/2000/svg\" role=\"img\" width=\"" +
          Num(kLeft + width + 10) + "\" height=\"" + std::to_string(kTop + kPlotHeight + kBottom) +
          "\" aria-label=\"QSOs per hour\">\n";
  // The best 60 minutes as a dashed frame under a labelled bracket: a range of
  // time, drawn unlike any bar.
  double bestX = kLeft + (rate.BestStartMinute - rate.FirstMinute) * barWidth / 60.0;
  page += Rect(bestX, kTop - 6, barWidth, kPlotHeight + 6, "best-range") + "\n" + "<path d=\"M" +
          Num(bestX) + " " + Num(kTop - 2) + "V" + Num(kTop - 8) + "H" + Num(bestX + barWidth) +
          "V" + Num(kTop - 2) + "\" class=\"best-range\"/>" + "<text x=\"" +
          Num(bestX + barWidth + 4) + "\" y=\"" + Num(kTop - 8) +
          "\" class=\"best-label\">best 60 min</text>\n";
  for (int tick : {0, top / 2, top}) {
    double y = baseY - tick * perQso;
    page += "<line x1=\"" + Num(kLeft) + "\" x2=\"" + Num(kLeft + width) + "\" y1=\"" + Num(y) +
            "\" y2=\"" + Num(y) + "\" class=\"axis\"/>" +
            Text(kLeft - 4, y + 4, "end", std::to_string(tick)) + "\n";
  }
  const int step = LabelStep(hours);
  for (size_t h = 0; h < hours; ++h) {
    int64_t minute = rate.FirstMinute + static_cast<int64_t>(h) * 60;
    double x = kLeft + h * barWidth;
    if (h % step == 0) {
      page +=
          Text(x, baseY + 14, "start", MinuteText(minute, "%H")) +
          (minute % 1440 == 0 ? Text(x, baseY + 28, "start", MinuteText(minute, "%d.%m")) : "") +
          "\n";
    }
    int total = 0;
    for (int n : rate.Hours[h])
      total += n;
    if (total == 0)
      continue;
    page += "<g><title>" + MinuteText(minute) + ": " + std::to_string(total) + " QSOs</title>";
    double y = baseY;
    for (int b = 0; b < kBandCount; ++b) {
      int n = rate.Hours[h][b];
      if (n == 0)
        continue;
      y -= n * perQso;
      page += Rect(x + 0.5, y, std::max(0.5, barWidth - 1), n * perQso, "b" + std::to_string(b));
    }
    page += "</g>\n";
  }
  page += "</svg>\n<p class=\"key\">";
  for (int b = 0; b < kBandCount; ++b)
    page += "<span class=\"b" + std::to_string(b) + "\"></span>" + kDkzRules.Bands[b].Text;
  page +=
      "<span style=\"border:1.5px dashed #7d5a00;box-sizing:border-box\"></span>best 60 "
      "minutes</p>\n"
      "<p class=\"note\">The QSOs the plug-in stored, per hour of the contest period.</p>\n"
      "</section>\n";
}
