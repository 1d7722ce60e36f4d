// Tests of the form's behaviour against a fake window: start-up, one recalculation per edit or
// choice, the combo boxes' selected index, the warning colour, the status line after an overflow,
// the value tooltips and the controls' table.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "form.hpp"
#include "form_table.hpp"
#include "form_view.hpp"
#include "list_arrow.hpp"
#include "status_fit.hpp"

namespace tuneworks {
namespace {

const std::string kDdsSetting = "DDS Setting           0x ";
const std::string kDefaultReport =
    kDdsSetting +
    "0CCCCCCD\r\nWSPR Interval      0x 0000013B\r\n"
    "WSPR     Setting   0x 0CCCCAF5\r\n\r\nResolution    .00465661Hz";
const std::string kNoWspr = "\r\n\r\n\r\nResolution    .Hz";

// A window that keeps what the form writes and logs each recalculation (each ends with exactly
// one status line) as the Clock text and the first report line it left.
class FakeView final : public FormView {
 public:
  FakeView() {
    for (const ControlEntry& entry : kControls) texts[entry.id] = entry.text;
  }
  std::string Text(ControlId id) const override { return texts.at(id); }
  void SetText(ControlId id, const std::string& text) override { texts[id] = text; }
  void SetToolTip(ControlId id, const std::string& text) override { tips[id] = text; }
  void ShowListItem(ControlId id, int index) override {
    texts[id] = Entry(id).items[static_cast<std::size_t>(index)];
  }
  void SetResultsColour(int bgr) override { colour = bgr; }
  void SetStatus(const StatusLine& line) override {
    status = line;
    const std::string& report = texts[ControlId::Results];
    log.push_back(texts[ControlId::Clock] + " | " + report.substr(0, report.find('\r')));
  }
  std::string DecimalSeparator() const override { return separator; }
  StripRoom StatusRoom() const override { return room; }
  // One unit per byte, "…" three.
  int StatusTextWidth(std::string_view line) const override {
    return static_cast<int>(line.size());
  }

  std::map<ControlId, std::string> texts;
  std::map<ControlId, std::string> tips;
  int colour = -1;  // never set
  StatusLine status;
  std::vector<std::string> log;
  std::string separator = ".";
  StripRoom room = kNoLimit;
};

// A loaded form, and the user's typing: select all and type over it, one change per character
// (emptying the box is one change too).
struct Window {
  FakeView view;
  Form form{view};

  explicit Window(bool load = true) {
    if (load) form.Form_Load();
  }
  int Count() const { return static_cast<int>(view.log.size()); }
  const std::string& Text(ControlId id) { return view.texts[id]; }
  void Type(ControlId id, const std::string& typed) {
    for (const char c : typed) {
      view.texts[id] += c;
      form.Change(id);
    }
  }
  void Retype(ControlId id, const std::string& typed) {
    view.texts[id].clear();
    if (typed.empty()) {
      form.Change(id);
    }
    Type(id, typed);
  }
};

TEST(Form, StartUpRunsThreeRecalculationsAndShowsTheDefaults) {
  Window window(false);
  EXPECT_EQ(window.form.ListIndex(ControlId::ClkUnits), -1);
  EXPECT_EQ(window.Text(ControlId::Resolution), "Select resolution");
  window.form.Form_Load();
  // First MHz in Funits with nothing else selected (a 0.02 Hz clock, the whole 48-bit text),
  // then MHz in ClkUnits, then 32 bit.
  EXPECT_EQ(window.view.log,
            (std::vector<std::string>{" .02 | " + kDdsSetting + "000000000000",
                                      " 20000000 | " + kDdsSetting + "0000000CCCCD",
                                      " 20000000 | " + kDdsSetting + "0CCCCCCD"}));
  const std::array<std::pair<ControlId, std::string>, 10> shown{{
      {ControlId::Ref, "20"},
      {ControlId::PLLMult, "1"},
      {ControlId::RFMult, "1"},
      {ControlId::Fout, "1"},
      {ControlId::ClkUnits, "MHz"},
      {ControlId::Funits, "MHz"},
      {ControlId::Resolution, "32 Bit AD9850/51"},
      {ControlId::Clock, " 20000000"},
      {ControlId::DDSFreq, " 1000000"},
      {ControlId::Results, kDefaultReport},
  }};
  for (const auto& [id, text] : shown) EXPECT_EQ(window.Text(id), text) << Entry(id).name;
  EXPECT_EQ(window.form.ListIndex(ControlId::ClkUnits), 2);
  EXPECT_EQ(window.form.ListIndex(ControlId::Funits), 2);
  EXPECT_EQ(window.form.ListIndex(ControlId::Resolution), 1);
  EXPECT_EQ(window.view.colour, kColourBlack);
  // Below Results, the tones the words really give, in the normal colour.
  EXPECT_EQ(window.view.status.text.rfind("Tones ", 0), 0U) << window.view.status.text;
  EXPECT_FALSE(window.view.status.warning);
  EXPECT_NE(window.view.status.tool_tip, "");
  EXPECT_EQ(window.form.State().ClockHz, 20e6);
  EXPECT_EQ(window.form.State().DdsOutHz, 1e6);
  // What the window shows at start is what tunecalc calculates without arguments.
  CalcState state;
  EXPECT_EQ(*Calculate(DefaultInputs(), state).Results, kDefaultReport);
}

struct TypingRow {
  ControlId box;
  std::string typed;
  std::string clock;
  std::string dds_freq;
  std::string results_start;
};

class TypingTest : public testing::TestWithParam<TypingRow> {};

TEST_P(TypingTest, EachTypedCharacterRecalculatesOnce) {
  const TypingRow& row = GetParam();
  Window window;
  const int before = window.Count();
  window.Retype(row.box, row.typed);
  EXPECT_EQ(window.Count() - before, std::max<int>(1, static_cast<int>(row.typed.size())));
  EXPECT_EQ(window.Text(ControlId::Clock), row.clock);
  EXPECT_EQ(window.Text(ControlId::DDSFreq), row.dds_freq);
  EXPECT_EQ(window.Text(ControlId::Results).substr(0, row.results_start.size()), row.results_start);
}

INSTANTIATE_TEST_SUITE_P(
    Form, TypingTest,
    testing::Values(
        TypingRow{ControlId::Ref, "25", " 25000000", " 1000000", kDdsSetting + "0A3D70A4\r\n"},
        TypingRow{ControlId::PLLMult, "4", " 80000000", " 1000000", kDdsSetting + "03333334\r\n"},
        TypingRow{ControlId::RFMult, "2", " 20000000", " 500000", kDdsSetting + "06666667\r\n"},
        TypingRow{ControlId::Fout, "7.5", " 20000000", " 7500000", kDdsSetting + "60000000\r\n"},
        TypingRow{ControlId::Fout, "", " 20000000", " 0",
                  kDdsSetting + "00000000\r\nWSPR Interval      0x 0000013B\r\n" +
                      "WSPR     Setting   0x FFFFFE29"},
        // The DDS output of the last positive multiplication stays.
        TypingRow{ControlId::RFMult, "", " 20000000", " 1000000",
                  kDdsSetting + "0CCCCCCD" + kNoWspr},
        TypingRow{ControlId::Ref, "", " 0", " 1000000", kDdsSetting + "00000000" + kNoWspr}));

TEST(Form, TypedUnitFieldSelectsNothingEvenWhenItNamesAnItem) {
  // Nothing selected scales by 0.001.
  for (const auto& [units, clock, dds_freq] :
       {std::tuple{ControlId::ClkUnits, " .02", " 1000000"},
        std::tuple{ControlId::Funits, " 20000000", " .001"}}) {
    Window window;
    const int before = window.Count();
    window.Retype(units, "kHz");
    EXPECT_EQ(window.Count() - before, 3);
    EXPECT_EQ(window.form.ListIndex(units), -1);
    EXPECT_EQ(window.Text(ControlId::Clock), clock);
    EXPECT_EQ(window.Text(ControlId::DDSFreq), dds_freq);
  }
}

TEST(Form, ChoosingAnItemRecalculatesWithItsIndex) {
  Window window;
  const int before = window.Count();
  window.form.Click(ControlId::ClkUnits, 1);
  EXPECT_EQ(window.Count() - before, 1);
  EXPECT_EQ(window.form.ListIndex(ControlId::ClkUnits), 1);
  EXPECT_EQ(window.Text(ControlId::Clock), " 20000");
  window.form.Click(ControlId::ClkUnits, 4);  // no such item
  EXPECT_EQ(window.Count() - before, 1);
  EXPECT_EQ(window.form.ListIndex(ControlId::ClkUnits), 1);
}

TEST(Form, TypingIntoResolutionOrResultsRunsNothing) {
  Window window;
  const int before = window.Count();
  window.Type(ControlId::Resolution, "48");
  window.Type(ControlId::Results, "hello");
  EXPECT_EQ(window.Count(), before);
  EXPECT_EQ(window.form.ListIndex(ControlId::Resolution), -1);

  // The next recalculation, from another box, reads -1 (a 24-bit span, the whole hex text) and
  // replaces the typed report.
  window.Retype(ControlId::Fout, "1");
  EXPECT_EQ(window.Count(), before + 1);
  EXPECT_EQ(window.Text(ControlId::Results),
            kDdsSetting + "0000000CCCCD\r\n\r\n\r\nResolution    1.1920929Hz");
}

TEST(Form, ResultsTurnRedAboveTheOverdriveRatioAndBack) {
  struct Step {
    ControlId box;
    const char* typed;
    int colour;
    const char* dds_setting;
  };
  const Step steps[] = {
      {ControlId::Fout, "7", kColourBlack, "5999999A"},  // exactly 0.35 of the clock
      {ControlId::Fout, "8", kColourRed, "66666667"},    // above it
      {ControlId::Ref, "", kColourRed, "00000000"},      // no clock: the colour stays
      {ControlId::Ref, "20", kColourRed, "66666667"},    // a clock again
      {ControlId::Fout, "30", kColourRed, "00000000"},   // not below the clock
      {ControlId::Fout, "1", kColourBlack, "0CCCCCCD"},  // back to the defaults
  };
  Window window;
  for (const Step& step : steps) {
    window.Retype(step.box, step.typed);
    SCOPED_TRACE(std::string(Entry(step.box).name) + " = '" + step.typed + "'");
    EXPECT_EQ(window.view.colour, step.colour);
    EXPECT_EQ(window.Text(ControlId::Results).substr(0, kDdsSetting.size() + 10),
              kDdsSetting + step.dds_setting + "\r\n");
  }
  EXPECT_EQ(window.Text(ControlId::Results), kDefaultReport);
}

TEST(Form, OverflowIsReportedInRedThenCleared) {
  Window window;
  window.Retype(ControlId::Fout, "1E40");
  const std::string dds_freq = window.Text(ControlId::DDSFreq);
  const std::string results = window.Text(ControlId::Results);
  const StatusLine before = Window().view.status;
  window.Type(ControlId::Fout, "0");  // 1E400
  EXPECT_EQ(window.view.status,
            (StatusLine{std::string(kOverflowReport), true, std::string(kOverflowReport)}));
  EXPECT_EQ(window.Text(ControlId::Clock), " 20000000");  // produced before the failure
  EXPECT_EQ(window.Text(ControlId::DDSFreq), dds_freq);
  EXPECT_EQ(window.Text(ControlId::Results), results);

  window.Retype(ControlId::Fout, "1");
  EXPECT_EQ(window.view.status, before);
  EXPECT_EQ(window.Text(ControlId::Results), kDefaultReport);
  EXPECT_EQ(window.view.colour, kColourBlack);
}

TEST(Form, OverflowOfTheClockChangesNoOutput) {
  Window window;
  window.Retype(ControlId::Ref, "1E200");
  window.Retype(ControlId::PLLMult, "1E20");
  const std::string clock = window.Text(ControlId::Clock);
  const std::string results = window.Text(ControlId::Results);
  window.Type(ControlId::PLLMult, "0");
  EXPECT_TRUE(window.view.status.warning);
  EXPECT_EQ(window.Text(ControlId::Clock), clock);
  EXPECT_EQ(window.Text(ControlId::Results), results);
}

TEST(Form, OverflowInTheIntervalWordKeepsTheFirstStage) {
  Window window;
  window.Retype(ControlId::Ref, "1");
  window.form.Click(ControlId::ClkUnits, 0);
  window.Retype(ControlId::RFMult, "0.001");
  window.form.Click(ControlId::Resolution, 2);
  EXPECT_TRUE(window.view.status.warning);
  EXPECT_EQ(window.Text(ControlId::Clock), " 1");
  EXPECT_EQ(window.Text(ControlId::DDSFreq), " 1000000000");
  EXPECT_EQ(window.view.colour, kColourRed);
  EXPECT_EQ(window.Text(ControlId::Results), kDdsSetting + "000000000000\r\n");
}

TEST(Form, OnlyTheResolutionLineTakesTheUsersDecimalSeparator) {
  Window window(false);
  window.view.separator = ",";
  window.form.Form_Load();
  const std::string& report = window.Text(ControlId::Results);
  EXPECT_EQ(report.substr(report.find("Resolution")), "Resolution    ,00465661Hz");
  window.Type(ControlId::ClkUnits, "x");
  EXPECT_EQ(window.Text(ControlId::Clock), " .02");
}

// The strip after the tones: where they land in the nearest WSPR band's window, and a red
// line instead of tones the DDS cannot make.
TEST(Form, StripSaysWhereTheTonesLandOrWhyThereAreNone) {
  const struct {
    const char* ref;
    const char* fout;
    std::string text;
    bool warning;
    std::string tip_end;
  } cases[] = {
      {"20", "1", "Tones 999997.8 \u2026 1000002.2 Hz, step 1.4668 Hz (+0.14 %)", false,
       "exact step"},
      {"125", "7.0386",
       "Tones 7038597.8 \u2026 7038602.3 Hz, step 1.4843 Hz (+1.33 %), 40 m dial frequency, "
       "1402.2 Hz below the window",
       true,
       "7.0386 MHz is the 40 m dial frequency: WSPR transmits at 7.040000 to 7.040200 MHz; the "
       "lowest tone lies 1402.2 Hz below that window"},
      {"20", "7.0401",
       "Tones 7040097.8 \u2026 7040102.2 Hz, step 1.4668 Hz (+0.14 %), 40 m window +97.8 Hz", false,
       "from its upper edge; a decoder shows them at 1500.0 Hz"},
      {"20", "7.0404",
       "Tones 7040397.8 \u2026 7040402.2 Hz, step 1.4668 Hz (+0.14 %), 202.2 Hz above the 40 m "
       "window",
       true, "at 1800.0 Hz, outside its 1400 to 1600 Hz"},
      {"20", "30", std::string(kNoTonesReport) + std::string(ToneFaultText(ToneFault::kAlias)),
       true, ""},
  };
  for (const auto& c : cases) {
    Window window;
    window.Retype(ControlId::Ref, c.ref);
    window.Retype(ControlId::Fout, c.fout);
    const StatusLine& status = window.view.status;
    EXPECT_EQ(status.text, c.text);
    EXPECT_EQ(status.warning, c.warning) << c.fout;
    EXPECT_TRUE(status.tool_tip.ends_with(c.tip_end)) << status.tool_tip;
  }
}

// A narrow strip gets the first wording that fits, broken into its lines.
TEST(Form, StripSaysLessWhereItHasNoRoom) {
  const struct {
    const char* fout;
    StripRoom room;
    std::string text;
  } cases[] = {
      {"7.0386",
       {60, 2},
       "Tones 7038597.8 \u2026 7038602.3 Hz, step 1.4843 Hz (+1.33 %),\n40 m dial frequency, "
       "1402.2 Hz below the window"},
      {"7.0386",
       {55, 2},
       "Tones 7038597.8 \u2026 7038602.3 Hz, 40 m dial frequency,\n1402.2 Hz below the window"},
      {"7.0386", {50, 1}, "40 m dial frequency, 1402.2 Hz below the window"},
      {"7.0386", {20, 1}, "40 m dial frequency,\n1402.2 Hz below the\nwindow"},  // none fits
      {"1E400", {40, 2}, "Overflow: a number is beyond the range\nthe calculator can work with."},
      {"70", {20, 1}, "No WSPR tones"},
  };
  for (const auto& c : cases) {
    Window window;
    window.view.room = c.room;
    window.Retype(ControlId::Ref, "125");
    window.Retype(ControlId::Fout, c.fout);
    EXPECT_EQ(window.view.status.text, c.text) << c.fout << " in " << c.room.width;
    EXPECT_TRUE(window.view.status.warning);
    EXPECT_TRUE(window.view.status.shorter.empty());
  }
}

// Up and Down in a unit field: after typing, the item the text names, else the first; after a
// choice, the next one, held at the ends.
TEST(ListArrow, ChoosesAsWindowsComboBoxDoes) {
  const struct {
    int chosen;
    std::string_view typed;
    int step;
    std::optional<int> item;
  } cases[] = {
      {-1, "mhz", 1, 2}, {-1, "MHz ", 1, 2}, {-1, " k", -1, 1}, {-1, "G", 1, 3},
      {-1, "h", 1, 0},   {-1, "", 1, 0},     {-1, "x", -1, 0},  {-1, "kHzz", 1, 0},
      {1, "kHz", 1, 2},  {1, "kHz", -1, 0},  {3, "GHz", 1, {}}, {0, "Hz", -1, {}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ItemForArrow(kUnitItems, c.chosen, c.typed, c.step), c.item)
        << c.chosen << " '" << c.typed << "' " << c.step;
  }
  EXPECT_EQ(ItemForArrow(kResolutionItems, -1, "48", 1), 2);
}

// RF multiplication 0, empty or negative leaves the last DDS output and words on screen; the
// strip says why they give no tones, and goes back to the tones once it is above 0 again.
TEST(Form, StripSaysWhyThereAreNoTonesWithoutRfMultiplication) {
  const std::string why = std::string(kNoTonesReport) + std::string(kNoRfMultiplication);
  for (const char* rf_mult : {"0", "", "-2", "abc"}) {
    Window window;
    const StatusLine tones = window.view.status;
    window.Retype(ControlId::RFMult, rf_mult);
    EXPECT_EQ(window.view.status, (StatusLine{why, true, {}})) << rf_mult;
    window.Retype(ControlId::RFMult, "1");
    EXPECT_EQ(window.view.status, tones) << rf_mult;
  }
}

// The Si5351, the fourth item: the crystal in Reference, the PLL in DDS Clock, its tones in the
// strip, and in red why a band is out of its reach.
TEST(Form, Si5351ShowsItsPlanAndItsTones) {
  Window window;
  window.form.Click(ControlId::Resolution, kSi5351Resolution);
  window.Retype(ControlId::Ref, "25");
  window.Retype(ControlId::Fout, "14.0971");
  EXPECT_EQ(window.Text(ControlId::Clock), " 704855004.882812");  // PLL A: 50 x the middle
  EXPECT_EQ(window.Text(ControlId::DDSFreq), " 14097100");
  EXPECT_EQ(window.view.colour, kColourBlack);
  EXPECT_TRUE(window.Text(ControlId::Results).starts_with("Si5351 CLK0"));
  EXPECT_EQ(
      window.view.status.text,
      "Tones 14097097.7 \u2026 14097102.1 Hz, step 1.4648 Hz (+0.00 %), 20 m window +97.7 Hz");
  window.Retype(ControlId::Fout, "144.4905");
  EXPECT_EQ(window.view.colour, kColourRed);
  EXPECT_TRUE(window.Text(ControlId::Results).starts_with("The Si5351 cannot bring the tone step"));
  EXPECT_EQ(window.view.status.text,
            std::string(kNoTonesReport) + std::string(ToneFaultText(ToneFault::kSi5351)));
  EXPECT_TRUE(window.view.status.warning);
}

TEST(Form, ClockAndDdsFreqGiveTheirWholeValueAsTooltip) {
  Window window;
  EXPECT_EQ(window.view.tips[ControlId::Clock], "20000000 Hz");
  window.Retype(ControlId::Ref, "20.0001234");
  window.Retype(ControlId::PLLMult, "6");
  EXPECT_EQ(window.view.tips[ControlId::Clock], "120000740.4 Hz");
  window.Retype(ControlId::Fout, "-1");
  EXPECT_EQ(window.view.tips[ControlId::DDSFreq], "-1000000 Hz");
  EXPECT_EQ(window.view.tips.count(ControlId::Results), 0U);
}

TEST(Form, LongHexCutsToTheSelectedResolution) {
  Window window;
  double word = 214748364.8;
  std::string text;
  window.form.LongHex(word, text);
  EXPECT_EQ(text, "0CCCCCCD");
  window.Type(ControlId::Resolution, "x");
  word = 214748364.8;
  window.form.LongHex(word, text);
  EXPECT_EQ(text, "00000CCCCCCD");
}

TEST(FormTable, TabVisitsTheInputsInOrder) {
  EXPECT_EQ(TabOrder(),
            (std::array<ControlId, kFocusStopCount>{
                ControlId::Ref, ControlId::PLLMult, ControlId::RFMult, ControlId::Resolution,
                ControlId::Fout, ControlId::Funits, ControlId::Results, ControlId::ClkUnits,
                ControlId::Mode, ControlId::Channel, ControlId::ChannelBand}));
}

TEST(Form, ModeChoiceRecalculatesForItsToneStepAndBands) {
  Window window;
  EXPECT_EQ(window.Text(ControlId::Mode), "WSPR");
  EXPECT_EQ(window.form.ListIndex(ControlId::Mode), 0);
  window.Retype(ControlId::Fout, "0.1375");  // tone 0 at 2200 m's dial + 1500 Hz
  const struct {
    int index;
    std::string interval_line;  // in Results, worked by hand
    std::string status_start;
    std::string status_end;
  } cases[] = {
      {2, "FST4W Interval     0x 00000078\r\n",  // 0.5580 Hz x 2^32 / 20 MHz + 1/2 = 120.3
       "Tones 137500.0 \u2026 137501.7 Hz, step 0.5588 Hz (+0.14 %)", "2200 m window +98.3 Hz"},
      {4, "FST4W Interval     0x 00000014\r\n",
       "Tones 137500.0 \u2026 137500.3 Hz, step 0.0931 Hz (+4.31 %)",
       "2200 m window +99.7 Hz"},  // 20 MHz over 2^32 is 4.66 mHz: the step is 21 of them
      {0, "WSPR Interval      0x 0000013B\r\n",
       "Tones 137497.8 \u2026 137502.2 Hz, step 1.4668 Hz (+0.14 %)", "2200 m window +97.8 Hz"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    const int before = window.Count();
    window.form.Click(ControlId::Mode, c.index);
    EXPECT_EQ(window.Count() - before, 1);
    EXPECT_NE(window.Text(ControlId::Results).find(c.interval_line), std::string::npos)
        << window.Text(ControlId::Results);
    EXPECT_TRUE(window.view.status.text.starts_with(c.status_start)) << window.view.status.text;
    EXPECT_TRUE(window.view.status.text.ends_with(c.status_end)) << window.view.status.text;
  }
  // Typed over, the mode selects nothing and reads as WSPR.
  window.form.Click(ControlId::Mode, 3);
  window.Type(ControlId::Mode, "x");
  EXPECT_EQ(window.form.ListIndex(ControlId::Mode), -1);
  EXPECT_TRUE(window.view.status.text.starts_with("Tones 137497.8")) << window.view.status.text;
}

TEST(Form, ChannelMovesTheWantedFrequencyToItsLaneAndSaysItsMinutes) {
  Window window;
  EXPECT_EQ(window.Text(ControlId::ChannelBand), "20 m");
  window.Retype(ControlId::Ref, "125");
  window.Retype(ControlId::Funits, "kHz");
  const struct {
    ControlId id;
    std::string typed;         // typed, or an item of the list chosen
    std::string fout;          // what Fout shows then, in MHz
    std::string status_start;  // in red when it names the typed text
  } cases[] = {
      {ControlId::Channel, "123", "14.097020",
       "Channel 123 on 20 m: ID 06, minute 4 regular, 6 telemetry, lane 1; Tones 1409701"},
      {ControlId::ChannelBand, "40 m", "7.040020", "Channel 123 on 40 m: ID 06, minute 6 regular"},
      {ControlId::ChannelBand, "10m", "28.126020", "Channel 123 on 10 m: ID 06, minute 0 regular"},
      {ControlId::Channel, " 599 ", "28.126180", "Channel 599 on 10 m: ID Q9, minute 2"},
      // Typed on the way, "60" and "1" moved the wanted frequency; a wrong channel leaves it.
      {ControlId::Channel, "600", "28.126020", "Channel \"600\" is not a balloon channel: a whole"},
      {ControlId::Channel, "1e2", "28.126020", "Channel \"1e2\" is not"},
      {ControlId::ChannelBand, "11 m", "28.126020", "Channel \"1e2\" is not"},
      {ControlId::Channel, "0", "28.126020", R"(Channel "0": the band "11 m" is not)"},
      {ControlId::ChannelBand, "10 m", "28.126020", "Channel 0 on 10 m"},
      // The wanted frequency typed off the lane stays; so does the channel.
      {ControlId::Fout, "28.1261", "28.1261",
       "Channel 0 on 10 m: ID 00, minute 4 regular, 6 telemetry, lane 1; Tones 2812609"},
      {ControlId::Mode, "FST4W-120", "28.1261", "Channel \"0\" is a WSPR balloon channel"},
      {ControlId::Channel, "", "28.1261", "Tones 28126"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const int before = window.Count();
    const auto& items = Entry(c.id).items;
    const auto item = std::find(items.begin(), items.end(), c.typed);
    if (item != items.end()) {
      window.view.texts[c.id] = c.typed;
      window.form.Click(c.id, static_cast<int>(item - items.begin()));
    } else {
      window.Retype(c.id, c.typed);
    }
    const auto typed = static_cast<int>(c.typed.size());
    EXPECT_EQ(window.Count() - before, item != items.end() ? 1 : std::max(1, typed));
    EXPECT_EQ(window.Text(ControlId::Fout), c.fout);
    EXPECT_EQ(window.form.ListIndex(ControlId::Funits), 2);  // MHz
    EXPECT_TRUE(window.view.status.text.starts_with(c.status_start)) << window.view.status.text;
    EXPECT_EQ(window.view.status.warning, c.status_start.starts_with("Channel \""));
  }
}

TEST(Form, ChannelWordsShortenToFitTheStrip) {
  Window window;
  window.view.room = StripRoom{40, 1};
  window.Retype(ControlId::Channel, "55");
  EXPECT_EQ(window.view.status.text, "Ch 55: ID 02, min 8/0, lane 4");
  EXPECT_NE(window.view.status.tool_tip.find("regular message at minute 8 and telemetry at minute"
                                             " 0 of every ten, lane 4 centred on 14.097180 MHz"),
            std::string::npos)
      << window.view.status.tool_tip;
  window.Retype(ControlId::Channel, std::string(100, '9'));
  EXPECT_EQ(window.view.status.text, "Channel \"999999999999\u2026\": not 0 to 599");
}

}  // namespace
}  // namespace tuneworks
