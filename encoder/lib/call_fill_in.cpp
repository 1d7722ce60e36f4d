// Filling in the call of a heard type-3 message from a type-1 or type-2 message heard with it.
#include "call_fill_in.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "call_hash.hpp"
#include "message_unpacking.hpp"

namespace tonepak {
namespace {

// The call of heard[j] when it carries one whose hash is `hash`.
std::optional<std::string> CallWithHash(const Message& m, std::uint16_t hash) {
  if (m.type == MessageType::kHashed) return std::nullopt;
  std::string call = CallOf(m);
  if (call.empty() || call.size() > CallText{}.size() || CallHash(call) != hash) {
    return std::nullopt;
  }
  return call;
}

}  // namespace

std::vector<Message> FillInCalls(std::span<const Message> heard) {
  std::vector<Message> out(heard.begin(), heard.end());
  for (std::size_t i = 0; i < out.size(); ++i) {
    Message& m = out[i];
    if (m.type != MessageType::kHashed || !CallOf(m).empty()) continue;
    std::optional<std::string> call;
    for (std::size_t j = i; j-- > 0 && !call;) call = CallWithHash(heard[j], m.call_hash);
    for (std::size_t j = i + 1; j < heard.size() && !call; ++j) {
      call = CallWithHash(heard[j], m.call_hash);
    }
    if (!call) continue;
    m.call.fill(' ');
    std::copy(call->begin(), call->end(), m.call.begin());
  }
  return out;
}

}  // namespace tonepak
