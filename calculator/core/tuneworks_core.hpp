// The calculator's whole public interface: input and state records, one calculation, the text
// conversions and the tuning-word hex writer. No window toolkit is needed to use any of it.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "beacon_mode.hpp"
#include "wspr_bands.hpp"

namespace tuneworks {

// The only failure of the calculator: a number beyond the range of its type.
class OverflowError : public std::overflow_error {
 public:
  using std::overflow_error::overflow_error;
};

// ---- Text conversions (independent of the process locale) -------------------------------------

// Lenient reading of a number typed into a box: blanks ignored anywhere, longest numeric prefix,
// E or D exponents, full stop only, &H / &O prefixes; no number reads as 0.
// Throws OverflowError beyond the double range.
// Details:
//  - &H / &O (either case, at the start, blanks ignored as everywhere) read the hexadecimal or
//    octal digits that follow as a non-negative whole number of any length, rounded to the
//    nearest double; no sign, fraction or exponent ("-&HFF" reads 0, "&H" alone reads 0,
//    "&HFFFF" reads 65535, not -1); OverflowError beyond the double range.
//  - Blanks are exactly the blank, the tab and the line feed (a CR or NUL ends the number).
//  - A number too small for a double (1E-400) reads as 0; -0 reads as +0.
//  - Only locale-free correctly rounded reading (std::from_chars or fast_float), never strtod.
double ReadNumber(std::string_view text);

// Decimal text with a sign position: " 20000000", "-1.5", " .5", " 1E+15".
// Rounding to 15 significant digits is the correct rounding of the
// exact binary value, a value exactly halfway going to the even digit; the exponent form is used
// for magnitudes (after that rounding) of 10^15 and more and below 10^-4 (" .0001", " 1E-05",
// " 1.5E-07"); -0 is written " 0". NaN and infinities, which Calculate never passes, give " NaN",
// " Inf" and "-Inf".
std::string NumberText(double value);

// The picture "#.########Hz" with the caller's decimal separator: ".00465661Hz".
// The exact binary value is rounded to eight decimals, a value
// exactly halfway going to the even digit (0.001953125 gives ".00195312Hz"); a negative value that
// rounds to zero shows no minus sign (".Hz"). NaN and infinities, which Calculate never passes,
// give "NaNHz", "InfHz" and "-InfHz".
std::string ResolutionPicture(double value, std::string_view decimal_separator = ".");

// `value` with `decimals` places and a full stop, whatever the locale: FixedText(97.84, 1, true)
// is "+97.8". `sign` puts + before values from zero up; a value that rounds to zero never shows
// a minus sign. For the short texts about the actual tones.
std::string FixedText(double value, int decimals, bool sign = false);

// ---- Tuning-word hex --------------------------------------------------------------------------

// Hex digits of value rounded half to even; two's complement (8 digits) when negative.
// Throws OverflowError outside the signed 32-bit range (and for NaN). Examples: 0.5 -> "0",
// 1.5 -> "2", 255 -> "FF", -1 -> "FFFFFFFF".
std::string HexDigits(double value);

// Writes the tuning word `value` as hex cut to the accumulator width of the Resolution index
// (0: 6 digits, 1: 8 digits, else the whole 12 or more). Adds one half to `value` and leaves it
// so; `text` is untouched when OverflowError is thrown (value + 1/2 >= 2^55 or < -2^55, or NaN).
// When the low part rounds up to 2^24, the one is carried into the high part (a seventh low
// digit would show a wrong word), so that 33554431.3 gives "000002000000" (48 bit), "02000000" (32
// bit), "000000" (24 bit).
void LongHex(double& value, std::string& text, std::int16_t resolution_index);

// ---- What the words really make -----------------------------------------------------------

// The RF output that the report's words give, and what a WSPR decoder makes of the tone step.
// Frequencies in Hz at the RF output (after the RF multiplication).
struct ActualFrequencies {
  beacon::Mode mode = beacon::Mode::kWspr;  // the mode the tones are for
  double wantedHz = 0;                      // the wanted RF frequency, Fout in its unit
  double settingHz = 0;                     // the DDS Setting word S
  double settingErrorHz = 0;                // settingHz - wanted
  std::array<double, 4> tonesHz{};          // lowest-tone word L plus 0..3 interval words I
  double stepHz = 0;                        // the interval word I
  double stepErrorPercent = 0;              // (stepHz / the mode's step - 1) x 100
  double centreErrorHz = 0;                 // where the decoder reports the tones, minus wanted:
                                            // WSPR the middle of tones 1 and 2, FST4W tone 0
  std::optional<double> decoderLossDb;      // extra SNR the decoder needs for this step; empty when
                                            // it cannot follow (or the loss was not measured there)
  bool decodable = false;                   // the decoder (wsprd, jt9) still decodes a clean signal
                                            // with this step
  bool stepMeasured = true;                 // the decoder's tolerance of the step was measured (not
                             // for an FST4W period without jt9's measurement: then decodable is
                             // true, decoderLossDb empty)
};

// Why the words of a calculation give no tones that a beacon can send, though there was a
// calculation to read them from.
enum class ToneFault {
  kNone,     // the tones are the wanted ones, or there was nothing to read (no clock, overflow ...)
  kAlias,    // a tone or the DDS output lies at or above half the DDS clock: the DDS makes only
             // an alias there (and the report's word is 0 at or above the clock)
  kWordCut,  // a word the tones are read from does not fit the accumulator (negative, rounded
             // up to 2^N, or an interval longer than the eight digits of its line)
  kSi5351,   // the Si5351 cannot make these tones (the report says why)
};

struct ActualTones {
  std::optional<ActualFrequencies> frequencies;  // empty when there is nothing to report
  ToneFault fault = ToneFault::kNone;            // why, when it is a fault of the words
  beacon::Mode mode = beacon::Mode::kWspr;       // the mode the tones are for
};

// ---- The Si5351 clock generator -------------------------------------------------------------

// The Si5351 is the fourth item of the Resolution list (after the three accumulators).
inline constexpr std::int16_t kSi5351Resolution = 3;

// A divider as AN619 writes it, a + b/c (b < c <= 1048575): a PLL's feedback from the crystal,
// or a multisynth's division of the PLL.
struct Si5351Ratio {
  std::uint32_t a = 0;
  std::uint32_t b = 0;
  std::uint32_t c = 1;
};

// AN619's encoding of a + b/c: P1 = 128a + floor(128b/c) - 512, P2 = 128b - c floor(128b/c),
// P3 = c; a multisynth dividing by 4 is P1 = P2 = 0, P3 = 1.
struct Si5351Parameters {
  std::uint32_t p1 = 0;
  std::uint32_t p2 = 0;
  std::uint32_t p3 = 0;
};

// One frequency the chip makes, with its settings and the bytes that set them.
struct Si5351Tone {
  double hz = 0;  // at the RF output (after the RF multiplication), from the settings themselves
  Si5351Ratio pll;
  Si5351Ratio multisynth;
  Si5351Parameters pllParameters;
  Si5351Parameters multisynthParameters;
  // PLL A, registers 26 to 33: P3[15:8], P3[7:0], P1[17:16], P1[15:8], P1[7:0],
  // P3[19:16] << 4 | P2[19:16], P2[15:8], P2[7:0].
  std::array<std::uint8_t, 8> pllRegisters{};
  // Multisynth 0, registers 42 to 49, as the PLL's but register 44 also holds the R divider's
  // exponent in bits 6:4 and the divide-by-4 bits in 3:2.
  std::array<std::uint8_t, 8> multisynthRegisters{};
};

// Which settings change from tone to tone.
enum class Si5351Method {
  kPll,         // four PLL numerators over one denominator; the multisynth set once
  kMultisynth,  // the PLL set once; four multisynth numerators over one denominator
};

// The settings that make the four WSPR tones on CLK0 from PLL A and multisynth 0.
struct Si5351Plan {
  Si5351Method method = Si5351Method::kPll;
  double crystalHz = 0;  // the crystal or CLKIN frequency
  int clkinDivider = 1;  // CLKIN above 40 MHz is divided by 2, 4 or 8 before the PLL
  int rDivider = 1;      // the output divider after the multisynth, 1 to 128
  double pllHz = 0;      // PLL A for the wanted frequency itself (the setting)
  Si5351Tone setting;    // the nearest the same settings come to the wanted frequency itself
  std::array<Si5351Tone, 4> tones{};
  std::uint32_t stepUnits = 0;         // the step in units of the stepping numerator
  double stepHz = 0;                   // at the RF output: (highest tone - lowest tone) / 3
  double stepErrorPercent = 0;         // (stepHz / the mode's step - 1) x 100
  bool exactStep = false;              // the settings make the mode's step (12000/8192 Hz) exactly
  std::string why;                     // which way the plan takes, and why; one sentence
  std::optional<std::string> problem;  // why the chip cannot send these tones; then the rest is 0
};

// The plan for the wanted RF frequency `wanted_hz`, made by an RF multiplication of
// `rf_multiplier` after the chip, from a crystal or CLKIN of `reference_hz`. Follows AN619 and the
// chip's limits: PLL 600 to 900 MHz; multisynth 8 to 2048, or 4 and 6 as integers; R 1 to 128;
// output 2.5 kHz to 200 MHz. Prefers an even integer multisynth with the tones as four PLL
// numerators when that brings the step within 0.1 % of 12000/8192 Hz; otherwise takes the closer
// of the PLL fixed with four multisynth numerators and four PLL numerators under a fractional
// multisynth. Never throws; a plan the chip cannot carry out has `problem` set.
// For FST4W the step is 12000 Hz over the period's samples per symbol, and `wanted_hz` is tone 0.
Si5351Plan PlanSi5351(double reference_hz, double wanted_hz, double rf_multiplier,
                      beacon::Mode mode = beacon::Mode::kWspr);

// The report's text for a plan, CR LF line ends; `pll_multiplier` is the unused box's value.
std::string Si5351Report(const Si5351Plan& plan, double pll_multiplier);

// ---- One calculation --------------------------------------------------------------------------

// What the window's controls hold at the moment of a recalculation.
struct CalcInputs {
  std::string Ref;               // reference frequency, in ClkUnits
  std::string PLLMult;           // multiplier from reference to DDS clock
  std::string Fout;              // wanted RF frequency, in Funits
  std::string RFMult;            // multiplication after the DDS
  std::int16_t ClkUnits = -1;    // 0 Hz, 1 kHz, 2 MHz, 3 GHz, -1 nothing selected
  std::int16_t Funits = -1;      // same meaning
  std::int16_t Resolution = -1;  // 0: 24 bit, 1: 32 bit, 2: 48 bit, -1 nothing selected
  // The mode the tones are for. WSPR's wanted frequency is the centre of its four tones, FST4W's
  // its tone 0: each where the decoder reports the signal (beacon::LowToneBelowReportedHz).
  beacon::Mode Mode = beacon::Mode::kWspr;
};

// What the calculator starts with: the four boxes' initial texts and the three selections that
// the window's Form_Load makes. The window and tunecalc both start from these.
inline constexpr std::string_view kDefaultRef = "20";  // MHz
inline constexpr std::string_view kDefaultPLLMult = "1";
inline constexpr std::string_view kDefaultFout = "1";  // MHz
inline constexpr std::string_view kDefaultRFMult = "1";
inline constexpr std::int16_t kDefaultClkUnits = 2;    // MHz
inline constexpr std::int16_t kDefaultFunits = 2;      // MHz
inline constexpr std::int16_t kDefaultResolution = 1;  // 32 bit, AD9850/51

// The inputs above as one record.
CalcInputs DefaultInputs();

// The calculator's state; lives as long as the window. Frequencies in Hz.
struct CalcState {
  double ClockHz = 0;
  double WantedHz = 0;
  double DdsOutHz = 0;  // kept from the last calculation when the RF multiplication is not positive
  double FreqUnitScale = 0;
  double ClockUnitScale = 0;
  double ResolutionHz = 0;
  double AccumulatorSpan = 0;
  // The three tuning words, each a whole number as the report shows it before cutting it to the
  // accumulator's width (negative ones in two's complement there).
  std::int64_t SettingWord = 0;   // the wanted frequency
  std::int64_t LowToneWord = 0;   // the lowest WSPR tone
  std::int64_t IntervalWord = 0;  // the step between tones
  bool WsprLines = false;         // the report shows the interval and lowest-tone lines
};

inline constexpr int kColourRed = 255;
inline constexpr int kColourBlack = 0;

// The outputs of one calculation, in the order they are produced. An empty optional is an output
// that was not produced: the window leaves that control as it is.
struct CalcOutputs {
  std::optional<std::string> Clock;    // DDS clock in Hz, NumberText
  std::optional<std::string> DDSFreq;  // DDS output in Hz, NumberText
  std::optional<int> ResultsColour;    // kColourRed or kColourBlack; empty: unchanged
  std::optional<std::string> Results;  // the report, CR LF line ends, as far as it was built
  bool Overflow = false;               // the calculation stopped with OverflowError
  std::string OverflowMessage;         // its what() when Overflow, else empty
  ActualTones Tones;                   // what the words (or the Si5351's settings) really give
  std::optional<Si5351Plan> Si5351;    // the plan when the Si5351 is selected, else empty
};

// Runs one recalculation on `inputs`, updating `state` in place. Never throws: an OverflowError
// stops the calculation and is reported through CalcOutputs::Overflow, with everything produced
// before it (and every state field assigned before it) standing. (Only std::bad_alloc could
// escape.) The decimal separator is used in the resolution line only.
CalcOutputs Calculate(const CalcInputs& inputs, CalcState& state,
                      std::string_view decimal_separator = ".");

// The frequencies that the words of the report give, for the inputs of one calculation: the
// Tones of Calculate on a fresh state. A word counts as the report shows it: the tuning word plus
// one half rounded to the nearest whole number, ties to even (so 1.2288 shows as 2). I and L count
// even when the report hides the WSPR lines. For the Si5351, the tones its plan's settings make.
// Nothing, with no fault, when the clock or the RF multiplication is not positive, no
// synthesiser is selected (Resolution not 0 to 3) or the calculation overflows; nothing, with
// the fault, for an alias, a cut word or a plan the Si5351 cannot carry out (see ToneFault).
ActualTones CalculateActualTones(const CalcInputs& inputs);

// CalculateActualTones(inputs).frequencies.
std::optional<ActualFrequencies> CalculateActual(const CalcInputs& inputs);

// The fault in words, starting in lower case, no full stop; empty for kNone.
std::string_view ToneFaultText(ToneFault fault);

// What the windows' strip and tunecalc say, in red, instead of tones that the DDS cannot make;
// ToneFaultText follows.
inline constexpr std::string_view kNoTonesReport = "No WSPR tones: ";
// The same for any mode: "No FST4W-300 tones: " in FST4W.
std::string NoTonesReport(beacon::Mode mode);

// ---- The WSPR bands ---------------------------------------------------------------------------

// A band's WSPR dial frequency and its transmit window above the dial (common/wspr_bands.hpp).
using WsprBand = wspr::WsprBand;
inline constexpr double kWsprWindowLowHz = wspr::kWindowLowHz;
inline constexpr double kWsprWindowHighHz = wspr::kWindowHighHz;
inline constexpr double kWsprWindowCentreHz = wspr::kWindowCentreHz;

// The table in rising dial frequency; a band may have more than one dial (80 m and 60 m), the
// one most used first.
std::span<const WsprBand> WsprBands();

// The first row of the band `name`: "40m", "40" (metres), "70cm", any case, blanks around and
// between number and unit ignored. Nullptr for no such band.
const WsprBand* FindWsprBand(std::string_view name);

// The bands of a mode: WsprBands() for WSPR, fst4w::kFst4wBands for FST4W; and the row of the
// band `name` among them, as FindWsprBand reads names (nullptr when the mode has no such band).
std::span<const WsprBand> BandsOfMode(beacon::Mode mode);
const WsprBand* FindBandOfMode(std::string_view name, beacon::Mode mode);

// Where a beacon of the mode puts the frequency the decoder reports, above the dial: 1500 Hz.
double ReportedAboveDialHz(beacon::Mode mode);

// Where the actual tones land against a band's window. Frequencies in Hz.
struct BandCheck {
  WsprBand band;
  double windowLowHz = 0;
  double windowHighHz = 0;
  double audioHz = 0;         // tones' centre minus dial: where a decoder shows the signal
  bool inside = false;        // all four tones within the window, edges included
  double marginHz = 0;        // nearer tone to nearer edge: positive inside, negative outside
  bool lowerEdge = false;     // the margin is the lowest tone's to the lower edge (outside: below)
  bool wantedIsDial = false;  // the wanted frequency is the band's dial frequency (within 1 Hz)
  std::string note;           // the whole finding as one sentence, no full stop
};

// The band whose window centre lies nearest the tones' centre, when it is within 1 % of that
// centre or 5 kHz, whichever is larger; nothing otherwise. With `band_name` (a name as
// FindWsprBand takes it), that band's nearest dial instead, however far off; nothing when there
// is no such band.
// For FST4W the bands are fst4w::kFst4wBands, and the window's centre is tone 0's place.
std::optional<BandCheck> CheckBand(const ActualFrequencies& actual,
                                   std::string_view band_name = {});

// ---- The line below Results -----------------------------------------------------------------

// What the window's status line shows for a calculation: one short line, in red when `warn`,
// and the full figures for its tooltip. UTF-8.
struct ActualSummary {
  std::string text;     // "Tones 14097097.8 … 14097102.2 Hz, step 1.4668 Hz (+0.14 %)"
  bool warn = false;    // the decoder loses more than 1 dB, or cannot follow
  std::string tooltip;  // every figure, one per line ("\n" between lines, none at the end)
  // The same in fewer words, for a narrow strip: the tones alone ("Tones 14097097.8 …
  // 14097102.2 Hz") and the warning alone, empty when there is none.
  std::string tones;
  std::string warning;
};

// The status line for the result of CalculateActual; all empty when there is nothing to report.
ActualSummary ActualStatusLine(const std::optional<ActualFrequencies>& actual);

// The full figures, one per line, each ending in "\n"; the tooltip and tunecalc show them.
std::string ActualFiguresText(const ActualFrequencies& actual);

// ---- Tables for the firmware --------------------------------------------------------------------

// The synthesiser a tone table is made for, from the Resolution index.
enum class ToneTableKind {
  kPic24,   // 0: a PIC's 24-bit software DDS
  kAd985x,  // 1: AD9850 or AD9851, 32-bit accumulator, loaded serially
  kAd9852,  // 2: AD9852, 48-bit accumulator
  kSi5351,  // 3: Si5351, PLL A and multisynth 0 driving CLK0
};

// The bytes the firmware sends for each of the four WSPR tones, in the order it sends them.
//
//   kPic24   3 bytes   | W23-W16 | W15-W8 | W7-W0 |              most significant byte first
//   kAd985x  5 bytes   | W7-W0 | W15-W8 | W23-W16 | W31-W24 | control |
//            the 40-bit serial load as it is shifted in, each byte from its bit 0; control is
//            W32-W39: bit 0 the AD9851's 6x REFCLK multiplier (set when the PLL multiplier is
//            6), bit 1 a factory test bit (0), bit 2 power-down (0), bits 3-7 the phase (0)
//   kAd9852  6 bytes   | W47-W40 | ... | W7-W0 |  frequency tuning word 1, registers 0x04 to
//            0x09, most significant byte first as the serial port writes it
//   kSi5351  8 bytes   | P3[15:8] | P3[7:0] | P1[17:16] | P1[15:8] | P1[7:0] |
//                      | P3[19:16] P2[19:16] | P2[15:8] | P2[7:0] |
//            the registers of the block that steps (PLL A, 26 to 33, when the plan steps the
//            PLL; multisynth 0, 42 to 49, when it steps the multisynth); the other block's
//            eight registers, the same for every tone, are sharedBytes, written once
struct ToneTable {
  ToneTableKind kind = ToneTableKind::kAd985x;
  ActualFrequencies actual;              // what the tones are at the RF output
  double clockHz = 0;                    // the DDS clock (0 for the Si5351)
  double rfMultiplier = 1;               // multiplication after the synthesiser
  std::array<std::uint64_t, 4> words{};  // a DDS's tuning words, lowest tone first
  std::size_t bytesPerTone = 0;          // 3, 5, 6 or 8
  std::array<std::array<std::uint8_t, 8>, 4> toneBytes{};  // the first bytesPerTone of each
  // The Si5351's block set once, and the first registers of both blocks.
  std::array<std::uint8_t, 8> sharedBytes{};
  int sharedFirstRegister = 0;       // 42 (multisynth 0) or 26 (PLL A); 0 for a DDS
  int toneFirstRegister = 0;         // 26 or 42; 0 for a DDS
  std::optional<Si5351Plan> si5351;  // the plan the Si5351's bytes come from
};

struct ToneTableResult {
  std::optional<ToneTable> table;
  std::string problem;  // when there is no table: why, lower case, no full stop
};

// The table for one calculation's inputs: the words and tones of Calculate, so that the bytes
// are the report's words (or the Si5351 plan's registers). No table when it gives no tones (with
// the fault's text, or a sentence on why there is nothing to calculate), nor when their step is one
// a decoder cannot follow.
ToneTableResult MakeToneTable(const CalcInputs& inputs);

// ---- The symbol timer ---------------------------------------------------------------------------

// A WSPR symbol lasts 8192/12000 s, an FST4W symbol 8200/12000 s to 134400/12000 s. A firmware
// times it by counting a timer clock (after its
// prescaler) up to a whole count; these rows say how near each prescaler's count comes.
inline constexpr std::array<int, 10> kTimerPrescalers{1, 2, 4, 8, 16, 32, 64, 128, 256, 1024};
inline constexpr std::size_t kLongestTimerPattern = 64;
inline constexpr int kSymbolsPerTransmission = 162;

struct SymbolTimerRow {
  int prescaler = 1;
  std::uint32_t count = 0;            // the whole count nearest the ideal (a tie rounds up)
  double periodMs = 0;                // the symbol period that count gives
  double errorPpm = 0;                // (period / the mode's symbol period - 1) x 10^6
  double driftPerTransmissionMs = 0;  // the error over one transmission's 162 (FST4W 160) symbols
  double driftPerHourMs = 0;          // over an hour of the timer running without a break
  // Counts to load in turn, over and over, whose average is the ideal count: the count below
  // the ideal and the one above, spread out as a phase accumulator's carries are. The shortest
  // that is exact when that needs at most kLongestTimerPattern counts, else the run of at most
  // that many whose average comes nearest. Empty when `count` itself is exact.
  std::vector<std::uint32_t> pattern;
  double patternErrorPpm = 0;  // the pattern's average against the ideal; 0 when exact
};

// The rows of every prescaler in kTimerPrescalers whose counts (the pattern's too) fit 16 bits,
// 1 to 65535, for a timer clock of `clock_hz` before the prescaler, taken to the nearest
// millihertz. Empty when none fits, or the clock is not above 0 and at most kMaxTimerClockHz.
inline constexpr double kMaxTimerClockHz = 1e12;
std::vector<SymbolTimerRow> SymbolTimer(double clock_hz, beacon::Mode mode = beacon::Mode::kWspr);

}  // namespace tuneworks
