// tuneworks.exe: opens the DDS settings calculator's window; closing it ends the program.
// --help and --version answer in text before any window exists.
#include <windows.h>

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "form_window.hpp"
#include "wide_text.hpp"
#include "window_options.hpp"

namespace {

// The answer to --help or --version, if the command line is one of them.
std::optional<std::string> OptionAnswer() {
  std::vector<std::string> words;
  for (int i = 0; i < __argc; ++i) words.push_back(tuneworks::Narrow(__wargv[i]));
  std::vector<const char*> argv;
  for (const std::string& word : words) argv.push_back(word.c_str());
  return tuneworks::WindowOptionAnswer(static_cast<int>(argv.size()), argv.data());
}

// A window program has no console of its own: the text goes to standard output when that was
// redirected, else to the console it was started from, else into a message box.
bool Print(const std::string& text) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    if (AttachConsole(ATTACH_PARENT_PROCESS) != 0) out = GetStdHandle(STD_OUTPUT_HANDLE);
  }
  if (out == nullptr || out == INVALID_HANDLE_VALUE) {
    return MessageBoxW(nullptr, tuneworks::Widen(text).c_str(), L"TUNEWORKS", MB_OK) != 0;
  }
  std::string crlf;
  for (const char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  DWORD written = 0;
  return WriteFile(out, crlf.data(), static_cast<DWORD>(crlf.size()), &written, nullptr) != 0 &&
         written == crlf.size();
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*command_line*/, int show) {
  if (const auto answer = OptionAnswer()) return Print(*answer) ? 0 : 1;
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
