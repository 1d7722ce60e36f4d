// The order in which Tab visits the form's controls, taken from the table.
#include "form_table.hpp"

#include <algorithm>
#include <cassert>

namespace tuneworks {

std::array<ControlId, kFocusStopCount> TabOrder() {
  std::array<const ControlSpec*, kControlCount> by_tab{};
  std::transform(kControls.begin(), kControls.end(), by_tab.begin(),
                 [](const ControlSpec& spec) { return &spec; });
  std::sort(by_tab.begin(), by_tab.end(),
            [](const ControlSpec* a, const ControlSpec* b) { return a->tab_index < b->tab_index; });
  std::array<ControlId, kFocusStopCount> order{};
  std::size_t stops = 0;
  for (const ControlSpec* spec : by_tab) {
    if (spec->kind != ControlKind::kLabel && spec->enabled) {
      assert(stops < order.size());
      order[stops++] = spec->id;
    }
  }
  return order;
}

}  // namespace tuneworks
