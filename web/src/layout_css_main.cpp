// Writes the calculator's layout, from the form table, as the page's stylesheet layout.css: run
// under Node when the site is built, so that the page shows the window's layout at once, before
// its WebAssembly has loaded.
#include <cmath>
#include <cstdio>
#include <string>

#include "form_table.hpp"

namespace {

constexpr int kPageDpi = 96;

int Px(int twips) { return tuneworks::TwipsToPixels(twips, kPageDpi); }

long FontPx(double points) { return std::lround(points * kPageDpi / 72.0); }

void Rule(const std::string& selector, const tuneworks::TwipRect& place, double font_points) {
  std::printf("%s { left: %dpx; top: %dpx; width: %dpx; height: %dpx; font-size: %ldpx; }\n",
              selector.c_str(), Px(place.left), Px(place.top), Px(place.width), Px(place.height),
              FontPx(font_points));
}

}  // namespace

int main() {
  std::printf("/* The calculator's controls at their places in the window, at %d dpi. */\n",
              kPageDpi);
  std::printf("#TuneworksForm { width: %dpx; height: %dpx; }\n", Px(tuneworks::kClientWidthTwips),
              Px(tuneworks::kClientHeightTwips));
  Rule("#StatusLine", tuneworks::kStatusPlace, tuneworks::kDefaultFontPoints);
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    // A combo box is its field and its list's arrow in one box, placed as a whole.
    const std::string selector = "#" + std::string(entry.name) +
                                 (entry.kind == tuneworks::ControlKind::kComboBox ? "Box" : "");
    Rule(selector, entry.place, entry.font_points);
  }
  return 0;
}
