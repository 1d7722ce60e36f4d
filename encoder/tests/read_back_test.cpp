// Reading transmissions back: encode -> include text or a.au samples -> read -> the same
// normalised message, and the exact complaints about damaged ones.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "decoding.hpp"
#include "encoding.hpp"
#include "field_warnings.hpp"
#include "include_reading.hpp"
#include "interleaver.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "sync.hpp"
#include "test_audio.hpp"
#include "tone_demodulation.hpp"

namespace tonepak {
namespace {

// Call signs of every shape a standard message carries: shifted or not, short, digits first,
// the first and last of each position's characters.
const char* const kCalls[] = {"Q1ABC",  "QA1BCD", "k1abc",  "Q1A",   "A0",
                              "9Z9ZZZ", "00",     "2E0AAA", "Q1A C", "ZZ9Z"};
const char* const kLocators[] = {"AA00", "RR99", "FN42", "jo01", "AR90", "RA09"};

std::vector<std::string> StandardPowers() {
  std::vector<std::string> powers;
  for (int p = 0; p <= 60; ++p) {
    if (p % 10 == 0 || p % 10 == 3 || p % 10 == 7) powers.push_back(std::to_string(p));
  }
  return powers;
}

std::string Text(const Decoded& d) {
  std::string out = d.message ? MessageText(*d.message) : "";
  for (const std::string& p : d.problems) out += "|" + p;
  return out;
}

TEST(ReadBackTest, IncludeFileGivesBackTheNormalisedMessage) {
  const std::vector<std::string> powers = StandardPowers();
  std::size_t n = 0;
  for (const char* call : kCalls) {
    for (const char* loc : kLocators) {
      for (std::size_t k = 0; k < 3; ++k, ++n) {
        const MessageFields fields = NormaliseMessage(call, loc, powers[n % powers.size()]);
        ASSERT_TRUE(FieldWarnings(fields).empty()) << call << " " << loc;
        const IncludeReading reading = ReadIncludeText(EncodeMessage(fields).include_file);
        ASSERT_TRUE(reading.packed) << reading.problem;
        const Decoded decoded = DecodePacked(*reading.packed);
        ASSERT_TRUE(decoded.message) << call << " " << loc << " " << Text(decoded);
        EXPECT_EQ(decoded.message->fields.callsign, fields.callsign);
        EXPECT_EQ(decoded.message->fields.locator, fields.locator);
        EXPECT_EQ(decoded.message->fields.power_dbm, fields.power_dbm);
      }
    }
  }
}

TEST(ReadBackTest, TestAudioGivesBackTheNormalisedMessage) {
  for (const auto& [call, loc, power] :
       {std::tuple{"Q1ABC", "AA00", "10"}, std::tuple{"9Z9ZZZ", "RR99", "60"},
        std::tuple{"K1ABC", "FN42", "37"}}) {
    const MessageFields fields = NormaliseMessage(call, loc, power);
    const HeardSymbols heard = HearTestAudio(TestAudioFile(EncodeMessage(fields).symbols));
    ASSERT_TRUE(heard.symbols) << heard.problem;
    const Decoded decoded = DecodeSymbols(*heard.symbols);
    ASSERT_TRUE(decoded.message) << Text(decoded);
    EXPECT_EQ(MessageText(*decoded.message), MessageText(fields));
    EXPECT_EQ(decoded.message->fields.callsign, fields.callsign);
  }
}

TEST(ReadBackTest, HandMadeIncludeFileOfTheWorkedExample) {
  // LF line ends, tabs, a label, lower case, every radix form, comments everywhere.
  const std::string text =
      "; Q1ABC AA00 10, typed in from the manual\n"
      "\tORG 0x2100\n"
      "wspr\tDE 0xf0,0xa0 , 0x6a,0x5c,0xac,0x93,0xd6,0x0a ; first eight\n"
      "\tde H'06',h'11',22h,0A4h,D'218',.123,B'10100011',0xE4\r"
      "\tde 0xA1,0xEE,0x46,0x69,0x2E,0xF0,0x9E,0xE6\r\n"
      "  de 0x84,0xA0,0xC1,0xA7,0xC7,0x07,0x1A,0x35\n"
      "  de 0xAA,0x3B,0x2F,0x2A,0xA1,0x6C,0xD0,0x36\n"
      "  de 0xA0";
  const IncludeReading reading = ReadIncludeText(text);
  ASSERT_TRUE(reading.packed) << reading.problem;
  EXPECT_EQ(Text(DecodePacked(*reading.packed)), "Q1ABC AA00 10");
}

TEST(ReadBackTest, IncludeTextThatIsNoTransmission) {
  const std::string good = EncodeMessage(NormaliseMessage("Q1ABC", "AA00", "10")).include_file;
  const struct {
    std::string text;
    std::string problem;
  } cases[] = {
      {"hello\n", "it holds no \"de\" lines: not a WSPR include file"},
      {good.substr(0, good.find("  de 0xA1")),
       "its \"de\" lines hold 16 bytes; the 162 symbols of a transmission, four to a byte, are 41"},
      {good + "  de 0x00\r\n",
       "its \"de\" lines hold 42 bytes; the 162 symbols of a transmission, four to a byte, are 41"},
      {"  de 0xF0, 240\n",
       "line 1: '240' is no byte value the assembler reads alike everywhere "
       "(write 0xF0, H'F0' or .240)"},
      {"  de 0x1F0\n", "line 1: '0x1F0' is larger than a byte"},
      {"\n\n  de 0xF0,, 0x00\n", "line 3: a value is missing between commas"},
      {"  de \"\x01\"\n",
       "line 1: '\"\\x01\"' is no byte value the assembler reads alike "
       "everywhere (write 0xF0, H'F0' or .240)"},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadIncludeText(c.text).problem, c.problem) << c.text;
}

TEST(ReadBackTest, DamagedSymbolsAreNamedExactly) {
  const Encoding e = EncodeMessage(NormaliseMessage("Q1ABC", "AA00", "10"));
  auto flipped = [&](std::initializer_list<std::pair<std::size_t, unsigned>> flips) {
    ChannelSymbols s = e.symbols;
    for (const auto& [i, mask] : flips) s[i] ^= mask;
    return Text(DecodeSymbols(s));
  };
  const std::string kCode = " with the convolutional code";
  EXPECT_EQ(flipped({{57, 2}}), "|1 coded bit disagrees" + kCode + ": the data bit of symbol 57");
  EXPECT_EQ(flipped({{0, 2}, {161, 2}}),
            "|2 coded bits disagree" + kCode + ": the data bits of symbols 0 and 161");
  EXPECT_EQ(flipped({{5, 1}}),
            "|the sync bit of symbol 5 disagrees with the WSPR synchronisation vector"
            "|the data bits alone carry Q1ABC AA00 10");
  EXPECT_EQ(flipped({{3, 3}, {9, 1}}),
            "|the sync bits of symbols 3 and 9 disagree with the WSPR synchronisation vector "
            "(2 of 162)|1 coded bit disagrees" +
                kCode + ": the data bit of symbol 3");
  const std::string many = flipped({{10, 2}, {20, 2}, {30, 2}, {40, 2}});
  EXPECT_TRUE(many.starts_with("|3 or more coded bits disagree" + kCode)) << many;

  PackedSymbols packed = e.packed;
  packed[40] |= 0x05;
  EXPECT_EQ(Text(DecodePacked(packed)),
            "|the low four bits of the last byte are 0x5, not 0: they hold no symbol");
}

TEST(ReadBackTest, CodeWordsOfNoStandardMessage) {
  SourceBytes tail{};
  tail[7] = 0x08;  // source bit 60
  const ChannelSymbols s = MergeSync(Interleave(Convolve(tail).bits));
  EXPECT_EQ(Text(DecodeSymbols(s)),
            "|the symbols are a code word, but source bit 60 of the tail (bits 50 to 80) must be "
            "zero");
  EXPECT_EQ(Text(DecodeSymbols(EncodeMessage(NormaliseMessage("  9", "SA00", "12")).symbols)),
            "|N1 262374389, N2 4171340: N1 is no call sign; call-sign numbers end at 262177559"
            "|N1 262374389, N2 4171340: power code 12 marks a compound call, but prefix number "
            "65356 is no prefix of one to three characters nor a suffix");
}

TEST(ReadBackTest, AudioThatHoldsNoTransmission) {
  std::vector<std::uint8_t> file = TestAudioFile(SyncVector);
  const std::vector<std::uint8_t> cut(file.begin(), file.begin() + 1'000'024);
  EXPECT_EQ(HearTestAudio(cut).problem,
            "it holds 500000 samples, the 162 symbols need 1327104: the file is cut short");
  constexpr std::ptrdiff_t kPeriodBytes = std::ptrdiff_t{2} * 8192;
  std::fill(file.begin() + 24 + 7 * kPeriodBytes, file.begin() + 24 + 9 * kPeriodBytes, 0);
  EXPECT_EQ(HearTestAudio(file).problem,
            "symbol period 7 holds no clear one of the four WSPR tones around 1500 Hz (2 of the "
            "162 periods hold none)");
  file[18] = 0x1F;  // 8000 Hz
  file[19] = 0x40;
  EXPECT_EQ(HearTestAudio(file).problem, "sample rate 8000 Hz; tonepak's a.au has 12000 Hz");
}

}  // namespace
}  // namespace tonepak
