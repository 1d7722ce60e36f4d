// FST4W messages against fst4sim (WSJT-X 2.6.1, "T"): the text as it prints it back, the first
// 50 of its "Message bits" and its 160 channel symbols; the refusals; the files read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <variant>

#include "fst4w_encoding.hpp"
#include "fst4w_files.hpp"
#include "fst4w_reading.hpp"
#include "fst4w_unpacking.hpp"

namespace tonepak::fst4w {
namespace {

struct Vector {
  const char* typed;
  const char* shown;  // fst4sim's "Message:" line
  const char* bits;
  const char* symbols;
};

// Printed by `fst4sim "MESSAGE" 120 1500 0.0 0.0 0.0 1 99 T`.
const Vector kVectors[] = {
    {"K1ABC FN42 37", "K1ABC FN42 37", "00001001101111011110001101010101000011001100101100",
     "01321023003132212302111100202032013021231032011123132323230301322233121322100132"
     "10230003121120221323203311231211022310320110330000022101001223313221230101321023"},
    {"g4abc io91 0", "G4ABC IO91 0", "00001001000011000001011001100111110000100110000000",
     "01321023003100200113131220031300010011231032011001103221020330130222110113310132"
     "10231032333321223202331030212120132310320111313111301330001130123320300101321023"},
    {"VK2XYZ QF56 60", "VK2XYZ QF56 60", "11100010000001010110000110111110010101011001001000",
     "01321023230300111301322311113103001210231032011330113300021232211301232331200132"
     "10231000303302121320120310112232202310320132211123011231322003131013001301321023"},
    {"PJ4/K1ABC 37", "PJ4/K1ABC 37", "00001001101111011110001101011000000101000000010111",
     "01321023003132212302113001100011230320231032011332210300332100203212130111330132"
     "10231111212123321013130200102021232310320130130012001111232113131000012301321023"},
    {"K1ABC/P 10", "K1ABC/P 10", "00001001101111011110001101011011011001011001000111",
     "01321023003132212302113213113101220323231032011313221033210322010012302112220132"
     "10233131210221023211102030111203202310320111013110101033011231230321012201321023"},
    {"W1AW/12 30", "W1AW/12 30", "00001011111111101010110100011011011001100110010011",
     "01321023003222233321013213131310232122231032012202211311013121111310322311310132"
     "10231110220100222012300212310321222310320113232000321223033322301232001001321023"},
    {"<PJ4/K1ABC> FK52UD", "<PJ4/K1ABC> FK52UD",
     "01010110101110001000100010111111101111011111011010",
     "01321023111332303030322232212213301032231032010122201020033001211302203233100132"
     "10231010131013212201221220222001112310320112132221002201013131122010110101321023"},
    {"<DL/G4ABC> JO40", "<DL/G4ABC> JO40", "01010110110110100010000101010000011110011011000010",
     "01321023111321330301110012313200331311231032013203012320233133033311223110130132"
     "10231123322211231320220131102301132310320121132032302332103010011223332201321023"},
    {"K1ABC FN42 38", "K1ABC FN42 37", "00001001101111011110001101010101000011001100101100",
     "01321023003132212302111100202032013021231032011123132323230301322233121322100132"
     "10230003121120221323203311231211022310320110330000022101001223313221230101321023"},
};

template <typename Array>
std::string Digits(const Array& values) {
  std::string out;
  for (const auto v : values) out += static_cast<char>('0' + v);
  return out;
}

PackedMessage Packed(const char* text) { return std::get<PackedMessage>(PackFst4wMessage(text)); }

TEST(Fst4wMessage, PacksAndEncodesAsFst4simDoes) {
  for (const Vector& v : kVectors) {
    const PackedMessage m = Packed(v.typed);
    EXPECT_EQ(m.text, v.shown) << v.typed;
    EXPECT_EQ(Digits(m.bits), v.bits) << v.typed;
    EXPECT_EQ(Digits(EncodeFst4w(m, beacon::Mode::kFst4w300).symbols), v.symbols) << v.typed;
    // Without the call known, a receiver shows the hash as <...>.
    const std::optional<UnpackedMessage> heard = UnpackFst4wMessage(m.bits);
    ASSERT_TRUE(heard) << v.typed;
    std::string shown = v.shown;
    if (shown.front() == '<') shown.replace(0, shown.find('>') + 1, "<...>");
    EXPECT_EQ(heard->text, shown);
  }
}

TEST(Fst4wMessage, RefusesWhatItCannotCarryNamingTheField) {
  const std::pair<const char*, const char*> cases[] = {
      {"AB1CDEF FN42 7", "call"},    {"K1ABC/P/Q 37", "call"},
      {"PJ4/K1 37", "call"},         {"K1ABC/ABCD 37", "call"},
      {"Q1ABC/P 37", "call"},        {"K1ABC/ABC 37", "call"},
      {"K1ABC FN4 37", "locator"},   {"K1ABC SN42 37", "locator"},
      {"<K1ABC> FN42ZZ", "locator"}, {"K1ABC FN42 61", "power"},
      {"K1ABC FN42 -3", "power"},    {"PJ4/K1ABC 1O", "power"},
      {"K1ABC", "message"},          {"", "message"},
      {"K1ABC FN42", "call"},        {"PJ4/K1ABC FK52 37", "call"},
  };
  for (const auto& [text, field] : cases) {
    const auto result = PackFst4wMessage(text);
    ASSERT_TRUE(std::holds_alternative<PackingRefusal>(result)) << text;
    EXPECT_EQ(std::get<PackingRefusal>(result).field, field) << text;
  }
}

TEST(Fst4wMessage, PowersReadBackInStepsOfTenThirds) {
  const std::pair<int, int> cases[] = {{0, 0},   {1, 0},   {2, 3},   {3, 3},   {5, 7},
                                       {7, 7},   {23, 23}, {30, 30}, {38, 37}, {39, 40},
                                       {47, 47}, {58, 57}, {59, 60}, {60, 60}};
  for (const auto& [typed, sent] : cases) {
    const PackedMessage m = Packed(("K1ABC FN42 " + std::to_string(typed)).c_str());
    EXPECT_EQ(m.power_dbm, sent) << typed;
    EXPECT_EQ(m.typed_power_dbm, typed);
  }
}

TEST(Fst4wFiles, IncludeAndHeaderReadBackWithTheirMode) {
  const Fst4wEncoding e = EncodeFst4w(Packed("K1ABC/P 10"), beacon::Mode::kFst4w1800);
  for (const std::string& text : {e.include_file, Fst4wCHeaderText(e)}) {
    ASSERT_TRUE(IsFst4wText(text));
    const Fst4wReading r = ReadFst4wText(text);
    EXPECT_EQ(r.mode, beacon::Mode::kFst4w1800);
    ASSERT_TRUE(r.message);
    EXPECT_EQ(r.message->text, "K1ABC/P 10");
    EXPECT_TRUE(r.problems.empty());
  }
  EXPECT_EQ(std::count(e.include_file.begin(), e.include_file.end(), '\n'), 7);
  // Told by its 40 bytes alone, the comments gone; a WSPR table a byte short is none.
  std::string bare = e.include_file.substr(e.include_file.find("  de "));
  bare.resize(bare.find("  ;"));
  EXPECT_TRUE(IsFst4wText(bare));
  EXPECT_FALSE(ReadFst4wText(bare).mode);
  EXPECT_FALSE(IsFst4wText("  ; WSPR Data Packed 4 symbols per byte\r\n" + bare));
  EXPECT_TRUE(e.include_file.ends_with(", 0x4B  ;  End of FST4W Data\r\n"));
}

TEST(Fst4wFiles, EachBrokenCheckIsSaid) {
  const ChannelSymbols good = EncodeFst4w(Packed("K1ABC FN42 37"), beacon::Mode::kFst4w120).symbols;
  ChannelSymbols sync = good;
  sync[39] ^= 1U;  // in the second sync group
  const Fst4wReading bad_sync = CheckFst4wSymbols(sync);
  EXPECT_EQ(bad_sync.sync_errors, 1U);
  ASSERT_TRUE(bad_sync.message);  // the code bits still carry it
  EXPECT_EQ(bad_sync.problems.size(), 1U);

  ChannelSymbols data = good;
  data[100] ^= 1U;  // one data symbol: its second code bit (Gray: 0-1 and 2-3 differ in it)
  const Fst4wReading bad_data = CheckFst4wSymbols(data);
  EXPECT_EQ(bad_data.sync_errors, 0U);
  EXPECT_EQ(bad_data.failed_checks, 3U);
  EXPECT_FALSE(bad_data.message);
}

}  // namespace
}  // namespace tonepak::fst4w
