// tonepak --read FILE: the message a wsptones.inc or an a.au carries, or why it carries none.
#pragma once

#include <cstddef>

namespace tonepak {

// Files are read up to this size: an a.au of tonepak's is 2,880,024 bytes, an include file 429.
inline constexpr std::size_t kReadLimitBytes = std::size_t{4} << 20;

// Prints "CALL LOC POWER" and returns 0; or names the file and each problem on standard error
// and returns 1. An a.au is told by its ".snd" header, anything else is read as include text.
int ReadBack(const char* file_name);

}  // namespace tonepak
