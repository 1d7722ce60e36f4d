// Gathers the icon's rendered sizes from the window's resources.
#include "qt_icon.hpp"

#include <QString>

namespace tuneworks {

QIcon TuneworksIcon() {
  QIcon icon;
  for (const int size : kIconSizes) {
    icon.addFile(QStringLiteral(":/icons/tuneworks-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tuneworks
