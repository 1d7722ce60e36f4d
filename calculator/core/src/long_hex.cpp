// LongHex: a tuning word of up to 48 bits (and beyond) in hexadecimal, cut to the accumulator
// width of the selected Resolution.
#include <cstdint>
#include <string>

#include "tuneworks_core.hpp"
#include "tuning_words.hpp"

namespace tuneworks {

void LongHex(double& value, std::string& text, std::int16_t resolution_index) {
  value = value + 0.5;  // the caller's variable keeps the half, even when the word overflows
  text = detail::WordHex(detail::WholeWord(value), resolution_index);
}

}  // namespace tuneworks
