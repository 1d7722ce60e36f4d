// Console text colours: the Windows console attribute byte on Windows, ANSI sequences on a
// POSIX terminal, nothing at all when standard output is a file or a pipe.
#include "console_colour.hpp"

#include <cstdio>
#include <cstdlib>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#include <csignal>
#endif

namespace tonepak {
namespace {

bool g_colour = false;

#ifdef _WIN32
HANDLE g_console = nullptr;
WORD g_original_attributes = kNormalGrey;

void RestoreConsole() {
  std::fflush(stdout);
  SetConsoleTextAttribute(g_console, g_original_attributes);
}
#else
constexpr char kReset[] = "\x1b[0m";

void RestoreConsole() {
  std::fputs(kReset, stdout);
  std::fflush(stdout);
}

// Ctrl-C at a prompt must not leave the terminal cyan.
extern "C" void RestoreAndDie(int signal_number) {
  [[maybe_unused]] const auto written = write(STDOUT_FILENO, kReset, sizeof kReset - 1);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}
#endif

}  // namespace

std::uint8_t RoleAttribute(TextRole role) {
  switch (role) {
    case TextRole::kHeading:
    case TextRole::kWarning:
      return kSummaryYellow;
    case TextRole::kValue:
      return kPackedBrightWhite;
    case TextRole::kPlain:
      break;
  }
  return kNormalGrey;
}

std::string AnsiSequence(std::uint8_t attribute) {
  if (attribute == kNormalGrey) return "\x1b[0m";
  // Windows orders the colour bits blue, green, red; ANSI orders them red, green, blue.
  auto ansi_colour = [](unsigned nibble) {
    return ((nibble & 1U) << 2) | (nibble & 2U) | ((nibble & 4U) >> 2);
  };
  const unsigned fg = attribute & 0x0FU;
  const unsigned bg = (attribute >> 4) & 0x0FU;
  std::string seq = "\x1b[0;";
  seq += std::to_string(((fg & 8U) ? 90 : 30) + ansi_colour(fg));
  if (bg != 0) {
    seq += ';';
    seq += std::to_string(((bg & 8U) ? 100 : 40) + ansi_colour(bg));
  }
  seq += 'm';
  return seq;
}

void InitConsole() {
#ifdef _WIN32
  g_console = GetStdHandle(STD_OUTPUT_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info;
  g_colour = g_console != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(g_console, &info);
  if (g_colour) g_original_attributes = info.wAttributes;
#else
  g_colour = isatty(fileno(stdout)) != 0;
#endif
  if (!g_colour) return;
  std::atexit(RestoreConsole);
#ifndef _WIN32
  std::signal(SIGINT, RestoreAndDie);
  std::signal(SIGTERM, RestoreAndDie);
  std::signal(SIGHUP, RestoreAndDie);
#endif
}

void ConsoleColour(std::uint8_t attribute) {
  if (!g_colour) return;
  std::fflush(stdout);
#ifdef _WIN32
  SetConsoleTextAttribute(g_console, attribute);
#else
  std::fputs(AnsiSequence(attribute).c_str(), stdout);
#endif
}

}  // namespace tonepak
