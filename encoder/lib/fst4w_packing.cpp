// FST4W's message text to its 50 bits: the three forms of a WSPR-like beacon message that
// WSJT-X's FST4W carries, each refused with the field at fault when it does not fit.
#include "fst4w_packing.hpp"

#include <array>
#include <cmath>
#include <optional>
#include <vector>

#include "ascii_text.hpp"
#include "fst4w_unpacking.hpp"

namespace tonepak::fst4w {
namespace {

constexpr std::uint32_t kTokens = 2063592;    // DE, QRZ, CQ and their kin come first
constexpr std::uint32_t kHashes = 4194304;    // then the 22-bit hashes, then standard calls
constexpr std::uint32_t kSuffixBase = 46656;  // 36^3: prefixes below, suffixes from here
constexpr std::string_view kAlnum = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return c >= 'A' && c <= 'Z'; }
bool IsAlnum(char c) { return IsDigit(c) || IsLetter(c); }

std::vector<std::string> Words(std::string_view text) {
  std::vector<std::string> words;
  std::string word;
  for (const char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\r') {
      if (!word.empty()) words.push_back(std::move(word));
      word.clear();
    } else {
      word.push_back(wspr::ascii::ToUpper(c));
    }
  }
  if (!word.empty()) words.push_back(std::move(word));
  return words;
}

void Put(MessageBits& bits, std::size_t first, std::size_t count, std::uint32_t value) {
  for (std::size_t i = 0; i < count; ++i) {
    bits[first + i] = static_cast<std::uint8_t>((value >> (count - 1 - i)) & 1U);
  }
}

// The position of the call-area digit: the last digit at the second place or later (0 for none).
std::size_t AreaDigit(std::string_view call) {
  for (std::size_t i = call.size(); i >= 2; --i) {
    if (IsDigit(call[i - 1])) return i;
  }
  return 0;
}

bool IsGrid4(std::string_view g) {
  return g.size() == 4 && g[0] >= 'A' && g[0] <= 'R' && g[1] >= 'A' && g[1] <= 'R' &&
         IsDigit(g[2]) && IsDigit(g[3]);
}

std::uint32_t Grid4Index(std::string_view g) {
  return ((static_cast<std::uint32_t>(g[0] - 'A') * 18 + static_cast<std::uint32_t>(g[1] - 'A')) *
              10 +
          static_cast<std::uint32_t>(g[2] - '0')) *
             10 +
         static_cast<std::uint32_t>(g[3] - '0');
}

// The power word: one or two digits, 0 to 60 dBm; 0.3 dBm steps of the bits, rounded.
std::optional<PackingRefusal> ReadPower(std::string_view word, int& dbm) {
  if (word.empty() || word.size() > 2 || !IsDigit(word[0]) ||
      (word.size() == 2 && !IsDigit(word[1]))) {
    return PackingRefusal{
        "power",
        "\"" + std::string(word) + "\" is no power: FST4W sends 0 to 60 dBm in one or two digits"};
  }
  dbm = word.size() == 1 ? word[0] - '0' : (word[0] - '0') * 10 + (word[1] - '0');
  if (dbm > 60) {
    return PackingRefusal{"power", std::to_string(dbm) + " dBm is above FST4W's 60 dBm"};
  }
  return std::nullopt;
}

std::uint32_t PowerCode(int dbm) { return static_cast<std::uint32_t>(std::lround(0.3 * dbm)); }

// Prefix (1 to 3 letters or digits) or suffix (1 or 2 letters or digits, or two and a digit).
std::optional<std::uint32_t> AffixCode(std::string_view affix, bool prefix) {
  if (affix.empty() || affix.size() > 3) return std::nullopt;
  for (const char c : affix) {
    if (!IsAlnum(c)) return std::nullopt;
  }
  std::uint32_t code = 0;
  if (prefix) {
    for (const char c : affix) code = code * 36 + static_cast<std::uint32_t>(kAlnum.find(c));
    return code;
  }
  if (affix.size() == 3) {
    if (!IsDigit(affix[2])) return std::nullopt;
    code = static_cast<std::uint32_t>(kAlnum.find(affix[0])) * 360 +
           static_cast<std::uint32_t>(kAlnum.find(affix[1])) * 10 +
           static_cast<std::uint32_t>(affix[2] - '0');
  } else {
    for (const char c : affix) code = code * 36 + static_cast<std::uint32_t>(kAlnum.find(c));
  }
  return kSuffixBase + code;
}

// The call beside a prefix or suffix, as WSJT-X checks it: a standard call that has a letter
// among its first two characters, does not start with Q, and ends in one to three letters.
bool IsCompoundBase(std::string_view call) {
  return IsStandardCall(call) && (IsLetter(call[0]) || IsLetter(call[1])) && call[0] != 'Q' &&
         IsLetter(call.back());
}

PackingRefusal CallRefusal(const std::string& call, const char* why) {
  return {"call", "\"" + call + "\" " + why};
}

std::variant<PackedMessage, PackingRefusal> CallGridPower(const std::vector<std::string>& w) {
  const std::string& call = w[0];
  if (call.size() < 3 || call.size() > 6 || call.find('/') != std::string::npos ||
      call.find('<') != std::string::npos) {
    return CallRefusal(call, "is no call for \"CALL GRID4 DBM\": 3 to 6 letters and digits");
  }
  for (const char c : call) {
    if (!IsAlnum(c)) return CallRefusal(call, "holds a character no call sign has");
  }
  if (!IsGrid4(w[1])) {
    return PackingRefusal{"locator",
                          "\"" + w[1] + "\" is no four-character locator (AA00 to RR99)"};
  }
  PackedMessage m;
  if (auto refusal = ReadPower(w[2], m.typed_power_dbm)) return *refusal;
  m.form = MessageForm::kCallGridPower;
  Put(m.bits, 0, 28, Call28(call));
  Put(m.bits, 28, 15, Grid4Index(w[1]));
  Put(m.bits, 43, 5, PowerCode(m.typed_power_dbm));
  return m;
}

std::variant<PackedMessage, PackingRefusal> CompoundCallPower(const std::vector<std::string>& w) {
  const std::string& call = w[0];
  const std::size_t slash = call.find('/');
  if (call.size() > 10 || slash == 0 || slash + 1 == call.size() ||
      call.find('/', slash + 1) != std::string::npos) {
    return CallRefusal(call, "is no compound call: PFX/CALL or CALL/SFX, 10 characters at most");
  }
  const bool prefix = slash <= 3;
  const std::string base = prefix ? call.substr(slash + 1) : call.substr(0, slash);
  const std::string affix = prefix ? call.substr(0, slash) : call.substr(slash + 1);
  if (!IsCompoundBase(base)) {
    return CallRefusal(call, "has no standard call beside its prefix or suffix");
  }
  const std::optional<std::uint32_t> code = AffixCode(affix, prefix);
  if (!code) {
    return CallRefusal(call, prefix ? "has a prefix FST4W cannot send: 1 to 3 letters or digits"
                                    : "has a suffix FST4W cannot send: 1 or 2 letters or digits, "
                                      "or two and a digit");
  }
  PackedMessage m;
  if (auto refusal = ReadPower(w[1], m.typed_power_dbm)) return *refusal;
  m.form = MessageForm::kCompoundCallPower;
  Put(m.bits, 0, 28, Call28(base));
  Put(m.bits, 28, 16, *code);
  Put(m.bits, 44, 5, PowerCode(m.typed_power_dbm));
  m.bits[49] = 1;
  return m;
}

std::variant<PackedMessage, PackingRefusal> HashedCallGrid6(const std::vector<std::string>& w) {
  const std::string& word = w[0];
  const std::string call = word.substr(1, word.size() - 2);
  if (word.size() < 3 || word.back() != '>' || call.size() > 11 || call.empty() ||
      call.find_first_of("<> ") != std::string::npos) {
    return CallRefusal(word, "is no hashed call: <CALL> with at most 11 characters");
  }
  for (const char c : call) {
    if (!IsAlnum(c) && c != '/') return CallRefusal(word, "holds a character no call sign has");
  }
  const std::string& grid = w[1];
  const bool six =
      grid.size() == 6 && grid[4] >= 'A' && grid[4] <= 'X' && grid[5] >= 'A' && grid[5] <= 'X';
  if (!IsGrid4(grid.substr(0, 4)) || (grid.size() != 4 && !six)) {
    return PackingRefusal{
        "locator", "\"" + grid + "\" is no locator of four or six characters (FN42, FN42AX)"};
  }
  // Subsquares counted in 25s, 24 24 standing for none.
  const std::uint32_t sub = six ? static_cast<std::uint32_t>(grid[4] - 'A') * 25 +
                                      static_cast<std::uint32_t>(grid[5] - 'A')
                                : 24 * 25 + 24;
  PackedMessage m;
  m.form = MessageForm::kHashedCallGrid6;
  Put(m.bits, 0, 22, CallHash22(call));
  Put(m.bits, 22, 25, Grid4Index(grid.substr(0, 4)) * 625 + sub);
  m.bits[48] = 1;
  return m;
}

}  // namespace

bool IsStandardCall(std::string_view call) {
  if (call.empty() || call.size() > 6) return false;
  for (const char c : call) {
    if (!IsAlnum(c)) return false;
  }
  const std::size_t area = AreaDigit(call);
  if (area < 2 || area > 3) return false;
  std::size_t letters_before = 0;
  std::size_t digits_before = 0;
  for (std::size_t i = 0; i + 1 < area; ++i) {
    letters_before += IsLetter(call[i]) ? 1 : 0;
    digits_before += IsDigit(call[i]) ? 1 : 0;
  }
  // After the digit only letters, at most three of them.
  for (std::size_t i = area; i < call.size(); ++i) {
    if (!IsLetter(call[i])) return false;
  }
  return letters_before > 0 && digits_before + 1 < area && call.size() - area <= 3;
}

std::uint32_t CallHash22(std::string_view call, unsigned bits) {
  constexpr std::string_view kChars = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ/";
  std::uint64_t n = 0;
  for (std::size_t i = 0; i < 11; ++i) {
    const char c = i < call.size() ? call[i] : ' ';
    const std::size_t at = kChars.find(c);
    n = 38 * n + (at == std::string_view::npos ? 0 : at);
  }
  return static_cast<std::uint32_t>((n * 47055833459ULL) >> (64 - bits));
}

std::uint32_t Call28(std::string_view call) {
  if (!IsStandardCall(call)) return kTokens + CallHash22(call);
  // Aligned so that the call-area digit is the third of six places.
  std::array<char, 6> c{' ', ' ', ' ', ' ', ' ', ' '};
  const std::size_t shift = AreaDigit(call) == 2 ? 1 : 0;
  for (std::size_t i = 0; i < call.size(); ++i) c[i + shift] = call[i];
  constexpr std::string_view kA1 = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  constexpr std::string_view kA4 = " ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  auto n = static_cast<std::uint32_t>(kA1.find(c[0]));
  n = n * 36 + static_cast<std::uint32_t>(kAlnum.find(c[1]));
  n = n * 10 + static_cast<std::uint32_t>(c[2] - '0');
  for (std::size_t i = 3; i < 6; ++i) n = n * 27 + static_cast<std::uint32_t>(kA4.find(c[i]));
  return n + kTokens + kHashes;
}

std::variant<PackedMessage, PackingRefusal> PackFst4wMessage(std::string_view text) {
  const std::vector<std::string> w = Words(text);
  std::variant<PackedMessage, PackingRefusal> result;
  if (w.size() == 3) {
    result = CallGridPower(w);
  } else if (w.size() == 2 && !w[0].empty() && w[0][0] == '<') {
    result = HashedCallGrid6(w);
  } else if (w.size() == 2 && w[0].find('/') != std::string::npos) {
    result = CompoundCallPower(w);
  } else if (w.size() == 2) {
    return PackingRefusal{"call", "\"" + w[0] +
                                      "\" with two words is neither a compound call (PJ4/K1ABC, "
                                      "K1ABC/P) nor a hashed one (<K1ABC>)"};
  } else {
    return PackingRefusal{"message",
                          "FST4W carries \"CALL GRID4 DBM\", \"PFX/CALL DBM\", \"CALL/SFX DBM\" or "
                          "\"<CALL> GRID6\""};
  }
  if (auto* m = std::get_if<PackedMessage>(&result)) {
    // The text as the receiving end shows it: read back from the bits, the hashed call named.
    std::string known = w[0];
    if (known.front() == '<') known = known.substr(1, known.size() - 2);
    const std::optional<UnpackedMessage> back = UnpackFst4wMessage(m->bits, known);
    if (!back) return PackingRefusal{"message", "does not read back from its bits"};
    m->text = back->text;
    m->power_dbm = back->power_dbm;
  }
  return result;
}

}  // namespace tonepak::fst4w
