// Reading recordings: every sample format to the same values, and files that cannot be read.
#include <gtest/gtest.h>

#include "recording_reading.hpp"

namespace beaconcheck {
namespace {

TEST(ReadRecording, Placeholder) { EXPECT_FALSE(ReadRecording({}).recording); }

}  // namespace
}  // namespace beaconcheck
