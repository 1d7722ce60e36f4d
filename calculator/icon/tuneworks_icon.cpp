// Draws the icon: the phase accumulator as a wheel with eight steps, the current phase as a
// pointer, and the sine that the DDS reads out of its phase across the wheel. Every shape is
// measured on a 32-unit grid and rasterised by its distance from each pixel's centre, which
// gives smooth edges at every size.
#include "tuneworks_icon.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace tuneworks {

namespace {

struct Point {
  double x;
  double y;
};

Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point operator*(Point a, double k) { return {a.x * k, a.y * k}; }
double Dot(Point a, Point b) { return a.x * b.x + a.y * b.y; }
double Length(Point a) { return std::hypot(a.x, a.y); }

constexpr Point kCentre{16.0, 16.0};
constexpr double kRadius = 14.5;

// Distance from p to the segment a-b, and how far along it (0 at a, its length at b) p lies.
struct SegmentDistance {
  double across;
  double along;
  double length;
};

SegmentDistance FromSegment(Point p, Point a, Point b) {
  const Point ab = b - a;
  const double length = Length(ab);
  const Point unit = ab * (1.0 / length);
  const double along = Dot(p - a, unit);
  const Point foot = a + unit * std::clamp(along, 0.0, length);
  return {Length(p - foot), along, length};
}

// The canvas: straight-alpha grey and coverage per pixel, painted over shape by shape.
class Canvas {
 public:
  explicit Canvas(int size)
      : size_(size),
        scale_(static_cast<double>(size) / kIconSize),
        grey_(static_cast<std::size_t>(size) * static_cast<std::size_t>(size), 0.0),
        alpha_(grey_.size(), 0.0) {}

  // Paints `grey` (0 black, 255 white) wherever `distance_inside` is positive: a shape's signed
  // distance from its edge, in grid units, positive inside. One pixel's width of blending.
  template <typename Shape>
  void Paint(int grey, Shape distance_inside) {
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const Point centre{(x + 0.5) / scale_, (y + 0.5) / scale_};
        const double cover = std::clamp(distance_inside(centre) * scale_ + 0.5, 0.0, 1.0);
        if (cover > 0.0) {
          Over(Index(x, y), grey, cover);
        }
      }
    }
  }

  RgbaImage Image() const {
    RgbaImage image{size_, std::vector<std::uint8_t>(grey_.size() * 4)};
    for (int y = 0; y < size_; ++y) {
      for (int x = 0; x < size_; ++x) {
        const std::size_t at = Index(x, y);
        const auto grey = static_cast<std::uint8_t>(std::lround(grey_[at]));
        const std::size_t out = image.Offset(x, y);
        image.rgba[out] = grey;
        image.rgba[out + 1] = grey;
        image.rgba[out + 2] = grey;
        image.rgba[out + 3] = static_cast<std::uint8_t>(std::lround(alpha_[at] * 255.0));
      }
    }
    return image;
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(size_) +
           static_cast<std::size_t>(x);
  }

  // Source-over blending of one grey at coverage `cover` onto the pixel.
  void Over(std::size_t at, int grey, double cover) {
    const double below = alpha_[at] * (1.0 - cover);
    const double alpha = cover + below;
    grey_[at] = (grey * cover + grey_[at] * below) / alpha;
    alpha_[at] = alpha;
  }

  int size_;
  double scale_;
  std::vector<double> grey_;
  std::vector<double> alpha_;
};

// A line `width` wide from a to b, ends rounded.
auto RoundLine(Point a, Point b, double width) {
  return [=](Point p) { return width / 2.0 - FromSegment(p, a, b).across; };
}

// A line `width` wide from a to b, ends squared off half the width beyond a and b.
auto SquareLine(Point a, Point b, double width) {
  return [=](Point p) {
    const SegmentDistance d = FromSegment(p, a, b);
    const double beyond_ends = std::abs(d.along - d.length / 2.0) - d.length / 2.0;
    const Point unit = (b - a) * (1.0 / d.length);
    const double off_axis = std::abs(Dot(p - a, Point{-unit.y, unit.x}));
    return width / 2.0 - std::max(beyond_ends, off_axis);
  };
}

// A line `width` wide through `points`, with round joins and ends.
auto RoundPolyline(std::vector<Point> points, double width) {
  return [points = std::move(points), width](Point p) {
    double nearest = Length(p - points.front());
    for (std::size_t i = 1; i < points.size(); ++i) {
      nearest = std::min(nearest, FromSegment(p, points[i - 1], points[i]).across);
    }
    return width / 2.0 - nearest;
  };
}

Point Outward(double angle) { return {std::cos(angle), -std::sin(angle)}; }

}  // namespace

RgbaImage DrawTuneworksIcon(int size) {
  Canvas canvas(size);

  // The wheel, its rim drawn over the edge of its face.
  canvas.Paint(225, [](Point p) { return kRadius - Length(p - kCentre); });
  canvas.Paint(40, [](Point p) { return 0.75 - std::abs(Length(p - kCentre) - kRadius); });

  // Eight phase steps on the rim.
  for (int step = 0; step < 8; ++step) {
    const Point outward = Outward(step * std::numbers::pi / 4.0);
    canvas.Paint(90, SquareLine(kCentre + outward * (kRadius - 3.5),
                                kCentre + outward * (kRadius - 1.0), 1.2));
  }

  // The phase pointer at 45 degrees, the accumulator's current value.
  canvas.Paint(
      120, RoundLine(kCentre, kCentre + Outward(std::numbers::pi / 4.0) * (kRadius - 4.0), 1.5));

  // One cycle of the output sine across the wheel.
  std::vector<Point> sine;
  for (int x = 0; x <= 22; ++x) {
    sine.push_back({5.0 + x, 16.0 - 8.0 * std::sin(2.0 * std::numbers::pi * x / 22.0)});
  }
  canvas.Paint(0, RoundPolyline(std::move(sine), 2.0));
  return canvas.Image();
}

}  // namespace tuneworks
