// FST4W's 50 message bits back to the text a decoder shows: the three beacon forms, a hashed
// call as "<...>" unless the call is known.
#include "fst4w_unpacking.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::uint32_t kTokens = 2063592;
constexpr std::uint32_t kHashes = 4194304;
constexpr std::uint32_t kSuffixBase = 46656;
constexpr std::string_view kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kA1 = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kA4 = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";

std::uint32_t Get(const MessageBits& bits, std::size_t first, std::size_t count) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < count; ++i) value = (value << 1) | (bits[first + i] & 1U);
  return value;
}

std::string HashedCall(std::uint32_t hash, std::string_view known_call) {
  if (!known_call.empty() && CallHash22(known_call) == hash) {
    return "<" + std::string(known_call) + ">";
  }
  return "<...>";
}

// A standard call from its places, or nothing when the places spell none.
std::optional<std::string> StandardCall(std::uint32_t n) {
  std::string c(6, ' ');
  for (std::size_t i = 5; i >= 3; --i) {
    c[i] = kA4[n % 27];
    n /= 27;
  }
  c[2] = static_cast<char>('0' + n % 10);
  n /= 10;
  c[1] = kAlnum[n % 36];
  n /= 36;
  if (n >= kA1.size()) return std::nullopt;
  c[0] = kA1[n];
  const std::size_t first = c.find_first_not_of(' ');
  const std::size_t last = c.find_last_not_of(' ');
  std::string call = c.substr(first, last - first + 1);
  if (call.find(' ') != std::string::npos) return std::nullopt;
  if (call.size() >= 2 && call[0] >= '0' && call[0] <= '9' && call[1] >= '0' && call[1] <= '9') {
    return std::nullopt;
  }
  return call;
}

std::optional<std::string> Grid4(std::uint32_t index) {
  if (index >= 18 * 18 * 100) return std::nullopt;
  std::string g(4, ' ');
  g[3] = static_cast<char>('0' + index % 10);
  g[2] = static_cast<char>('0' + index / 10 % 10);
  g[1] = static_cast<char>('A' + index / 100 % 18);
  g[0] = static_cast<char>('A' + index / 1800);
  return g;
}

int PowerOf(std::uint32_t code) { return static_cast<int>((code * 10 + 1) / 3); }

}  // namespace

std::optional<UnpackedMessage> UnpackFst4wMessage(const MessageBits& bits,
                                                  std::string_view known_call) {
  UnpackedMessage m;
  const bool bit49 = bits[48] != 0;
  const bool bit50 = bits[49] != 0;
  if (!bit50 && bit49) {
    m.form = MessageForm::kHashedCallGrid6;
    m.hash22 = Get(bits, 0, 22);
    m.call = HashedCall(*m.hash22, known_call);
    const std::uint32_t grid = Get(bits, 22, 25);
    const std::optional<std::string> four = Grid4(grid / 625);
    const std::uint32_t sub5 = grid % 625 / 25;
    const std::uint32_t sub6 = grid % 25;
    if (!four) return std::nullopt;
    m.locator = *four;
    if (sub5 != 24 || sub6 != 24) {
      m.locator += static_cast<char>('A' + sub5);
      m.locator += static_cast<char>('A' + sub6);
    }
    m.text = m.call + " " + m.locator;
    return m;
  }

  const std::uint32_t n28 = Get(bits, 0, 28);
  if (n28 < kTokens) return std::nullopt;
  if (n28 < kTokens + kHashes) {
    m.hash22 = n28 - kTokens;
    m.call = HashedCall(*m.hash22, known_call);
  } else {
    const std::optional<std::string> call = StandardCall(n28 - kTokens - kHashes);
    if (!call) return std::nullopt;
    m.call = *call;
  }

  if (!bit50) {
    m.form = MessageForm::kCallGridPower;
    const std::optional<std::string> grid = Grid4(Get(bits, 28, 15));
    if (!grid) return std::nullopt;
    m.locator = *grid;
    m.power_dbm = PowerOf(Get(bits, 43, 5));
    m.text = m.call + " " + m.locator + " " + std::to_string(m.power_dbm);
    return m;
  }

  m.form = MessageForm::kCompoundCallPower;
  if (m.hash22) return std::nullopt;  // a compound call is built on a standard one
  std::uint32_t affix = Get(bits, 28, 16);
  m.power_dbm = PowerOf(Get(bits, 44, 5));
  std::string text;
  if (affix < kSuffixBase) {
    std::string prefix;
    do {
      prefix.insert(prefix.begin(), kAlnum[affix % 36]);
      affix /= 36;
    } while (affix != 0);
    m.call = prefix + "/" + m.call;
  } else {
    affix -= kSuffixBase;
    std::string suffix;
    if (affix <= 35) {
      suffix = kAlnum.substr(affix, 1);
    } else if (affix <= 1295) {
      suffix = {kAlnum[affix / 36], kAlnum[affix % 36]};
    } else if (affix <= 12959) {
      suffix = {kAlnum[affix / 360], kAlnum[affix / 10 % 36], kAlnum[affix % 10]};
    } else {
      return std::nullopt;
    }
    m.call += "/" + suffix;
  }
  m.text = m.call + " " + std::to_string(m.power_dbm);
  return m;
}

}  // namespace tonepak::fst4w
