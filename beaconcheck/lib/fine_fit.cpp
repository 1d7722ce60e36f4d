// Coordinate ascent over the track: parabolic steps, each parameter in turn, shrinking trials.
#include "fine_fit.hpp"

#include <algorithm>
#include <cmath>
#include <functional>

#include "symbol_powers.hpp"

namespace beaconcheck {
namespace {

constexpr int kRounds = 4;
constexpr int kMostMoves = 6;

// One parameter of the track, read and written.
using Get = std::function<double(const Track&)>;
using Set = std::function<void(Track&, double)>;

struct Parameter {
  Get get;
  Set set;
  double trial;  // first round's spacing of the three trial values
};

double EvenTone0(const Track& t) { return t.tones_hz[0]; }
double EvenStep(const Track& t) { return (t.tones_hz[3] - t.tones_hz[0]) / 3.0; }

// Climbs to the best of three trial values along one parameter, then puts the parameter at
// the vertex of the parabola through the last three.
void Climb(Track& track, const Parameter& p, double spacing,
           const std::function<double(const Track&)>& objective) {
  const auto at = [&](double value) {
    Track t = track;
    p.set(t, value);
    return objective(t);
  };
  double centre = p.get(track);
  double f0 = at(centre - spacing);
  double f1 = objective(track);
  double f2 = at(centre + spacing);
  for (int move = 0; move < kMostMoves; ++move) {
    if (f0 > f1 && f0 >= f2) {
      centre -= spacing;
      f2 = f1;
      f1 = f0;
      f0 = at(centre - spacing);
    } else if (f2 > f1) {
      centre += spacing;
      f0 = f1;
      f1 = f2;
      f2 = at(centre + spacing);
    } else {
      break;
    }
  }
  const double curvature = f0 - 2.0 * f1 + f2;
  double vertex = centre;
  if (curvature < 0.0)
    vertex += std::clamp(0.5 * spacing * (f0 - f2) / curvature, -spacing, spacing);
  p.set(track, vertex);
  if (objective(track) < f1) p.set(track, centre);
}

std::vector<Parameter> TrackParameters() {
  return {
      {[](const Track& t) { return t.start_s; }, [](Track& t, double v) { t.start_s = v; },
       kSymbolPeriodS / 8.0},
      {EvenTone0, [](Track& t, double v) { t.tones_hz = EvenTones(v, EvenStep(t)); }, 0.2},
      {[](const Track& t) { return t.drift_hz; }, [](Track& t, double v) { t.drift_hz = v; }, 1.0},
      {EvenStep, [](Track& t, double v) { t.tones_hz = EvenTones(t.tones_hz[0], v); },
       kToneSpacingHz * 0.02},
      {[](const Track& t) { return t.symbol_s; }, [](Track& t, double v) { t.symbol_s = v; },
       kSymbolPeriodS * 0.002},
  };
}

// The strongest tone's power in each of the 162 slots, summed.
double StrongestSum(const Baseband& baseband, const Track& t) {
  double sum = 0.0;
  for (const auto& p : TonePowers(baseband, t, 0, kSymbolCount)) {
    sum += std::max(0.0, *std::max_element(p.begin(), p.end()));
  }
  return sum;
}

}  // namespace

Track TrackFromCandidate(const Candidate& candidate) {
  Track track;
  track.start_s = candidate.start_s;
  track.drift_hz = candidate.drift_hz;
  const double tone0 = candidate.tone0_mid_hz - candidate.drift_hz / 2.0;
  track.tones_hz = EvenTones(tone0, kToneSpacingHz);
  return track;
}

std::vector<std::uint8_t> StrongestTones(const std::vector<std::array<double, 4>>& powers) {
  std::vector<std::uint8_t> tones(powers.size());
  for (std::size_t i = 0; i < powers.size(); ++i) {
    tones[i] = static_cast<std::uint8_t>(std::max_element(powers[i].begin(), powers[i].end()) -
                                         powers[i].begin());
  }
  return tones;
}

Track SnapToTones(const Baseband& baseband, const Track& track) {
  Track best = track;
  double best_sum = StrongestSum(baseband, track);
  for (int steps = -2; steps <= 2; ++steps) {
    Track moved = track;
    for (double& f : moved.tones_hz) f += steps * kToneSpacingHz;
    if (const double sum = StrongestSum(baseband, moved); sum > best_sum) {
      best_sum = sum;
      best = moved;
    }
  }
  return best;
}

Track FitSync(const Baseband& baseband, Track track,
              double (*sync)(const std::vector<std::array<double, 4>>& powers)) {
  const double sign = sync(TonePowers(baseband, track, 0, kSymbolCount)) < 0.0 ? -1.0 : 1.0;
  const auto objective = [&](const Track& t) {
    return sign * sync(TonePowers(baseband, t, 0, kSymbolCount));
  };
  std::vector<Parameter> parameters = TrackParameters();
  parameters.resize(3);  // start, tone 0, drift: the step and the period as they are
  double scale = 1.0;
  for (int round = 0; round < kRounds - 1; ++round) {
    for (const Parameter& p : parameters) Climb(track, p, p.trial * scale, objective);
    scale /= 3.0;
  }
  return track;
}

Track FitTrack(const Baseband& baseband, Track track) {
  const auto objective = [&baseband](const Track& t) { return StrongestSum(baseband, t); };
  const std::vector<Parameter> parameters = TrackParameters();
  double scale = 1.0;
  for (int round = 0; round < kRounds; ++round) {
    for (const Parameter& p : parameters) Climb(track, p, p.trial * scale, objective);
    scale /= 3.0;
  }
  return track;
}

Track FitTones(const Baseband& baseband, Track track, const std::vector<std::uint8_t>& symbols) {
  for (std::size_t k = 0; k < 4; ++k) {
    // Tone k moves the power of the slots that send it and of no others.
    const auto objective = [&](const Track& t) {
      return SentTonePower(baseband, t, symbols, static_cast<int>(k));
    };
    const Parameter tone{[k](const Track& t) { return t.tones_hz[k]; },
                         [k](Track& t, double v) { t.tones_hz[k] = v; }, 0.05};
    for (int round = 0; round < kRounds; ++round)
      Climb(track, tone, tone.trial / (round + 1), objective);
  }
  return track;
}

Track FitTiming(const Baseband& baseband, Track track, const std::vector<std::uint8_t>& symbols) {
  const auto objective = [&](const Track& t) { return SentTonePower(baseband, t, symbols); };
  const Parameter start{[](const Track& t) { return t.start_s; },
                        [](Track& t, double v) { t.start_s = v; }, 0.004};
  const Parameter period{[](const Track& t) { return t.symbol_s; },
                         [](Track& t, double v) { t.symbol_s = v; }, kSymbolPeriodS * 0.0002};
  for (int round = 0; round < kRounds; ++round) {
    Climb(track, start, start.trial, objective);
    Climb(track, period, period.trial, objective);
  }
  return track;
}

}  // namespace beaconcheck
