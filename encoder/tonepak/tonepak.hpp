// One run of TONEPAK, from the message words to wsptones.inc and a.au (and a pair's second
// transmission, wsptones2.inc and a2.au).
#pragma once

#include <cstdio>
#include <string_view>

namespace tonepak {

// The whole run; returns the process exit status: 0 when every file was written completely, 1
// when one was not, kRefusedStatus when the call cannot be sent (then no file is written).
// With c_header, wsptones.h as well.
inline constexpr int kRefusedStatus = 2;
int RunTonepak(int argc, const char* const* argv, std::FILE* in, bool c_header = false);

// "tonepak: WHAT" on standard error, after whatever standard output holds so far.
void Complain(std::string_view what);

}  // namespace tonepak
