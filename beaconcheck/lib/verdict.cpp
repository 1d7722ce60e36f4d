// The verdict: the window, wsprd's limits, the step's cost and the intended symbols.
#include "verdict.hpp"

#include <array>
#include <cmath>
#include <cstdio>

#include "tuneworks_core.hpp"

namespace beaconcheck {
namespace {

struct Band {
  double dial_mhz;
  const char* name;
};
// The WSPR dial frequencies, USB.
constexpr std::array<Band, 17> kBands{{{0.1360, "2200m"},
                                       {0.4742, "630m"},
                                       {1.8366, "160m"},
                                       {3.5686, "80m"},
                                       {5.2872, "60m"},
                                       {7.0386, "40m"},
                                       {10.1387, "30m"},
                                       {14.0956, "20m"},
                                       {18.1046, "17m"},
                                       {21.0946, "15m"},
                                       {24.9246, "12m"},
                                       {28.1246, "10m"},
                                       {50.2930, "6m"},
                                       {70.0910, "4m"},
                                       {144.4890, "2m"},
                                       {432.3000, "70cm"},
                                       {1296.5000, "23cm"}}};

std::string Format(const char* format, double a, double b = 0.0) {
  std::array<char, 160> text{};
  std::snprintf(text.data(), text.size(), format, a, b);
  return text.data();
}

}  // namespace

RadioFrequencies AtRadio(const Transmission& t, double dial_mhz) {
  RadioFrequencies rf;
  for (std::size_t k = 0; k < 4; ++k) rf.tones_hz[k] = dial_mhz * 1e6 + t.tones_hz[k];
  for (const Band& b : kBands) {
    if (std::abs(b.dial_mhz - dial_mhz) < 0.0005) rf.band = b.name;
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
  if (std::abs(t.drift_hz) > kWsprdDriftHz) {
    blocking = true;
    v.problems.push_back(
        Format("It drifts %+.1f Hz over the transmission; wsprd follows about "
               "%.0f Hz.",
               t.drift_hz, kWsprdDriftHz));
  }
  if (t.dt_s < kWsprdEarliestDtS || t.dt_s > kWsprdLatestDtS) {
    blocking = true;
    v.problems.push_back(
        Format("It starts %.2f s after the even minute (DT %+.2f s), outside "
               "the DT range wsprd searches.",
               t.start_s, t.dt_s));
  }
  if (std::abs(t.symbol_error_percent) > kWsprdSymbolErrorPercent) {
    blocking = true;
    v.problems.push_back(
        Format("Its symbol period is %.2f ms (%+.3f %%): by the last symbol it "
               "is more than a quarter symbol off, beyond what wsprd follows.",
               t.symbol_ms, t.symbol_error_percent));
  }
  if (!tuneworks::DecoderFollows(t.step_error_percent)) {
    blocking = true;
    v.problems.push_back(
        Format("Its tone step is %.4f Hz (%+.1f %%): wsprd does not follow it "
               "even without noise.",
               t.step_hz, t.step_error_percent));
  } else if (const auto loss = tuneworks::DecoderLossDb(t.step_error_percent);
             loss && *loss >= 1.0) {
    v.problems.push_back(
        Format("Its tone step is %+.2f %% off, which costs about %.0f dB at "
               "wsprd.",
               t.step_error_percent, *loss));
  }
  if (!t.evenly_spaced) {
    v.problems.push_back(Format("Tone %.0f sits %+.3f Hz off the grid of the other three.",
                                t.off_grid_tone, t.off_grid_hz));
  }
  if (t.symbols_sent < kSymbols) {
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
    v.expected = tonepak::ExplainSymbols(t.heard, t.symbols_sent, intended, t.message);
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
