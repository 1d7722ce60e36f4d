// A message drawn letter by letter.
#include "random_message.hpp"

#include <string_view>

namespace measure {
namespace {

constexpr std::string_view kLetters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kFieldLetters = "ABCDEFGHIJKLMNOPQR";  // the locator's 18 fields

char Pick(SeededRandom& random, std::string_view from) { return from[random.Below(from.size())]; }

}  // namespace

std::string RandomMessage(SeededRandom& random) {
  std::string text;
  const std::size_t prefix_letters = random.Chance(0.6) ? 2 : 1;
  for (std::size_t i = 0; i < prefix_letters; ++i) text += Pick(random, kLetters);
  text += Pick(random, kDigits);
  const std::size_t suffix_letters = 1 + random.Below(3);
  for (std::size_t i = 0; i < suffix_letters; ++i) text += Pick(random, kLetters);
  text += ' ';
  text += Pick(random, kFieldLetters);
  text += Pick(random, kFieldLetters);
  text += Pick(random, kDigits);
  text += Pick(random, kDigits);
  text += ' ';
  text += std::to_string(kStandardPowersDbm[random.Below(kStandardPowersDbm.size())]);
  return text;
}

}  // namespace measure
