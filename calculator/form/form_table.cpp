// The order in which Tab visits the form's controls, taken from the table.
#include "form_table.hpp"

#include <algorithm>
#include <cassert>

namespace tuneworks {

std::array<ControlId, kFocusStopCount> TabOrder() {
  std::array<const ControlEntry*, kControlCount> by_tab{};
  std::transform(kControls.begin(), kControls.end(), by_tab.begin(),
                 [](const ControlEntry& entry) { return &entry; });
  std::sort(by_tab.begin(), by_tab.end(), [](const ControlEntry* a, const ControlEntry* b) {
    return a->tab_index < b->tab_index;
  });
  std::array<ControlId, kFocusStopCount> order{};
  std::size_t stops = 0;
  for (const ControlEntry* entry : by_tab) {
    if (entry->kind != ControlKind::kLabel && entry->enabled) {
      assert(stops < order.size());
      order[stops++] = entry->id;
    }
  }
  return order;
}

}  // namespace tuneworks
