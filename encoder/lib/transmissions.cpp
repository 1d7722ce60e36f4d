// What a beacon sends for one call sign, locator and power: one transmission, or a pair.
#include "transmissions.hpp"

#include <algorithm>

#include "ascii_text.hpp"
#include "call_hash.hpp"
#include "field_warnings.hpp"
#include "message_fields.hpp"
#include "message_unpacking.hpp"

namespace tonepak {
namespace {

std::string_view UpToNul(std::string_view text) { return text.substr(0, text.find('\0')); }

using wspr::ascii::IsDigit;
using wspr::ascii::ToUpper;

bool AllAlphanumeric(std::string_view s) {
  return std::all_of(s.begin(), s.end(), wspr::ascii::IsUpperAlphanumeric);
}

std::string Upper(std::string_view text) {
  std::string out(text);
  std::transform(out.begin(), out.end(), out.begin(), ToUpper);
  return out;
}

// The words of a refusal: "cannot send call sign 'X': why".
std::string Refusal(std::string_view call, const std::string& why) {
  std::string shown;
  for (const char c : call.substr(0, 24)) {
    shown += wspr::ascii::IsPrintable(c) ? c : '?';
  }
  if (call.size() > 24) shown += "...";
  return "cannot send call sign '" + shown + "': " + why;
}

// The base call of a compound call, or why it is none; empty means it is fine.
std::string BaseCallProblem(std::string_view base) {
  if (base.empty()) return "it has no base call";
  const bool shifted = base.size() < 3 || !IsDigit(base[2]);
  if (base.size() + (shifted ? 1 : 0) > 6) {
    return "its base call '" + std::string(base) + "' is longer than a standard message carries";
  }
  if (!AllAlphanumeric(base)) {
    return "its base call '" + std::string(base) + "' may hold only letters and digits";
  }
  if (const std::string why = CallsignProblem(NormaliseCallsign(base)); !why.empty()) {
    return "its base call '" + std::string(base) + "' cannot be carried by a standard message (" +
           why + " once aligned)";
  }
  return {};
}

// The compound call's message, or a refusal in `why`.
Message CompoundMessage(const std::string& call, std::int32_t power, std::string& why) {
  Message m;
  if (std::count(call.begin(), call.end(), '/') > 1) {
    why = "it has more than one '/'; a compound call has one prefix or one suffix";
    return m;
  }
  const std::size_t slash = call.find('/');
  const std::string_view before = std::string_view(call).substr(0, slash);
  const std::string_view after = std::string_view(call).substr(slash + 1);
  std::string_view base;
  if (after.empty()) {
    why = "nothing follows its '/'";
  } else if (before.empty()) {
    why = "nothing stands before its '/'";
  } else if (after.size() <= 2) {
    base = before;
    if (!AllAlphanumeric(after) ||
        (after.size() == 2 && !(IsDigit(after[0]) && IsDigit(after[1])))) {
      why = "its suffix '/" + std::string(after) + "' must be one letter or digit, or two digits";
    } else if (after.size() == 2 && after[0] == '0') {
      why = "its two-digit suffix '/" + std::string(after) +
            "' must be 10 to 99 (a decoder reads /00 to /09 as letters)";
    }
  } else {
    base = after;
    if (before.size() > 3) {
      why = "its prefix '" + std::string(before) +
            "/' is longer than three characters (a suffix after '/' is one letter or digit, "
            "or two digits)";
    } else if (!AllAlphanumeric(before)) {
      why = "its prefix '" + std::string(before) + "/' may hold only letters and digits";
    }
  }
  if (why.empty()) why = BaseCallProblem(base);
  if (!why.empty()) return m;
  m.type = MessageType::kCompound;
  m.fields.callsign = NormaliseCallsign(base);
  m.fields.power_dbm = power;
  m.call.fill(' ');
  std::copy(call.begin(), call.end(), m.call.begin());
  return m;
}

// The second transmission: the call's hash, the six-character locator, the power.
Message HashedMessage(std::string_view call, std::string_view locator, std::int32_t power) {
  Message m;
  m.type = MessageType::kHashed;
  m.fields.locator = NormaliseLocator(locator);
  m.fields.power_dbm = power;
  m.subsquare = {ToUpper(locator[4]), ToUpper(locator[5])};
  m.call.fill(' ');
  std::copy(call.begin(), call.end(), m.call.begin());
  m.call_hash = CallHash(call);
  return m;
}

}  // namespace

bool IsSixCharacterLocator(std::string_view l) {
  auto in = [](char c, char last) { return ToUpper(c) >= 'A' && ToUpper(c) <= last; };
  return l.size() == 6 && in(l[0], 'R') && in(l[1], 'R') && IsDigit(l[2]) && IsDigit(l[3]) &&
         in(l[4], 'X') && in(l[5], 'X');
}

Transmissions ChooseTransmissions(std::string_view call, std::string_view locator,
                                  std::string_view power) {
  Transmissions out;
  const std::string_view typed = UpToNul(call);
  const bool six = IsSixCharacterLocator(UpToNul(locator));
  if (typed.find('/') == std::string_view::npos) {
    out.messages[0] = NormaliseMessage(call, locator, power);
    out.count = 1;
    if (six) {
      out.messages[1] = HashedMessage(CallOf(out.messages[0]), locator, ParsePowerDbm(power));
      out.count = 2;
    }
    return out;
  }
  const std::string upper = Upper(typed);
  std::string why;
  out.messages[0] = CompoundMessage(upper, ParsePowerDbm(power), why);
  if (!why.empty()) {
    out.refusal = Refusal(typed, why);
    out.messages[0] = Message();
    return out;
  }
  out.count = 1;
  if (six) {
    out.messages[1] = HashedMessage(upper, locator, ParsePowerDbm(power));
    out.count = 2;
  } else {
    out.note =
        "note: a compound call's message carries no locator; with a six-character "
        "locator (such as FN42AX) a second transmission adds the position";
  }
  return out;
}

}  // namespace tonepak
