// tonepak --read FILE: the message a wsptones.inc or an a.au carries, or why it carries none.
#pragma once

#include "transmission_reading.hpp"  // kReadLimitBytes

namespace tonepak {

// Prints "CALL LOC POWER" and returns 0; or names the file and each problem on standard error
// and returns 1. An a.au is told by its ".snd" header, anything else is read as include text.
int ReadBack(const char* file_name);

}  // namespace tonepak
