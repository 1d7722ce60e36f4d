// One run of TONEPAK, from the message words to wsptones.inc and a.au.
#pragma once

#include <cstdio>

namespace tonepak {

// The whole run; returns the process exit status: 0 when both files were written completely.
int RunTonepak(int argc, const char* const* argv, std::FILE* in);

}  // namespace tonepak
