// Where the three message words come from: the command line, or prompts on the console.
#pragma once

#include <cstdio>
#include <string>

namespace tonepak {

struct MessageWords {
  std::string callsign;
  std::string locator;
  std::string power;
};

// Reads one whitespace-delimited word, as scanf("%s") would, of any length. The first
// kMaxKeptWordBytes bytes are kept, far more than any field uses, so that an endless word on
// standard input cannot exhaust memory; the rest of the word is consumed. End of input before a
// word gives an empty word.
inline constexpr std::size_t kMaxKeptWordBytes = std::size_t{1} << 24;
std::string ReadWord(std::FILE* in);

// With exactly CALL LOC POWER on the command line, those; otherwise the complaint in red and a
// prompt for each word in cyan. The colour is left as the prompts set it.
MessageWords ObtainMessageWords(int argc, const char* const* argv, std::FILE* in);

}  // namespace tonepak
