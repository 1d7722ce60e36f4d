// Each fault tried on the expected symbols and counted against what was heard.
#include "fst4w_faults.hpp"

#include <array>

namespace beaconcheck {

using tonepak::SymbolFault;
using tonepak::fst4w::ChannelSymbols;

ChannelSymbols WithFst4wFault(const ChannelSymbols& symbols, SymbolFault fault, int shift) {
  ChannelSymbols out = symbols;
  const auto count = static_cast<long long>(symbols.size());
  for (long long i = 0; i < count; ++i) {
    const auto n = static_cast<std::size_t>(i);
    const std::uint8_t s = symbols[n];
    switch (fault) {
      case SymbolFault::kReversedInByte:
        out[n] = symbols[n - n % 4 + 3 - n % 4];
        break;
      case SymbolFault::kBitsSwapped:
        out[n] = static_cast<std::uint8_t>(((s & 1U) << 1U) | (s >> 1U));
        break;
      case SymbolFault::kTonesInverted:
        out[n] = static_cast<std::uint8_t>(3 - s);
        break;
      case SymbolFault::kShifted:
        out[n] =
            i + shift >= 0 && i + shift < count ? symbols[static_cast<std::size_t>(i + shift)] : 0;
        break;
      default:
        break;
    }
  }
  return out;
}

Fst4wExplanation ExplainFst4wSymbols(const ChannelSymbols& heard, const ChannelSymbols& expected,
                                     bool decoded_same, bool decoded_other) {
  const auto differing = [&](const ChannelSymbols& sent) {
    std::vector<std::size_t> out;
    for (std::size_t n = 0; n < heard.size(); ++n) {
      if (heard[n] != sent[n]) out.push_back(n);
    }
    return out;
  };
  Fst4wExplanation plain{SymbolFault::kNone, 0, differing(expected)};
  if (decoded_same) return plain;
  if (decoded_other) return {SymbolFault::kOtherMessage, 0, plain.differing};
  Fst4wExplanation best = plain;
  const auto consider = [&](SymbolFault fault, int shift) {
    std::vector<std::size_t> d = differing(WithFst4wFault(expected, fault, shift));
    if (d.size() < best.differing.size()) best = {fault, shift, std::move(d)};
  };
  for (SymbolFault f :
       {SymbolFault::kReversedInByte, SymbolFault::kBitsSwapped, SymbolFault::kTonesInverted}) {
    consider(f, 0);
  }
  for (int shift = -tonepak::kMaxShift; shift <= tonepak::kMaxShift; ++shift) {
    if (shift != 0) consider(SymbolFault::kShifted, shift);
  }
  // Noise alone leaves three quarters of the symbols differing; a fault's explanation must
  // account for most of them and halve what is left.
  const std::size_t count = heard.size();
  if (best.fault == SymbolFault::kNone) {
    if (plain.differing.size() * 4 > count) plain.fault = SymbolFault::kUnexplained;
    return plain;
  }
  if (best.differing.size() * 2 > count || best.differing.size() * 2 > plain.differing.size()) {
    plain.fault =
        plain.differing.size() * 4 > count ? SymbolFault::kUnexplained : SymbolFault::kNone;
    return plain;
  }
  return best;
}

}  // namespace beaconcheck
