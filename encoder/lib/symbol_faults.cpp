// Which heard symbols differ from the intended transmission, and the fault that explains them.
#include "symbol_faults.hpp"

#include <algorithm>
#include <array>

#include "call_hash.hpp"
#include "message_unpacking.hpp"
#include "source_coding.hpp"
#include "sync.hpp"

namespace tonepak {
namespace {

// An explanation must account for at least this share of the symbols compared, and for this
// much more than the next best explanation of a different kind.
constexpr double kLeastAgreement = 0.6;
constexpr double kLeastMargin = 0.15;
// Fewer symbols than this compared (a transmission cut very short) explain nothing.
constexpr std::size_t kLeastCompared = 40;

struct Hypothesis {
  SymbolFault fault = SymbolFault::kNone;
  int shift = 0;
  std::size_t intended = 0;
  std::size_t compared = 0;
  std::size_t agreeing = 0;

  double Share() const {
    return compared == 0 ? 0.0 : static_cast<double>(agreeing) / static_cast<double>(compared);
  }
};

// `heard` holds the transmission's symbols [first, end), in place.
Hypothesis Try(const ChannelSymbols& heard, std::size_t first, std::size_t end,
               const ChannelSymbols& meant, std::size_t t, SymbolFault fault, int shift) {
  Hypothesis h{fault, shift, t, 0, 0};
  const ChannelSymbols sent = WithFault(meant, fault, shift);
  for (std::size_t i = first; i < end; ++i) {
    const auto j = static_cast<std::ptrdiff_t>(i) + shift;
    if (j < 0 || j >= static_cast<std::ptrdiff_t>(kSymbolCount)) continue;
    ++h.compared;
    h.agreeing += heard[i] == sent[i] ? 1 : 0;
  }
  return h;
}

bool SameMessage(const Message& a, const Message& b) {
  const SourceCode x = EncodeSource(a);
  const SourceCode y = EncodeSource(b);
  return x.n1 == y.n1 && x.n2 == y.n2;
}

// Whether the two are the two transmissions of one pair: a type 3 carrying the hash of the
// other's call, with the same power, and the same square when the other is a standard message.
bool ArePair(const Message& a, const Message& b) {
  if ((a.type == MessageType::kHashed) == (b.type == MessageType::kHashed)) return false;
  const Message& hashed = a.type == MessageType::kHashed ? a : b;
  const Message& other = a.type == MessageType::kHashed ? b : a;
  return CallHash(CallOf(other)) == hashed.call_hash &&
         other.fields.power_dbm == hashed.fields.power_dbm &&
         (other.type != MessageType::kStandard || other.fields.locator == hashed.fields.locator);
}

// As intended when the differing symbols are what noise makes: a symbol heard wrongly has a
// wrong sync bit two times in three, while a table that holds other data has right sync bits.
bool NoiseExplains(const ChannelSymbols& heard, std::size_t first, std::size_t end,
                   const ChannelSymbols& meant) {
  std::size_t data_only = 0;
  std::size_t sync_wrong = 0;
  for (std::size_t i = first; i < end; ++i) {
    if (heard[i] == meant[i]) continue;
    if ((heard[i] & 1U) != SyncVector[i]) {
      ++sync_wrong;
    } else {
      ++data_only;
    }
  }
  return data_only <= sync_wrong + 2;
}

}  // namespace

std::string_view FaultName(SymbolFault fault) {
  switch (fault) {
    case SymbolFault::kNone:
      return "none";
    case SymbolFault::kReversedInByte:
      return "reversed-in-byte";
    case SymbolFault::kBitsSwapped:
      return "bits-swapped";
    case SymbolFault::kTonesInverted:
      return "tones-inverted";
    case SymbolFault::kShifted:
      return "shifted";
    case SymbolFault::kOtherOfPair:
      return "other-of-pair";
    case SymbolFault::kOtherMessage:
      return "other-message";
    case SymbolFault::kUnexplained:
      return "unexplained";
  }
  return "unexplained";
}

ChannelSymbols WithFault(const ChannelSymbols& symbols, SymbolFault fault, int shift) {
  ChannelSymbols out = symbols;
  for (std::size_t i = 0; i < kSymbolCount; ++i) {
    const std::uint8_t s = symbols[i];
    switch (fault) {
      case SymbolFault::kReversedInByte: {
        // The last byte holds two symbols and four zero bits, which then go first.
        const std::size_t j = i / 4 * 4 + 3 - i % 4;
        out[i] = j < kSymbolCount ? symbols[j] : 0;
        break;
      }
      case SymbolFault::kBitsSwapped:
        out[i] = static_cast<std::uint8_t>(((s & 1U) << 1) | (s >> 1));
        break;
      case SymbolFault::kTonesInverted:
        out[i] = static_cast<std::uint8_t>(3 - s);
        break;
      case SymbolFault::kShifted: {
        const auto j = static_cast<std::ptrdiff_t>(i) + shift;
        out[i] = j >= 0 && j < static_cast<std::ptrdiff_t>(kSymbolCount)
                     ? symbols[static_cast<std::size_t>(j)]
                     : 0;
        break;
      }
      default:
        break;
    }
  }
  return out;
}

SymbolExplanation ExplainSymbols(const ChannelSymbols& heard_from_first, std::size_t heard_count,
                                 const IntendedTransmissions& intended,
                                 const std::optional<Message>& heard_message, std::size_t first) {
  // The heard symbols in their places in the transmission.
  first = std::min(first, kSymbolCount);
  const std::size_t end = first + std::min(heard_count, kSymbolCount - first);
  ChannelSymbols heard{};
  std::copy_n(heard_from_first.begin(), end - first,
              heard.begin() + static_cast<std::ptrdiff_t>(first));
  std::vector<Hypothesis> tried;
  for (std::size_t t = 0; t < intended.count; ++t) {
    const ChannelSymbols& meant = intended.symbols[t];
    for (const SymbolFault f : {SymbolFault::kNone, SymbolFault::kReversedInByte,
                                SymbolFault::kBitsSwapped, SymbolFault::kTonesInverted}) {
      tried.push_back(Try(heard, first, end, meant, t, f, 0));
    }
    for (int k = -kMaxShift; k <= kMaxShift; ++k) {
      if (k != 0) tried.push_back(Try(heard, first, end, meant, t, SymbolFault::kShifted, k));
    }
  }
  std::erase_if(tried, [](const Hypothesis& h) { return h.compared < kLeastCompared; });

  SymbolExplanation out;
  out.fault = SymbolFault::kUnexplained;
  const Hypothesis* best = nullptr;
  for (const Hypothesis& h : tried) {
    if (best == nullptr || h.Share() > best->Share()) best = &h;
  }
  // The transmission the heard one is compared with: the best explanation's, else the one most
  // like it as it stands.
  std::size_t t = 0;
  if (best != nullptr) t = best->intended;
  if (heard_message) {
    for (std::size_t u = 0; u < intended.count; ++u) {
      if (SameMessage(*heard_message, intended.messages[u])) t = u;
    }
  }
  const ChannelSymbols& meant = intended.symbols[t];
  out.intended = t;
  for (std::size_t i = first; i < end; ++i) {
    if (heard[i] != meant[i]) out.differing.push_back(i);
  }
  out.compared = end - first;
  out.agreeing = out.compared - out.differing.size();
  if (intended.count == 0) return out;

  double runner_up = 0.0;
  for (const Hypothesis& h : tried) {
    const bool same_kind = h.fault == best->fault && h.intended == best->intended;
    if (!same_kind) runner_up = std::max(runner_up, h.Share());
  }
  const bool clear = best != nullptr && best->Share() >= kLeastAgreement &&
                     best->Share() - runner_up >= kLeastMargin;
  if (clear && best->fault != SymbolFault::kNone) {
    out.fault = best->fault;
    out.shift = best->shift;
    out.compared = best->compared;
    out.agreeing = best->agreeing;
    return out;
  }
  if (clear && NoiseExplains(heard, first, end, meant)) {
    out.fault = SymbolFault::kNone;
    return out;
  }
  // No fault of the table's: what the decoder heard tells another transmission from noise.
  if (heard_message) {
    for (std::size_t u = 0; u < intended.count; ++u) {
      if (SameMessage(*heard_message, intended.messages[u])) {
        out.fault = clear ? SymbolFault::kUnexplained : SymbolFault::kNone;
        return out;
      }
    }
    out.fault = SymbolFault::kOtherMessage;
    for (std::size_t u = 0; u < intended.count; ++u) {
      if (ArePair(*heard_message, intended.messages[u])) out.fault = SymbolFault::kOtherOfPair;
    }
  }
  return out;
}

}  // namespace tonepak
