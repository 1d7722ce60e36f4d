// The status line below Results after each recalculation.
#include "status_line.hpp"

#include <utility>

namespace tuneworks {

StatusLine StatusAfter(const CalcInputs& inputs, const CalcOutputs& outputs) {
  if (outputs.Overflow) {
    return StatusLine{std::string(kOverflowReport), true, {}};
  }
  ActualSummary actual = ActualStatusLine(CalculateActual(inputs));
  return StatusLine{std::move(actual.text), actual.warn, std::move(actual.tooltip)};
}

}  // namespace tuneworks
