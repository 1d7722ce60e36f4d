// The message words asked for on the console, when the command line does not give them.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>

#include "options.hpp"

namespace tonepak {

// Reads one whitespace-delimited word, as scanf("%s") would, of any length. The first
// kMaxKeptWordBytes bytes are kept, far more than any field uses, so that an endless word on
// standard input cannot exhaust memory; the rest of the word is consumed. End of input before a
// word gives an empty word.
inline constexpr std::size_t kMaxKeptWordBytes = std::size_t{1} << 24;
std::string ReadWord(std::FILE* in);

// The argument-count complaint in red, then a prompt for each word in cyan, each word read from
// `in`. The colour is left as the prompts set it.
MessageWords AskForMessageWords(std::FILE* in);

// FST4W's message asked for as one line (up to kMaxKeptWordBytes bytes kept), after a line that
// says how the command line gives it.
std::string AskForFst4wMessage(beacon::Mode mode, std::FILE* in);

}  // namespace tonepak
