// Where the three message words come from: the command line, or prompts on the console.
#include "message_entry.hpp"

#include "console_colour.hpp"
#include "trace.hpp"

namespace tonepak {
namespace {

bool IsCSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

std::string Prompt(const char* prompt, std::FILE* in) {
  std::fputs(prompt, stdout);
  std::fflush(stdout);
  return ReadWord(in);
}

}  // namespace

std::string ReadWord(std::FILE* in) {
  int c = std::getc(in);
  while (c != EOF && IsCSpace(c)) c = std::getc(in);
  std::string word;
  for (; c != EOF && !IsCSpace(c); c = std::getc(in)) {
    if (word.size() < kMaxKeptWordBytes) word += static_cast<char>(c);
  }
  return word;
}

MessageWords ObtainMessageWords(int argc, const char* const* argv, std::FILE* in) {
  if (argc == 4) return {argv[1], argv[2], argv[3]};

  ConsoleColour(kErrorWhiteOnRed);
  std::fputs(kUsageLine, stdout);
  ConsoleColour(kPromptCyan);
  MessageWords words;
  words.callsign = Prompt(kCallsignPrompt, in);
  words.locator = Prompt(kLocatorPrompt, in);
  words.power = Prompt(kPowerPrompt, in);
  std::fputs("\n", stdout);
  return words;
}

}  // namespace tonepak
