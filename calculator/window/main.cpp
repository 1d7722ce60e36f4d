// tuneworks: opens the DDS settings calculator's window; closing it ends the program.
#include <QApplication>

#include "form1.hpp"
#include "qt_icon.hpp"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("tuneworks"));
  QApplication::setDesktopFileName(QStringLiteral("tuneworks"));
  QApplication::setWindowIcon(tuneworks::TuneworksIcon());

  tuneworks::Form1 form;
  form.Form_Load();
  form.show();
  return QApplication::exec();
}
