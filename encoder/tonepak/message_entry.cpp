// The message words asked for on the console.
#include "message_entry.hpp"

#include "ascii_text.hpp"
#include "console_colour.hpp"

namespace tonepak {
namespace {

// The complaint and the prompts shown when the command line is not CALL LOC POWER.
constexpr const char* kUsageLine =
    "\nIncorrect number of arguments.   Usage ...  'TONEPAK CALL LOC POWER'";
constexpr const char* kCallsignPrompt = "\n\n     Callsign    ";
constexpr const char* kLocatorPrompt = "     Locator     ";
constexpr const char* kPowerPrompt = "     Power       ";

// A byte from getc that C's isspace counts as white space.
bool IsCSpace(int c) { return c != EOF && wspr::ascii::IsSpace(static_cast<char>(c)); }

std::string Prompt(const char* prompt, std::FILE* in) {
  std::fputs(prompt, stdout);
  std::fflush(stdout);
  return ReadWord(in);
}

constexpr const char* kMessagePrompt = "\n\n     Message     ";

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

MessageWords AskForMessageWords(std::FILE* in) {
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

std::string AskForFst4wMessage(beacon::Mode mode, std::FILE* in) {
  ConsoleColour(kErrorWhiteOnRed);
  const std::string usage = "\nNo message given.   Usage ...  'TONEPAK --mode " +
                            std::string(beacon::NameOf(mode).name) + " CALL LOC POWER'";
  std::fputs(usage.c_str(), stdout);
  ConsoleColour(kPromptCyan);
  std::fputs(kMessagePrompt, stdout);
  std::fflush(stdout);
  std::string line;
  for (int c = std::getc(in); c != EOF && c != '\n'; c = std::getc(in)) {
    if (line.size() < kMaxKeptWordBytes) line += static_cast<char>(c);
  }
  std::fputs("\n", stdout);
  return line;
}

}  // namespace tonepak
