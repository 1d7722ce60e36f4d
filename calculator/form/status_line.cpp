// The status line below Results after each recalculation.
#include "status_line.hpp"

namespace tuneworks {

StatusLine StatusAfter(const CalcOutputs& outputs) {
  if (outputs.Overflow) {
    return StatusLine{std::string(kOverflowReport), true, {}};
  }
  return StatusLine{};
}

}  // namespace tuneworks
