// The calculator form as a table: the window's caption and size and its twenty-one controls, in
// the order they are created, with their kinds, places in twips, fonts, initial texts, lists and
// tab order. Every window of the calculator builds itself from this one table.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "beacon_mode.hpp"
#include "tuneworks_core.hpp"
#include "wspr_bands.hpp"

namespace tuneworks {

// The controls in creation order; later ones lie on top where they overlap.
enum class ControlId : std::uint8_t {
  ClkUnits,
  DDSFreq,
  Clock,
  Results,
  Funits,
  Fout,
  Resolution,
  RFMult,
  PLLMult,
  Ref,
  Label6,
  Label5,
  Label4,
  Label3,
  Label2,
  Label1,
  Mode,  // what the beacon sends: WSPR or FST4W with its period
  Label7,
  Label8,
  Channel,      // a balloon channel, 0 to 599; empty for none
  ChannelBand,  // the band whose channel plan Channel counts in
};
inline constexpr std::size_t kControlCount = 21;

constexpr std::size_t Index(ControlId id) { return static_cast<std::size_t>(id); }

enum class ControlKind : std::uint8_t {
  kTextBox,   // one line, or several when multi_line
  kComboBox,  // drop-down list with an editable field
  kLabel,     // a caption, right-aligned so that it ends next to the control it names
};

// A place on the form in twips (1/1440 inch), from the top-left corner of the client area.
struct TwipRect {
  int left;
  int top;
  int width;
  int height;
};

inline constexpr int kTwipsPerInch = 1440;

inline constexpr std::string_view kCaption = "TUNEWORKS - VARNO";
inline constexpr int kClientWidthTwips = 5715;   // 381 pixels at 96 dpi
inline constexpr int kClientHeightTwips = 5145;  // 343 pixels at 96 dpi

// The face of every control; a window that lacks it picks the nearest it has.
inline constexpr std::string_view kFontFace = "MS Sans Serif";
inline constexpr double kDefaultFontPoints = 8.25;  // labels, Clock, DDSFreq, Resolution
inline constexpr double kBoxFontPoints = 9.75;
inline constexpr double kFoutFontPoints = 12.0;

// What a box takes at most. An input box holds a number as long as the reader is known to
// handle (a megabyte of blanks or digits and then some); Results shows a report of a few hundred
// characters, so a megabyte pasted there is cut, not laid out.
inline constexpr std::size_t kInputMaxChars = std::size_t{2} << 20;
inline constexpr std::size_t kResultsMaxChars = std::size_t{64} << 10;

// The free strip below Results, where the status line goes.
inline constexpr TwipRect kStatusPlace{120, 4560, 5475, 510};

inline constexpr std::array<std::string_view, 4> kUnitItems{"Hz", "kHz", "MHz", "GHz"};
// The three accumulators, then the Si5351 clock generator (index kSi5351Resolution).
inline constexpr std::array<std::string_view, 4> kResolutionItems{"24 Bit PIC", "32 Bit AD9850/51",
                                                                  "48 Bit AD9852", "Si5351"};

// The modes in beacon::kModeNames' order, by their labels: "WSPR", "FST4W-120" ...
constexpr std::array<std::string_view, beacon::kModeNames.size()> ModeItems() {
  std::array<std::string_view, beacon::kModeNames.size()> items{};
  for (std::size_t k = 0; k < items.size(); ++k) items[k] = beacon::kModeNames[k].label;
  return items;
}
inline constexpr std::array<std::string_view, beacon::kModeNames.size()> kModeItems = ModeItems();
inline constexpr std::int16_t kDefaultModeIndex = 0;  // WSPR

// The bands by their labels ("20 m"), each once, in rising frequency: where a balloon channel
// lies.
inline constexpr std::size_t kChannelBandCount = 17;
constexpr std::array<std::string_view, kChannelBandCount> ChannelBandItems() {
  std::array<std::string_view, kChannelBandCount> items{};
  std::size_t count = 0;
  for (const wspr::WsprBand& band : wspr::kWsprBands) {
    if (count == 0 || items[count - 1] != band.label) items[count++] = band.label;
  }
  return items;
}
inline constexpr std::array<std::string_view, kChannelBandCount> kChannelBandItems =
    ChannelBandItems();
inline constexpr std::int16_t kDefaultChannelBandIndex = 7;  // 20 m, where most balloons send
static_assert(kChannelBandItems[kDefaultChannelBandIndex] == "20 m");
static_assert(kChannelBandItems.back() == "23 cm");

struct ControlEntry {
  ControlId id;
  std::string_view name;  // the object name the window gives it
  ControlKind kind;
  std::string_view text;                    // initial text, or a label's caption
  std::span<const std::string_view> items;  // a combo box's list, index 0 first
  TwipRect place;
  int tab_index;
  double font_points;
  bool enabled;     // Clock and DDSFreq are disabled: greyed, no focus, no typing
  bool multi_line;  // Results: several lines, word-wrapped, no scroll bars
  // Clock and DDSFreq, whose text only the program sets: they show the start of a text too long
  // for them, the most significant digits, and give the whole value as a tooltip.
  bool value_tip;
  std::size_t max_chars;  // the most the user may put in; 0 where the user types nothing
};

// clang-format off
inline constexpr std::array<ControlEntry, kControlCount> kControls{{
  // id                  name          kind                   text                 items
  //   left  top   width height  tab font                enabled multi  tip   max_chars
  {ControlId::ClkUnits,   "ClkUnits",   ControlKind::kComboBox, "MHz",               kUnitItems,
     {2520,  360,  975,  360}, 15, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::DDSFreq,    "DDSFreq",    ControlKind::kTextBox,  "",                  {},
     {1560, 2400, 1575,  315}, 14, kDefaultFontPoints, false, false, true,  0},
  // Clock shows a nine-digit clock (" 125000000") whole, in a TrueType face's wider margins too.
  {ControlId::Clock,      "Clock",      ControlKind::kTextBox,  "",                  {},
     {4200,  720, 1215,  285}, 11, kDefaultFontPoints, false, false, true,  0},
  {ControlId::Results,    "Results",    ControlKind::kTextBox,  "",                  {},
     { 600, 2760, 4095, 1695}, 10, kBoxFontPoints,     true,  true,  false, kResultsMaxChars},
  {ControlId::Funits,     "Funits",     ControlKind::kComboBox, "MHz",               kUnitItems,
     {3120, 1920,  975,  360},  9, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::Fout,       "Fout",       ControlKind::kTextBox,  kDefaultFout,        {},
     {1560, 1920, 1575,  375},  8, kFoutFontPoints,    true,  false, false, kInputMaxChars},
  {ControlId::Resolution, "Resolution", ControlKind::kComboBox, "Select resolution", kResolutionItems,
     {1560, 1440, 1815,  315},  6, kDefaultFontPoints, true,  false, false, kInputMaxChars},
  {ControlId::RFMult,     "RFMult",     ControlKind::kTextBox,  kDefaultRFMult,      {},
     {1560, 1080,  975,  285},  2, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::PLLMult,    "PLLMult",    ControlKind::kTextBox,  kDefaultPLLMult,     {},
     {1560,  720,  975,  285},  1, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::Ref,        "Ref",        ControlKind::kTextBox,  kDefaultRef,         {},
     {1560,  360,  975,  285},  0, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::Label6,     "Label6",     ControlKind::kLabel,    "DDS Output Hz",     {},
     { 120, 2400, 1335,  255}, 13, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label5,     "Label5",     ControlKind::kLabel,    "DDS Clock",         {},
     {2760,  720, 1335,  255}, 12, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label4,     "Label4",     ControlKind::kLabel,    "Wanted Freq",       {},
     { 120, 1920, 1335,  255},  7, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label3,     "Label3",     ControlKind::kLabel,    "RF Multiplication", {},
     { 120, 1080, 1335,  255},  5, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label2,     "Label2",     ControlKind::kLabel,    "PLL Multiplier",    {},
     { 240,  720, 1215,  255},  4, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label1,     "Label1",     ControlKind::kLabel,    "Reference",         {},
     { 120,  360, 1335,  255},  3, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Mode,       "Mode",       ControlKind::kComboBox, "WSPR",              kModeItems,
     {4140, 1440, 1455,  315}, 16, kDefaultFontPoints, true,  false, false, kInputMaxChars},
  {ControlId::Label7,     "Label7",     ControlKind::kLabel,    "Mode",              {},
     {3480, 1440,  600,  255}, 17, kDefaultFontPoints, true,  false, false, 0},
  {ControlId::Label8,     "Label8",     ControlKind::kLabel,    "Channel",           {},
     {2640, 1080,  780,  255}, 18, kDefaultFontPoints, true,  false, false, 0},
  // Channel holds "599" whole; ChannelBand, above Mode and as wide, "2200 m".
  {ControlId::Channel,    "Channel",    ControlKind::kTextBox,  "",                  {},
     {3480, 1080,  600,  285}, 19, kBoxFontPoints,     true,  false, false, kInputMaxChars},
  {ControlId::ChannelBand, "ChannelBand", ControlKind::kComboBox, "20 m",            kChannelBandItems,
     {4140, 1080, 1455,  315}, 20, kDefaultFontPoints, true,  false, false, kInputMaxChars},
}};
// clang-format on

constexpr const ControlEntry& Entry(ControlId id) { return kControls[Index(id)]; }

// The controls that take focus (no labels, no disabled boxes) in the order Tab visits them:
// Ref, PLLMult, RFMult, Resolution, Fout, Funits, Results, ClkUnits, Mode, Channel, ChannelBand.
inline constexpr std::size_t kFocusStopCount = 11;
std::array<ControlId, kFocusStopCount> TabOrder();

// Pixels at `dpi` dots per inch for a length in twips, rounded down as the layout always has been
// (at 96 dpi, 15 twips make one pixel).
constexpr int TwipsToPixels(int twips, int dpi) { return twips * dpi / kTwipsPerInch; }

}  // namespace tuneworks
