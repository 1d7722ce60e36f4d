// The DPI calls of Windows 10 where they exist, the system DPI where they do not.
#include "dpi_scaling.hpp"

#include <cmath>

namespace tuneworks {

namespace {

// A function of user32 that older systems lack; null there.
template <typename Function>
Function User32Function(const char* name) {
  const HMODULE user32 = GetModuleHandleW(L"user32.dll");
  const FARPROC found = user32 != nullptr ? GetProcAddress(user32, name) : nullptr;
  // The detour through a plain function pointer keeps the compiler from judging the cast.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

}  // namespace

UINT WindowDpi(HWND window) {
  using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
  static const auto get_dpi_for_window = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (get_dpi_for_window != nullptr) {
    const UINT dpi = get_dpi_for_window(window);
    if (dpi != 0) return dpi;
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

int FontHeight(double points, UINT dpi) {
  return -static_cast<int>(std::lround(points * dpi / 72.0));
}

SIZE WindowSizeForClient(int client_width, int client_height, DWORD style, DWORD ex_style,
                         UINT dpi) {
  using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
  static const auto adjust_for_dpi =
      User32Function<AdjustForDpiFunction>("AdjustWindowRectExForDpi");
  RECT frame{0, 0, client_width, client_height};
  if (adjust_for_dpi == nullptr || adjust_for_dpi(&frame, style, FALSE, ex_style, dpi) == 0) {
    AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

}  // namespace tuneworks
