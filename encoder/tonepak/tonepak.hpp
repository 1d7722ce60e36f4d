// One run of TONEPAK, from the message words to wsptones.inc and a.au (and a pair's second
// transmission, wsptones2.inc and a2.au).
#pragma once

#include <cstdio>
#include <string_view>

#include "options.hpp"

namespace tonepak {

// The whole run of a kEncode command line, the words asked for on the console (read from `in`)
// when it has none; returns the process exit status: 0 when every file was written completely,
// 1 when one was not, kRefusedStatus when the call cannot be sent (then no file is written).
inline constexpr int kRefusedStatus = 2;
int RunTonepak(const CommandLine& command_line, std::FILE* in);

// "tonepak: WHAT" on standard error, after whatever standard output holds so far.
void Complain(std::string_view what);

}  // namespace tonepak
