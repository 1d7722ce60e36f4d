// The summary table's cells from the measurements, and its aligned text.
#include "summary_table.hpp"

#include <algorithm>
#include <array>
#include <cstdio>

#include "message_unpacking.hpp"
#include "shown_figure.hpp"

namespace beaconcheck {
namespace {

struct Column {
  const char* heading;
  std::size_t width;
  bool left;        // text, left-aligned and cut to the width; figures go right
  std::size_t gap;  // spaces before it
};
// Wide enough for 999 transmissions, a 30-minute recording, 6000 Hz of audio, 1296 MHz, and
// the longest message a decoder shows ("<PJ4/K1ABCD> FK52UD 37").
constexpr Column kNumber{"#", 4, false, 0};
constexpr Column kStart{"start s", 7, false, 1};
constexpr Column kDt{"DT s", 5, false, 1};
constexpr Column kAudio{"audio Hz", 8, false, 1};
constexpr Column kRadio{"RF MHz", 11, false, 1};
constexpr Column kSnr{"SNR dB", 6, false, 1};
constexpr Column kDrift{"drift Hz", 8, false, 1};
constexpr Column kMessage{"message", 22, true, 2};
constexpr Column kVerdict{"verdict", 18, true, 2};  // the last: as long as the line allows

std::vector<Column> Columns(bool radio) {
  std::vector<Column> columns{kNumber, kStart, kDt, kAudio};
  if (radio) columns.push_back(kRadio);
  columns.insert(columns.end(), {kSnr, kDrift, kMessage, kVerdict});
  return columns;
}

std::string Figure(const char* format, double value, int decimals) {
  std::array<char, 40> text{};
  std::snprintf(text.data(), text.size(), format, Shown(value, decimals));
  return text.data();
}

// A text cut to `width` characters, "..." saying where.
std::string Cut(const std::string& text, std::size_t width) {
  return text.size() <= width ? text : text.substr(0, width - 3) + "...";
}

std::vector<std::string> Cells(const Report& report, std::size_t n, bool expected) {
  const Transmission& t = report.transmissions[n];
  // The signal's centre, tone 0 + 1.5 steps on the grid, whichever way up the tones are.
  const double centre_hz = 0.5 * (t.tones_hz[0] + t.tones_hz[3]);
  std::vector<std::string> cells{(expected ? "*" : "") + std::to_string(n + 1),
                                 Figure("%.1f", t.start_s, 1), Figure("%+.1f", t.dt_s, 1),
                                 Figure("%.1f", centre_hz, 1)};
  if (report.dial_mhz) cells.push_back(Figure("%.6f", *report.dial_mhz + centre_hz / 1e6, 6));
  cells.push_back(Figure("%+.0f", t.snr_db, 0));
  cells.push_back(Figure("%+.1f", t.drift_hz, 1));
  cells.push_back(t.carrier   ? "(carrier)"
                  : t.message ? tonepak::MessageText(*t.message)
                              : "(not decoded)");
  cells.push_back(report.verdicts[n].brief);
  return cells;
}

std::string Line(const std::vector<Column>& columns, const std::vector<std::string>& cells) {
  std::string line;
  for (std::size_t c = 0; c < columns.size(); ++c) {
    const Column& column = columns[c];
    line.append(column.gap, ' ');
    const bool last = c + 1 == columns.size();
    const std::size_t width =
        last ? std::max(column.width, kSummaryWidth - std::min(kSummaryWidth, line.size()))
             : column.width;
    const std::string text = column.left ? Cut(cells[c], width) : cells[c];
    const std::size_t pad = width > text.size() ? width - text.size() : 0;
    if (!column.left) line.append(pad, ' ');
    line += text;
    if (column.left && !last) line.append(pad, ' ');
  }
  return line;
}

}  // namespace

bool ShowsSummary(const Report& report) {
  if (report.transmissions.size() >= 2) return true;
  return report.intended.count > 0 && !report.transmissions.empty() &&
         ExpectedHeard(report).empty();
}

SummaryTable Summary(const Report& report) {
  SummaryTable table;
  for (const Column& column : Columns(report.dial_mhz.has_value())) {
    table.headings.emplace_back(column.heading);
  }
  const std::vector<std::size_t> expected = ExpectedHeard(report);
  for (const std::size_t n : ShownOrder(report)) {
    const bool ours = std::find(expected.begin(), expected.end(), n) != expected.end();
    table.rows.push_back({n, ours, Cells(report, n, ours)});
  }
  if (!expected.empty()) table.legend = "* expected: " + ExpectedText(report);
  return table;
}

std::vector<std::string> SummaryLines(const SummaryTable& table) {
  const std::vector<Column> columns = Columns(table.headings.size() > Columns(false).size());
  std::vector<std::string> lines{Line(columns, table.headings)};
  for (const SummaryTable::Row& row : table.rows) lines.push_back(Line(columns, row.cells));
  if (!table.legend.empty()) lines.push_back(Cut(table.legend, kSummaryWidth));
  return lines;
}

}  // namespace beaconcheck
