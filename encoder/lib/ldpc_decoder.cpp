// Sum-product propagation over the parity checks, and ordered-statistics decoding over the
// generator built from the systematic encoder.
#include "ldpc_decoder.hpp"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numeric>

#include "crc24.hpp"
#include "ldpc_240_74.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::size_t kKeptTotals = 3;
constexpr std::size_t kWords = (kCodewordBitCount + 63) / 64;  // 240 bits in four words
using Row = std::array<std::uint64_t, kWords>;

void Flip(Row& row, std::size_t bit) { row[bit / 64] ^= std::uint64_t{1} << (bit % 64); }
bool Get(const Row& row, std::size_t bit) { return ((row[bit / 64] >> (bit % 64)) & 1U) != 0; }
void Add(Row& into, const Row& row) {
  for (std::size_t w = 0; w < kWords; ++w) into[w] ^= row[w];
}

InfoBits InfoOf(const Codeword& word) {
  InfoBits info{};
  std::copy_n(word.begin(), kInfoBitCount, info.begin());
  return info;
}

std::size_t HardErrors(const Codeword& word, const BitLlrs& llrs) {
  std::size_t errors = 0;
  for (std::size_t i = 0; i < kCodewordBitCount; ++i) errors += (word[i] != 0) != (llrs[i] < 0);
  return errors;
}

// Row i: the codeword of information bit i alone. The encoder is linear, so these span the code.
const std::array<Row, kInfoBitCount>& GeneratorRows() {
  static const std::array<Row, kInfoBitCount> rows = [] {
    std::array<Row, kInfoBitCount> out{};
    for (std::size_t i = 0; i < kInfoBitCount; ++i) {
      InfoBits unit{};
      unit[i] = 1;
      const Codeword word = LdpcEncode(unit);
      for (std::size_t b = 0; b < kCodewordBitCount; ++b) {
        if (word[b] != 0) Flip(out[i], b);
      }
    }
    return out;
  }();
  return rows;
}

// `early`: the bits' totals after the first iterations, kept for ordered statistics, which
// does better on them than on the channel's ratios alone.
std::optional<LdpcDecoded> Propagate(const BitLlrs& llrs, std::array<BitLlrs, kKeptTotals>& early) {
  // Messages from each check to each of its bits, and the bits' totals.
  std::array<std::array<float, kBitsPerCheck>, kParityCheckCount> to_bit{};
  BitLlrs total = llrs;
  Codeword word{};
  for (std::size_t iteration = 1; iteration <= kPropagationIterations; ++iteration) {
    for (std::size_t c = 0; c < kParityCheckCount; ++c) {
      const ParityCheck& check = kParityChecks[c];
      std::array<float, kBitsPerCheck> t{};
      for (std::size_t k = 0; k < check.count; ++k) {
        const float from_bit = total[check.bits[k]] - to_bit[c][k];
        t[k] = std::tanh(std::clamp(from_bit, -30.0F, 30.0F) / 2.0F);
      }
      for (std::size_t k = 0; k < check.count; ++k) {
        float product = 1.0F;
        for (std::size_t j = 0; j < check.count; ++j) {
          if (j != k) product *= t[j];
        }
        product = std::clamp(product, -0.999999F, 0.999999F);
        const float message = 2.0F * std::atanh(product);
        total[check.bits[k]] += message - to_bit[c][k];
        to_bit[c][k] = message;
      }
    }
    if (iteration <= kKeptTotals) early[iteration - 1] = total;
    for (std::size_t b = 0; b < kCodewordBitCount; ++b) word[b] = total[b] < 0 ? 1 : 0;
    if (FailedChecks(word) == 0) {
      const InfoBits info = InfoOf(word);
      if (!CrcMatches(info)) return std::nullopt;
      return LdpcDecoded{info, word, LdpcMethod::kPropagation, iteration, HardErrors(word, llrs)};
    }
  }
  return std::nullopt;
}

// The reliabilities come from `llrs`; the distance limit is judged against `channel`.
std::optional<LdpcDecoded> OrderedStatistics(const BitLlrs& llrs, const BitLlrs& channel,
                                             int order) {
  std::array<std::size_t, kCodewordBitCount> by_reliability{};
  std::iota(by_reliability.begin(), by_reliability.end(), std::size_t{0});
  std::stable_sort(by_reliability.begin(), by_reliability.end(), [&](std::size_t a, std::size_t b) {
    return std::fabs(llrs[a]) > std::fabs(llrs[b]);
  });
  // Gaussian elimination over the columns, most reliable first: after it, row r is the codeword
  // that holds a 1 at pivot r and 0 at the other pivots.
  std::array<Row, kInfoBitCount> rows = GeneratorRows();
  std::array<std::size_t, kInfoBitCount> pivots{};
  std::size_t rank = 0;
  for (std::size_t column : by_reliability) {
    if (rank == kInfoBitCount) break;
    std::size_t r = rank;
    while (r < kInfoBitCount && !Get(rows[r], column)) ++r;
    if (r == kInfoBitCount) continue;
    std::swap(rows[rank], rows[r]);
    for (std::size_t other = 0; other < kInfoBitCount; ++other) {
      if (other != rank && Get(rows[other], column)) Add(rows[other], rows[rank]);
    }
    pivots[rank++] = column;
  }
  if (rank < kInfoBitCount) return std::nullopt;

  Row hard{};
  for (std::size_t b = 0; b < kCodewordBitCount; ++b) {
    if (llrs[b] < 0) Flip(hard, b);
  }
  // The soft distance of a candidate: the sizes of the ratios where it differs from the signs.
  const auto distance = [&](const Row& word) {
    float sum = 0.0F;
    for (std::size_t w = 0; w < kWords; ++w) {
      std::uint64_t differ = word[w] ^ hard[w];
      while (differ != 0) {
        const auto bit = static_cast<std::size_t>(std::countr_zero(differ));
        sum += std::fabs(llrs[w * 64 + bit]);
        differ &= differ - 1;
      }
    }
    return sum;
  };
  Row base{};
  for (std::size_t r = 0; r < kInfoBitCount; ++r) {
    if (Get(hard, pivots[r])) Add(base, rows[r]);
  }
  std::optional<Row> best;
  float best_distance = 0.0F;
  const auto consider = [&](const Row& word) {
    const float d = distance(word);
    if (best && d >= best_distance) return;
    Codeword bits{};
    for (std::size_t b = 0; b < kCodewordBitCount; ++b) bits[b] = Get(word, b) ? 1 : 0;
    if (!CrcMatches(InfoOf(bits))) return;
    best = word;
    best_distance = d;
  };
  consider(base);
  if (order >= 1) {
    for (std::size_t i = 0; i < kInfoBitCount; ++i) {
      Row one = base;
      Add(one, rows[i]);
      consider(one);
      if (order < 2) continue;
      for (std::size_t j = i + 1; j < kInfoBitCount; ++j) {
        Row two = one;
        Add(two, rows[j]);
        consider(two);
      }
    }
  }
  if (!best) return std::nullopt;
  Codeword word{};
  for (std::size_t b = 0; b < kCodewordBitCount; ++b) word[b] = Get(*best, b) ? 1 : 0;
  const std::size_t errors = HardErrors(word, channel);
  if (errors > kOrderedStatisticsMaxErrors) return std::nullopt;
  return LdpcDecoded{InfoOf(word), word, LdpcMethod::kOrderedStatistics, 0, errors};
}

}  // namespace

std::optional<LdpcDecoded> DecodeLdpc(const BitLlrs& llrs, int order) {
  std::array<BitLlrs, kKeptTotals> early{};
  early.fill(llrs);
  if (auto decoded = Propagate(llrs, early)) return decoded;
  if (order <= 0) return std::nullopt;
  if (auto decoded = OrderedStatistics(llrs, llrs, order)) return decoded;
  for (const BitLlrs& totals : early) {
    if (auto decoded = OrderedStatistics(totals, llrs, order)) return decoded;
  }
  return std::nullopt;
}

}  // namespace tonepak::fst4w
