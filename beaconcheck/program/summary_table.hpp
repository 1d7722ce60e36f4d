// The table that opens the report of a crowded band: a row per transmission, in few words.
#pragma once

#include <string>
#include <vector>

#include "report.hpp"

namespace beaconcheck {

struct SummaryTable {
  struct Row {
    std::size_t transmission = 0;  // the index in Report::transmissions
    bool expected = false;         // the beacon --expect names
    std::vector<std::string> cells;
  };
  // "#", "start s", "DT s", "audio Hz" (the signal's centre), "RF MHz" (with --dial only),
  // "SNR dB", "drift Hz", "message", "verdict".
  std::vector<std::string> headings;
  std::vector<Row> rows;  // in the order the report shows them; "*" before the expected's number
  std::string legend;     // "* expected: K1ABC FN42 37" when the expected beacon is heard
};

// Whether the report opens with the table: with two transmissions or more, and with one that is
// not the beacon --expect names (what was heard instead). One transmission's block alone says
// everything a row would.
bool ShowsSummary(const Report& report);

SummaryTable Summary(const Report& report);

// The table as aligned text, a line each, the heading first and the legend last; no line is
// longer than kSummaryWidth.
std::vector<std::string> SummaryLines(const SummaryTable& table);

inline constexpr std::size_t kSummaryWidth = 100;

}  // namespace beaconcheck
