// Reading a recording's file whole, growing as it reads, up to a limit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace beaconcheck {

struct RecordingFile {
  std::vector<std::uint8_t> bytes;
  bool too_large = false;  // the file goes on beyond the limit
  std::string error;       // "cannot read NAME: REASON"
};

// Memory grows with the file, not with the limit: a two-minute recording takes its own size.
RecordingFile ReadRecordingFile(const std::string& name, std::size_t limit);

}  // namespace beaconcheck
