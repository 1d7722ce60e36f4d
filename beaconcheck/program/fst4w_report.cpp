// The FST4W report: the analysis and the expected symbols put together, and its plain text.
#include "fst4w_report.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "balloon_reading.hpp"
#include "formatted_text.hpp"
#include "shown_figure.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {
namespace {

bool InsideWindow(const Fst4wTransmission& t) {
  return t.tones_hz[0] >= wspr::kWindowLowHz && t.tones_hz[3] <= wspr::kWindowHighHz;
}

bool AsIntended(const Fst4wReport& report, std::size_t n) {
  return report.transmissions[n].decoded &&
         (!report.expected || report.explanations[n].fault == tonepak::SymbolFault::kNone);
}

void AddTransmission(std::string& out, const Fst4wReport& report, std::size_t n) {
  const Fst4wTransmission& t = report.transmissions[n];
  const std::string_view label = beacon::NameOf(t.mode).label;
  AddFormatted(out, "Transmission %zu (%.*s)\n", n + 1, static_cast<int>(label.size()),
               label.data());
  AddFormatted(out, "  start       %.3f s (DT %+.2f s)\n", Shown(t.start_s, 3), Shown(t.dt_s, 2));
  AddFormatted(out, "  tones       %.3f %.3f %.3f %.3f Hz\n", t.tones_hz[0], t.tones_hz[1],
               t.tones_hz[2], t.tones_hz[3]);
  if (report.dial_mhz) {
    AddFormatted(out, "  at RF       %.1f Hz, tone 0\n", *report.dial_mhz * 1e6 + t.tones_hz[0]);
  }
  AddFormatted(out, "  step        %.4f Hz (%+.3f %%)\n", t.step_hz,
               Shown(t.step_error_percent, 3));
  AddFormatted(out, "  drift       %+.3f Hz\n", Shown(t.drift_hz, 3));
  AddFormatted(out, "  symbol      %.3f ms (%+.4f %%)\n", t.symbol_ms,
               Shown(t.symbol_error_percent, 4));
  AddFormatted(out, "  SNR         %.1f dB in 2500 Hz\n", t.snr_db);
  AddFormatted(out, "  window      %s 1400 to 1600 Hz\n", InsideWindow(t) ? "inside" : "outside");
  AddFormatted(out, "  sync        %zu of 40 heard as sent\n", 40 - t.sync_errors);
  if (t.decoded) {
    AddFormatted(
        out, "  message     %s (%s, %zu of 160 symbols heard otherwise)\n", t.message.c_str(),
        t.decoded->method == tonepak::fst4w::LdpcMethod::kPropagation ? "belief propagation"
                                                                      : "ordered statistics",
        t.symbol_errors);
    const double centre_hz = (t.tones_hz[0] + t.tones_hz[3]) / 2.0;
    if (const auto frame = TelemetryFrameOf(t.message, centre_hz, report.dial_mhz)) {
      out += TelemetryLines(*frame, {});
    }
  } else {
    out += "  message     (not decoded)\n";
  }
  out += "  symbols heard:\n";
  for (std::size_t i = 0; i < t.heard.size(); ++i) {
    if (i % 54 == 0) out += "    ";
    out += static_cast<char>('0' + t.heard[i]);
    if (i % 54 == 53 || i + 1 == t.heard.size()) out += '\n';
  }
  if (report.expected) {
    const Fst4wExplanation& e = report.explanations[n];
    const bool intended = e.fault == tonepak::SymbolFault::kNone;
    AddFormatted(out, "  expected    %s",
                 intended ? "as intended" : std::string(tonepak::FaultName(e.fault)).c_str());
    if (e.fault == tonepak::SymbolFault::kShifted) AddFormatted(out, " by %d", e.shift);
    AddFormatted(out, ", %zu symbols differ\n", e.differing.size());
  }
  AddFormatted(out, "  verdict     %s\n",
               AsIntended(report, n) ? "decodable"
               : t.decoded           ? "decodable, but not the expected transmission"
                                     : "not decodable");
}

}  // namespace

Fst4wReport MakeFst4wReport(std::string file, const Recording& recording, beacon::Mode mode,
                            std::optional<double> dial_mhz,
                            const std::optional<Fst4wExpected>& expected) {
  Fst4wReport report;
  report.file = std::move(file);
  report.sample_rate_hz = recording.sample_rate_hz;
  report.seconds = recording.Seconds();
  report.mode = mode;
  report.dial_mhz = dial_mhz;
  if (!dial_mhz && recording.dial_mhz > 0.0) report.dial_mhz = recording.dial_mhz;
  report.expected = expected;
  report.transmissions = AnalyseFst4w(recording, mode);
  if (expected) {
    for (const Fst4wTransmission& t : report.transmissions) {
      const bool same = t.decoded && std::equal(expected->bits.begin(), expected->bits.end(),
                                                t.decoded->info.begin());
      report.explanations.push_back(ExplainFst4wSymbols(
          t.decoded ? t.sent : t.heard, expected->symbols, same, t.decoded && !same));
    }
  }
  return report;
}

std::string Fst4wTextReport(const Fst4wReport& report) {
  std::string out;
  const std::string_view label = beacon::NameOf(report.mode).label;
  AddFormatted(out, "%s: %.0f Hz, %.1f s, %.*s, %zu transmission%s\n", report.file.c_str(),
               report.sample_rate_hz, report.seconds, static_cast<int>(label.size()), label.data(),
               report.transmissions.size(), report.transmissions.size() == 1 ? "" : "s");
  if (report.expected) AddFormatted(out, "expected    %s\n", report.expected->message.c_str());
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    out += '\n';
    AddTransmission(out, report, n);
  }
  if (report.transmissions.empty()) {
    AddFormatted(out, "No %.*s transmission found.\n", static_cast<int>(label.size()),
                 label.data());
  }
  return out;
}

int Fst4wExitStatus(const Fst4wReport& report) {
  if (report.transmissions.empty()) return 1;
  bool expected_heard = !report.expected;
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    if (!report.expected && !AsIntended(report, n)) return 1;
    if (report.expected && report.explanations[n].fault != tonepak::SymbolFault::kOtherMessage) {
      if (!AsIntended(report, n)) return 1;
      expected_heard = true;
    }
  }
  return expected_heard ? 0 : 1;
}

}  // namespace beaconcheck
