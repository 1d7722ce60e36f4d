// The Fano sequential decoder of the K=32 rate-1/2 WSPR code.
#include "fano_decoder.hpp"

#include <bit>
#include <limits>

#include "convolution.hpp"

namespace tonepak {
namespace {

// One node of the path: the encoder's register after the bits so far, the metric up to here,
// and its branches, the better one first.
struct Node {
  std::uint32_t state = 0;
  std::int32_t gamma = 0;
  std::array<std::int32_t, 2> branch_metric{};  // better, worse
  std::uint8_t better_bit = 0;
  std::uint8_t tried = 0;  // 0: on the better branch, 1: on the worse
};

constexpr std::int32_t kNoBranch = std::numeric_limits<std::int32_t>::min() / 4;

std::int32_t BranchMetric(const BitMetrics& m, std::size_t depth, std::uint32_t reg) {
  const auto c0 = static_cast<unsigned>(std::popcount(reg & kPolynomial1) & 1);
  const auto c1 = static_cast<unsigned>(std::popcount(reg & kPolynomial2) & 1);
  return m[2 * depth][c0] + m[2 * depth + 1][c1];
}

void Expand(const BitMetrics& m, std::size_t depth, Node& node) {
  const std::uint32_t reg0 = node.state << 1;
  const std::int32_t m0 = BranchMetric(m, depth, reg0);
  node.tried = 0;
  if (depth >= kMessageBitCount) {  // the tail: zeros only
    node.branch_metric = {m0, kNoBranch};
    node.better_bit = 0;
    return;
  }
  const std::int32_t m1 = BranchMetric(m, depth, reg0 | 1U);
  if (m1 > m0) {
    node.branch_metric = {m1, m0};
    node.better_bit = 1;
  } else {
    node.branch_metric = {m0, m1};
    node.better_bit = 0;
  }
}

}  // namespace

std::optional<FanoResult> FanoDecode(const BitMetrics& metrics, const DecoderLimits& limits) {
  constexpr std::size_t kDepth = kCarriedSourceBitCount;
  std::array<Node, kDepth + 1> nodes{};
  const std::int32_t delta = limits.threshold_step;
  const std::size_t max_cycles = limits.cycles_per_bit * kDepth;

  std::int32_t threshold = 0;
  std::size_t k = 0;
  Expand(metrics, 0, nodes[0]);
  for (std::size_t cycle = 1; cycle <= max_cycles; ++cycle) {
    Node& here = nodes[k];
    const std::int32_t next_gamma = here.gamma + here.branch_metric[here.tried];
    if (next_gamma >= threshold) {
      // Forward. On the first visit to the next node, tighten the threshold as far as it goes.
      if (here.gamma < threshold + delta) {
        while (next_gamma >= threshold + delta) threshold += delta;
      }
      const unsigned bit = here.tried == 0 ? here.better_bit : 1U - here.better_bit;
      Node& next = nodes[k + 1];
      next.state = (here.state << 1) | bit;
      next.gamma = next_gamma;
      ++k;
      if (k == kDepth) {
        FanoResult out;
        for (std::size_t n = 0; n < kDepth; ++n) {
          out.bits[n] = static_cast<std::uint8_t>(nodes[n + 1].state & 1U);
        }
        out.metric = next_gamma;
        out.cycles = cycle;
        return out;
      }
      Expand(metrics, k, next);
      continue;
    }
    // Backward, for as long as the way back stays above the threshold and offers no untried
    // branch; where it does not, lower the threshold and go forward again on the better branch.
    for (;;) {
      if (k == 0 || nodes[k - 1].gamma < threshold) {
        threshold -= delta;
        nodes[k].tried = 0;
        break;
      }
      --k;
      Node& back = nodes[k];
      if (back.tried == 0 && back.branch_metric[1] != kNoBranch) {
        back.tried = 1;
        break;
      }
    }
  }
  return std::nullopt;
}

}  // namespace tonepak
