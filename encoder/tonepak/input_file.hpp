// Reading the beginning of a file, up to a limit, or saying why not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tonepak {

struct InputFile {
  std::vector<std::uint8_t> bytes;  // at most the limit
  bool longer = false;              // the file goes on beyond the limit
  std::string error;                // "cannot read NAME: REASON" when it could not be read
};

// Reads at most `limit` bytes, so that no file, however large, can exhaust memory.
InputFile ReadFileStart(const char* name, std::size_t limit);

}  // namespace tonepak
