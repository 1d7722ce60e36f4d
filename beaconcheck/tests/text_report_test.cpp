// The text report of a crowded band from hand-made measurements: the table's rows and their
// order, the expected beacon picked out, carriers, and the exit status.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "intended_transmissions.hpp"
#include "report.hpp"
#include "summary_table.hpp"
#include "symbol_faults.hpp"

namespace beaconcheck {
namespace {

using tonepak::SymbolFault;

constexpr double kStepHz = 12000.0 / 8192.0;

struct Beacon {
  const char* sent;  // the message, as tonepak takes it
  double start_s = 1.0;
  double drift_hz = 0.0;
  bool decoded = true;
  SymbolFault fault = SymbolFault::kNone;
  std::size_t second = 0;  // 1: the pair's second transmission
  bool carrier = false;
};

Transmission Heard(const Beacon& b, double tone0_hz) {
  const tonepak::IntendedTransmissions sent = tonepak::IntendedFromText(b.sent);
  EXPECT_GT(sent.count, b.second) << b.sent;
  Transmission t;
  t.carrier = b.carrier;
  t.start_s = b.start_s;
  t.dt_s = std::fmod(b.start_s, 120.0) - 1.0;  // from the even minute
  for (std::size_t k = 0; k < 4; ++k)
    t.tones_hz[k] = tone0_hz + (b.carrier ? 0.0 : static_cast<double>(k) * kStepHz);
  t.step_hz = b.carrier ? 0.0 : kStepHz;
  t.drift_hz = b.drift_hz;
  t.snr_db = -15.0;
  if (b.carrier) return t;
  t.symbols_sent = 162;
  t.sync = 0.9;
  t.sync_agreeing = 162;
  t.heard = tonepak::WithFault(sent.symbols[b.second], b.fault);
  if (b.decoded) {
    t.decoded = tonepak::SoftDecoded{};
    t.message = sent.messages[b.second];
  }
  return t;
}

Report Band(const std::vector<Beacon>& beacons, const char* expect,
            std::optional<double> dial_mhz = std::nullopt) {
  Report r;
  r.file = "band.wav";
  r.sample_rate_hz = 12000.0;
  r.seconds = 240.0;
  r.dial_mhz = dial_mhz;
  if (*expect != '\0') r.intended = tonepak::IntendedFromText(expect);
  for (std::size_t n = 0; n < beacons.size(); ++n) {
    r.transmissions.push_back(Heard(beacons[n], 1420.0 + 30.0 * static_cast<double>(n)));
    r.verdicts.push_back(Judge(r.transmissions.back(), r.intended));
  }
  return r;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

struct ReportCase {
  const char* name;
  std::vector<Beacon> beacons;
  const char* expect;              // "" for none
  std::vector<std::string> rows;   // each row's number, message and verdict; none: no table
  std::optional<double> dial_mhz;  // adds the RF column
  int status;
};

const ReportCase kCases[] = {
    {"Nothing", {}, "", {}, {}, 1},
    {"OneAlone", {{"K1ABC FN42 37"}}, "", {}, {}, 0},
    {"ThreeInTheOrderTheyBegin",
     {{"K1ABC FN42 37"}, {"K9XYZ EM10 23", 1.5, 8.0}, {"G4ABC IO91 30", 2.0, 0.0, false}},
     "",
     {"1|K1ABC FN42 37|as intended", "2|K9XYZ EM10 23|drift too far off",
      "3|(not decoded)|decodable"},
     {},
     1},
    {"Carrier",
     {{"K1ABC FN42 37"}, {"K9XYZ EM10 23", 1.0, 0.0, false, {}, 0, true}},
     "",
     {"1|K1ABC FN42 37|as intended", "2|(carrier)|one tone only"},
     {},
     1},
    {"ExpectedFirstOthersDoNotCount",
     {{"K9XYZ EM10 23", 0.5, 8.0}, {"K1ABC FN42 37"}, {"G4ABC IO91 30", 2.0}},
     "K1ABC FN42 37",
     {"*2|K1ABC FN42 37|as intended", "1|K9XYZ EM10 23|drift too far off",
      "3|G4ABC IO91 30|other-message"},
     {},
     0},
    {"ExpectedFoundByItsFault",
     {{"K9XYZ EM10 23"}, {"K1ABC FN42 37", 1.5, 0.0, false, SymbolFault::kTonesInverted}},
     "K1ABC FN42 37",
     {"*2|(not decoded)|tones-inverted", "1|K9XYZ EM10 23|other-message"},
     {},
     1},
    {"ExpectedNotHeard",
     {{"K9XYZ EM10 23"}},
     "K1ABC FN42 37",
     {"1|K9XYZ EM10 23|other-message"},
     {},
     1},
    {"PairWithTheLongestMessageAtRadio",
     {{"G4ABC IO91 30", 0.5},
      {"ABC/KA1ABC FN42AX 37"},
      {"ABC/KA1ABC FN42AX 37", 121.0, 0.0, true, {}, 1}},
     "ABC/KA1ABC FN42AX 37",
     {"*2|ABC/KA1ABC 37|as intended", "*3|<ABC/KA1ABC> FN42AX 37|as intended",
      "1|G4ABC IO91 30|other-message"},
     1296.5,
     0},
};

class TextReportCase : public ::testing::TestWithParam<ReportCase> {};

TEST_P(TextReportCase, TableBlocksAndStatus) {
  const ReportCase& c = GetParam();
  const Report report = Band(c.beacons, c.expect, c.dial_mhz);
  const std::vector<std::string> text = Lines(TextReport(report));
  ASSERT_FALSE(text.empty());
  EXPECT_EQ(ExitStatus(report), c.status);

  const bool not_heard = *c.expect != '\0' && ExpectedHeard(report).empty() && !c.rows.empty();
  const std::string heard_line = std::string(c.expect) + " is not heard in this recording; heard:";
  EXPECT_EQ(text.size() > 1 && text[1] == heard_line, not_heard) << text[1];

  EXPECT_EQ(ShowsSummary(report), !c.rows.empty());
  std::vector<std::string> rows;
  const SummaryTable table = Summary(report);
  for (const SummaryTable::Row& row : table.rows) {
    rows.push_back(row.cells.front() + "|" + row.cells[row.cells.size() - 2] + "|" +
                   row.cells.back());
  }
  if (!c.rows.empty()) {
    EXPECT_EQ(rows, c.rows);
    // The table's lines open the report, in it as SummaryLines writes them.
    const std::vector<std::string> lines = SummaryLines(table);
    const std::size_t at = not_heard ? 3 : 2;
    ASSERT_GE(text.size(), at + lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      EXPECT_EQ(text[at + i], lines[i]);
      EXPECT_LE(lines[i].size(), kSummaryWidth) << lines[i];
    }
    EXPECT_EQ(lines.size(), 1 + c.rows.size() + (c.rows[0][0] == '*' ? 1 : 0));
  }
  // The blocks in the table's order: the expected beacon's first.
  std::vector<std::string> blocks;
  for (const std::string& line : text) {
    if (line.starts_with("Transmission ")) blocks.push_back(line.substr(13));
  }
  ASSERT_EQ(blocks.size(), c.beacons.size());
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    EXPECT_EQ(blocks[i], std::to_string(table.rows[i].transmission + 1));
  }
}

INSTANTIATE_TEST_SUITE_P(Reports, TextReportCase, ::testing::ValuesIn(kCases),
                         [](const auto& info) { return std::string(info.param.name); });

// A carrier's block holds no step, spacing or symbols; the other steady carriers are listed at
// the end with --verbose only.
TEST(TextReport, CarrierBlockAndCarrierList) {
  Report report = Band({{"K1ABC FN42 37", 1.0, 0.0, false, {}, 0, true}}, "");
  report.carriers.push_back({50.0, 0.0, 120.0, 12.34});
  const std::string plain = TextReport(report);
  const std::string verbose = TextReport(report, true);
  EXPECT_NE(plain.find("\n  carrier     one tone, no step, no symbols\n"), std::string::npos);
  EXPECT_NE(plain.find("\n  verdict     Decoders will not hear it: The beacon sends one tone"),
            std::string::npos);
  for (const char* absent : {"\n  step ", "\n  spacing ", "\n  symbols heard"}) {
    EXPECT_EQ(plain.find(absent), std::string::npos) << absent;
  }
  EXPECT_EQ(plain.find("carrier  50.0 Hz"), std::string::npos);
  EXPECT_EQ(verbose, plain + "\ncarrier  50.0 Hz, 120.0 s, SNR +12.3 dB\n");
}

}  // namespace
}  // namespace beaconcheck
