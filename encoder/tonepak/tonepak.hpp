// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#pragma once

#include <cstdio>
#include <string_view>

namespace tonepak {

// The whole run; returns the process exit status: 0 when both files were written completely.
int RunTonepak(int argc, const char* const* argv, std::FILE* in);

// "tonepak: WHAT" on standard error, after whatever standard output holds so far.
void Complain(std::string_view what);

}  // namespace tonepak
