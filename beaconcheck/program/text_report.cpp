// The plain-text report: in a crowd a table first, then one block per transmission, each figure
// with its error, the expected beacon's first.
#include <array>
#include <cmath>
#include <cstdio>

#include "formatted_text.hpp"
#include "message_unpacking.hpp"
#include "report.hpp"
#include "shown_figure.hpp"
#include "summary_table.hpp"
#include "sync.hpp"

namespace beaconcheck {
namespace {

void AddSymbols(std::string& out, const tonepak::ChannelSymbols& symbols, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (i % 54 == 0) out += "    ";
    out += static_cast<char>('0' + symbols[i]);
    if (i % 54 == 53 || i + 1 == count) out += '\n';
  }
}

void AddRadio(std::string& out, const Report& report, const Transmission& t, bool one_tone) {
  if (!report.dial_mhz) return;
  const RadioFrequencies rf = AtRadio(t, *report.dial_mhz);
  if (one_tone) {
    AddFormatted(out, "  at RF       %.1f Hz", rf.tones_hz[0]);
  } else {
    AddFormatted(out, "  at RF       %.1f %.1f %.1f %.1f Hz", rf.tones_hz[0], rf.tones_hz[1],
                 rf.tones_hz[2], rf.tones_hz[3]);
  }
  AddFormatted(out, "%s%s\n", rf.band.empty() ? "" : ", ", rf.band.c_str());
}

// The pairs of regular and telemetry frames, the channel expected and what does not fit it.
void AddBalloon(std::string& out, const Report& report) {
  const BalloonReading& b = report.balloon;
  out += "\nBalloon\n";
  if (b.expected) {
    AddFormatted(out,
                 "  channel     %d on %s: id %s, lane %d (%.0f Hz), regular frame at minute %d, "
                 "telemetry at %d of every ten\n",
                 b.expected->number, b.expected->band.c_str(), b.expected->id.c_str(),
                 b.expected->lane, b.expected->laneCentreHz, b.expected->regularMinute,
                 b.expected->telemetryMinute);
  }
  for (const BalloonPair& p : b.pairs) {
    const TelemetryFrame& f = b.frames[p.frame];
    AddFormatted(out, "  pair        %s (transmission %zu) and %s (%zu), %.1f s apart in lane %d\n",
                 tonepak::MessageText(*report.transmissions[p.regular].message).c_str(),
                 p.regular + 1,
                 tonepak::MessageText(*report.transmissions[p.telemetry].message).c_str(),
                 p.telemetry + 1, p.seconds_apart, p.lane);
    AddFormatted(out, "  locator     %s\n", p.locator.c_str());
    if (f.telemetry) AddFormatted(out, "  %s\n", balloon::Describe(*f.telemetry).c_str());
  }
  if (b.frames.empty()) out += "  No telemetry frame heard.\n";
  if (!b.frames.empty() && b.pairs.empty()) {
    out += "  No pair: no telemetry frame has a regular frame 120 s before it in its lane.\n";
  }
  for (const std::string& fault : b.faults) AddFormatted(out, "  problem     %s\n", fault.c_str());
}

void AddVerdict(std::string& out, const Verdict& v) {
  for (const std::string& problem : v.problems)
    AddFormatted(out, "  problem     %s\n", problem.c_str());
  AddFormatted(out, "  verdict     %s\n", v.line.c_str());
}

// A steady tone with a transmission's timing: nothing of a WSPR signal to measure beyond it.
void AddCarrier(std::string& out, const Report& report, std::size_t n) {
  const Transmission& t = report.transmissions[n];
  AddFormatted(out, "Transmission %zu\n", n + 1);
  AddFormatted(out, "  start       %.3f s (DT %+.2f s)\n", Shown(t.start_s, 3), Shown(t.dt_s, 2));
  AddFormatted(out, "  frequency   %.3f Hz (+-%.3f)\n", t.tones_hz[0], t.tones_sigma_hz[0]);
  AddRadio(out, report, t, true);
  out += "  carrier     one tone, no step, no symbols\n";
  AddFormatted(out, "  SNR         %.1f dB in 2500 Hz\n", t.snr_db);
  AddVerdict(out, report.verdicts[n]);
}

void AddTransmission(std::string& out, const Report& report, std::size_t n) {
  const Transmission& t = report.transmissions[n];
  const Verdict& v = report.verdicts[n];
  if (t.carrier) {
    AddCarrier(out, report, n);
    return;
  }
  AddFormatted(out, "Transmission %zu\n", n + 1);
  // Before the recording (negative) when the recording began after the transmission did.
  AddFormatted(out, "  start       %.3f s (DT %+.2f s)\n", Shown(t.start_s, 3), Shown(t.dt_s, 2));
  AddFormatted(out, "  tones       %.3f %.3f %.3f %.3f Hz (+-%.3f)\n", t.tones_hz[0], t.tones_hz[1],
               t.tones_hz[2], t.tones_hz[3], t.tones_sigma_hz[0]);
  AddRadio(out, report, t, false);
  AddFormatted(out, "  step        %.4f Hz (%+.3f %%)\n", t.step_hz,
               Shown(t.step_error_percent, 3));
  if (t.evenly_spaced) {
    out += "  spacing     even\n";
  } else {
    AddFormatted(out, "  spacing     tone %d is %+.3f Hz off the others' grid\n", t.off_grid_tone,
                 t.off_grid_hz);
  }
  AddFormatted(out, "  drift       %+.2f Hz\n", Shown(t.drift_hz, 2));
  AddFormatted(out, "  symbol      %.3f ms (%+.4f %%), %zu of 162 %s\n", t.symbol_ms,
               Shown(t.symbol_error_percent, 4), t.symbols_sent,
               t.begins_before_recording || t.ends_after_recording ? "in the recording" : "sent");
  if (t.begins_before_recording) {
    AddFormatted(out, "  recording   begins at symbol %lld of the transmission\n", t.first_slot);
  }
  if (t.ends_after_recording) out += "  recording   ends before the transmission does\n";
  AddFormatted(out, "  SNR         %.1f dB in 2500 Hz\n", t.snr_db);
  if (v.inside_window) {
    out += "  window      inside 1400 to 1600 Hz\n";
  } else {
    AddFormatted(out, "  window      outside 1400 to 1600 Hz by %.1f Hz\n",
                 std::abs(v.window_miss_hz));
  }
  AddFormatted(out, "  sync        %zu of 162 agree\n", t.sync_agreeing);
  AddFormatted(out, "  message     %s\n",
               t.message ? tonepak::MessageText(*t.message).c_str() : "(not decoded)");
  if (const TelemetryFrame* f = report.balloon.FrameOf(n)) {
    out += TelemetryLines(*f, report.balloon.band);
  }
  out += t.begins_before_recording ? "  symbols heard, from where the recording begins:\n"
                                   : "  symbols heard, from where the signal begins:\n";
  AddSymbols(out, t.heard, t.symbols_sent);
  if (v.expected) {
    const bool intended = v.expected->fault == tonepak::SymbolFault::kNone;
    AddFormatted(
        out, "  expected    %s",
        intended ? "as intended" : std::string(tonepak::FaultName(v.expected->fault)).c_str());
    if (v.expected->fault == tonepak::SymbolFault::kShifted)
      AddFormatted(out, " by %d", v.expected->shift);
    if (!intended || !v.expected->differing.empty())
      AddFormatted(out, ", %zu symbols differ", v.expected->differing.size());
    for (std::size_t i = 0; i < v.expected->differing.size() && i < 40; ++i) {
      AddFormatted(out, "%s%zu", i == 0 ? ": " : " ", v.expected->differing[i]);
    }
    out += v.expected->differing.size() > 40 ? " ...\n" : "\n";
  }
  AddVerdict(out, v);
}

}  // namespace

std::string TextReport(const Report& report, bool verbose) {
  std::string out;
  AddFormatted(out, "%s: %.0f Hz, %.1f s, %zu transmission%s\n", report.file.c_str(),
               report.sample_rate_hz, report.seconds, report.transmissions.size(),
               report.transmissions.size() == 1 ? "" : "s");
  if (ShowsSummary(report)) {
    if (report.intended.count > 0 && ExpectedHeard(report).empty()) {
      const char* verb = report.intended.count == 1 ? "is" : "are";
      AddFormatted(out, "%s %s not heard in this recording; heard:\n", ExpectedText(report).c_str(),
                   verb);
    }
    out += '\n';
    for (const std::string& line : SummaryLines(Summary(report))) out += line + '\n';
  }
  for (const std::size_t n : ShownOrder(report)) {
    out += '\n';
    AddTransmission(out, report, n);
  }
  if (report.transmissions.empty()) out += "No WSPR transmission found.\n";
  if (report.balloon.Shown()) AddBalloon(out, report);
  if (verbose) {
    out += '\n';
    for (const Carrier& c : report.carriers) {
      AddFormatted(out, "carrier  %.1f Hz, %.1f s, SNR %+.1f dB\n", c.frequency_hz, c.seconds,
                   Shown(c.snr_db, 1));
    }
    if (report.carriers.empty()) out += "No other steady carrier heard.\n";
  }
  return out;
}

}  // namespace beaconcheck
