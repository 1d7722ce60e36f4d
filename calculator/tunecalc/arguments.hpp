// The command line of tunecalc: named options (--ref 20MHz --fout 7.0401MHz --dds ad9850 ...)
// or the seven positional values REF PLLMULT FOUT RFMULT CLKUNITS FUNITS RESOLUTION.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balloon_channels.hpp"
#include "tuneworks_core.hpp"

namespace tunecalc {

struct Arguments {
  bool json = false;
  bool help = false;
  bool version = false;
  bool bands = false;            // list the WSPR bands
  tuneworks::CalcInputs inputs;  // the window's defaults where nothing is given
  // --band's names as given: one band to check (and, without --fout, to calculate), or several,
  // each calculated at the centre of its window (a hop table); empty for the nearest band.
  std::vector<std::string> bandList;
  std::string includeFile;             // --inc FILE: the tone table as a PIC include file
  std::string cHeaderFile;             // --c-header FILE: the tone table as a C header
  std::optional<double> timerClockHz;  // --timer-clock FREQ: the symbol timer's table instead
  // --channel N with one --band: a balloon channel, whose lane centre is the wanted frequency.
  std::optional<balloon::Channel> channel;
};

struct ParseResult {
  std::optional<Arguments> arguments;  // empty when the command line is wrong
  std::string error;                   // then one line that quotes the word, no line end
};

// The usage text, ending with a line end.
std::string UsageText();

// "tunecalc (PACKAGE) VERSION" and a line end.
std::string VersionText();

// The band table of a mode for --bands, one band per line.
std::string BandsText(beacon::Mode mode = beacon::Mode::kWspr);

// An index argument: a whole decimal number (optional sign) in the signed 16-bit range.
std::optional<std::int16_t> ParseIndex(std::string_view text);

// A box's text and unit as a user sets them for a frequency: "20MHz", "7.0401 mhz", "125e6 Hz",
// "14.0971" (MHz). Blanks around and before the unit are left out of the text; the number must
// be a plain decimal (optional sign, full stop, E exponent). Empty when it is not one.
struct Frequency {
  std::string text;
  std::int16_t unit = 2;  // 0 Hz, 1 kHz, 2 MHz, 3 GHz
};
std::optional<Frequency> ParseFrequency(std::string_view text);

// `inputs` with the wanted frequency at the centre of the window of `band` (a name that
// FindBandOfMode knows for the inputs' mode; FST4W: tone 0 at dial + 1500 Hz), in whole hertz.
tuneworks::CalcInputs AtBandCentre(tuneworks::CalcInputs inputs, std::string_view band);

// `inputs` with the wanted frequency at the centre of the channel's lane, in whole hertz.
tuneworks::CalcInputs AtLaneCentre(tuneworks::CalcInputs inputs, const balloon::Channel& channel);

// Options may stand anywhere and take their value as the next word or after "=" (--ref=20MHz);
// "--" makes every later word a positional value. --help, -h and --version count only alone.
ParseResult ParseArguments(int argc, const char* const* argv);

}  // namespace tunecalc
