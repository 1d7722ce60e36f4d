// The DDS's tuning words as whole numbers: how a quotient becomes the word the report shows, its
// hex text, and the tones three words make. Internal to the core.
#pragma once

#include <cstdint>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks::detail {

// The word the report shows for the exact quotient `quotient` (span x frequency / clock): the
// quotient plus one half, rounded to the nearest whole number, ties to even, so that 1.2288 gives
// 2. OverflowError outside -2^55 <= word < 2^55 (and for NaN).
std::int64_t ShownWord(double quotient);

// `value` rounded to the nearest whole number, ties to even; OverflowError as ShownWord.
std::int64_t WholeWord(double value);

// The hex text of `word`: six low digits and the high digits (eight in two's complement when the
// word is negative), at least twelve in all, cut to six for Resolution index 0 and eight for 1.
std::string WordHex(std::int64_t word, std::int16_t resolution_index);

// One DDS calculation's frequencies and its three words.
struct DdsWords {
  double clockHz = 0;
  double wantedHz = 0;
  double ddsOutHz = 0;       // the wanted frequency at the DDS output
  double lowToneDdsHz = 0;   // the lowest tone at the DDS output
  double rfMultiplier = 0;   // after the DDS
  double span = 0;           // 2^N of the accumulator
  std::int64_t setting = 0;  // the words as the report shows them
  std::int64_t lowTone = 0;
  std::int64_t interval = 0;
  bool belowZero = false;  // the setting's or the lowest tone's quotient is below -1/2
  beacon::Mode mode = beacon::Mode::kWspr;
};

// The tones the words give, or the fault that keeps them from the wanted ones; for a positive
// clock and RF multiplication. OverflowError where the frequencies exceed the double range.
ActualTones DdsTones(const DdsWords& words);

// The tones a Si5351 plan makes at the RF output; the kSi5351 fault when it has a problem.
ActualTones Si5351Tones(const Si5351Plan& plan, double wanted_hz, beacon::Mode mode);

}  // namespace tuneworks::detail
