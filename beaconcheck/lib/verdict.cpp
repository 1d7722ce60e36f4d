// The verdict: the window, wsprd's limits, the step's cost and the intended symbols.
#include "verdict.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "wspr_bands.hpp"
#include "wsprd_limits.hpp"

namespace beaconcheck {
namespace {

std::string Format(const char* format, double a, double b = 0.0, double c = 0.0, double d = 0.0) {
  std::array<char, 200> text{};
  // Every sentence takes the four numbers; those its format does not name are ignored.
  // cppcheck-suppress wrongPrintfScanfArgNum
  std::snprintf(text.data(), text.size(), format, a, b, c, d);
  return text.data();
}

// A fault wsprd follows only so far: beyond its limits a blocking sentence, below them what the
// fault costs when it is a decibel or more. `beyond` and `costs` take the value and the limits.
bool JudgeLimit(wspr::WsprdFault fault, double value, const char* beyond, const char* costs,
                std::vector<std::string>& problems) {
  const wspr::Tolerance& t = wspr::WsprdTolerance(fault);
  if (!wspr::WsprdFollows(fault, value)) {
    problems.push_back(Format(beyond, value, t.low, t.high));
    return true;
  }
  if (const auto cost = wspr::WsprdCost(fault, value); cost && cost->db >= 1.0) {
    problems.push_back(Format(costs, value, cost->db, t.low, t.high));
    if (cost->at_least) problems.back().replace(problems.back().find("about"), 5, "at least");
  }
  return false;
}

}  // namespace

RadioFrequencies AtRadio(const Transmission& t, double dial_mhz) {
  RadioFrequencies rf;
  for (std::size_t k = 0; k < 4; ++k) rf.tones_hz[k] = dial_mhz * 1e6 + t.tones_hz[k];
  // A band is named by its first, most used dial only.
  std::string_view previous;
  for (const wspr::WsprBand& b : wspr::kWsprBands) {
    if (b.name != previous && std::abs(b.dialHz / 1e6 - dial_mhz) < 0.0005) rf.band = b.name;
    previous = b.name;
  }
  return rf;
}

Verdict Judge(const Transmission& t, const tonepak::IntendedTransmissions& intended) {
  Verdict v;
  const double low = std::min(t.tones_hz[0], t.tones_hz[3]);
  const double high = std::max(t.tones_hz[0], t.tones_hz[3]) + std::max(0.0, t.drift_hz);
  const double low_end = low + std::min(0.0, t.drift_hz);
  bool blocking = false;
  if (low_end < kWindowLowHz) {
    v.inside_window = false;
    v.window_miss_hz = low_end - kWindowLowHz;
  } else if (high > kWindowHighHz) {
    v.inside_window = false;
    v.window_miss_hz = high - kWindowHighHz;
  }
  if (!v.inside_window) {
    blocking = true;
    v.problems.push_back(Format(v.window_miss_hz < 0.0
                                    ? "The tones lie %.1f Hz below the 1400 to 1600 Hz window: "
                                      "decoders look only inside it."
                                    : "The tones lie %.1f Hz above the 1400 to 1600 Hz window: "
                                      "decoders look only inside it.",
                                std::abs(v.window_miss_hz)));
  }
  blocking |= JudgeLimit(wspr::WsprdFault::kDrift, t.drift_hz,
                         "It drifts %+.1f Hz over the transmission; wsprd follows %+.1f to "
                         "%+.1f Hz.",
                         "It drifts %+.1f Hz over the transmission, which costs about %.0f dB "
                         "at wsprd (it follows %+.1f to %+.1f Hz).",
                         v.problems);
  blocking |= JudgeLimit(wspr::WsprdFault::kDt, t.dt_s,
                         "It starts at DT %+.2f s; wsprd finds DT from %+.2f to %+.2f s only.",
                         "It starts at DT %+.2f s, which costs about %.0f dB at wsprd (it "
                         "finds DT from %+.2f to %+.2f s).",
                         v.problems);
  blocking |= JudgeLimit(wspr::WsprdFault::kSymbolError, t.symbol_error_percent,
                         "Its symbol period is %+.3f %% off; wsprd follows %+.2f to %+.2f %% "
                         "only.",
                         "Its symbol period is %+.3f %% off, which costs about %.0f dB at "
                         "wsprd (it follows %+.2f to %+.2f %%).",
                         v.problems);
  if (!wspr::WsprdFollows(wspr::WsprdFault::kStepError, t.step_error_percent)) {
    blocking = true;
    v.problems.push_back(
        Format("Its tone step is %.4f Hz (%+.1f %%): wsprd does not follow it "
               "even without noise.",
               t.step_hz, t.step_error_percent));
  } else if (const auto loss = wspr::WsprdCost(wspr::WsprdFault::kStepError, t.step_error_percent);
             loss && loss->db >= 1.0) {
    v.problems.push_back(
        Format("Its tone step is %+.2f %% off, which costs about %.0f dB at "
               "wsprd.",
               t.step_error_percent, loss->db));
  }
  if (!t.evenly_spaced) {
    v.problems.push_back(Format("Tone %.0f sits %+.3f Hz off the grid of the other three.",
                                t.off_grid_tone, t.off_grid_hz));
  }
  // Symbols missing where the recording began or ended are none of the beacon's doing.
  const auto sent_end = t.first_slot + static_cast<long long>(t.symbols_sent);
  const bool cut_short = !t.ends_after_recording &&
                         (t.begins_before_recording ? sent_end < static_cast<long long>(kSymbols)
                                                    : t.symbols_sent < kSymbols);
  if (cut_short) {
    v.problems.push_back(Format("It was cut short: %.0f of the 162 symbols sent (%.1f s).",
                                static_cast<double>(t.symbols_sent),
                                static_cast<double>(t.symbols_sent) * t.track.symbol_s));
  }
  if (t.decoded_inverted) {
    v.problems.emplace_back(
        "Its tones are upside down: a receiver in lower sideband, or the "
        "firmware subtracts the tone step.");
    blocking = true;
  }
  if (intended.count > 0) {
    v.expected = tonepak::ExplainSymbols(
        t.heard, t.symbols_sent, intended, t.message,
        t.begins_before_recording ? static_cast<std::size_t>(t.first_slot) : 0);
    v.as_intended = v.expected->fault == tonepak::SymbolFault::kNone;
    if (!v.as_intended) {
      std::string sentence = "Its symbols are not the intended ones: ";
      sentence += tonepak::FaultName(v.expected->fault);
      if (v.expected->fault == tonepak::SymbolFault::kShifted) {
        sentence += Format(" by %+.0f", v.expected->shift);
      }
      sentence +=
          Format(", %.0f symbols differ.", static_cast<double>(v.expected->differing.size()));
      v.problems.push_back(sentence);
    }
  }
  v.decodable = !blocking && (t.decoded.has_value() || t.sync > 0.2);
  if (!v.decodable && !blocking && !t.decoded) {
    v.problems.emplace_back("No message could be decoded from it.");
  } else if (v.decodable && !t.decoded) {
    // A clear sync vector says a decoder that tries harder may read it; without the message
    // nothing here confirms that it will.
    v.problems.push_back(
        Format("Its message could not be decoded here, though its sync is "
               "clear (%.0f of 162 agree).",
               static_cast<double>(t.sync_agreeing)));
  }
  if (v.decodable && v.problems.empty()) {
    v.line = "Decoders will hear it as intended.";
  } else if (v.decodable) {
    v.line = "Decoders will hear it, but: " + v.problems.front();
  } else {
    v.line = "Decoders will not hear it: " +
             (v.problems.empty() ? std::string("too weak.") : v.problems.front());
  }
  return v;
}

}  // namespace beaconcheck
