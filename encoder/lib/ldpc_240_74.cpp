// The parity checks of FST4W's LDPC code and the encoder solved from them. The last 166 columns
// of the parity-check matrix are invertible, so each parity bit is a fixed sum of information
// bits; those sums are found once, by Gaussian elimination over GF(2), on the first encoding.
#include "ldpc_240_74.hpp"

#include <bitset>
#include <utility>

namespace tonepak::fst4w {

const std::array<ParityCheck, kParityCheckCount> kParityChecks{{
#include "ldpc_240_74_checks.inc"
}};

namespace {

using InfoMask = std::bitset<kInfoBitCount>;
constexpr std::size_t kParityBitCount = kCodewordBitCount - kInfoBitCount;
using ParityMask = std::bitset<kParityBitCount>;

// Row i: which information bits parity bit i sums.
using Generator = std::array<InfoMask, kParityBitCount>;

Generator SolveGenerator() {
  // H = [A | B]: B p = A m, so p = B^-1 A m. Eliminate on [B | A] row by row.
  std::array<ParityMask, kParityCheckCount> b{};
  std::array<InfoMask, kParityCheckCount> a{};
  for (std::size_t row = 0; row < kParityCheckCount; ++row) {
    const ParityCheck& check = kParityChecks[row];
    for (std::size_t k = 0; k < check.count; ++k) {
      const std::size_t bit = check.bits[k];
      if (bit < kInfoBitCount) {
        a[row].flip(bit);
      } else {
        b[row].flip(bit - kInfoBitCount);
      }
    }
  }
  for (std::size_t column = 0; column < kParityBitCount; ++column) {
    std::size_t pivot = column;
    while (pivot < kParityCheckCount && !b[pivot].test(column)) {
      ++pivot;
    }
    // The published code is systematic in these columns; a table typed in wrong would stop here.
    if (pivot == kParityCheckCount) {
      return Generator{};
    }
    std::swap(b[pivot], b[column]);
    std::swap(a[pivot], a[column]);
    for (std::size_t row = 0; row < kParityCheckCount; ++row) {
      if (row != column && b[row].test(column)) {
        b[row] ^= b[column];
        a[row] ^= a[column];
      }
    }
  }
  Generator generator{};
  for (std::size_t i = 0; i < kParityBitCount; ++i) {
    generator[i] = a[i];
  }
  return generator;
}

const Generator& TheGenerator() {
  static const Generator generator = SolveGenerator();
  return generator;
}

}  // namespace

Codeword LdpcEncode(const InfoBits& info) {
  InfoMask message;
  for (std::size_t i = 0; i < kInfoBitCount; ++i) {
    message.set(i, info[i] != 0);
  }
  Codeword word{};
  for (std::size_t i = 0; i < kInfoBitCount; ++i) {
    word[i] = info[i] & 1U;
  }
  const Generator& generator = TheGenerator();
  for (std::size_t i = 0; i < kParityBitCount; ++i) {
    word[kInfoBitCount + i] = static_cast<std::uint8_t>((generator[i] & message).count() & 1U);
  }
  return word;
}

std::size_t FailedChecks(const Codeword& word) {
  std::size_t failed = 0;
  for (const ParityCheck& check : kParityChecks) {
    unsigned sum = 0;
    for (std::size_t k = 0; k < check.count; ++k) {
      sum ^= word[check.bits[k]] & 1U;
    }
    failed += sum;
  }
  return failed;
}

}  // namespace tonepak::fst4w
