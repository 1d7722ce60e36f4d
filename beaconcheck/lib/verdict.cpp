// The verdict: the window, wsprd's limits, the step's cost and the intended symbols.
#include "verdict.hpp"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>

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

// A problem found: its sentence, and its few words for the brief verdict when it is the first.
void Note(Verdict& v, std::string sentence, std::string brief) {
  if (v.problems.empty()) v.brief = std::move(brief);
  v.problems.push_back(std::move(sentence));
}

// A fault wsprd follows only so far: beyond its limits a blocking sentence, below them what the
// fault costs when it is a decibel or more. `beyond` and `costs` take the value and the limits;
// `name` words the brief verdict ("drift": "drift too far", "drift costs 2 dB").
bool JudgeLimit(wspr::WsprdFault fault, double value, const char* beyond, const char* costs,
                const std::string& name, Verdict& v) {
  const wspr::Tolerance& t = wspr::WsprdTolerance(fault);
  if (!wspr::WsprdFollows(fault, value)) {
    Note(v, Format(beyond, value, t.low, t.high), name + " too far off");
    return true;
  }
  if (const auto cost = wspr::WsprdCost(fault, value); cost && cost->db >= 1.0) {
    std::string sentence = Format(costs, value, cost->db, t.low, t.high);
    if (cost->at_least) sentence.replace(sentence.find("about"), 5, "at least");
    Note(v, std::move(sentence), name + Format(" costs %.0f dB", cost->db));
  }
  return false;
}

// The line, and the brief verdict of a transmission with no problem or none named.
void Conclude(Verdict& v) {
  if (v.decodable && v.problems.empty()) {
    v.line = "Decoders will hear it as intended.";
    v.brief = "as intended";
  } else if (v.decodable) {
    v.line = "Decoders will hear it, but: " + v.problems.front();
  } else if (v.problems.empty()) {
    v.line = "Decoders will not hear it: too weak.";
    v.brief = "too weak";
  } else {
    v.line = "Decoders will not hear it: " + v.problems.front();
  }
}

}  // namespace

RadioFrequencies AtRadio(const Transmission& t, double dial_mhz) {
  RadioFrequencies rf;
  for (std::size_t k = 0; k < 4; ++k) rf.tones_hz[k] = dial_mhz * 1e6 + t.tones_hz[k];
  // A band is named by its first, most used dial only.
  const wspr::WsprBand* band = wspr::BandAtDial(dial_mhz * 1e6);
  if (band != nullptr && wspr::IsFirstDial(*band)) rf.band = band->name;
  return rf;
}

Verdict Judge(const Transmission& t, const tonepak::IntendedTransmissions& intended) {
  Verdict v;
  const double low = std::min(t.tones_hz[0], t.tones_hz[3]);
  const double high = std::max(t.tones_hz[0], t.tones_hz[3]) + std::max(0.0, t.drift_hz);
  const double low_end = low + std::min(0.0, t.drift_hz);
  bool blocking = false;
  if (low_end < wspr::kWindowLowHz) {
    v.inside_window = false;
    v.window_miss_hz = low_end - wspr::kWindowLowHz;
  } else if (high > wspr::kWindowHighHz) {
    v.inside_window = false;
    v.window_miss_hz = high - wspr::kWindowHighHz;
  }
  if (!v.inside_window) {
    blocking = true;
    Note(v,
         Format(v.window_miss_hz < 0.0 ? "The tones lie %.1f Hz below the 1400 to 1600 Hz window: "
                                         "decoders look only inside it."
                                       : "The tones lie %.1f Hz above the 1400 to 1600 Hz window: "
                                         "decoders look only inside it.",
                std::abs(v.window_miss_hz)),
         "outside window");
  }
  if (t.carrier) {
    // Nothing else of a transmission is there to judge: no step, no symbols, no message.
    v.problems.insert(v.problems.begin(),
                      "The beacon sends one tone only: its firmware never steps the tones, so "
                      "there are no symbols to decode.");
    v.brief = "one tone only";
    v.decodable = false;
    v.as_intended = intended.count == 0;
    Conclude(v);
    return v;
  }
  blocking |= JudgeLimit(wspr::WsprdFault::kDrift, t.drift_hz,
                         "It drifts %+.1f Hz over the transmission; wsprd follows %+.1f to "
                         "%+.1f Hz.",
                         "It drifts %+.1f Hz over the transmission, which costs about %.0f dB "
                         "at wsprd (it follows %+.1f to %+.1f Hz).",
                         "drift", v);
  blocking |= JudgeLimit(wspr::WsprdFault::kDt, t.dt_s,
                         "It starts at DT %+.2f s; wsprd finds DT from %+.2f to %+.2f s only.",
                         "It starts at DT %+.2f s, which costs about %.0f dB at wsprd (it "
                         "finds DT from %+.2f to %+.2f s).",
                         "DT", v);
  blocking |= JudgeLimit(wspr::WsprdFault::kSymbolError, t.symbol_error_percent,
                         "Its symbol period is %+.3f %% off; wsprd follows %+.2f to %+.2f %% "
                         "only.",
                         "Its symbol period is %+.3f %% off, which costs about %.0f dB at "
                         "wsprd (it follows %+.2f to %+.2f %%).",
                         "period", v);
  if (!wspr::WsprdFollows(wspr::WsprdFault::kStepError, t.step_error_percent)) {
    blocking = true;
    Note(v,
         Format("Its tone step is %.4f Hz (%+.1f %%): wsprd does not follow it "
                "even without noise.",
                t.step_hz, t.step_error_percent),
         "step too far off");
  } else if (const auto loss = wspr::WsprdCost(wspr::WsprdFault::kStepError, t.step_error_percent);
             loss && loss->db >= 1.0) {
    Note(v,
         Format("Its tone step is %+.2f %% off, which costs about %.0f dB at "
                "wsprd.",
                t.step_error_percent, loss->db),
         Format("step costs %.0f dB", loss->db));
  }
  if (!t.evenly_spaced) {
    Note(v,
         Format("Tone %.0f sits %+.3f Hz off the grid of the other three.", t.off_grid_tone,
                t.off_grid_hz),
         Format("tone %.0f off grid", t.off_grid_tone));
  }
  // Symbols missing where the recording began or ended are none of the beacon's doing.
  const auto sent_end = t.first_slot + static_cast<long long>(t.symbols_sent);
  const bool cut_short =
      !t.ends_after_recording &&
      (t.begins_before_recording ? sent_end < static_cast<long long>(kSymbolCount)
                                 : t.symbols_sent < kSymbolCount);
  if (cut_short) {
    Note(v,
         Format("It was cut short: %.0f of the 162 symbols sent (%.1f s).",
                static_cast<double>(t.symbols_sent),
                static_cast<double>(t.symbols_sent) * t.track.symbol_s),
         "cut short");
  }
  if (t.decoded_inverted) {
    Note(v,
         "Its tones are upside down: a receiver in lower sideband, or the "
         "firmware subtracts the tone step.",
         "tones upside down");
    blocking = true;
  }
  if (intended.count > 0) {
    v.expected = tonepak::ExplainSymbols(
        t.heard, t.symbols_sent, intended, t.message,
        t.begins_before_recording ? static_cast<std::size_t>(t.first_slot) : 0);
    v.as_intended = v.expected->fault == tonepak::SymbolFault::kNone;
    if (!v.as_intended) {
      std::string sentence = "Its symbols are not the intended ones: ";
      std::string brief(tonepak::FaultName(v.expected->fault));
      if (v.expected->fault == tonepak::SymbolFault::kShifted) {
        brief += Format(" by %+.0f", v.expected->shift);
      }
      sentence += brief;
      sentence +=
          Format(", %.0f symbols differ.", static_cast<double>(v.expected->differing.size()));
      Note(v, std::move(sentence), std::move(brief));
    }
  }
  v.decodable = !blocking && (t.decoded.has_value() || t.sync > 0.2);
  if (!v.decodable && !blocking && !t.decoded) {
    Note(v, "No message could be decoded from it.", "not decoded");
  } else if (v.decodable && !t.decoded) {
    // A clear sync vector says a decoder that tries harder may read it; without the message
    // nothing here confirms that it will.
    Note(v,
         Format("Its message could not be decoded here, though its sync is "
                "clear (%.0f of 162 agree).",
                static_cast<double>(t.sync_agreeing)),
         "decodable");
  }
  Conclude(v);
  return v;
}

}  // namespace beaconcheck
