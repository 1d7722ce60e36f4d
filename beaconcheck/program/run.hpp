// One run of beaconcheck: the options carried out, the report printed, the exit status.
#pragma once

namespace beaconcheck {

inline constexpr int kFoundProblemStatus = 1;
inline constexpr int kCannotReadStatus = 2;

int RunBeaconcheck(int argc, const char* const* argv);

}  // namespace beaconcheck
