// tuneworks: opens the DDS settings calculator's window; closing it ends the program.
// --help and --version answer before Qt starts, so they need no display.
#include <QApplication>
#include <cstdio>

#include "form1.hpp"
#include "qt_icon.hpp"
#include "window_options.hpp"

int main(int argc, char** argv) {
  if (const auto answer = tuneworks::WindowOptionAnswer(argc, argv)) {
    std::fputs(answer->c_str(), stdout);
    return std::fflush(stdout) == 0 ? 0 : 1;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tuneworks"));
  QApplication::setDesktopFileName(QStringLiteral("tuneworks"));
  QApplication::setWindowIcon(tuneworks::TuneworksIcon());

  tuneworks::Form1 form;
  form.Form_Load();
  form.show();
  return QApplication::exec();
}
