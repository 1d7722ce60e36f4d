// tonepak --read FILE [FILE2]: the message a wsptones.inc or an a.au carries, or why it carries
// none.
#pragma once

#include "transmission_reading.hpp"  // kReadLimitBytes

namespace tonepak {

// Prints the message as a decoder shows it ("K1ABC FN42 37", "PJ4/K1ABC 37",
// "<...> FK52UD 37") and returns 0; or names the file and each problem on standard error and
// returns 1. An a.au is told by its ".snd" header, anything else is read as include text.
// With a second file, its line follows; a hashed call in it whose hash is that of the first
// file's call is filled in ("<PJ4/K1ABC> FK52UD 37"), one whose hash is not is said on standard
// error and makes the status 1.
int ReadBack(const char* file_name, const char* second_file_name = nullptr);

}  // namespace tonepak
