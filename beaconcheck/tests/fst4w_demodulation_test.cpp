// The coherent soft bits from tone amplitudes made up for a known codeword: the carrier's phase
// and its turn per symbol taken from the sync groups, whatever they are.
#include <gtest/gtest.h>

#include <complex>
#include <random>

#include "fst4w_demodulation.hpp"
#include "fst4w_symbols.hpp"
#include "ldpc_240_74.hpp"

namespace beaconcheck {
namespace {

// Each symbol's sent tone at amplitude 1, the phase `phase` + `turn` radians a symbol, and
// complex Gaussian noise of `noise` in every tone.
Fst4wAmplitudes Heard(const tonepak::fst4w::ChannelSymbols& symbols, double phase, double turn,
                      double noise, unsigned seed) {
  std::mt19937 random(seed);
  std::normal_distribution<double> gauss(0.0, noise);
  Fst4wAmplitudes a{};
  for (std::size_t n = 0; n < a.size(); ++n) {
    for (auto& tone : a[n]) tone = {gauss(random), gauss(random)};
    a[n][symbols[n]] += std::polar(1.0, phase + turn * static_cast<double>(n));
  }
  return a;
}

TEST(Fst4wDemodulation, CoherentRatiosFollowThePhaseOfTheSyncGroups) {
  tonepak::fst4w::InfoBits info{};
  for (std::size_t i = 0; i < info.size(); ++i) info[i] = (i * 7 + 3) % 5 < 2 ? 1 : 0;
  const tonepak::fst4w::Codeword word = tonepak::fst4w::LdpcEncode(info);
  const tonepak::fst4w::ChannelSymbols symbols = tonepak::fst4w::ChannelSymbolsOf(word);
  struct Case {
    const char* name;
    double phase;  // radians
    double turn;   // radians a symbol
    double noise;  // in each tone, the sent tone's amplitude 1
    std::size_t most_wrong;
  };
  const Case cases[] = {
      {"in phase, clean", 0.0, 0.0, 0.0, 0},
      {"opposite phase, clean", 3.0, 0.0, 0.0, 0},
      {"turning, clean", 1.0, 0.3, 0.0, 0},
      {"turning backwards, clean", -2.0, -0.25, 0.0, 0},
      // Heard one at a time these get 52 and 82 of the 240 wrong; here 27 and 45.
      {"turning, noisy", 0.5, 0.1, 0.5, 32},
      {"turning, noisier", 2.5, -0.05, 0.7, 52},
  };
  for (const Case& c : cases) {
    const auto llrs = CoherentBitRatios(Heard(symbols, c.phase, c.turn, c.noise, 7), 2.8);
    std::size_t wrong = 0;
    for (std::size_t b = 0; b < word.size(); ++b) wrong += (llrs[b] < 0) != (word[b] != 0);
    EXPECT_LE(wrong, c.most_wrong) << c.name;
    // The same symbols heard one at a time without a phase reference get more wrong.
    const auto plain = BitRatios(Heard(symbols, c.phase, c.turn, c.noise, 7), 1, 2.8);
    std::size_t plain_wrong = 0;
    for (std::size_t b = 0; b < word.size(); ++b) plain_wrong += (plain[b] < 0) != (word[b] != 0);
    if (c.noise > 0.0) {
      EXPECT_LT(4 * wrong, 3 * plain_wrong) << c.name;
    }
  }
}

}  // namespace
}  // namespace beaconcheck
