// Reading tunecalc's command line.
#include "arguments.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>
#include <system_error>
#include <vector>

#include "ascii_text.hpp"
#include "project_version.hpp"

namespace tunecalc {
namespace {

constexpr std::int16_t kHz = 0;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

using wspr::ascii::ToLower;

bool EndsWithNoCase(std::string_view text, std::string_view end) {
  if (text.size() < end.size()) return false;
  text.remove_prefix(text.size() - end.size());
  for (std::size_t i = 0; i < end.size(); ++i) {
    if (ToLower(text[i]) != end[i]) return false;
  }
  return true;
}

// A plain decimal number: optional sign, digits with at most one full stop (at least one digit),
// optionally E or e, an optional sign and digits.
bool IsDecimal(std::string_view text) {
  std::size_t i = 0;
  const auto digits = [&] {
    const std::size_t start = i;
    while (i < text.size() && wspr::ascii::IsDigit(text[i])) ++i;
    return i - start;
  };
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
  std::size_t mantissa = digits();
  if (i < text.size() && text[i] == '.') {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  return i == text.size();
}

std::optional<std::int16_t> DdsIndex(std::string_view text) {
  std::string name;
  for (const char c : text) name += ToLower(c);
  if (name == "pic24" || name == "24") return 0;
  if (name == "ad9850" || name == "ad9851" || name == "32") return 1;
  if (name == "ad9852" || name == "48") return 2;
  if (name == "si5351") return tuneworks::kSi5351Resolution;
  return std::nullopt;
}

// A frequency as --ref takes it, in hertz; 0 when it is not one, infinity beyond the doubles.
double FrequencyHz(std::string_view text) {
  const auto frequency = ParseFrequency(text);
  if (!frequency) return 0.0;
  try {
    return tuneworks::ReadNumber(frequency->text) * std::pow(1000.0, frequency->unit);
  } catch (const tuneworks::OverflowError&) {
    return std::numeric_limits<double>::infinity();
  }
}

std::string Quoted(std::string_view word) { return "\"" + std::string(word) + "\""; }

ParseResult Wrong(std::string error) { return {std::nullopt, std::move(error)}; }

// The options that take a value, and those that do not.
constexpr std::array<std::string_view, 11> kValueOptions{
    "--ref", "--pll",      "--fout",        "--rf",   "--dds",    "--band",
    "--inc", "--c-header", "--timer-clock", "--mode", "--channel"};
// The options that set no input of the calculation, and --mode, which goes with every form.
constexpr std::array<std::string_view, 4> kOutputOptions{"--inc", "--c-header", "--timer-clock",
                                                         "--mode"};
constexpr std::array<std::string_view, 2> kFlagOptions{"--json", "--bands"};

template <std::size_t N>
bool OneOf(std::string_view word, const std::array<std::string_view, N>& list) {
  for (const std::string_view item : list) {
    if (word == item) return true;
  }
  return false;
}

// The seven positional values into the inputs; an error line when one is wrong.
std::string ReadPositional(const std::vector<std::string_view>& values, tuneworks::CalcInputs& in) {
  in.Ref = values[0];
  in.PLLMult = values[1];
  in.Fout = values[2];
  in.RFMult = values[3];
  constexpr std::array<std::string_view, 3> kIndexNames{"CLKUNITS", "FUNITS", "RESOLUTION"};
  std::array<std::int16_t*, 3> targets{&in.ClkUnits, &in.Funits, &in.Resolution};
  for (std::size_t k = 0; k < 3; ++k) {
    const auto index = ParseIndex(values[4 + k]);
    if (!index) {
      return "tunecalc: " + Quoted(values[4 + k]) + " is not a whole number for " +
             std::string(kIndexNames[k]);
    }
    *targets[k] = *index;
  }
  return {};
}

// One named option and its value into `arguments`; an error line when the value is wrong.
std::string ReadOption(std::string_view option, std::string_view value, Arguments& arguments,
                       bool& fout_given, std::optional<int>& channel) {
  tuneworks::CalcInputs& in = arguments.inputs;
  if (option == "--ref" || option == "--fout") {
    const auto frequency = ParseFrequency(value);
    if (!frequency) {
      return "tunecalc: " + Quoted(value) + " is not a frequency for " + std::string(option) +
             " (a number, then Hz, kHz, MHz or GHz)";
    }
    (option == "--ref" ? in.Ref : in.Fout) = frequency->text;
    (option == "--ref" ? in.ClkUnits : in.Funits) = frequency->unit;
    fout_given = fout_given || option == "--fout";
  } else if (option == "--pll" || option == "--rf") {
    if (!IsDecimal(Trim(value))) {
      return "tunecalc: " + Quoted(value) + " is not a number for " + std::string(option);
    }
    (option == "--pll" ? in.PLLMult : in.RFMult) = Trim(value);
  } else if (option == "--mode") {
    const auto mode = beacon::ModeNamed(value);
    if (!mode) {
      return "tunecalc: " + Quoted(value) +
             " is not a mode for --mode (wspr, fst4w-120, fst4w-300, fst4w-900 or fst4w-1800)";
    }
    in.Mode = *mode;
  } else if (option == "--dds") {
    const auto index = DdsIndex(value);
    if (!index) {
      return "tunecalc: " + Quoted(value) +
             " is not a DDS for --dds (pic24 or 24; ad9850, ad9851 or 32; ad9852 or 48; si5351)";
    }
    in.Resolution = *index;
  } else if (option == "--band") {
    arguments.bandList.clear();
    for (std::size_t start = 0;;) {
      const std::size_t comma = value.find(',', start);
      const std::string_view name = value.substr(start, comma - start);
      const tuneworks::WsprBand* band = tuneworks::FindWsprBand(name);
      if (band == nullptr) {
        return "tunecalc: " + Quoted(name) + " is not a WSPR band (tunecalc --bands lists them)";
      }
      for (const std::string& earlier : arguments.bandList) {
        if (tuneworks::FindWsprBand(earlier) == band) {
          return "tunecalc: " + Quoted(name) + " names a band given before in " + Quoted(value);
        }
      }
      arguments.bandList.emplace_back(name);
      if (comma == std::string_view::npos) break;
      start = comma + 1;
    }
  } else if (option == "--channel") {
    const auto number = ParseIndex(value);
    if (!number || *number < 0 || *number >= balloon::kChannelCount) {
      return "tunecalc: " + Quoted(value) +
             " is not a channel for --channel (a whole number, 0 to " +
             std::to_string(balloon::kChannelCount - 1) + ")";
    }
    channel = *number;
  } else if (option == "--timer-clock") {
    const double hz = FrequencyHz(value);
    if (!(hz > 0) || hz > tuneworks::kMaxTimerClockHz) {
      return "tunecalc: " + Quoted(value) +
             " is not a timer clock for --timer-clock (above 0 Hz, up to 1000 GHz; a number, "
             "then Hz, kHz, MHz or GHz)";
    }
    arguments.timerClockHz = hz;
  } else {  // --inc, --c-header
    if (value.empty()) return "tunecalc: option " + Quoted(option) + " needs a file name";
    (option == "--inc" ? arguments.includeFile : arguments.cHeaderFile) = value;
  }
  return {};
}

// The words that cannot go together; an error line, or empty.
std::string Mixed(const Arguments& arguments, std::string_view first_named, bool fout_given,
                  std::optional<int> channel) {
  const beacon::Mode mode = arguments.inputs.Mode;
  if (channel && mode != beacon::Mode::kWspr) {
    return "tunecalc: \"--channel\" cannot go with " +
           Quoted("--mode " + std::string(beacon::NameOf(mode).name)) +
           ": the balloon channels are WSPR's";
  }
  for (const std::string& name : arguments.bandList) {
    if (tuneworks::FindBandOfMode(name, mode) == nullptr) {
      return "tunecalc: " + Quoted(name) + " is not an " + std::string(beacon::NameOf(mode).label) +
             " band (tunecalc --bands --mode " + std::string(beacon::NameOf(mode).name) +
             " lists them)";
    }
  }
  const bool table = !arguments.includeFile.empty() || !arguments.cHeaderFile.empty();
  if (arguments.timerClockHz && (!first_named.empty() || table || !arguments.bandList.empty())) {
    return "tunecalc: \"--timer-clock\" makes the timer's table alone; it cannot be mixed with " +
           Quoted(table && first_named.empty() ? "--inc or --c-header" : first_named);
  }
  if (arguments.bandList.size() > 1 && fout_given) {
    return "tunecalc: \"--fout\" cannot go with several bands: each band's tones lie at the "
           "centre of its window";
  }
  if (!channel) return {};
  const std::string number = std::to_string(*channel);
  if (fout_given) {
    return R"(tunecalc: "--fout" cannot go with "--channel )" + number +
           R"(": the channel's lane sets the wanted frequency)";
  }
  if (arguments.bandList.size() != 1) {
    return "tunecalc: \"--channel " + number + "\" needs one band" +
           (arguments.bandList.empty() ? " (--band NAME)"
                                       : ", not " + std::to_string(arguments.bandList.size()));
  }
  return {};
}

}  // namespace

std::string UsageText() {
  const tuneworks::CalcInputs d = tuneworks::DefaultInputs();
  return "usage: tunecalc [--json] [--ref FREQ] [--pll N] [--fout FREQ] [--band NAME[,NAME...]]\n"
         "                [--channel N] [--rf N] [--dds CHIP] [--inc FILE] [--c-header FILE]\n"
         "       tunecalc [--json] REF PLLMULT FOUT RFMULT CLKUNITS FUNITS RESOLUTION\n"
         "       tunecalc [--json] --timer-clock FREQ\n"
         "       tunecalc --bands | --help | --version\n"
         "       (each form but the last two takes --mode MODE too)\n"
         "  --ref FREQ   reference oscillator: a number, then Hz, kHz, MHz or GHz (MHz when left\n"
         "               out), e.g. 20MHz or \"125 MHz\" (default " +
         d.Ref +
         "MHz)\n"
         "  --pll N      PLL multiplier from the reference to the DDS clock (default " +
         d.PLLMult +
         ")\n"
         "  --fout FREQ  wanted RF frequency, as --ref (default " +
         d.Fout +
         "MHz)\n"
         "  --band NAME  a WSPR band (40m, 40, 2200m, 70cm ...): without --fout the centre of its\n"
         "               window; with --fout the band to check the tones against. Several,\n"
         "               as in 40m,30m,20m: each at its window's centre, one after the other\n"
         "  --rf N       RF multiplication after the DDS (default " +
         d.RFMult +
         ")\n"
         "  --dds CHIP   accumulator: pic24 or 24; ad9850, ad9851 or 32 (default); ad9852 or 48;\n"
         "               or si5351, the clock generator, whose crystal or CLKIN is --ref\n"
         "  --inc FILE   write the four tones' settings, for each band, as a PIC include file\n"
         "  --c-header FILE  the same as a C header (const uint8_t arrays, WSPR_ROM)\n"
         "  --timer-clock FREQ  the symbol timer: for a timer clock before its prescaler, as\n"
         "               --ref, each prescaler's count per symbol, its error and drift, and the\n"
         "               repeating counts that keep the average exact\n"
         "  --mode MODE  what the beacon sends: wspr (default), fst4w-120, fst4w-300, fst4w-900\n"
         "               or fst4w-1800: the tone step, FOUT (WSPR the centre of the tones,\n"
         "               FST4W tone 0, each as the decoder shows it), the bands, the timer\n"
         "  --channel N  a balloon channel, 0 to 599, on the one --band: its telemetry ID, its\n"
         "               minutes and its lane, whose centre is the wanted frequency (WSPR only)\n"
         "  --bands      list the WSPR bands and their windows (with --mode, that mode's)\n"
         "  --json       one JSON object: clock, ddsFreq, colour, results, overflow, actual, "
         "band,\n"
         "               si5351, with --channel channel (an array of them for several bands;\n"
         "               {\"timer\": [...]} for the timer)\n"
         "  --version    print the version\n"
         "  REF PLLMULT FOUT RFMULT  the texts of the four boxes, as typed (\"\" for an empty "
         "box)\n"
         "  CLKUNITS FUNITS          selected unit index: 0 Hz, 1 kHz, 2 MHz, 3 GHz, -1 none\n"
         "  RESOLUTION               selected accumulator: 0 24 bit, 1 32 bit, 2 48 bit, 3 "
         "Si5351,\n"
         "                           -1 none\n"
         "  without values: the window's defaults, " +
         d.Ref + ' ' + d.PLLMult + ' ' + d.Fout + ' ' + d.RFMult + ' ' +
         std::to_string(d.ClkUnits) + ' ' + std::to_string(d.Funits) + ' ' +
         std::to_string(d.Resolution) +
         "\n"
         "exit status: 0 done, 3 overflow (what was produced is printed), 2 wrong arguments,\n"
         "             1 no table: the words give no tones, or a file could not be written\n";
}

std::string VersionText() {
  return std::string("tunecalc (") + wspr_beacon_tools::kPackageName + ") " +
         wspr_beacon_tools::kVersion + "\n";
}

std::string BandsText(beacon::Mode mode) {
  const auto column = [](const std::string& text, std::size_t width) {
    return std::string(text.size() < width ? width - text.size() : 0, ' ') + text;
  };
  const auto megahertz = [](double hz) { return tuneworks::FixedText(hz / 1e6, 6); };
  const bool wspr = mode == beacon::Mode::kWspr;
  std::string text = wspr ? "band    dial (USB) MHz   WSPR window MHz\n"
                          : "band    dial (USB) MHz   FST4W window MHz\n";
  for (const tuneworks::WsprBand& band : tuneworks::BandsOfMode(mode)) {
    std::string line(band.name);
    line.resize(6, ' ');
    text += line + column(megahertz(band.dialHz), 11) + "   " +
            column(megahertz(band.dialHz + tuneworks::kWsprWindowLowHz), 11) + " to " +
            column(megahertz(band.dialHz + tuneworks::kWsprWindowHighHz), 11) + "\n";
  }
  return text;
}

std::optional<std::int16_t> ParseIndex(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, value);
  if (text.empty() || result.ec != std::errc{} || result.ptr != end ||
      value < std::numeric_limits<std::int16_t>::min() ||
      value > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(value);
}

std::optional<Frequency> ParseFrequency(std::string_view text) {
  text = Trim(text);
  constexpr std::array<std::string_view, 4> kUnits{"hz", "khz", "mhz", "ghz"};
  Frequency frequency;
  for (std::int16_t unit = 3; unit >= kHz; --unit) {  // "hz" last: it ends the other three
    if (EndsWithNoCase(text, kUnits[unit])) {
      text.remove_suffix(kUnits[unit].size());
      frequency.unit = unit;
      break;
    }
  }
  text = Trim(text);
  if (!IsDecimal(text)) return std::nullopt;
  frequency.text = text;
  return frequency;
}

tuneworks::CalcInputs AtBandCentre(tuneworks::CalcInputs inputs, std::string_view band) {
  const tuneworks::WsprBand& found = *tuneworks::FindBandOfMode(band, inputs.Mode);
  inputs.Fout =
      std::to_string(std::llround(found.dialHz + tuneworks::ReportedAboveDialHz(inputs.Mode)));
  inputs.Funits = kHz;
  return inputs;
}

tuneworks::CalcInputs AtLaneCentre(tuneworks::CalcInputs inputs, const balloon::Channel& channel) {
  inputs.Fout = std::to_string(std::llround(channel.dialHz + channel.laneCentreHz));
  inputs.Funits = kHz;
  return inputs;
}

ParseResult ParseArguments(int argc, const char* const* argv) {
  Arguments arguments;
  arguments.inputs = tuneworks::DefaultInputs();
  if (argc == 2 && (std::string_view(argv[1]) == "--help" || std::string_view(argv[1]) == "-h")) {
    arguments.help = true;
    return {arguments, {}};
  }
  if (argc == 2 && std::string_view(argv[1]) == "--version") {
    arguments.version = true;
    return {arguments, {}};
  }
  std::vector<std::string_view> values;
  std::string_view first_named;  // the first option that sets an input
  bool fout_given = false;
  std::optional<int> channel;
  bool options_end = false;
  for (int k = 1; k < argc; ++k) {
    const std::string_view word = argv[k];
    if (options_end || !word.starts_with("--")) {
      values.push_back(word);
      continue;
    }
    if (word == "--") {
      options_end = true;
      continue;
    }
    const std::size_t equals = word.find('=');
    const std::string_view option = word.substr(0, equals);
    if (OneOf(option, kFlagOptions)) {
      if (equals != std::string_view::npos) {
        return Wrong("tunecalc: option " + Quoted(option) + " takes no value, as in " +
                     Quoted(word));
      }
      (option == "--json" ? arguments.json : arguments.bands) = true;
      continue;
    }
    if (!OneOf(option, kValueOptions)) {
      if (option == "--help" || option == "--version") {
        return Wrong("tunecalc: " + Quoted(option) + " stands alone");
      }
      return Wrong("tunecalc: unknown option " + Quoted(word));
    }
    std::string_view value;
    if (equals != std::string_view::npos) {
      value = word.substr(equals + 1);
    } else if (k + 1 < argc) {
      value = argv[++k];
    } else {
      return Wrong("tunecalc: option " + Quoted(option) + " needs a value");
    }
    if (first_named.empty() && !OneOf(option, kOutputOptions)) first_named = option;
    std::string error = ReadOption(option, value, arguments, fout_given, channel);
    if (!error.empty()) return Wrong(std::move(error));
  }
  std::string mixed = Mixed(arguments, first_named, fout_given, channel);
  if (!mixed.empty()) return Wrong(std::move(mixed));
  if (channel) {
    const std::string_view band = tuneworks::FindWsprBand(arguments.bandList.front())->name;
    arguments.channel = balloon::ChannelOn(*channel, band);
    if (!arguments.channel) {
      return Wrong("tunecalc: " + Quoted(arguments.bandList.front()) +
                   " has no balloon channels for \"--channel " + std::to_string(*channel) + "\"");
    }
    arguments.inputs = AtLaneCentre(arguments.inputs, *arguments.channel);
  } else if (arguments.bandList.size() == 1 && !fout_given) {
    arguments.inputs = AtBandCentre(arguments.inputs, arguments.bandList.front());
  }
  if (values.empty()) return {arguments, {}};
  if (!first_named.empty() || arguments.timerClockHz) {
    return Wrong("tunecalc: " + Quoted(first_named.empty() ? "--timer-clock" : first_named) +
                 " cannot be mixed with the seven positional values, as in " +
                 Quoted(values.front()));
  }
  if (values.size() != 7) {
    return Wrong("tunecalc: " + std::to_string(values.size()) + " value" +
                 (values.size() == 1 ? "" : "s") + " given, starting " + Quoted(values.front()) +
                 "; the positional form takes seven");
  }
  std::string error = ReadPositional(values, arguments.inputs);
  if (!error.empty()) return Wrong(std::move(error));
  return {arguments, {}};
}

}  // namespace tunecalc
