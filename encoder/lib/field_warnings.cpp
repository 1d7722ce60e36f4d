// Warnings for message fields that a standard WSPR decoder could not read back.
#include "field_warnings.hpp"

#include <array>
#include <string_view>
#include <utility>

#include "ascii_text.hpp"

namespace tonepak {
namespace {

using wspr::ascii::IsDigit;
constexpr auto IsLetter = wspr::ascii::IsUpper;

// The field quoted with anything unprintable as \xNN, so the warning itself stays readable.
template <std::size_t N>
std::string Quoted(const std::array<char, N>& field) {
  return "'" + wspr::ascii::Escaped({field.data(), N}) + "'";
}

}  // namespace

std::string CallsignProblem(const CallsignField& call) {
  // What the call-sign number can carry, position by position.
  static constexpr std::array<const char*, 6> kExpected = {
      "a letter, a digit or a space", "a letter or a digit", "a digit",
      "a letter or a space",          "a letter or a space", "a letter or a space"};
  for (std::size_t i = 0; i < call.size(); ++i) {
    const char c = call[i];
    const bool ok = i == 0   ? IsLetter(c) || IsDigit(c) || c == ' '
                    : i == 1 ? IsLetter(c) || IsDigit(c)
                    : i == 2 ? IsDigit(c)
                             : IsLetter(c) || c == ' ';
    if (!ok) {
      return "position " + std::to_string(i) + " must be " + kExpected[i];
    }
  }
  return {};
}

namespace {

bool LocatorCarried(const LocatorField& loc) {
  auto field_letter = [](char c) { return c >= 'A' && c <= 'R'; };
  return field_letter(loc[0]) && field_letter(loc[1]) && IsDigit(loc[2]) && IsDigit(loc[3]);
}

}  // namespace

std::vector<std::string> FieldWarnings(const MessageFields& fields) {
  std::vector<std::string> warnings;
  if (const std::string why = CallsignProblem(fields.callsign); !why.empty()) {
    warnings.push_back("warning: call sign " + Quoted(fields.callsign) +
                       " cannot be carried by a standard WSPR message: " + why);
  }
  if (!LocatorCarried(fields.locator)) {
    warnings.push_back("warning: locator " + Quoted(fields.locator) +
                       " is outside AA00 to RR99, the squares a standard WSPR message carries");
  }
  if (std::string power = PowerWarning(fields.power_dbm); !power.empty()) {
    warnings.push_back(std::move(power));
  }
  return warnings;
}

std::string PowerWarning(std::int32_t p) {
  std::string power_why;
  if (p < 0 || p > 60) power_why = "it is outside 0 to 60 dBm";
  const std::int32_t last_digit = p < 0 ? -(p % 10) : p % 10;
  if (last_digit != 0 && last_digit != 3 && last_digit != 7) {
    if (!power_why.empty()) power_why += ", and ";
    power_why +=
        "its last digit is not 0, 3 or 7, so standard decoders read it as another message type";
  }
  if (power_why.empty()) return {};
  return "warning: power " + std::to_string(p) + " dBm: " + power_why;
}

}  // namespace tonepak
