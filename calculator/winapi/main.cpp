// tuneworks.exe: opens the DDS settings calculator's window; closing it ends the program.
#include <windows.h>

#include "form_window.hpp"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int show) {
  const HWND window = tuneworks::FormWindow::Open(instance, show);
  if (window == nullptr) {
    MessageBoxW(nullptr, L"The calculator window could not be created.", L"TUNEWORKS",
                MB_ICONERROR | MB_OK);
    return 1;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    // Tab, Shift+Tab and the arrow keys move between the controls, as in a dialog.
    if (IsDialogMessageW(window, &message) != 0) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
