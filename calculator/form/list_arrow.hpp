// Which item of a combo box's list Up or Down chooses in its closed field: the neighbour of the
// chosen item, or, after typing, the item the typed text names, as Windows' own combo box does.
#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace tuneworks {

// The item that Up (`step` -1) or Down (+1) chooses. With an item chosen (`chosen` >= 0), the one
// `step` places on, held at the ends of the list. With none (the field was typed into), the first
// item that `typed` names, else the first item, whichever the key. `typed` names an item when,
// without blanks around it, it begins the item's text, in any case: "mhz", "MHz " and "m" name
// MHz, "k" kHz, "48" "48 Bit AD9852"; "", "x" and "kHzz" name none. Nothing when the choice
// stays as it is or the list is empty.
std::optional<int> ItemForArrow(std::span<const std::string_view> items, int chosen,
                                std::string_view typed, int step);

}  // namespace tuneworks
