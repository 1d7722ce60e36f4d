// Draws the icon: the phase accumulator as a wheel with eight steps, the current phase as a
// pointer, and the sine that the DDS reads out of its phase across the wheel.
#include "tuneworks_icon.hpp"

#include <QColor>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>

#include <cmath>
#include <numbers>

namespace tuneworks {

namespace {

QColor Grey(int level) { return {level, level, level}; }

}  // namespace

QImage DrawTuneworksIcon() {
  QImage image(kIconSize, kIconSize, QImage::Format_ARGB32);
  image.fill(Qt::transparent);

  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  const QPointF centre(16.0, 16.0);
  constexpr double kRadius = 14.5;

  // The wheel.
  painter.setPen(QPen(Grey(40), 1.5));
  painter.setBrush(Grey(225));
  painter.drawEllipse(centre, kRadius, kRadius);

  // Eight phase steps on the rim.
  painter.setPen(QPen(Grey(90), 1.2));
  for (int step = 0; step < 8; ++step) {
    const double angle = step * std::numbers::pi / 4.0;
    const QPointF outward(std::cos(angle), -std::sin(angle));
    painter.drawLine(centre + outward * (kRadius - 3.5), centre + outward * (kRadius - 1.0));
  }

  // The phase pointer at 45 degrees, the accumulator's current value.
  painter.setPen(QPen(Grey(120), 1.5, Qt::SolidLine, Qt::RoundCap));
  const QPointF phase(std::cos(std::numbers::pi / 4.0), -std::sin(std::numbers::pi / 4.0));
  painter.drawLine(centre, centre + phase * (kRadius - 4.0));

  // One cycle of the output sine across the wheel.
  QPainterPath sine;
  for (int x = 0; x <= 22; ++x) {
    const double y = 16.0 - 8.0 * std::sin(2.0 * std::numbers::pi * x / 22.0);
    const QPointF point(5.0 + x, y);
    if (x == 0) {
      sine.moveTo(point);
    } else {
      sine.lineTo(point);
    }
  }
  painter.setBrush(Qt::NoBrush);
  painter.setPen(QPen(Grey(0), 2.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.drawPath(sine);
  painter.end();
  return image;
}

}  // namespace tuneworks
