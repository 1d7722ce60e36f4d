// The symbol-table faults named from heard symbols, and the intended transmissions of --expect.
#include <gtest/gtest.h>

#include <random>
#include <string>

#include "c_header.hpp"
#include "encoding.hpp"
#include "intended_transmissions.hpp"
#include "message_unpacking.hpp"
#include "symbol_faults.hpp"

namespace tonepak {
namespace {

// The ways a beacon's firmware sends its table, written out from the table as tonepak writes it.
enum class Sent { kRight, kLowBitsFirst, kBitsSwapped, kInverted, kLate, kEarly2, kOther, kPair };

ChannelSymbols AsSent(const Encoding& e, const Encoding& other, Sent how) {
  ChannelSymbols out{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const std::uint8_t s = e.symbols[i];
    switch (how) {
      case Sent::kRight:
        out[i] = s;
        break;
      case Sent::kLowBitsFirst:
        out[i] = (e.packed[i / 4] >> (2 * (i % 4))) & 3U;
        break;
      case Sent::kBitsSwapped:
        out[i] = std::array<std::uint8_t, 4>{0, 2, 1, 3}[s];
        break;
      case Sent::kInverted:
        out[i] = 3 - s;
        break;
      case Sent::kLate:
        out[i] = i + 1 < kSymbolCount ? e.symbols[i + 1] : 0;
        break;
      case Sent::kEarly2:
        out[i] = i >= 2 ? e.symbols[i - 2] : 1;
        break;
      case Sent::kOther:
      case Sent::kPair:
        out[i] = other.symbols[i];
        break;
    }
  }
  return out;
}

struct FaultCase {
  const char* name;
  const char* expect;  // the --expect text
  Sent how;
  int noise_errors;  // symbols heard as another tone at random
  std::size_t heard_count;
  const char* fault;
  int shift;
};

class SymbolFaultTest : public testing::TestWithParam<FaultCase> {};

TEST_P(SymbolFaultTest, NamesTheFault) {
  const FaultCase& c = GetParam();
  const IntendedTransmissions intended = IntendedFromText(c.expect);
  ASSERT_EQ(intended.problem, "");
  const Encoding e = EncodeMessage(intended.messages[0]);
  const Message other_message = c.how == Sent::kPair
                                    ? IntendedFromText("K1ABC FN42AX 37").messages[1]
                                    : IntendedFromText("K1ABD FN42 37").messages[0];
  const Encoding other = EncodeMessage(other_message);
  ChannelSymbols heard = AsSent(e, other, c.how);
  std::mt19937 rng(11);
  for (int n = 0; n < c.noise_errors; ++n) {
    const std::size_t i = rng() % kSymbolCount;
    heard[i] = static_cast<std::uint8_t>((heard[i] + 1 + rng() % 3) % 4);
  }
  const bool decoded = (c.how == Sent::kOther || c.how == Sent::kPair) && c.heard_count > 100;
  const SymbolExplanation x =
      ExplainSymbols(heard, c.heard_count, intended,
                     decoded ? std::optional<Message>(other_message) : std::nullopt);
  EXPECT_EQ(FaultName(x.fault), c.fault);
  EXPECT_EQ(x.shift, c.shift);
  std::size_t differing = 0;
  for (std::size_t i = 0; i < c.heard_count; ++i) differing += heard[i] != e.symbols[i] ? 1 : 0;
  EXPECT_EQ(x.differing.size(), differing);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SymbolFaultTest,
    testing::Values(
        FaultCase{"Clean", "K1ABC FN42 37", Sent::kRight, 0, 162, "none", 0},
        FaultCase{"Noisy", "K1ABC FN42 37", Sent::kRight, 12, 162, "none", 0},
        FaultCase{"CutShort", "K1ABC FN42 37", Sent::kRight, 3, 90, "none", 0},
        FaultCase{"LowBitsFirst", "K1ABC FN42 37", Sent::kLowBitsFirst, 8, 162, "reversed-in-byte",
                  0},
        FaultCase{"BitsSwapped", "PJ4/K1ABC 37", Sent::kBitsSwapped, 8, 162, "bits-swapped", 0},
        FaultCase{"Inverted", "<K1ABC> FN42AX 37", Sent::kInverted, 8, 162, "tones-inverted", 0},
        FaultCase{"OneLate", "K1ABC FN42 37", Sent::kLate, 8, 161, "shifted", 1},
        FaultCase{"TwoEarly", "K1ABC FN42 37", Sent::kEarly2, 8, 162, "shifted", -2},
        FaultCase{"OtherMessage", "K1ABC FN42 37", Sent::kOther, 0, 162, "other-message", 0},
        FaultCase{"OtherOfPair", "K1ABC FN42 37", Sent::kPair, 0, 162, "other-of-pair", 0},
        // Noise alone has wrong sync bits; a table with other data does not. Cut to
        // 60 symbols, it is not decoded.
        FaultCase{"WrongDataBits", "K1ABC FN42 37", Sent::kOther, 0, 60, "unexplained", 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IntendedTransmissionsTest, ReadsMessagesAsADecoderShowsThem) {
  const struct {
    const char* text;
    const char* messages;
  } cases[] = {
      {"K1ABC FN42 37", "K1ABC FN42 37"},
      {" pj4/k1abc  37 ", "PJ4/K1ABC 37"},
      {"PJ4/K1ABC FK52UD 37", "PJ4/K1ABC 37 | <PJ4/K1ABC> FK52UD 37"},
      {"<K1ABC> FN42AX 37", "<K1ABC> FN42AX 37"},
      {"K1ABC", ""},
      {"K1ABC FN42", ""},
      {"K1ABC FN42 377", ""},
      {"<K1ABC> FN42 37", ""},
      {"K1ABC/PJ4/X FN42 37", ""},
  };
  for (const auto& c : cases) {
    const IntendedTransmissions t = IntendedFromText(c.text);
    std::string texts;
    for (std::size_t i = 0; i < t.count; ++i) {
      texts += (i ? " | " : "") + MessageText(t.messages[i]);
      EXPECT_EQ(t.symbols[i], EncodeMessage(t.messages[i]).symbols);
    }
    EXPECT_EQ(texts, c.messages) << c.text;
    EXPECT_EQ(t.problem.empty(), t.count > 0) << c.text << ": " << t.problem;
  }
}

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(IntendedTransmissionsTest, ReadsTheFilesTonepakWrites) {
  const IntendedTransmissions pair = IntendedFromText("PJ4/K1ABC FK52UD 37");
  const std::array<Encoding, 2> e = {EncodeMessage(pair.messages[0]),
                                     EncodeMessage(pair.messages[1])};
  const std::string header = CHeaderText(e);
  IntendedTransmissions read = IntendedFromFile(Bytes(header), false);
  ASSERT_EQ(read.count, 2U) << read.problem;
  EXPECT_EQ(read.symbols, pair.symbols);
  EXPECT_EQ(MessageText(read.messages[1]), "<...> FK52UD 37");

  read = IntendedFromFile(Bytes(e[1].include_file), false);
  ASSERT_EQ(read.count, 1U) << read.problem;
  EXPECT_EQ(read.symbols[0], pair.symbols[1]);

  std::string broken = header;
  broken[broken.find("{\n  3,") + 4] = '7';
  EXPECT_EQ(IntendedFromFile(Bytes(broken), false).problem,
            "wspr_symbols (line 21), line 22: 7 is no symbol (0 to 3)");
}

}  // namespace
}  // namespace tonepak
