// How far jt9, WSJT-X's FST4W decoder, follows a signal that is off, for each FST4W period: tone 0
// away from the 1500 Hz it listens at, a start early or late, and a tone step too large or too
// small. The limits a clean signal still decodes within and the SNR each fault needs, measured
// with jt9 itself (tools/measure-jt9-limits, data/jt9_limits.tsv): the offset and the start on
// fst4sim's signals, the tone step on tonepak's own. The symbol period is not measured.
#pragma once

#include "fst4w_constants.hpp"
#include "wsprd_limits.hpp"

namespace fst4w {

enum class Jt9Fault {
  kOffset,     // Hz, tone 0 minus the 1500 Hz that jt9 -f 1500 -F 100 listens at
  kDt,         // s, the start less 1 s, as WSJT-X shows it
  kStepError,  // % of the tone step 12000/nsps Hz
};

// The measured table for one period, as compiled in; the points' thresholds are SNRs in 2500 Hz.
// Nullptr for a period the data file has no rows for.
const wspr::Tolerance* Jt9Tolerance(const Period& period, Jt9Fault fault);

}  // namespace fst4w
