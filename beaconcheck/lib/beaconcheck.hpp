// beaconcheck's library, its one entry header: reading recordings, finding and measuring every
// WSPR transmission in them, and the verdict on each.
#pragma once

#include "analysis.hpp"           // IWYU pragma: export
#include "carrier.hpp"            // IWYU pragma: export
#include "recording.hpp"          // IWYU pragma: export
#include "recording_reading.hpp"  // IWYU pragma: export
#include "transmission.hpp"       // IWYU pragma: export
#include "verdict.hpp"            // IWYU pragma: export
