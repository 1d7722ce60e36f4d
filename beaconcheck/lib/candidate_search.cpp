// The candidate search: energy standing above the local noise floor, then the sync vector.
#include "candidate_search.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "best_run.hpp"
#include "carrier_search.hpp"
#include "power_frames.hpp"
#include "search_decimation.hpp"
#include "sync_correlation.hpp"
#include "window_band.hpp"
#include "wspr_constants.hpp"

namespace beaconcheck {
namespace {

constexpr double kBlockHopS = 120.0;
constexpr double kOverlapFactor = 2.75;
constexpr double kQuietShare = 0.3;
constexpr double kQuietQuantile = -0.5244;  // the standard normal's at 0.3
constexpr double kDriftSearchHz = 14.0;
constexpr double kSureSync = 0.35;          // a sync this clear needs no wider search
constexpr long long kEarliestSymbol = -40;  // starts up to 40 symbols before the recording

double Median(std::vector<float> values) {
  if (values.empty()) return 0.0;
  const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
  std::nth_element(values.begin(), middle, values.end());
  return *middle;
}

// PowerFrames bins of tone k above tone 0's bin.
std::array<std::size_t, 4> ToneBins(double bin_hz) {
  std::array<std::size_t, 4> bins{};
  for (std::size_t k = 0; k < 4; ++k) {
    bins[k] = static_cast<std::size_t>(
        std::lround(static_cast<double>(k) * wspr::kToneSpacingHz / bin_hz));
  }
  return bins;
}

struct Peaks {
  std::vector<std::pair<std::size_t, double>> bins;  // bin and excess, strongest first
  std::vector<float> floor;                          // noise power of each bin in one frame
};

// Bins whose four tones together hold clearly more than the local noise: local maxima of the
// ratio, at least the plan's number of sigmas above its spread.
Peaks EnergyPeaks(const PowerFrames& s, const SearchPlan& plan) {
  const std::array<std::size_t, 4> tone = ToneBins(s.bin_hz);
  const std::vector<double> mean = MeanPowers(s);
  // The mean of N frames overlapping as these do varies as that of N / 2.75 independent ones
  // (at four a symbol); one bin's relative spread is one over its root.
  const double independent = static_cast<double>(s.frames) /
                             (kOverlapFactor * static_cast<double>(plan.frames_per_symbol) / 4.0);
  const double bin_sigma = 1.0 / std::sqrt(std::max(1.0, independent));
  std::vector<float> floor =
      plan.crowded ? LocalFloor(mean, s.bin_hz, kQuietShare, 1.0 + kQuietQuantile * bin_sigma)
                   : LocalFloor(mean, s.bin_hz);
  std::vector<double> ratio(s.bins, 0.0);
  if (s.bins <= tone[3]) return {};
  for (std::size_t b = 0; b + tone[3] < s.bins; ++b) {
    double sum = 0.0;
    double noise = 0.0;
    for (const std::size_t t : tone) {
      sum += mean[b + t];
      noise += floor[b + t];
    }
    ratio[b] = noise > 0.0 ? sum / noise - 1.0 : 0.0;
  }
  std::vector<float> deviations(ratio.begin(), ratio.end() - static_cast<std::ptrdiff_t>(tone[3]));
  double centre = Median(deviations);
  for (float& d : deviations) d = std::abs(d - static_cast<float>(centre));
  double spread = 1.4826 * Median(deviations);
  if (plan.crowded) {
    // Signals fill a crowded window's ratios, and where they were taken out they leave holes
    // below the noise: neither tells the noise's spread, which is worked out instead (four
    // bins of the flattened floor, a fifth more for what the overlap estimate leaves out).
    centre = 0.0;
    spread = 1.2 * bin_sigma / 2.0;
  }
  const double threshold = centre + std::max(plan.excess_sigmas * spread, 0.02);

  std::vector<std::pair<std::size_t, double>> peaks;
  for (std::size_t b = 0; b + tone[3] < s.bins; ++b) {
    if (ratio[b] < threshold) continue;
    if (const double hz = s.BinHz(b); hz >= plan.left_out_low_hz && hz < plan.left_out_high_hz)
      continue;
    const std::size_t reach = plan.peak_reach_bins;
    const std::size_t lo = b > reach ? b - reach : 0;
    const std::size_t hi = std::min(s.bins - tone[3], b + reach + 1);
    if (std::all_of(ratio.begin() + static_cast<std::ptrdiff_t>(lo),
                    ratio.begin() + static_cast<std::ptrdiff_t>(hi),
                    [&](double r) { return r <= ratio[b]; })) {
      peaks.emplace_back(b, ratio[b]);
    }
  }
  std::sort(peaks.begin(), peaks.end(), [](auto a, auto b) { return a.second > b.second; });
  if (plan.most_per_block > 0 && peaks.size() > plan.most_per_block)
    peaks.resize(plan.most_per_block);
  return {std::move(peaks), std::move(floor)};
}

// The frame where energy near `bin` rises: the start of the stretch that holds the most energy
// above a level halfway between the noise floor and the signal (the loudest 100 frames), found
// as the best-summing run (Kadane), which a few faint frames inside do not break.
std::size_t RoughOnset(const PowerFrames& s, std::size_t bin, const std::vector<float>& floor) {
  // Wide enough for a signal drifting by the most the sync search looks for.
  const auto reach = static_cast<std::size_t>(std::lround(kDriftSearchHz / 2.0 / s.bin_hz)) + 3;
  const std::size_t lo = bin > reach ? bin - reach : 0;
  const std::size_t hi = std::min(s.bins, bin + 6 + reach);
  double quiet = 0.0;
  for (std::size_t b = lo; b < hi; ++b) quiet += floor[b];
  std::vector<double> energy(s.frames, 0.0);
  for (std::size_t f = 0; f < s.frames; ++f) {
    for (std::size_t b = lo; b < hi; ++b) energy[f] += s.At(f, b);
  }
  constexpr std::size_t kLoudFrames = 100;
  double loud = quiet;
  double window = 0.0;
  for (std::size_t f = 0; f < s.frames; ++f) {
    window += energy[f];
    if (f >= kLoudFrames) window -= energy[f - kLoudFrames];
    if (f + 1 >= kLoudFrames) loud = std::max(loud, window / kLoudFrames);
  }
  const double level = (quiet + loud) / 2.0;
  return BestRun(s.frames, [&](std::size_t f) { return energy[f] - level; }).first;
}

struct SyncFit {
  double value = 0.0;  // normalised correlation
  long long frame = 0;
  double bin = 0.0;
  double drift_bins = 0.0;
};

// The sync correlation with tone 0 in `bin` halfway through, drifting by `drift_bins` over
// the transmission, the first symbol in frame `start` (relative to the power frames).
// Each frame's and bin's upper-pair excess and total power with tone 0 in that bin, worked out
// once for the thousands of correlations a piece's candidates take.
struct SyncTable {
  std::size_t frames = 0;
  std::size_t bins = 0;
  std::size_t per_symbol = 4;
  std::vector<float> excess;
  std::vector<float> total;  // 0 where tone 0 there leaves a tone outside the band

  SyncTable(const PowerFrames& s, const std::array<std::size_t, 4>& tone, std::size_t per)
      : frames(s.frames),
        bins(s.bins),
        per_symbol(per),
        excess(frames * bins),
        total(frames * bins) {
    const std::size_t step = tone[1];
    for (std::size_t f = 0; f < frames; ++f) {
      for (std::size_t b = step; b + tone[3] + step < bins; ++b) {
        std::array<double, 4> p{};
        for (std::size_t k = 0; k < 4; ++k) p[k] = s.At(f, b + tone[k]);
        const SymbolSync one = FromTones(p, s.At(f, b - step) + s.At(f, b + tone[3] + step));
        excess[f * bins + b] = static_cast<float>(one.excess);
        total[f * bins + b] = static_cast<float>(one.total);
      }
    }
  }
};

// The sync correlation with tone 0 in `bin` halfway through, drifting by `drift_bins` over
// the transmission, the first symbol in frame `start` (relative to the power frames).
double SyncCorrelation(const SyncTable& t, long long start, double bin, double drift_bins) {
  return beaconcheck::SyncCorrelation([&](std::size_t i) {
    const long long frame = start + static_cast<long long>(i * t.per_symbol);
    if (frame < 0 || frame >= static_cast<long long>(t.frames)) return SymbolSync{};
    const double at =
        bin + drift_bins * (static_cast<double>(i) / (wspr::kSymbolCount - 1) - 0.5) + 0.5;
    if (at < 0.0 || at >= static_cast<double>(t.bins)) return SymbolSync{};
    const std::size_t cell =
        static_cast<std::size_t>(frame) * t.bins + static_cast<std::size_t>(at);
    if (t.total[cell] <= 0.0F) return SymbolSync{};
    return SymbolSync{t.excess[cell], t.total[cell], true};
  });
}

SyncFit SearchSync(const SyncTable& table, SyncFit around, long long frame_span, double bin_span,
                   double bin_step, double drift_span, double drift_step,
                   long long frame_step = 1) {
  SyncFit best = around;
  best.value = 0.0;
  for (long long f = around.frame - frame_span; f <= around.frame + frame_span; f += frame_step) {
    for (double b = around.bin - bin_span; b <= around.bin + bin_span + 1e-9; b += bin_step) {
      for (double d = around.drift_bins - drift_span; d <= around.drift_bins + drift_span + 1e-9;
           d += drift_step) {
        const double value = SyncCorrelation(table, f, b, d);
        if (std::abs(value) > std::abs(best.value)) best = {value, f, b, d};
      }
    }
  }
  return best;
}

void AddCandidates(const Recording& recording, const SearchPlan& plan, std::size_t first_frame,
                   std::size_t frames, std::size_t starts, PowerFrames& s, Search& found) {
  const std::size_t per = plan.frames_per_symbol;
  const auto per_long = static_cast<long long>(per);
  MakePowerFrames(recording, first_frame, frames, plan.low_hz, plan.high_hz, s, per,
                  plan.half_step_bins);
  if (s.frames < per * 16 || s.bins == 0) return;
  const std::array<std::size_t, 4> tone = ToneBins(s.bin_hz);
  const double drift_bins = kDriftSearchHz / s.bin_hz;
  const Peaks peaks = EnergyPeaks(s, plan);
  const SyncTable table(s, tone, per);
  for (const Carrier& c : FindCarriers(s)) {
    // What another search looks at more finely is left to it.
    if (c.frequency_hz < plan.left_out_low_hz || c.frequency_hz >= plan.left_out_high_hz + 5.0)
      found.carriers.push_back(c);
  }
  const long long earliest = kEarliestSymbol * per_long;
  for (const auto& [bin, excess] : peaks.bins) {
    const auto onset = static_cast<long long>(RoughOnset(s, bin, peaks.floor));
    SyncFit fit{0.0, onset, static_cast<double>(bin), 0.0};
    fit = SearchSync(table, fit, 6 * per_long, 2.0, 1.0, drift_bins, drift_bins / 4.0);
    if (std::abs(fit.value) < kSureSync) {
      // A weak signal's onset can be far off: the sync vector over every start in the piece,
      // coarsely (every other frame, three drifts), then around the best.
      const auto last = static_cast<long long>(starts);
      SyncFit wide = {0.0, (last + earliest) / 2, fit.bin, 0.0};
      wide = SearchSync(table, wide, (last - earliest) / 2, 1.0, 1.0, drift_bins / 2.0,
                        drift_bins / 2.0, 2);
      wide = SearchSync(table, wide, 2, 2.0, 1.0, drift_bins / 2.0, drift_bins / 8.0);
      if (std::abs(wide.value) > std::abs(fit.value)) fit = wide;
    }
    fit = SearchSync(table, fit, std::max(1LL, per_long / 2), 1.0, 0.5, drift_bins / 8.0,
                     drift_bins / 16.0);
    if (std::abs(fit.value) < plan.least_sync) continue;
    if (std::abs(fit.value) < 0.2) fit.frame = onset;  // no sync to go by: trust the energy
    // A transmission that began before the piece belongs to the piece before; one that begins
    // after `starts`, to the next.
    if (fit.frame >= static_cast<long long>(starts) || (first_frame > 0 && fit.frame < 0)) continue;
    Candidate c;
    c.tone0_mid_hz = s.BinHz(0) + fit.bin * s.bin_hz;
    c.drift_hz = fit.drift_bins * s.bin_hz;
    c.start_s = s.first_s + static_cast<double>(static_cast<long long>(first_frame) + fit.frame) *
                                s.frame_step_s;
    c.sync = fit.value;
    c.excess = excess;
    found.candidates.push_back(c);
  }
}

}  // namespace

Search FindCandidates(const Recording& full, const SearchPlan& plan) {
  // A recording at 48000 Hz and up is searched at 16000 Hz: the same band at a third of the
  // transform's length.
  const std::optional<Recording> decimated = DecimateForSearch(full, plan.high_hz);
  const Recording& recording = decimated ? *decimated : full;
  const std::size_t per = plan.frames_per_symbol;
  const std::size_t total = FrameCount(recording, per);
  const std::size_t transmission_frames = wspr::kSymbolCount * per;
  const auto hop = static_cast<std::size_t>(
      std::lround(kBlockHopS / (wspr::kSymbolPeriodS / static_cast<double>(per))));
  Search found;
  PowerFrames frames;
  for (std::size_t first = 0; first < total; first += hop) {
    const bool last = first + hop + transmission_frames >= total;
    AddCandidates(recording, plan, first,
                  last ? total - first : hop + transmission_frames + 6 * per, last ? total : hop,
                  frames, found);
    if (last) break;
  }
  std::stable_sort(found.candidates.begin(), found.candidates.end(),
                   [](const Candidate& a, const Candidate& b) { return a.excess > b.excess; });
  return found;
}

SearchPlan WindowPlan() {
  SearchPlan plan;
  plan.low_hz = kFineLowHz;
  plan.high_hz = kFineHighHz + 3.0 * wspr::kToneSpacingHz;
  // Every peak a few sigmas up, a neighbour a step away kept, noise without sync dropped.
  plan.excess_sigmas = 4.0;
  plan.peak_reach_bins = 1;
  plan.crowded = true;
  plan.least_sync = 0.15;
  return plan;
}

// The rest of the audio, where beacons are rare: one unpadded frame a symbol and the strongest
// few.
SearchPlan CoarsePlan() {
  SearchPlan plan;
  plan.frames_per_symbol = 1;
  plan.half_step_bins = false;
  plan.peak_reach_bins = 2;
  plan.most_per_block = 24;
  plan.left_out_low_hz = kFineLowHz;
  plan.left_out_high_hz = kFineHighHz;
  return plan;
}

}  // namespace beaconcheck
