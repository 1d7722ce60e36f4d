// Tests of the channel coding: convolution, interleaving and the merge with the sync vector.
#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <span>
#include <string>

#include "convolution.hpp"
#include "encoding.hpp"
#include "interleaver.hpp"
#include "message_fields.hpp"
#include "source_coding.hpp"
#include "sync.hpp"

namespace tonepak {
namespace {

const SourceBytes kExampleSource = {0xF8, 0x2C, 0x76, 0xCF, 0xBB, 0x92, 0x80, 0, 0, 0, 0};

// ' Q1ABC' AA00 10, all 162 symbols in transmission order.
constexpr const char* kExampleSymbols =
    "330022001222113022302103311200220012010102022210312213232203321022013232101212210232330021"
    "323212201022003001221330130013012203112222032302330222220112303100031222";

std::string Digits(std::span<const std::uint8_t> values, std::size_t count) {
  std::string out;
  for (std::uint8_t v : values.first(count)) out += static_cast<char>('0' + v);
  return out;
}

TEST(ConvolutionTest, RegisterStatesOfTheExample) {
  const Convolution c = Convolve(kExampleSource);
  const std::array<std::uint32_t, 8> first = {0x01, 0x03, 0x07, 0x0F, 0x1F, 0x3E, 0x7C, 0xF8};
  EXPECT_TRUE(std::equal(first.begin(), first.end(), c.register_states.begin()));
  EXPECT_EQ(c.register_states[55], 0xCFBB9280u);  // after byte 6
  EXPECT_EQ(c.register_states[71], 0x92800000u);  // two tail bytes in
  EXPECT_EQ(c.register_states[87], 0u);           // the zero tail has flushed the register
}

TEST(ConvolutionTest, FirstCodedBitsOfTheExample) {
  EXPECT_EQ(Digits(Convolve(kExampleSource).bits, 32), "11101111011000011111010101101000");
}

TEST(ConvolutionTest, SingleBitGivesThePolynomialsAsImpulseResponse) {
  // A lone 1 at the start walks through the register; each output pair is then bit k of the
  // two polynomials, which pins the polynomials and their order.
  SourceBytes source{};
  source[0] = 0x80;
  const Convolution c = Convolve(source);
  for (std::size_t k = 0; k < 32; ++k) {
    EXPECT_EQ(c.bits[2 * k], (kPolynomial1 >> k) & 1U) << k;
    EXPECT_EQ(c.bits[2 * k + 1], (kPolynomial2 >> k) & 1U) << k;
  }
}

TEST(InterleaverTest, FirstPlacementsAndPermutation) {
  const auto& positions = InterleaverPositions();
  EXPECT_EQ(positions[0], 0);
  EXPECT_EQ(positions[1], 128);
  EXPECT_EQ(positions[2], 64);
  EXPECT_EQ(positions[3], 32);
  std::array<std::uint8_t, kSymbolCount> sorted = positions;
  std::sort(sorted.begin(), sorted.end());
  std::array<std::uint8_t, kSymbolCount> identity{};
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_EQ(sorted, identity);
}

TEST(InterleaverTest, DeinterleaveUndoesInterleave) {
  ConvolverBits bits{};
  for (std::size_t i = 0; i < kSymbolCount; ++i)
    bits[i] = static_cast<std::uint8_t>((i * 7 / 3) & 1);
  EXPECT_EQ(Deinterleave(Interleave(bits)), bits);
}

TEST(InterleaverTest, FirstInterleavedBitsOfTheExample) {
  EXPECT_EQ(Digits(Interleave(Convolve(kExampleSource).bits), 32),
            "11001100011100101110100110010011");
}

TEST(SyncTest, VectorHasTheStandardStartAndWeight) {
  EXPECT_EQ(Digits(SyncVector, 10), "1100000010");
  EXPECT_EQ(std::count(SyncVector.begin(), SyncVector.end(), 1), 63);
}

TEST(ChannelSymbolsTest, WholeExampleMessage) {
  const ChannelSymbols symbols = MergeSync(Interleave(Convolve(kExampleSource).bits));
  EXPECT_EQ(Digits(symbols, kSymbolCount), kExampleSymbols);
}

TEST(ChannelSymbolsTest, AllZeroMessageIsTheSyncVector) {
  const MessageFields zero = NormaliseMessage("000AAA", "RA90", "-64");
  const ChannelSymbols symbols = EncodeMessage(zero).symbols;
  EXPECT_TRUE(std::equal(symbols.begin(), symbols.end(), SyncVector.begin()));
}

TEST(ChannelSymbolsTest, EverySymbolCarriesItsSyncBitWhateverTheMessage) {
  const char* calls[] = {"Q1ABC", "QA1BCD", "\xff\x01\x7f", "zz9zzz", ""};
  const char* locators[] = {"AA00", "RR99", "\xff\xfe\xfd\xfc", ""};
  const char* powers[] = {"0", "60", "-2147483648", "2147483647"};
  for (const char* call : calls) {
    for (const char* loc : locators) {
      for (const char* power : powers) {
        const ChannelSymbols s = EncodeMessage(NormaliseMessage(call, loc, power)).symbols;
        for (std::size_t i = 0; i < kSymbolCount; ++i) {
          ASSERT_LE(s[i], 3);
          ASSERT_EQ(s[i] & 1, SyncVector[i]) << i;
        }
      }
    }
  }
}

}  // namespace
}  // namespace tonepak
