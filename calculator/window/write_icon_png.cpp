// Build-time tool: writes the icon as the PNG file that is installed for the desktop entry.
#include <cstdio>

#include <QString>

#include "tuneworks_icon.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_icon_png FILE.png\n");
    return 2;
  }
  if (!tuneworks::DrawTuneworksIcon().save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "cannot write the icon to %s\n", argv[1]);
    return 1;
  }
  return 0;
}
