// Reading a transmission back: from the 162 channel symbols, or the 41 packed bytes, to the
// message, with the exact reason when they are not a transmission of a standard WSPR message.
#include "decoding.hpp"

#include <algorithm>
#include <bit>
#include <bitset>

#include "convolution.hpp"
#include "interleaver.hpp"
#include "message_unpacking.hpp"
#include "sync.hpp"

namespace tonepak {
namespace {

constexpr std::size_t kTailBitCount = kCarriedSourceBitCount - kMessageBitCount;  // 31

// Everything that must be zero for a transmission: the 81 second-stream disagreements, then the
// 31 tail bits. It is linear in the coded bits, which is what lets single and double flips be
// found by comparing syndromes.
using Syndrome = std::bitset<kCarriedSourceBitCount + kTailBitCount>;

std::uint8_t Parity(std::uint32_t v) { return static_cast<std::uint8_t>(std::popcount(v) & 1); }

struct Inversion {
  std::array<std::uint8_t, kCarriedSourceBitCount> source{};
  Syndrome syndrome;
};

// Both polynomials have bit 0 set, so the newest register bit enters each parity once: the first
// stream gives it, the second must then agree.
Inversion Invert(const ConvolverBits& coded) {
  Inversion out;
  std::uint32_t reg = 0;
  for (std::size_t n = 0; n < kCarriedSourceBitCount; ++n) {
    reg <<= 1;
    const std::uint8_t bit = coded[2 * n] ^ Parity(reg & kPolynomial1);
    reg |= bit;
    out.source[n] = bit;
    out.syndrome[n] = Parity(reg & kPolynomial2) != coded[2 * n + 1];
    if (n >= kMessageBitCount) out.syndrome[kCarriedSourceBitCount + n - kMessageBitCount] = bit;
  }
  return out;
}

// The syndrome of each single flipped coded bit.
const std::array<Syndrome, kSymbolCount>& UnitSyndromes() {
  static const std::array<Syndrome, kSymbolCount> units = [] {
    std::array<Syndrome, kSymbolCount> out;
    for (std::size_t j = 0; j < kSymbolCount; ++j) {
      ConvolverBits coded{};
      coded[j] = 1;
      out[j] = Invert(coded).syndrome;
    }
    return out;
  }();
  return units;
}

// The fewest flipped coded bits, up to two, that explain a syndrome; the transmission positions
// of those bits when only one choice of them does.
void LocateCodedErrors(const Syndrome& syndrome, ChannelCheck& check) {
  if (syndrome.none()) return;
  const auto& units = UnitSyndromes();
  const auto& positions = InterleaverPositions();
  std::vector<std::vector<std::size_t>> choices;
  for (std::size_t j = 0; j < kSymbolCount; ++j) {
    if (units[j] == syndrome) choices.push_back({positions[j]});
  }
  check.coded_error_count = 1;
  if (choices.empty()) {
    check.coded_error_count = 2;
    for (std::size_t j = 0; j < kSymbolCount; ++j) {
      for (std::size_t k = j + 1; k < kSymbolCount; ++k) {
        if ((units[j] ^ units[k]) == syndrome) choices.push_back({positions[j], positions[k]});
      }
    }
  }
  if (choices.empty()) check.coded_error_count = 3;
  if (choices.size() == 1) {
    check.coded_error_symbols = choices.front();
    std::sort(check.coded_error_symbols.begin(), check.coded_error_symbols.end());
  }
}

std::uint32_t SourceNumber(const Inversion& inv, std::size_t first, std::size_t count) {
  std::uint32_t v = 0;
  for (std::size_t i = first; i < first + count; ++i) v = (v << 1) | inv.source[i];
  return v;
}

// "5", "5 and 17", "5, 17 and 90"; beyond 24 numbers the rest is counted, not listed.
std::string NumberList(const std::vector<std::size_t>& numbers) {
  constexpr std::size_t kListed = 24;
  std::string out;
  const std::size_t shown = numbers.size() > kListed ? kListed : numbers.size();
  for (std::size_t i = 0; i < shown; ++i) {
    if (i > 0) out += i + 1 == numbers.size() ? " and " : ", ";
    out += std::to_string(numbers[i]);
  }
  if (shown < numbers.size()) out += " and " + std::to_string(numbers.size() - shown) + " more";
  return out;
}

std::string Counted(std::size_t n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

}  // namespace

ChannelCheck CheckChannelSymbols(const ChannelSymbols& symbols) {
  ChannelCheck check;
  InterleavedBits data{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    if ((symbols[i] & 1U) != SyncVector[i]) check.sync_errors.push_back(i);
    data[i] = static_cast<std::uint8_t>((symbols[i] >> 1) & 1U);
  }
  const Inversion inv = Invert(Deinterleave(data));
  for (std::size_t n = 0; n < kCarriedSourceBitCount; ++n) {
    check.parity_disagreements += inv.syndrome[n] ? 1 : 0;
    if (n >= kMessageBitCount && inv.source[n] != 0) check.nonzero_tail_bits.push_back(n);
  }
  // Only disagreeing streams count as coded-bit errors; a code word whose tail is not zero is
  // reported as such. The tail still takes part in locating flips, where it tells apart flips
  // that the parity streams alone cannot.
  if (check.parity_disagreements > 0) LocateCodedErrors(inv.syndrome, check);
  check.n1 = SourceNumber(inv, 0, 28);
  check.n2 = SourceNumber(inv, 28, 22);
  return check;
}

Decoded DecodeSymbols(const ChannelSymbols& symbols) {
  const ChannelCheck check = CheckChannelSymbols(symbols);
  Decoded out;
  if (!check.sync_errors.empty()) {
    const std::size_t n = check.sync_errors.size();
    out.problems.push_back("the sync " +
                           std::string(n == 1 ? "bit of symbol " : "bits of symbols ") +
                           NumberList(check.sync_errors) + (n == 1 ? " disagrees" : " disagree") +
                           " with the WSPR synchronisation vector" +
                           (n == 1 ? "" : " (" + std::to_string(n) + " of 162)"));
  }
  if (check.coded_error_count >= 3) {
    out.problems.push_back(
        "3 or more coded bits disagree with the convolutional code: the second parity stream "
        "disagrees with the first in " +
        std::to_string(check.parity_disagreements) + " of 81 bits");
  } else if (check.coded_error_count > 0) {
    std::string text =
        Counted(check.coded_error_count, "coded bit disagrees", "coded bits disagree") +
        " with the convolutional code";
    if (check.coded_error_symbols.empty()) {
      text += "; more than one choice of flipped bits explains it";
    } else {
      text += std::string(": the data bit") +
              (check.coded_error_count == 1 ? " of symbol " : "s of symbols ") +
              NumberList(check.coded_error_symbols);
    }
    out.problems.push_back(text);
  } else if (!check.nonzero_tail_bits.empty()) {
    out.problems.push_back("the symbols are a code word, but source " +
                           std::string(check.nonzero_tail_bits.size() == 1 ? "bit " : "bits ") +
                           NumberList(check.nonzero_tail_bits) +
                           " of the tail (bits 50 to 80) must be zero");
  } else {
    UnpackedMessage unpacked = UnpackMessage(check.n1, check.n2);
    if (unpacked.message && !out.problems.empty()) {
      out.problems.push_back("the data bits alone carry " + MessageText(*unpacked.message));
    }
    out.problems.insert(out.problems.end(), unpacked.problems.begin(), unpacked.problems.end());
    if (out.problems.empty()) out.message = unpacked.message;
  }
  return out;
}

ChannelSymbols UnpackSymbols(const PackedSymbols& packed) {
  ChannelSymbols symbols{};
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    symbols[i] = static_cast<std::uint8_t>((packed[i / 4] >> (6 - 2 * (i % 4))) & 3U);
  }
  return symbols;
}

Decoded DecodePacked(const PackedSymbols& packed) {
  Decoded out = DecodeSymbols(UnpackSymbols(packed));
  if (const unsigned spare = packed.back() & 0x0FU; spare != 0) {
    constexpr char kHex[] = "0123456789ABCDEF";
    out.message.reset();
    out.problems.insert(out.problems.begin(),
                        std::string("the low four bits of the last byte are 0x") + kHex[spare] +
                            ", not 0: they hold no symbol");
  }
  return out;
}

}  // namespace tonepak
