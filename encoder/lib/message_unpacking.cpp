// Unpacking N1 into the call sign and N2 into the locator and the power: source coding undone.
#include "message_unpacking.hpp"

#include <algorithm>
#include <string_view>

#include "ascii_text.hpp"
#include "source_coding.hpp"

namespace tonepak {
namespace {

char Digit(std::uint32_t v) { return static_cast<char>('0' + v); }
char Letter(std::uint32_t v) { return static_cast<char>('A' + v); }

// Positions 0 and 1: digits 0-9, letters 10-35, and in position 0 a blank as 36.
char Alphanumeric(std::uint32_t v) { return v < 10 ? Digit(v) : v < 36 ? Letter(v - 10) : ' '; }

// Positions 3 to 5: letters 0-25, blank 26.
char Suffix(std::uint32_t v) { return v < 26 ? Letter(v) : ' '; }

CallsignField UnpackCallsign(std::uint32_t n1) {
  CallsignField call{};
  for (std::size_t i = 5; i >= 3; --i) {
    call[i] = Suffix(n1 % 27);
    n1 /= 27;
  }
  call[2] = Digit(n1 % 10);
  n1 /= 10;
  call[1] = Alphanumeric(n1 % 36);
  call[0] = Alphanumeric(n1 / 36);
  return call;
}

// The compact locator counts latitude within longitude, longitude from the east (179 - x).
LocatorField UnpackLocator(std::uint32_t compact) {
  const std::uint32_t lon = 179 - compact / 180;
  const std::uint32_t lat = compact % 180;
  return {Letter(lon / 10), Letter(lat / 10), Digit(lon % 10), Digit(lat % 10)};
}

// The call as a decoder prints it: the field without its alignment blanks.
std::string_view Trimmed(std::string_view text) {
  text.remove_prefix(std::min(text.find_first_not_of(' '), text.size()));
  text.remove_suffix(text.size() - (text.find_last_not_of(' ') + 1));
  return text;
}

// Types 2 and 3 carry any power from 0 to 60 dBm; a larger one is no message.
void CheckPower(int power, const std::string& numbers, UnpackedMessage& out) {
  if (power > 60) {
    out.problems.push_back(numbers + "power " + std::to_string(power) +
                           " dBm is outside 0 to 60 dBm, the powers a message carries");
  }
}

// A power code 0..62 that does not end in 0, 3 or 7: the call has a prefix or suffix, whose
// number's sixteenth bit is the code's distance above 1, 4 or 8.
void UnpackCompound(std::uint32_t n1, std::uint32_t n2, int code, const std::string& numbers,
                    UnpackedMessage& out) {
  const int unit = code % 10;
  const std::uint32_t high = (unit == 2 || unit == 5 || unit == 9) ? 1 : 0;
  const int power = code - 1 - static_cast<int>(high);
  const std::uint32_t affix = (n2 >> 7) + (high << 15);
  const CallsignField base_field = UnpackCallsign(n1);
  const std::string_view base = Trimmed({base_field.data(), base_field.size()});
  std::string call;
  if (affix < 37 * 37 * 37) {
    const std::string prefix{Alphanumeric(affix / (37 * 37)), Alphanumeric(affix / 37 % 37),
                             Alphanumeric(affix % 37)};
    const std::string_view p = Trimmed(prefix);
    // A base call of one or two characters would read back as a suffix.
    if (!p.empty() && prefix.ends_with(p) && p.find(' ') == std::string_view::npos &&
        base.size() > 2) {
      call = std::string(p) + "/";
    }
    if (!call.empty()) call += base;
  } else if (affix >= kSuffixBase && affix < kSuffixBase + 36) {
    call = std::string(base) + "/" + Alphanumeric(affix - kSuffixBase);
  } else if (affix >= kSuffixBase + 36 && affix < kSuffixBase + 126) {
    const std::uint32_t number = affix - kSuffixBase - 26;
    call = std::string(base) + "/" + Digit(number / 10) + Digit(number % 10);
  }
  if (call.empty()) {
    out.problems.push_back(numbers + "power code " + std::to_string(code) +
                           " marks a compound call, but prefix number " + std::to_string(affix) +
                           " is no prefix of one to three characters nor a suffix");
  }
  if (base.empty() || base.find(' ') != std::string_view::npos) {
    out.problems.push_back(numbers + "the base call of a compound call has blanks inside");
  }
  CheckPower(power, numbers, out);
  if (!out.problems.empty()) return;
  Message m;
  m.type = MessageType::kCompound;
  m.fields.callsign = base_field;
  m.fields.power_dbm = power;
  m.call.fill(' ');
  std::copy(call.begin(), call.end(), m.call.begin());
  out.message = m;
}

// A power code below zero: N1 is the six-character locator rotated by one place, N2 the call's
// 15-bit hash and -(power + 1).
void UnpackHashed(std::uint32_t n1, std::uint32_t n2, int code, const std::string& numbers,
                  UnpackedMessage& out) {
  const int power = -(code + 1);
  const CallsignField c = UnpackCallsign(n1);
  auto in = [](char x, char last) { return x >= 'A' && x <= last; };
  constexpr auto digit = wspr::ascii::IsDigit;
  if (!in(c[5], 'R') || !in(c[0], 'R') || !digit(c[1]) || !digit(c[2]) || !in(c[3], 'X') ||
      !in(c[4], 'X')) {
    out.problems.push_back(numbers + "N1 is no six-character locator (AA00AA to RR99XX)");
  }
  CheckPower(power, numbers, out);
  if (!out.problems.empty()) return;
  Message m;
  m.type = MessageType::kHashed;
  m.fields.locator = {c[5], c[0], c[1], c[2]};
  m.fields.power_dbm = power;
  m.subsquare = {c[3], c[4]};
  m.call.fill(' ');
  m.call_hash = static_cast<std::uint16_t>(n2 >> 7);
  out.message = m;
}

}  // namespace

UnpackedMessage UnpackMessage(std::uint32_t n1, std::uint32_t n2) {
  UnpackedMessage out;
  const std::string numbers = "N1 " + std::to_string(n1) + ", N2 " + std::to_string(n2) + ": ";
  if (n1 >= kCallsignNumbers) {
    out.problems.push_back(numbers + "N1 is no call sign; call-sign numbers end at " +
                           std::to_string(kCallsignNumbers - 1));
  }
  const int power = static_cast<int>(n2 & 127) - 64;
  const int last_digit = power < 0 ? -power % 10 : power % 10;
  if (power < 0) {
    UnpackHashed(n1, n2, power, numbers, out);
    return out;
  }
  if (power <= 62 && last_digit != 0 && last_digit != 3 && last_digit != 7 && last_digit != 6) {
    UnpackCompound(n1, n2, power, numbers, out);
    return out;
  }
  const std::uint32_t compact = n2 >> 7;
  if (compact >= kLocatorNumbers) {
    out.problems.push_back(numbers + "locator number " + std::to_string(compact) +
                           " is beyond RR99, the last square (" +
                           std::to_string(kLocatorNumbers - 1) + ")");
  }
  if (power > 60) {
    out.problems.push_back(numbers + "power " + std::to_string(power) +
                           " dBm is outside 0 to 60 dBm, the powers a standard message carries");
  } else if (last_digit == 6) {
    out.problems.push_back(numbers + "power code " + std::to_string(power) +
                           " ends in 6, which no WSPR message type uses");
  }
  if (out.problems.empty()) {
    out.message = Message(MessageFields{UnpackCallsign(n1), UnpackLocator(compact), power});
  }
  return out;
}

std::string CallOf(const Message& message) {
  if (message.type == MessageType::kStandard) {
    return std::string(Trimmed({message.fields.callsign.data(), message.fields.callsign.size()}));
  }
  return std::string(Trimmed({message.call.data(), message.call.size()}));
}

std::string MessageText(const Message& message) {
  const MessageFields& fields = message.fields;
  std::string out;
  switch (message.type) {
    case MessageType::kStandard:
      out = CallOf(message) + ' ';
      out.append(fields.locator.data(), fields.locator.size());
      break;
    case MessageType::kCompound:
      out = CallOf(message);
      break;
    case MessageType::kHashed: {
      const std::string call = CallOf(message);
      out = "<" + (call.empty() ? std::string("...") : call) + "> ";
      out.append(fields.locator.data(), fields.locator.size());
      out.append(message.subsquare.data(), message.subsquare.size());
      break;
    }
  }
  out += ' ';
  out += std::to_string(fields.power_dbm);
  return out;
}

}  // namespace tonepak
