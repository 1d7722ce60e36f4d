// The icon for the window and the application, from the sizes rendered from its drawing.
#pragma once

#include <QIcon>
#include <array>

namespace tuneworks {

// The sizes the icon is rendered at, each a PNG in the resources under :/icons/.
inline constexpr std::array<int, 4> kIconSizes = {16, 32, 48, 256};

// The icon with every rendered size, so that every place that shows it gets a drawn one.
QIcon TuneworksIcon();

}  // namespace tuneworks
