// Nothing in the core crashes, hangs or reads out of bounds on any text, and an overflow is always
// OverflowError, never an infinity or NaN written to an output.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <initializer_list>
#include <random>
#include <string>

#include "tuneworks_core.hpp"

namespace tuneworks {
namespace {

bool LooksLikeInfinityOrNan(const std::string& text) {
  std::string lower;
  for (char c : text) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower.find("inf") != std::string::npos || lower.find("nan") != std::string::npos;
}

void ExpectCleanOutputs(const CalcOutputs& out) {
  for (const auto* text : {&out.Clock, &out.DDSFreq, &out.Results}) {
    if (*text) {
      EXPECT_FALSE(LooksLikeInfinityOrNan(**text)) << **text;
    }
  }
  if (out.ResultsColour) {
    EXPECT_TRUE(*out.ResultsColour == kColourRed || *out.ResultsColour == kColourBlack);
  }
  EXPECT_EQ(out.Overflow, !out.OverflowMessage.empty());
}

// A text made of the characters a number can hold, blanks, letters, and arbitrary bytes.
std::string RandomText(std::mt19937& random) {
  static const std::string kPieces[] = {
      "0",    "1",        "9", ".",   "-",   "+",  "e",
      "E",    "d",        "D", " ",   "\t",  "\n", "&H",
      "&O",   "F",        "7", "308", "999", ",",  std::string(1, '\0'),
      "\xFF", "\xC3\xA9", "M", "Hz"};
  std::uniform_int_distribution<int> length(0, 24);
  std::uniform_int_distribution<std::size_t> piece(0, std::size(kPieces) - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::string text;
  for (int i = length(random); i > 0; --i) {
    if (byte(random) < 16) {
      text += static_cast<char>(byte(random));
    } else {
      text += kPieces[piece(random)];
    }
  }
  return text;
}

TEST(Robustness, RandomTextsThroughReadNumber) {
  std::mt19937 random(20240601);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomText(random);
    try {
      const double value = ReadNumber(text);
      EXPECT_TRUE(std::isfinite(value)) << text;
    } catch (const OverflowError&) {
    }
  }
}

TEST(Robustness, RandomInputsThroughCalculate) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> index(-3, 5);
  CalcState state;
  for (int i = 0; i < 5000; ++i) {
    CalcInputs in{RandomText(random),
                  RandomText(random),
                  RandomText(random),
                  RandomText(random),
                  static_cast<std::int16_t>(index(random)),
                  static_cast<std::int16_t>(index(random)),
                  static_cast<std::int16_t>(index(random))};
    ExpectCleanOutputs(Calculate(in, state));
  }
}

TEST(Robustness, HugeTexts) {
  const std::string megabyte_of_digits(1 << 20, '7');
  const std::string thousand_exponent_digits = "1e" + std::string(1000, '9');
  const std::string negative_exponent = "1e-" + std::string(1000, '9');
  const std::string nul_bytes(
      "1\0\0\0"
      "5",
      5);
  const std::string not_utf8 =
      "\xFF\xFE\x80\xC0\xAF"
      "12";
  const std::string blanks_only(1 << 20, ' ');
  const std::string hex_megabyte = "&H" + std::string(1 << 20, 'F');
  EXPECT_THROW(ReadNumber(megabyte_of_digits), OverflowError);
  EXPECT_THROW(ReadNumber(thousand_exponent_digits), OverflowError);
  EXPECT_EQ(ReadNumber(negative_exponent), 0.0);
  EXPECT_EQ(ReadNumber(nul_bytes), 1.0);
  EXPECT_EQ(ReadNumber(not_utf8), 0.0);
  EXPECT_EQ(ReadNumber(blanks_only), 0.0);
  EXPECT_THROW(ReadNumber(hex_megabyte), OverflowError);
  EXPECT_EQ(ReadNumber("0." + megabyte_of_digits), 7.0 / 9.0);

  for (const std::string* text : {&megabyte_of_digits, &thousand_exponent_digits,
                                  &negative_exponent, &nul_bytes, &not_utf8, &hex_megabyte}) {
    CalcState state;
    CalcInputs in{"20", "1", "1", "1", 2, 2, 1};
    in.Fout = *text;
    ExpectCleanOutputs(Calculate(in, state));
    in = CalcInputs{*text, *text, *text, *text, 2, 2, 1};
    ExpectCleanOutputs(Calculate(in, state));
  }
}

TEST(Robustness, ExtremeButFiniteInputsGiveCleanOutputs) {
  const char* extremes[] = {"1.7976931348623157e308",
                            "-1.7976931348623157e308",
                            "4.9e-324",
                            "-4.9e-324",
                            "1e-300",
                            "1e300",
                            "0",
                            "-0",
                            "&HFFFFFFFFFFFFFFFF"};
  for (const char* a : extremes) {
    for (const char* b : extremes) {
      for (const std::int16_t resolution : std::initializer_list<std::int16_t>{-1, 0, 1, 2}) {
        CalcState state;
        ExpectCleanOutputs(Calculate(CalcInputs{a, "1", b, "1", 0, 0, resolution}, state));
        ExpectCleanOutputs(Calculate(CalcInputs{"20", "1", a, b, 2, 2, resolution}, state));
        ExpectCleanOutputs(Calculate(CalcInputs{a, b, "1", "1", 3, -1, resolution}, state));
      }
    }
  }
}

}  // namespace
}  // namespace tuneworks
