// Unpacking N1 into the call sign and N2 into the locator and the power: source coding undone.
#include "message_unpacking.hpp"

#include <algorithm>
#include <string_view>

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

}  // namespace

UnpackedMessage UnpackMessage(std::uint32_t n1, std::uint32_t n2) {
  UnpackedMessage out;
  const std::string numbers = "N1 " + std::to_string(n1) + ", N2 " + std::to_string(n2) + ": ";
  if (n1 >= kCallsignNumbers) {
    out.problems.push_back(numbers + "N1 is no call sign; call-sign numbers end at " +
                           std::to_string(kCallsignNumbers - 1));
  }
  const std::uint32_t compact = n2 >> 7;
  if (compact >= kLocatorNumbers) {
    out.problems.push_back(numbers + "locator number " + std::to_string(compact) +
                           " is beyond RR99, the last square (" +
                           std::to_string(kLocatorNumbers - 1) + ")");
  }
  const int power = static_cast<int>(n2 & 127) - 64;
  const int last_digit = power < 0 ? -power % 10 : power % 10;
  if (power < 0 || power > 60) {
    out.problems.push_back(numbers + "power " + std::to_string(power) +
                           " dBm is outside 0 to 60 dBm, the powers a standard message carries");
  } else if (last_digit != 0 && last_digit != 3 && last_digit != 7) {
    out.problems.push_back(numbers + "power " + std::to_string(power) +
                           " dBm does not end in 0, 3 or 7: another WSPR message type (compound "
                           "or hashed call sign), which is not read here");
  }
  if (out.problems.empty())
    out.fields = MessageFields{UnpackCallsign(n1), UnpackLocator(compact), power};
  return out;
}

std::string MessageText(const MessageFields& fields) {
  std::string_view call(fields.callsign.data(), fields.callsign.size());
  call.remove_prefix(std::min(call.find_first_not_of(' '), call.size()));
  call.remove_suffix(call.size() - (call.find_last_not_of(' ') + 1));
  std::string out(call);
  out += ' ';
  out.append(fields.locator.data(), fields.locator.size());
  out += ' ';
  out += std::to_string(fields.power_dbm);
  return out;
}

}  // namespace tonepak
