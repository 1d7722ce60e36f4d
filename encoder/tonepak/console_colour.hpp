// Console text colours: the Windows console attribute byte on Windows, ANSI sequences on a
// POSIX terminal, nothing at all when standard output is a file or a pipe.
#pragma once

#include <cstdint>
#include <string>

#include "text_role.hpp"

namespace tonepak {

// Windows console attributes: low nibble foreground, high nibble background;
// bit 0 blue, bit 1 green, bit 2 red, bit 3 intensity.
enum ConsoleAttribute : std::uint8_t {
  kErrorWhiteOnRed = 0x4F,   // the argument-count complaint
  kPromptCyan = 0x0B,        // the prompts and what the user types
  kSummaryYellow = 0x0E,     // the summary box and the warnings
  kNormalGrey = 0x07,        // the encoding trace and the rest of the run
  kPackedBrightWhite = 0x0F  // the packed-symbol dump
};

// The attribute each role of the trace is shown in.
std::uint8_t RoleAttribute(TextRole role);

// The ANSI sequence that gives the same appearance: attribute 7 is the terminal's own colours,
// a black background is the terminal's own background.
std::string AnsiSequence(std::uint8_t attribute);

// Decides once, at start, whether colours go to the console; flushes standard output before
// every change so that the colour applies to exactly the text printed after the call.
// Restores the console's own colours when the program ends.
void InitConsole();
void ConsoleColour(std::uint8_t attribute);

}  // namespace tonepak
