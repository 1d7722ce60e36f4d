// Turns the toolkit-free drawing of the icon into Qt images.
#include "qt_icon.hpp"

#include <QPixmap>

#include "tuneworks_icon.hpp"

namespace tuneworks {

QImage ToQImage(const RgbaImage& image) {
  return QImage(image.rgba.data(), image.size, image.size, qsizetype{image.size} * 4,
                QImage::Format_RGBA8888)
      .copy();
}

QIcon TuneworksIcon() {
  QIcon icon;
  for (const int size : kWindowsIconSizes) {
    icon.addPixmap(QPixmap::fromImage(ToQImage(DrawTuneworksIcon(size))));
  }
  return icon;
}

}  // namespace tuneworks
