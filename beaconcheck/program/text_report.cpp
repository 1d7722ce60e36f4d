// The plain-text report: one block per transmission, each figure with its error.
#include <array>
#include <cmath>
#include <cstdarg>
#include <cstdio>

#include "message_unpacking.hpp"
#include "report.hpp"
#include "sync.hpp"

namespace beaconcheck {
namespace {

void Add(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
void Add(std::string& out, const char* format, ...) {
  std::array<char, 512> line{};
  va_list args;
  va_start(args, format);
  std::vsnprintf(line.data(), line.size(), format, args);
  va_end(args);
  out += line.data();
}

// A figure that rounds to zero at `decimals` shows as zero: "+0.00", never "-0.00".
double Shown(double value, int decimals) {
  return std::abs(value) < 0.5 * std::pow(10.0, -decimals) ? 0.0 : value;
}

void AddSymbols(std::string& out, const tonepak::ChannelSymbols& symbols, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) {
    if (i % 54 == 0) out += "    ";
    out += static_cast<char>('0' + symbols[i]);
    if (i % 54 == 53 || i + 1 == count) out += '\n';
  }
}

void AddTransmission(std::string& out, const Report& report, std::size_t n) {
  const Transmission& t = report.transmissions[n];
  const Verdict& v = report.verdicts[n];
  Add(out, "Transmission %zu\n", n + 1);
  // Before the recording (negative) when the recording began after the transmission did.
  Add(out, "  start       %.3f s (DT %+.2f s)\n", Shown(t.start_s, 3), Shown(t.dt_s, 2));
  Add(out, "  tones       %.3f %.3f %.3f %.3f Hz (+-%.3f)\n", t.tones_hz[0], t.tones_hz[1],
      t.tones_hz[2], t.tones_hz[3], t.tones_sigma_hz[0]);
  if (report.dial_mhz) {
    const RadioFrequencies rf = AtRadio(t, *report.dial_mhz);
    Add(out, "  at RF       %.1f %.1f %.1f %.1f Hz%s%s\n", rf.tones_hz[0], rf.tones_hz[1],
        rf.tones_hz[2], rf.tones_hz[3], rf.band.empty() ? "" : ", ", rf.band.c_str());
  }
  Add(out, "  step        %.4f Hz (%+.3f %%)\n", t.step_hz, Shown(t.step_error_percent, 3));
  if (t.evenly_spaced) {
    out += "  spacing     even\n";
  } else {
    Add(out, "  spacing     tone %d is %+.3f Hz off the others' grid\n", t.off_grid_tone,
        t.off_grid_hz);
  }
  Add(out, "  drift       %+.2f Hz\n", Shown(t.drift_hz, 2));
  Add(out, "  symbol      %.3f ms (%+.4f %%), %zu of 162 %s\n", t.symbol_ms,
      Shown(t.symbol_error_percent, 4), t.symbols_sent,
      t.begins_before_recording || t.ends_after_recording ? "in the recording" : "sent");
  if (t.begins_before_recording) {
    Add(out, "  recording   begins at symbol %lld of the transmission\n", t.first_slot);
  }
  if (t.ends_after_recording) out += "  recording   ends before the transmission does\n";
  Add(out, "  SNR         %.1f dB in 2500 Hz\n", t.snr_db);
  if (v.inside_window) {
    out += "  window      inside 1400 to 1600 Hz\n";
  } else {
    Add(out, "  window      outside 1400 to 1600 Hz by %.1f Hz\n", std::abs(v.window_miss_hz));
  }
  Add(out, "  sync        %zu of 162 agree\n", t.sync_agreeing);
  Add(out, "  message     %s\n",
      t.message ? tonepak::MessageText(*t.message).c_str() : "(not decoded)");
  out += t.begins_before_recording ? "  symbols heard, from where the recording begins:\n"
                                   : "  symbols heard, from where the signal begins:\n";
  AddSymbols(out, t.heard, t.symbols_sent);
  if (v.expected) {
    const bool intended = v.expected->fault == tonepak::SymbolFault::kNone;
    Add(out, "  expected    %s",
        intended ? "as intended" : std::string(tonepak::FaultName(v.expected->fault)).c_str());
    if (v.expected->fault == tonepak::SymbolFault::kShifted) Add(out, " by %d", v.expected->shift);
    if (!intended || !v.expected->differing.empty())
      Add(out, ", %zu symbols differ", v.expected->differing.size());
    for (std::size_t i = 0; i < v.expected->differing.size() && i < 40; ++i) {
      Add(out, "%s%zu", i == 0 ? ": " : " ", v.expected->differing[i]);
    }
    out += v.expected->differing.size() > 40 ? " ...\n" : "\n";
  }
  for (const std::string& problem : v.problems) Add(out, "  problem     %s\n", problem.c_str());
  Add(out, "  verdict     %s\n", v.line.c_str());
}

}  // namespace

std::string TextReport(const Report& report) {
  std::string out;
  Add(out, "%s: %.0f Hz, %.1f s, %zu transmission%s\n", report.file.c_str(), report.sample_rate_hz,
      report.seconds, report.transmissions.size(), report.transmissions.size() == 1 ? "" : "s");
  for (std::size_t n = 0; n < report.transmissions.size(); ++n) {
    out += '\n';
    AddTransmission(out, report, n);
  }
  if (report.transmissions.empty()) out += "No WSPR transmission found.\n";
  return out;
}

int ExitStatus(const Report& report) {
  if (report.transmissions.empty()) return 1;
  for (const Verdict& v : report.verdicts) {
    if (!v.decodable || !v.problems.empty() || !v.as_intended) return 1;
  }
  return 0;
}

}  // namespace beaconcheck
