// FST4W's 24-bit CRC over the 50 message bits: polynomial 0x100065B, no initial value, the
// remainder sent high bit first after the message.
#pragma once

#include <cstdint>

#include "fst4w_types.hpp"

namespace tonepak::fst4w {

// The CRC of the message bits, in its low 24 bits.
std::uint32_t Crc24(const MessageBits& message);

// The message with its CRC appended: what the LDPC code protects.
InfoBits WithCrc(const MessageBits& message);

// Whether the last 24 bits are the CRC of the first 50: a decoded word that fails this is not a
// message, whatever the parity checks say.
bool CrcMatches(const InfoBits& info);

}  // namespace tonepak::fst4w
