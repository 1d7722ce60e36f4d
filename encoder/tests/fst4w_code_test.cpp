// The CRC, the LDPC encoder and the frame against a transmission fst4sim (WSJT-X 2.6.1) made:
// "K1ABC FN42 37", its 50 message bits, 24 CRC bits and 160 channel symbols as it printed them.
#include <gtest/gtest.h>

#include <string_view>

#include "crc24.hpp"
#include "fst4w_symbols.hpp"
#include "ldpc_240_74.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::string_view kInfoText =
    "00001001101111011110001101010101000011001100101100011000110101011110011011000";
constexpr std::string_view kSymbolText =
    "0132102300313221230211110020203201302123103201112313232323030132223312"
    "1322100132102300031211202213232033112312110223103201103300000221010012"
    "23313221230101321023";

InfoBits InfoOf(std::string_view text) {
  InfoBits info{};
  for (std::size_t i = 0; i < info.size(); ++i) {
    info[i] = static_cast<std::uint8_t>(text[i] - '0');
  }
  return info;
}

ChannelSymbols SymbolsOf(std::string_view text) {
  ChannelSymbols symbols{};
  for (std::size_t i = 0; i < symbols.size(); ++i) {
    symbols[i] = static_cast<std::uint8_t>(text[i] - '0');
  }
  return symbols;
}

TEST(Fst4wCode, CrcLdpcAndFrameGiveFst4simsSymbols) {
  const InfoBits info = InfoOf(kInfoText);
  MessageBits message{};
  std::copy_n(info.begin(), message.size(), message.begin());
  EXPECT_EQ(WithCrc(message), info);
  const Codeword word = LdpcEncode(info);
  EXPECT_EQ(FailedChecks(word), 0U);
  EXPECT_EQ(ChannelSymbolsOf(word), SymbolsOf(kSymbolText));
  EXPECT_EQ(CodewordOf(SymbolsOf(kSymbolText)), word);
  EXPECT_EQ(SyncErrors(SymbolsOf(kSymbolText)), 0U);
}

TEST(Fst4wCode, EveryBitFlipIsCaught) {
  const Codeword word = LdpcEncode(InfoOf(kInfoText));
  for (std::size_t bit = 0; bit < word.size(); ++bit) {
    Codeword flipped = word;
    flipped[bit] ^= 1U;
    EXPECT_EQ(FailedChecks(flipped), kChecksPerBit) << "bit " << bit;
  }
  for (std::size_t bit = 0; bit < kInfoBitCount; ++bit) {
    InfoBits info = InfoOf(kInfoText);
    info[bit] ^= 1U;
    EXPECT_FALSE(CrcMatches(info)) << "bit " << bit;
  }
}

}  // namespace
}  // namespace tonepak::fst4w
