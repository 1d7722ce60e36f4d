// Compound calls and six-character locators: the call hash, the choice of transmissions, and
// messages of types 2 and 3 through the encoder and back.
#include <gtest/gtest.h>

#include <string>

#include "call_hash.hpp"
#include "decoding.hpp"
#include "encoding.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"
#include "source_coding.hpp"
#include "transmissions.hpp"

namespace tonepak {
namespace {

std::uint32_t Hash(std::string_view text, std::uint32_t initval) {
  return HashLittle({reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, initval);
}

TEST(CallHashTest, LookupThreeGivesItsAuthorsValues) {
  // The values Bob Jenkins lists in lookup3.c for its self-test.
  EXPECT_EQ(Hash("", 0), 0xDEADBEEFU);
  EXPECT_EQ(Hash("", 0xDEADBEEFU), 0xBD5B7DDEU);
  EXPECT_EQ(Hash("Four score and seven years ago", 0), 0x17770551U);
  EXPECT_EQ(Hash("Four score and seven years ago", 1), 0xCD628161U);
}

TEST(CallHashTest, CallsHashAsWsprdRemembersThem) {
  // From hashtable.txt of wsprd (WSJT-X 2.6, Debian 12) after it decoded tonepak's a.au of
  // each call: lengths 5 to 9, prefix and suffix forms.
  const struct {
    const char* call;
    std::uint16_t hash;
  } cases[] = {{"K1ABC", 6521},     {"PJ4/K1ABC", 19735}, {"K1ABC/P", 12544}, {"K1ABC/12", 5418},
               {"F/PE0FKO", 30998}, {"G4ABC/7", 1398},    {"VK2ABC/Q", 2838}};
  for (const auto& c : cases) EXPECT_EQ(CallHash(c.call), c.hash) << c.call;
}

std::string Texts(const Transmissions& t) {
  std::string out;
  for (const Message& m : t.List()) out += (out.empty() ? "" : " | ") + MessageText(m);
  return out;
}

TEST(TransmissionsTest, ChoosesOneOrTwoMessages) {
  const struct {
    const char* call;
    const char* locator;
    const char* power;
    const char* sent;
    bool note;
  } cases[] = {
      {"K1ABC", "FN42", "37", "K1ABC FN42 37", false},
      {"k1abc", "fn42ax", "37", "K1ABC FN42 37 | <K1ABC> FN42AX 37", false},
      {"PJ4/K1ABC", "FK52UD", "37", "PJ4/K1ABC 37 | <PJ4/K1ABC> FK52UD 37", false},
      {"pj4/k1abc", "FK52", "37", "PJ4/K1ABC 37", true},
      {"K1ABC/P", "", "10", "K1ABC/P 10", true},
      {"K1ABC/12", "RR99XX", "60", "K1ABC/12 60 | <K1ABC/12> RR99XX 60", false},
      {"F/PE0FKO", "JO22", "33", "F/PE0FKO 33", true},
      // Not six-character locators: the standard message alone, as it always was.
      {"K1ABC", "FN42AY7", "37", "K1ABC FN42 37", false},
      {"K1ABC", "FN42AZ", "37", "K1ABC FN42 37", false},
      {"K1ABC", "SN42AA", "37", "K1ABC SN42 37", false},
  };
  for (const auto& c : cases) {
    const Transmissions t = ChooseTransmissions(c.call, c.locator, c.power);
    EXPECT_EQ(Texts(t), c.sent) << c.call << " " << c.locator;
    EXPECT_EQ(t.refusal, "");
    EXPECT_EQ(!t.note.empty(), c.note) << c.call;
    // The first of a plain call is exactly the standard message of old.
    if (t.messages[0].type == MessageType::kStandard) {
      const MessageFields old = NormaliseMessage(c.call, c.locator, c.power);
      EXPECT_EQ(EncodeMessage(t.messages[0]).include_file, EncodeMessage(old).include_file);
    }
  }
}

TEST(TransmissionsTest, RefusesCompoundCallsNoMessageCarries) {
  const struct {
    const char* call;
    const char* why;
  } cases[] = {
      {"ABCD/K1ABC", "its prefix 'ABCD/' is longer than three characters"},
      {"K1ABC/AB", "its suffix '/AB' must be one letter or digit, or two digits"},
      {"K1ABC/05", "two-digit suffix '/05' must be 10 to 99"},
      {"PJ4/K1ABC/P", "more than one '/'"},
      {"K1ABC/", "nothing follows its '/'"},
      {"/K1ABC", "nothing stands before its '/'"},
      {"PJ4/K1ABCDE", "longer than a standard message carries"},
      {"PJ4/KABCD", "cannot be carried by a standard message (position 2 must be a digit"},
      {"P-4/K1ABC", "may hold only letters and digits"},
  };
  for (const auto& c : cases) {
    const Transmissions t = ChooseTransmissions(c.call, "FK52UD", "37");
    EXPECT_EQ(t.count, 0u) << c.call;
    EXPECT_NE(t.refusal.find("cannot send call sign '" + std::string(c.call) + "': "),
              std::string::npos)
        << t.refusal;
    EXPECT_NE(t.refusal.find(c.why), std::string::npos) << t.refusal;
  }
}

TEST(TransmissionsTest, EveryChosenMessageDecodesToItself) {
  for (const char* call : {"PJ4/K1ABC", "K1ABC/P", "K1ABC/99", "K1ABC/10", "3D2/G4ABC", "F/PE0FKO",
                           "9A/9A1AA", "Q1ABC/0", "Q1ABC/Z", "QA1BCD"}) {
    for (const char* power : {"0", "37", "60"}) {
      const Transmissions t = ChooseTransmissions(call, "AA00AA", power);
      ASSERT_EQ(t.count, 2u) << call << " " << t.refusal;
      for (const Message& m : t.List()) {
        const Decoded d = DecodePacked(EncodeMessage(m).packed);
        ASSERT_TRUE(d.message) << MessageText(m) << ": " << d.problems.front();
        // The hash comes back, its call does not: a decoder knows it only from the first.
        std::string expected = MessageText(m);
        if (m.type == MessageType::kHashed) {
          expected.replace(1, CallOf(m).size(), "...");
          EXPECT_EQ(d.message->call_hash, CallHash(CallOf(m)));
        }
        EXPECT_EQ(MessageText(*d.message), expected);
      }
    }
  }
}

TEST(TransmissionsTest, PowerCodesThatNoTypeCarriesAreRefusedWhenRead) {
  const Transmissions t = ChooseTransmissions("K1ABC", "FN42AX", "0");
  // Power codes 6 (ends in 6, no type) and -62 (a hashed call at 61 dBm), the rest of N1 and N2
  // as a valid type 3 or type 1 has them.
  for (const Message& m : t.List()) {
    const SourceCode code = EncodeSource(m);
    for (const std::uint32_t low_bits : {6U + 64U, 64U - 62U}) {
      const UnpackedMessage u = UnpackMessage(code.n1, (code.n2 & ~0x7FU) | low_bits);
      EXPECT_FALSE(u.message) << low_bits;
      EXPECT_FALSE(u.problems.empty());
    }
  }
}

}  // namespace
}  // namespace tonepak
