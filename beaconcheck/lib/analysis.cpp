// The pipeline: search, measure and decode, subtract, search again; then the figures of each
// decoded transmission refined without its neighbours, the carriers, the pair's calls.
#include "analysis.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "call_fill_in.hpp"
#include "candidate_search.hpp"
#include "carrier_search.hpp"
#include "decoding.hpp"
#include "duplicates.hpp"
#include "figures.hpp"
#include "fine_fit.hpp"
#include "measurement.hpp"
#include "refinement.hpp"
#include "subtraction.hpp"
#include "window_band.hpp"
#include "wspr_bands.hpp"

namespace beaconcheck {
namespace {

// Search, decode and subtract at most this often: each pass hears what the ones before hid.
constexpr int kPasses = 6;
// A transmission that does not decode is still reported when its sync is this clear or it is
// this strong: below both, noise or a neighbour's leak could have made it.
constexpr double kClearSync = 0.3;
constexpr double kSureSnrDb = -20.0;
// A carrier that is on about as long as a transmission, inside the window, is a beacon that
// sends one tone.
constexpr double kShortestCarrierS = 0.8 * kTransmissionS;
constexpr double kLongestCarrierS = kTransmissionS + 6.0;

// A candidate measured, when, and its reading if it did not decode.
struct Earlier {
  Candidate candidate;
  std::size_t decoded_before = 0;  // how many had been decoded then
  std::optional<Transmission> reading;
};

// Carriers seen in several pieces, or in both searches, as one.
std::vector<Carrier> Merged(std::vector<Carrier> carriers) {
  std::sort(carriers.begin(), carriers.end(),
            [](const Carrier& a, const Carrier& b) { return a.start_s < b.start_s; });
  std::vector<Carrier> out;
  for (const Carrier& c : carriers) {
    const auto same =
        std::find_if(out.begin(), out.end(), [&](const Carrier& o) { return SameCarrier(o, c); });
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
  t.dt_s = DtS(c.start_s);
  t.tones_hz = t.track.tones_hz;
  t.symbols_sent = std::min<std::size_t>(
      kSymbolCount, static_cast<std::size_t>(std::lround(c.seconds / kSymbolPeriodS)));
  t.symbol_ms = kSymbolPeriodS * 1000.0;
  t.snr_db = c.snr_db;
  return t;
}

// The first pass's search: the window's band finely, the rest of the audio coarsely when the
// recording holds more than the band; the carriers of both merged, and the band searched again
// once a steady carrier in it is taken out (its side lobes would stand above the noise for tens
// of hertz and hide what is there).
Search FirstSearch(const Recording& recording, Recording& band) {
  Search search = FindCandidates(band, WindowPlan());
  const bool more_than_band = band.baseband.size() != recording.baseband.size() ||
                              band.sample_rate_hz != recording.sample_rate_hz;
  if (more_than_band) {
    Search coarse = FindCandidates(recording, CoarsePlan());
    search.candidates.insert(search.candidates.end(), coarse.candidates.begin(),
                             coarse.candidates.end());
    search.carriers.insert(search.carriers.end(), coarse.carriers.begin(), coarse.carriers.end());
  }
  search.carriers = Merged(std::move(search.carriers));
  if (TakeOutCarriers(band, search.carriers)) {
    Search again = FindCandidates(band, WindowPlan());
    std::erase_if(search.candidates,
                  [&](const Candidate& c) { return InFineSearch(band, c.tone0_mid_hz); });
    search.candidates.insert(search.candidates.begin(), again.candidates.begin(),
                             again.candidates.end());
  }
  return search;
}

// What the passes found so far.
struct Found {
  std::vector<Decoded> decoded;
  std::vector<Transmission> undecoded;  // the last pass's, in the band
  std::vector<Transmission> elsewhere;  // outside the band, measured once
  std::vector<Earlier> earlier;         // every place measured in the band, and what it read
};

// A place measured in an earlier pass with nothing taken out near it since reads the same: its
// reading stands.
const Earlier* Unchanged(const Found& found, const Candidate& c) {
  for (const Earlier& e : found.earlier) {
    if (!SamePlace(e.candidate.tone0_mid_hz, e.candidate.start_s, c.tone0_mid_hz, c.start_s))
      continue;
    const bool disturbed = std::any_of(
        found.decoded.begin() + static_cast<std::ptrdiff_t>(e.decoded_before), found.decoded.end(),
        [&](const Decoded& d) { return Disturbs(d.t.track, c.tone0_mid_hz, c.start_s); });
    if (!disturbed) return &e;
  }
  return nullptr;
}

// One pass: each new candidate of `search` measured (in the band, or in the recording outside
// it) and decoded, and what decodes in the band taken out of it. How many decoded.
std::size_t OnePass(const Recording& recording, Recording& band, const Search& search,
                    const std::vector<Carrier>& carriers, int pass, Found& found) {
  std::vector<Decoded>& decoded = found.decoded;
  std::vector<Transmission> tried;
  std::vector<Candidate> measured;  // this pass's, a reading or not
  std::size_t taken_out = 0;
  for (const Candidate& c : search.candidates) {
    const auto covers = [&](const Transmission& t) {
      return SamePlace(t, c.tone0_mid_hz, c.start_s);
    };
    // A decoded signal's own candidates and side lobes, found before it was taken out; a
    // later pass's search sees the band without it, and what it finds there is new.
    if (std::any_of(decoded.begin(), decoded.end(),
                    [&](const Decoded& d) { return d.pass == pass && covers(d.t); }) ||
        std::any_of(measured.begin(), measured.end(),
                    [&](const Candidate& m) { return SameCandidate(m, c); }) ||
        OnACarrier(carriers, c.tone0_mid_hz, c.start_s)) {
      continue;
    }
    measured.push_back(c);
    const bool in_band = InFineSearch(band, c.tone0_mid_hz);
    if (const Earlier* e = Unchanged(found, c); e != nullptr && in_band) {
      if (e->reading) tried.push_back(*e->reading);
      continue;
    }
    std::optional<Transmission> t = Measure(in_band ? band : recording, TrackFromCandidate(c));
    if (in_band) found.earlier.push_back({c, decoded.size(), t && !t->decoded ? t : std::nullopt});
    if (!t) continue;
    const bool again = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& d) {
      return (d.pass == pass && covers(d.t)) || SameTransmission(d.t, *t);
    });
    if (again) continue;
    if (!t->decoded) {
      (in_band ? tried : found.elsewhere).push_back(*t);
      continue;
    }
    Decoded d{*t, TonesSent(*t), in_band, {}, decoded.size(), pass};
    if (in_band) d.rebuilt = Subtract(band, SignalOf(d));
    decoded.push_back(std::move(d));
    ++taken_out;
  }
  found.undecoded = std::move(tried);
  return taken_out;
}

// Whether a reading that did not decode is reported: clear enough, not a decoded
// transmission's, and not a carrier read as tones by a drifting track that sweeps across it.
bool Reported(const Transmission& t, const std::vector<Decoded>& decoded,
              const std::vector<Carrier>& carriers) {
  const bool clear = std::abs(t.sync) >= kClearSync || t.snr_db >= kSureSnrDb;
  const bool covered = std::any_of(decoded.begin(), decoded.end(), [&](const Decoded& d) {
    return SamePlace(d.t, Tone0AtMiddle(t.track), t.track.start_s);
  });
  const double first = t.track.ToneHz(0, t.track.start_s);
  const double last = t.track.ToneHz(0, t.track.SlotStartS(static_cast<long long>(kSymbolCount)));
  const bool sweeps = OnACarrier(carriers, std::min(first, last), t.track.start_s) ||
                      OnACarrier(carriers, std::max(first, last), t.track.start_s) ||
                      std::any_of(carriers.begin(), carriers.end(), [&](const Carrier& c) {
                        return c.frequency_hz > std::min(first, last) &&
                               c.frequency_hz < std::max(first, last) + 3.0 * kToneSpacingHz;
                      });
  return clear && !covered && !sweeps;
}

// A type-3 message's call filled in from the type-1 or type-2 messages heard.
void FillInPairCalls(std::vector<Transmission>& transmissions) {
  std::vector<tonepak::Message> heard;
  for (const Transmission& t : transmissions) {
    if (t.decoded) heard.push_back(t.decoded->message);
  }
  const std::vector<tonepak::Message> filled = tonepak::FillInCalls(heard);
  std::size_t next = 0;
  for (Transmission& t : transmissions) {
    if (t.decoded) t.message = filled[next++];
  }
}

}  // namespace

Analysis Analyse(const Recording& recording) {
  // The window's band, from which each decoded signal is taken out; the recording itself
  // when it holds no more than that band.
  Recording band = WindowBand(recording);
  // Search, measure and decode, subtract, search again.
  Found found;
  std::vector<Carrier> carriers;
  for (int pass = 0; pass < kPasses; ++pass) {
    const Search search =
        pass == 0 ? FirstSearch(recording, band) : FindCandidates(band, WindowPlan());
    if (pass == 0) carriers = search.carriers;
    if (OnePass(recording, band, search, carriers, pass, found) == 0) break;
  }
  Refine(band, found.decoded);

  Analysis out;
  for (const Decoded& d : found.decoded) out.transmissions.push_back(d.t);
  for (const std::vector<Transmission>* list : {&found.undecoded, &found.elsewhere}) {
    for (const Transmission& t : *list) {
      if (Reported(t, found.decoded, carriers)) out.transmissions.push_back(t);
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
              return a.start_s != b.start_s ? a.start_s < b.start_s : a.tones_hz[0] < b.tones_hz[0];
            });
  FillInPairCalls(out.transmissions);
  return out;
}

}  // namespace beaconcheck
