// Reading the start of a file, up to a limit, or saying why not: the programs' one file input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace wspr {

struct FileStart {
  std::vector<std::uint8_t> bytes;  // at most the limit; empty when the file could not be read
  bool longer = false;              // the file goes on beyond the limit
  std::string error;                // "cannot read NAME: REASON" when it could not be read
};

// Reads at most `limit` bytes, so that no file, however large, can exhaust memory; the memory
// grows with the file as it is read, not with the limit.
FileStart ReadFileStart(const std::string& name, std::size_t limit);

}  // namespace wspr
