// The message a file's bytes carry: an a.au, told by its ".snd" header, or else the text of an
// include file. Shared by tonepak --read and the web page, which reads a dropped file.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "decoding.hpp"

namespace tonepak {

// Files are read up to this size: an a.au of tonepak's is 2,880,024 bytes, an include file 429.
inline constexpr std::size_t kReadLimitBytes = std::size_t{4} << 20;

// `start` is the file up to kReadLimitBytes; `longer` says that it goes on beyond them.
Decoded ReadTransmission(std::span<const std::uint8_t> start, bool longer);

}  // namespace tonepak
