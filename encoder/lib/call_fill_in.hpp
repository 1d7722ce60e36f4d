// Filling in the call of a heard type-3 message from a type-1 or type-2 message heard with it.
#pragma once

#include <span>
#include <vector>

#include "wspr_types.hpp"

namespace tonepak {

// The messages of one recording, in the order heard, with each type 3 whose call is not known
// given the call of a type-1 or type-2 message of the recording whose CallHash is the one the
// type 3 carries: the nearest earlier such message, else the nearest later one (a recording that
// begins with the pair's second transmission). Messages whose hash matches no call stay as they
// are ("<...>").
std::vector<Message> FillInCalls(std::span<const Message> heard);

}  // namespace tonepak
