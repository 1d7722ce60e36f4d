// The pipeline: search, measure and decode, subtract, search again; then the figures of each
// decoded transmission refined without its neighbours, the carriers, the pair's calls.
#include "analysis.hpp"

#include <algorithm>
#include <array>
#include <cmath>

#include "baseband.hpp"
#include "call_fill_in.hpp"
#include "candidate_search.hpp"
#include "carrier_search.hpp"
#include "fine_fit.hpp"
#include "measurement.hpp"
#include "subtraction.hpp"
#include "window_band.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {
namespace {

// Seconds of recording mixed down before and after a candidate's transmission: room for the
// fit to move the start and for the slots looked at around it.
constexpr double kBeforeS = 16.0;
constexpr double kAfterS = 16.0;
// Symbol-period errors the fit starts from when the nominal period decodes nothing: beyond
// about 0.6 % a fit from the nominal period loses the timing, and wsprd follows up to 1.1 %.
constexpr std::array<double, 2> kFarPeriodErrors{0.009, -0.009};
constexpr double kMiddleSlot = 81.0;
// A period read within this of the nominal one (%) is trusted: a few times what the fit's
// noise gives at -25 dB.
constexpr double kNearPeriodPercent = 0.03;
constexpr double kRetrySnrDb = -24.0;
// Search, decode and subtract at most this often: each pass hears what the ones before hid.
constexpr int kPasses = 6;
// One transmission, found twice: tone 0 this close (Hz) and the start this close (s). Two
// beacons 6 Hz apart are two.
constexpr double kSameHz = 3.0;
constexpr double kSameS = 20.0;
// Two candidates of one pass closer than this are one: in a cluster of beacons a few hertz
// apart each candidate is its own guess at which of them is where, and each is measured.
constexpr double kSameCandidateHz = 0.8;
// A decoded neighbour this close (Hz) that was taken out after a transmission was measured
// disturbed that measurement: it is measured again without it.
constexpr double kNeighbourHz = 40.0;
// A transmission that does not decode is still reported when its sync is this clear or it is
// this strong: below both, noise or a neighbour's leak could have made it.
constexpr double kClearSync = 0.3;
constexpr double kSureSnrDb = -20.0;
// A carrier that is on about as long as a transmission, inside the window, is a beacon that
// sends one tone.
constexpr double kShortestCarrierS = 0.8 * kTransmissionS;
constexpr double kLongestCarrierS = kTransmissionS + 6.0;
constexpr double kSameCarrierHz = 0.8;

double Tone0AtMiddle(const Track& track) {
  return track.ToneHz(0, track.SlotStartS(static_cast<long long>(kMiddleSlot)));
}

// The one test of whether two findings are the same transmission.
bool SamePlace(double tone0_a, double start_a, double tone0_b, double start_b) {
  return std::abs(tone0_a - tone0_b) < kSameHz && std::abs(start_a - start_b) < kSameS;
}
bool SamePlace(const Transmission& t, double tone0_mid_hz, double start_s) {
  return SamePlace(Tone0AtMiddle(t.track), t.track.start_s, tone0_mid_hz, start_s);
}

// One candidate measured in `source`: its neighbourhood mixed down, the fit, and again from
// periods far off when the first reading is doubtful.
std::optional<Transmission> Measure(const Recording& source, const Track& track) {
  const double centre_hz = Tone0AtMiddle(track) + 1.5 * kToneSpacingHz;
  const Baseband baseband = MixDown(source, centre_hz, track.start_s - kBeforeS,
                                    track.start_s + kTransmissionS + kAfterS);
  std::optional<Transmission> t = MeasureTransmission(baseband, track);
  // A symbol timer far off (a beacon clocked by an RC oscillator or the wrong crystal) walks
  // the symbols out of a nominal track before the fit can follow it, and the fit then settles
  // near the nominal period on a wrong timing. When nothing decodes, or the period read is off
  // at all, the fit starts again from periods far off, the middle of the transmission kept;
  // the decoded reading with the most signal wins.
  // A weak reading that does not decode is left as it is: a timer that far off at that level
  // is beyond what a decoder follows anyway, and in a crowd most such readings are noise.
  const bool doubtful =
      !t || (!t->decoded && t->snr_db >= kRetrySnrDb) ||
      (t->decoded && std::abs(t->symbol_error_percent) > kNearPeriodPercent);
  for (const double off : kFarPeriodErrors) {
    if (!doubtful) break;
    Track far = track;
    far.symbol_s = kSymbolPeriodS * (1.0 + off);
    far.start_s += kMiddleSlot * (kSymbolPeriodS - far.symbol_s);
    std::optional<Transmission> again = MeasureTransmission(baseband, far);
    if (again && again->decoded && (!t || !t->decoded || again->snr_db > t->snr_db)) t = again;
  }
  return t;
}

// A decoded transmission and what it takes to take it out of the band and put it back.
struct Decoded {
  Transmission t;
  tonepak::ChannelSymbols tones{};  // the tone of each slot as sent
  bool in_band = false;
  Rebuilt rebuilt;
  std::size_t order = 0;  // when it was taken out
  int pass = 0;           // in which pass
};

// A candidate measured, when, and its reading if it did not decode.
struct Earlier {
  Candidate candidate;
  std::size_t decoded_before = 0;  // how many had been decoded then
  std::optional<Transmission> reading;
};

SentSignal SignalOf(const Decoded& d) {
  return {d.t.track, d.tones, d.t.first_slot, d.t.symbols_sent, d.t.phase_continuous};
}

tonepak::ChannelSymbols TonesSent(const Transmission& t) {
  tonepak::ChannelSymbols tones{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const std::uint8_t s = t.decoded->symbols[i];
    tones[i] = t.decoded_inverted ? static_cast<std::uint8_t>(3 - s) : s;
  }
  return tones;
}

// Carriers seen in several pieces, or in both searches, as one.
std::vector<Carrier> Merged(std::vector<Carrier> carriers) {
  std::sort(carriers.begin(), carriers.end(),
            [](const Carrier& a, const Carrier& b) { return a.start_s < b.start_s; });
  std::vector<Carrier> out;
  for (const Carrier& c : carriers) {
    const auto same = std::find_if(out.begin(), out.end(), [&](const Carrier& o) {
      return std::abs(o.frequency_hz - c.frequency_hz) < kSameCarrierHz &&
             c.start_s <= o.start_s + o.seconds + 1.0;
    });
    if (same == out.end()) {
      out.push_back(c);
    } else {
      const double end = std::max(same->start_s + same->seconds, c.start_s + c.seconds);
      same->snr_db = std::max(same->snr_db, c.snr_db);
      same->seconds = end - same->start_s;
    }
  }
  return out;
}

// A carrier taken as a transmission: one tone, no step, no symbols.
Transmission AsTransmission(const Carrier& c) {
  Transmission t;
  t.carrier = true;
  t.track.start_s = c.start_s;
  t.track.tones_hz = {c.frequency_hz, c.frequency_hz, c.frequency_hz, c.frequency_hz};
  t.start_s = c.start_s;
  t.dt_s = c.start_s - wspr::kDtOffsetS -
           wspr::kSlotS * std::round((c.start_s - wspr::kDtOffsetS) / wspr::kSlotS);
  t.tones_hz = t.track.tones_hz;
  t.symbols_sent = std::min<std::size_t>(
      kSymbolCount, static_cast<std::size_t>(std::lround(c.seconds / kSymbolPeriodS)));
  t.symbol_ms = kSymbolPeriodS * 1000.0;
  t.snr_db = c.snr_db;
  return t;
}

// The carriers heard in `band` rebuilt and taken out, a transmission's length at a time.
// Whether there was any.
bool TakeOutCarriers(Recording& band, const std::vector<Carrier>& carriers) {
  static const tonepak::ChannelSymbols kOneTone{};
  bool any = false;
  for (const Carrier& c : carriers) {
    if (std::abs(c.frequency_hz - band.centre_hz) > band.sample_rate_hz / 2.0) continue;
    for (double from = c.start_s; from < c.start_s + c.seconds; from += kTransmissionS) {
      SentSignal piece;
      piece.track.start_s = from;
      piece.track.tones_hz = {c.frequency_hz, c.frequency_hz, c.frequency_hz, c.frequency_hz};
      piece.tones = kOneTone;
      piece.symbols_sent = std::min<std::size_t>(
          kSymbolCount,
          static_cast<std::size_t>(std::ceil((c.start_s + c.seconds - from) / kSymbolPeriodS)));
      Subtract(band, piece);
      any = true;
    }
  }
  return any;
}

}  // namespace

Analysis Analyse(const Recording& recording) {
  // The window's band, from which each decoded signal is taken out; the recording itself
  // when it holds no more than that band.
  Recording band = WindowBand(recording);
  const bool more_than_band = band.baseband.size() != recording.baseband.size() ||
                              band.sample_rate_hz != recording.sample_rate_hz;
  std::vector<Decoded> decoded;
  std::vector<Transmission> undecoded;  // the last pass's, in the band
  std::vector<Transmission> elsewhere;  // outside the band, measured once
  std::vector<Carrier> carriers;
  std::vector<Earlier> earlier;  // every place measured in the band, and what it read
  for (int pass = 0; pass < kPasses; ++pass) {
    Search search = FindCandidates(band, WindowPlan());
    if (pass == 0) {
      carriers = search.carriers;
      if (more_than_band) {
        Search coarse = FindCandidates(recording, CoarsePlan());
        search.candidates.insert(search.candidates.end(), coarse.candidates.begin(),
                                 coarse.candidates.end());
        carriers.insert(carriers.end(), coarse.carriers.begin(), coarse.carriers.end());
      }
      carriers = Merged(std::move(carriers));
      // A steady carrier in the band is taken out before anything else: its side lobes would
      // stand above the noise for tens of hertz and hide what is there.
      if (TakeOutCarriers(band, carriers)) {
        Search again = FindCandidates(band, WindowPlan());
        search.candidates.erase(std::remove_if(search.candidates.begin(), search.candidates.end(),
                                               [&](const Candidate& c) {
                                                 return InFineSearch(band, c.tone0_mid_hz);
                                               }),
                                search.candidates.end());
        search.candidates.insert(search.candidates.begin(), again.candidates.begin(),
                                 again.candidates.end());
      }
    }
    std::vector<Transmission> tried;
    std::vector<Candidate> measured;  // this pass's, a reading or not
    std::size_t taken_out = 0;
    // A place measured in an earlier pass with nothing taken out near it since reads the same:
    // its reading stands.
    const auto unchanged = [&](const Candidate& c) -> const Earlier* {
      for (const Earlier& e : earlier) {
        if (!SamePlace(e.candidate.tone0_mid_hz, e.candidate.start_s, c.tone0_mid_hz, c.start_s))
          continue;
        const bool disturbed = std::any_of(
            decoded.begin() + static_cast<std::ptrdiff_t>(e.decoded_before), decoded.end(),
            [&](const Decoded& d) {
              return std::abs(Tone0AtMiddle(d.t.track) - c.tone0_mid_hz) < kNeighbourHz &&
                     std::abs(d.t.track.start_s - c.start_s) < kTransmissionS;
            });
        if (!disturbed) return &e;
      }
      return nullptr;
    };
    for (const Candidate& c : search.candidates) {
      const auto covers = [&](const Transmission& t) {
        return SamePlace(t, c.tone0_mid_hz, c.start_s);
      };
      // A decoded signal's own candidates and side lobes, found before it was taken out; a
      // later pass's search sees the band without it, and what it finds there is new.
      if (std::any_of(decoded.begin(), decoded.end(),
                      [&](const Decoded& d) { return d.pass == pass && covers(d.t); }) ||
          std::any_of(measured.begin(), measured.end(),
                      [&](const Candidate& m) {
                        return std::abs(m.tone0_mid_hz - c.tone0_mid_hz) < kSameCandidateHz &&
                               std::abs(m.start_s - c.start_s) < kSameS;
                      }) ||
          OnACarrier(carriers, c.tone0_mid_hz, c.start_s)) {
        continue;
      }
      measured.push_back(c);
      const bool in_band = InFineSearch(band, c.tone0_mid_hz);
      if (const Earlier* e = unchanged(c); e != nullptr && in_band) {
        if (e->reading) tried.push_back(*e->reading);
        continue;
      }
      std::optional<Transmission> t = Measure(in_band ? band : recording, TrackFromCandidate(c));
      if (in_band) earlier.push_back({c, decoded.size(), t && !t->decoded ? t : std::nullopt});
      if (!t) continue;
      const bool again = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& d) {
        return (d.pass == pass && covers(d.t)) || (t->decoded && d.t.decoded &&
                               d.t.decoded->n1 == t->decoded->n1 &&
                               d.t.decoded->n2 == t->decoded->n2 &&
                               std::abs(d.t.start_s - t->start_s) < kSameS);
      });
      if (again) continue;
      if (!t->decoded) {
        (in_band ? tried : elsewhere).push_back(*t);
        continue;
      }
      Decoded d{*t, TonesSent(*t), in_band, {}, decoded.size(), pass};
      if (in_band) d.rebuilt = Subtract(band, SignalOf(d));
      decoded.push_back(std::move(d));
      ++taken_out;
    }
    undecoded = std::move(tried);
    if (taken_out == 0) break;
  }

  // Each decoded transmission whose neighbour was taken out after it was measured, measured
  // again on the band without every other decoded signal.
  for (Decoded& d : decoded) {
    if (!d.in_band) continue;
    const bool disturbed = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& o) {
      return o.in_band && o.order > d.order &&
             std::abs(Tone0AtMiddle(o.t.track) - Tone0AtMiddle(d.t.track)) < kNeighbourHz &&
             std::abs(o.t.track.start_s - d.t.track.start_s) < kTransmissionS;
    });
    if (!disturbed) continue;
    const SentSignal signal = SignalOf(d);
    AddBack(band, signal, d.rebuilt);
    std::optional<Transmission> again = Measure(band, d.t.track);
    TakeOut(band, signal, d.rebuilt);
    if (again && again->decoded && again->decoded->n1 == d.t.decoded->n1 &&
        again->decoded->n2 == d.t.decoded->n2) {
      d.t = *again;
    }
  }

  Analysis out;
  for (const Decoded& d : decoded) out.transmissions.push_back(d.t);
  for (const std::vector<Transmission>* list : {&undecoded, &elsewhere}) {
    for (const Transmission& t : *list) {
      const bool clear = std::abs(t.sync) >= kClearSync || t.snr_db >= kSureSnrDb;
      const bool covered = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& d) {
        return SamePlace(d.t, Tone0AtMiddle(t.track), t.track.start_s);
      });
      // A reading whose drifting track sweeps across a carrier is the carrier read as tones.
      const double first = t.track.ToneHz(0, t.track.start_s);
      const double last =
          t.track.ToneHz(0, t.track.SlotStartS(static_cast<long long>(kSymbolCount)));
      const bool sweeps = OnACarrier(carriers, std::min(first, last), t.track.start_s) ||
                          OnACarrier(carriers, std::max(first, last), t.track.start_s) ||
                          std::any_of(carriers.begin(), carriers.end(), [&](const Carrier& c) {
                            return c.frequency_hz > std::min(first, last) &&
                                   c.frequency_hz < std::max(first, last) + 3.0 * kToneSpacingHz;
                          });
      if (clear && !covered && !sweeps) out.transmissions.push_back(t);
    }
  }
  for (const Carrier& c : carriers) {
    const bool timed = c.seconds >= kShortestCarrierS && c.seconds <= kLongestCarrierS;
    const bool inside =
        c.frequency_hz >= wspr::kWindowLowHz && c.frequency_hz <= wspr::kWindowHighHz;
    if (timed && inside) {
      out.transmissions.push_back(AsTransmission(c));
    } else {
      out.carriers.push_back(c);
    }
  }
  std::sort(out.carriers.begin(), out.carriers.end(),
            [](const Carrier& a, const Carrier& b) { return a.frequency_hz < b.frequency_hz; });
  std::sort(out.transmissions.begin(), out.transmissions.end(),
            [](const Transmission& a, const Transmission& b) {
              return a.start_s != b.start_s ? a.start_s < b.start_s
                                            : a.tones_hz[0] < b.tones_hz[0];
            });
  std::vector<tonepak::Message> heard;
  for (const Transmission& t : out.transmissions) {
    if (t.decoded) heard.push_back(t.decoded->message);
  }
  const std::vector<tonepak::Message> filled = tonepak::FillInCalls(heard);
  std::size_t next = 0;
  for (Transmission& t : out.transmissions) {
    if (t.decoded) t.message = filled[next++];
  }
  return out;
}

}  // namespace beaconcheck
