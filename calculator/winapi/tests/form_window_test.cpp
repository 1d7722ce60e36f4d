// Tests of tuneworks.exe's window: the real window, driven with the messages a user's actions
// produce (WM_CHAR typing, WM_PASTE, a list choice with its CBN_SELCHANGE) and read back with
// WM_GETTEXT. Recalculations are counted as the texts they put into Clock.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "form_window.hpp"

namespace {

using tuneworks::CommandId;
using tuneworks::ControlId;

const std::wstring kDefaultReport =
    L"DDS Setting           0x 0CCCCCCD\r\nWSPR Interval      0x 0000013B\r\n"
    L"WSPR     Setting   0x 0CCCCAF5\r\n\r\nResolution    .00465661Hz";

int clock_settings = 0;

LRESULT CALLBACK CountSettings(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                               UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  if (message == WM_SETTEXT) ++clock_settings;
  return DefSubclassProc(window, message, wparam, lparam);
}

std::wstring TextOf(HWND control) {
  std::wstring text(static_cast<std::size_t>(SendMessageW(control, WM_GETTEXTLENGTH, 0, 0)) + 1,
                    L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// The client area of `window` as drawn, saved as a 24-bit BMP file.
void SaveClientPicture(HWND window, const std::string& path) {
  RECT client{};
  GetClientRect(window, &client);
  const HDC window_dc = GetDC(window);
  const HDC dc = CreateCompatibleDC(window_dc);
  BITMAPINFOHEADER header{
      sizeof(header), client.right, client.bottom, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  const HBITMAP bitmap = CreateDIBSection(window_dc, reinterpret_cast<BITMAPINFO*>(&header),
                                          DIB_RGB_COLORS, &bits, nullptr, 0);
  const HGDIOBJ old = SelectObject(dc, bitmap);
  BitBlt(dc, 0, 0, client.right, client.bottom, window_dc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto size = static_cast<DWORD>(((client.right * 3 + 3) & ~3) * client.bottom);
  constexpr auto kHeaders = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(header));
  const BITMAPFILEHEADER file{0x4D42, kHeaders + size, 0, 0, kHeaders};
  if (FILE* out = std::fopen(path.c_str(), "wb")) {
    std::fwrite(&file, sizeof(file), 1, out);
    std::fwrite(&header, sizeof(header), 1, out);
    std::fwrite(bits, size, 1, out);
    std::fclose(out);
  }
  SelectObject(dc, old);
  DeleteObject(bitmap);
  DeleteDC(dc);
  ReleaseDC(window, window_dc);
}

// The size `text` takes in `control`'s font: one line, or as a static control breaks words.
SIZE TextSize(HWND control, const std::wstring& text, RECT room, UINT format) {
  const HDC dc = GetDC(control);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
  DrawTextW(dc, text.c_str(), -1, &room, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return {room.right - room.left, room.bottom - room.top};
}

class FormWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_ = tuneworks::FormWindow::Open(GetModuleHandleW(nullptr), SW_SHOWNORMAL);
    ASSERT_NE(window_, nullptr);
    SetWindowSubclass(Item(ControlId::Clock), &CountSettings, 1, 0);
    clock_settings = 0;
  }
  void TearDown() override {
    DestroyWindow(window_);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) DispatchMessageW(&message);
  }

  HWND Item(ControlId id) const { return GetDlgItem(window_, CommandId(id)); }
  std::wstring Text(ControlId id) const { return TextOf(Item(id)); }

  // Where typing goes: the box itself, or a combo box's field.
  HWND Field(ControlId id) const {
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    return GetComboBoxInfo(Item(id), &combo) != 0 ? combo.hwndItem : Item(id);
  }

  void Type(ControlId id, std::wstring_view text) const {
    for (const wchar_t c : text) SendMessageW(Field(id), WM_CHAR, c, 1);
  }

  // Selects the whole text and types over it; an empty text deletes it.
  void Retype(ControlId id, std::wstring_view text) const {
    SendMessageW(Field(id), EM_SETSEL, 0, -1);
    if (text.empty()) SendMessageW(Field(id), WM_CHAR, VK_BACK, 1);
    Type(id, text);
  }

  // Pastes `text` over the whole text, as Ctrl+A, Ctrl+V would.
  void PasteOver(ControlId id, const std::wstring& text) const {
    ASSERT_NE(OpenClipboard(window_), 0);
    EmptyClipboard();
    const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
    std::copy_n(text.c_str(), text.size() + 1, static_cast<wchar_t*>(GlobalLock(memory)));
    GlobalUnlock(memory);
    SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    SendMessageW(Field(id), EM_SETSEL, 0, -1);
    SendMessageW(Field(id), WM_PASTE, 0, 0);
  }

  // Chooses item `index` of a combo box's list, as a click in the open list does.
  void Choose(ControlId id, int index) const {
    SendMessageW(Item(id), CB_SETCURSEL, index, 0);
    SendMessageW(window_, WM_COMMAND, MAKEWPARAM(CommandId(id), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(Item(id)));
  }

  // The text colour the window gives a control when it paints it.
  COLORREF ColourOf(HWND control, UINT colour_message) const {
    const HDC dc = CreateCompatibleDC(nullptr);
    SendMessageW(window_, colour_message, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(control));
    const COLORREF colour = GetTextColor(dc);
    DeleteDC(dc);
    return colour;
  }
  COLORREF ResultsColour() const { return ColourOf(Item(ControlId::Results), WM_CTLCOLOREDIT); }

  HWND Status() const { return GetDlgItem(window_, tuneworks::kStatusCommandId); }

  std::wstring ToolTip(ControlId id) const {
    HWND tips = nullptr;
    for (HWND w = FindWindowExW(nullptr, nullptr, TOOLTIPS_CLASSW, nullptr); w != nullptr;
         w = FindWindowExW(nullptr, w, TOOLTIPS_CLASSW, nullptr)) {
      if (GetWindow(w, GW_OWNER) == window_) tips = w;
    }
    std::wstring text(256, L'\0');
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.hwnd = window_;
    tool.uId = static_cast<UINT_PTR>(CommandId(id));
    tool.lpszText = text.data();
    SendMessageW(tips, TTM_GETTEXTW, text.size(), reinterpret_cast<LPARAM>(&tool));
    text.resize(text.find(L'\0'));
    return text;
  }

  HWND window_ = nullptr;
};

TEST_F(FormWindowTest, OpensWithTheDefaultsAndTheLoadsResult) {
  EXPECT_EQ(TextOf(window_), L"TUNEWORKS - VARNO");
  const std::vector<std::pair<ControlId, std::wstring>> texts = {
      {ControlId::Ref, L"20"},
      {ControlId::PLLMult, L"1"},
      {ControlId::RFMult, L"1"},
      {ControlId::Fout, L"1"},
      {ControlId::ClkUnits, L"MHz"},
      {ControlId::Funits, L"MHz"},
      {ControlId::Resolution, L"32 Bit AD9850/51"},
      {ControlId::Mode, L"WSPR"},
      {ControlId::Channel, L""},
      {ControlId::ChannelBand, L"20 m"},
      {ControlId::Clock, L" 20000000"},
      {ControlId::DDSFreq, L" 1000000"},
      {ControlId::Results, kDefaultReport},
      {ControlId::Label3, L"RF Multiplication"}};
  for (const auto& [id, text] : texts) EXPECT_EQ(Text(id), text) << CommandId(id);
  EXPECT_EQ(ResultsColour(), RGB(0, 0, 0));
  EXPECT_EQ(TextOf(Status()).rfind(L"Tones ", 0), 0U) << TextOf(Status()).c_str();
  EXPECT_NE(ColourOf(Status(), WM_CTLCOLORSTATIC), RGB(255, 0, 0));
  EXPECT_EQ(GetFocus(), Item(ControlId::Ref));
  EXPECT_FALSE(IsWindowEnabled(Item(ControlId::Clock)));
  EXPECT_FALSE(IsWindowEnabled(Item(ControlId::DDSFreq)));

  // A fixed frame with no maximize box, and the client area of the table at the window's DPI.
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window_, GWL_STYLE));
  EXPECT_EQ(style & (WS_MAXIMIZEBOX | WS_THICKFRAME), 0U);
  EXPECT_NE(style & WS_MINIMIZEBOX, 0U);
  const UINT dpi = GetDpiForWindow(window_);
  RECT client;
  GetClientRect(window_, &client);
  EXPECT_EQ(client.right, MulDiv(5715, static_cast<int>(dpi), 1440));
  EXPECT_EQ(client.bottom, MulDiv(5145, static_cast<int>(dpi), 1440));
  RECT fout;
  GetWindowRect(Item(ControlId::Fout), &fout);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&fout), 2);
  EXPECT_EQ(fout.left, MulDiv(1560, static_cast<int>(dpi), 1440));
  EXPECT_EQ(fout.bottom - fout.top, MulDiv(375, static_cast<int>(dpi), 1440));

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Item(ControlId::Fout), WM_GETFONT, 0, 0)),
             sizeof(font), &font);
  EXPECT_STREQ(font.lfFaceName, L"MS Sans Serif");
  EXPECT_EQ(font.lfHeight, -MulDiv(12, static_cast<int>(dpi), 72));

  // Tab visits the controls that take focus in the table's order, and comes round again.
  const std::vector<ControlId> tab_order = {
      ControlId::PLLMult, ControlId::RFMult,      ControlId::Resolution, ControlId::Fout,
      ControlId::Funits,  ControlId::Results,     ControlId::ClkUnits,   ControlId::Mode,
      ControlId::Channel, ControlId::ChannelBand, ControlId::Ref};
  HWND at = Item(ControlId::Ref);
  for (const ControlId next : tab_order) {
    at = GetNextDlgTabItem(window_, at, FALSE);
    EXPECT_EQ(at, Item(next)) << CommandId(next);
  }
}

// Tab pressed on the keyboard, through the message loop and IsDialogMessage as in wWinMain:
// Results hands it on as WM_NEXTDLGCTL, which must move the focus like any other Tab.
TEST_F(FormWindowTest, TabKeysLeaveResultsLikeAnyOtherControl) {
  SetForegroundWindow(window_);
  const auto press = [&](std::vector<WORD> keys) {
    std::vector<INPUT> inputs;
    for (const WORD key : keys) inputs.push_back({INPUT_KEYBOARD, {.ki = {key, 0, 0, 0, 0}}});
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
      inputs.push_back({INPUT_KEYBOARD, {.ki = {*key, 0, KEYEVENTF_KEYUP, 0, 0}}});
    }
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)),
              inputs.size());
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (std::chrono::steady_clock::now() < until) {
      MSG message;
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE) != 0) {
        if (IsDialogMessageW(window_, &message) != 0) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
      Sleep(10);
    }
  };
  const struct {
    std::vector<WORD> keys;
    ControlId from;
    ControlId to;
  } cases[] = {
      {{VK_TAB}, ControlId::Funits, ControlId::Results},
      {{VK_TAB}, ControlId::Results, ControlId::ClkUnits},
      {{VK_SHIFT, VK_TAB}, ControlId::Results, ControlId::Funits},
      {{VK_CONTROL, VK_TAB}, ControlId::Results, ControlId::ClkUnits},
      {{VK_SHIFT, VK_TAB}, ControlId::ClkUnits, ControlId::Results},
  };
  for (const auto& c : cases) {
    SetFocus(Item(c.from));
    press(c.keys);
    EXPECT_EQ(GetParent(GetFocus()) == window_ ? GetFocus() : GetParent(GetFocus()), Item(c.to))
        << CommandId(c.from) << " to " << CommandId(c.to) << " with " << c.keys.size() << " keys";
  }
  EXPECT_EQ(Text(ControlId::Results), kDefaultReport);  // no tab typed into the report
}

TEST_F(FormWindowTest, EveryCharacterTypedRunsOneRecalculation) {
  const std::vector<std::pair<ControlId, std::wstring>> typing = {
      {ControlId::Ref, L"12"},   {ControlId::PLLMult, L"0.5"}, {ControlId::RFMult, L"3"},
      {ControlId::Fout, L"2.5"}, {ControlId::ClkUnits, L"k"},  {ControlId::Funits, L"Hz"}};
  for (const auto& [id, text] : typing) {
    clock_settings = 0;
    Type(id, text);
    EXPECT_EQ(clock_settings, static_cast<int>(text.size())) << CommandId(id);
  }
  // Typing into Resolution's field or into Results runs nothing.
  for (const ControlId id : {ControlId::Resolution, ControlId::Results}) {
    clock_settings = 0;
    Type(id, L"x");
    EXPECT_EQ(clock_settings, 0) << CommandId(id);
  }
  // A choice from a list runs one.
  clock_settings = 0;
  Choose(ControlId::Resolution, 2);
  EXPECT_EQ(clock_settings, 1);
}

TEST_F(FormWindowTest, TypingIntoAUnitFieldSelectsNothingAndAChoiceSelects) {
  // Typed "MHz" is not the item MHz: nothing selected multiplies by 0.001.
  Retype(ControlId::ClkUnits, L"MHz");
  EXPECT_EQ(SendMessageW(Item(ControlId::ClkUnits), CB_GETCURSEL, 0, 0), CB_ERR);
  EXPECT_EQ(Text(ControlId::Clock), L" .02");
  Choose(ControlId::ClkUnits, 1);
  EXPECT_EQ(Text(ControlId::ClkUnits), L"kHz");
  EXPECT_EQ(Text(ControlId::Clock), L" 20000");
}

// Up or Down in a unit field after typing: the item the text names, else the first; then the
// next one.
TEST_F(FormWindowTest, ArrowInAUnitFieldChoosesAsTheFormSays) {
  const std::pair<std::wstring, int> cases[] = {{L"mhz", 2}, {L"k ", 1}, {L"x", 0}};
  for (const auto& [typed, item] : cases) {
    Retype(ControlId::ClkUnits, typed);
    SendMessageW(Field(ControlId::ClkUnits), WM_KEYDOWN, VK_DOWN, 1);
    EXPECT_EQ(SendMessageW(Item(ControlId::ClkUnits), CB_GETCURSEL, 0, 0), item) << typed;
  }
  SendMessageW(Field(ControlId::ClkUnits), WM_KEYDOWN, VK_DOWN, 1);
  EXPECT_EQ(Text(ControlId::ClkUnits), L"kHz");
  EXPECT_EQ(Text(ControlId::Clock), L" 20000");
}

// Every finding the strip can show, in the wording the form chose, fits the strip as the static
// control draws it, and Clock shows a nine-digit clock whole, at the prefix's DPI: ctest runs
// this at 96, 120, 144 and 192 dpi (LogPixels), saving the window with the first row's strip.
TEST_F(FormWindowTest, EveryFindingFitsTheStripAndClockShowsNineDigits) {
  const UINT dpi = GetDpiForWindow(window_);
  const char* wanted = std::getenv("WSPR_TEST_DPI");
  if (wanted != nullptr) {
    ASSERT_EQ(dpi, std::stoul(wanted)) << "the prefix's LogPixels";
  }
  const struct {
    const wchar_t* ref;
    const wchar_t* fout;
    int resolution;
    int mode;  // index in the Mode list: 0 WSPR, 2 FST4W-300, 4 FST4W-1800
  } cases[] = {{L"20", L"7.0386", 0, 0}, {L"3000", L"1296.5014", 2, 0}, {L"20", L"1", 0, 0},
               {L"125", L"70", 1, 0},    {L"20", L"1E400", 1, 0},       {L"20", L"0.1375", 1, 2},
               {L"20", L"0.4758", 0, 4}};
  for (const auto& c : cases) {
    Retype(ControlId::Ref, c.ref);
    Choose(ControlId::Resolution, c.resolution);
    Choose(ControlId::Mode, c.mode);
    Retype(ControlId::Fout, c.fout);
    RECT room{};
    GetClientRect(Status(), &room);
    const std::wstring text = TextOf(Status());
    const SIZE needed = TextSize(Status(), text, room, DT_WORDBREAK | DT_EXPANDTABS);
    EXPECT_LE(needed.cx, room.right) << text << " at " << dpi << " dpi";
    EXPECT_LE(needed.cy, room.bottom) << text << " at " << dpi << " dpi";
  }
  Retype(ControlId::Ref, L"125");
  EXPECT_EQ(Text(ControlId::Clock), L" 125000000");
  RECT shown{};
  SendMessageW(Item(ControlId::Clock), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&shown));
  EXPECT_LE(TextSize(Item(ControlId::Clock), Text(ControlId::Clock), shown, DT_SINGLELINE).cx,
            shown.right - shown.left)
      << dpi << " dpi";

  if (wanted == nullptr) return;
  Retype(ControlId::Ref, cases[0].ref);
  Choose(ControlId::Resolution, cases[0].resolution);
  Choose(ControlId::Mode, cases[0].mode);
  Retype(ControlId::Fout, cases[0].fout);
  RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  SaveClientPicture(window_, "tuneworks_strip_" + std::to_string(dpi) + "dpi.bmp");
}

TEST_F(FormWindowTest, ResultsTurnRedAbove035OfTheClockAndBackToBlack) {
  Retype(ControlId::Fout, L"8");
  EXPECT_EQ(ResultsColour(), RGB(255, 0, 0));
  EXPECT_NE(Text(ControlId::Results).find(L"66666667"), std::wstring::npos);
  Retype(ControlId::Fout, L"7");
  EXPECT_EQ(ResultsColour(), RGB(0, 0, 0));
}

TEST_F(FormWindowTest, OverflowShowsTheRedLineAndTheWindowRecovers) {
  const std::wstring tones = TextOf(Status());
  PasteOver(ControlId::Ref, L"1E400");
  EXPECT_EQ(TextOf(Status()).rfind(L"Overflow: ", 0), 0U) << TextOf(Status()).c_str();
  EXPECT_EQ(ColourOf(Status(), WM_CTLCOLORSTATIC), RGB(255, 0, 0));
  EXPECT_EQ(Text(ControlId::Clock), L" 20000000");  // not reached, kept

  Retype(ControlId::Ref, L"20");  // "2" alone recalculates too
  EXPECT_EQ(TextOf(Status()), tones);
  EXPECT_EQ(Text(ControlId::Clock), L" 20000000");
}

TEST_F(FormWindowTest, ClockShowsItsLeadingDigitsAndTheWholeValueAsATip) {
  Retype(ControlId::Ref, L"20.0001234");
  Retype(ControlId::PLLMult, L"6");
  Choose(ControlId::ClkUnits, 3);  // GHz: twelve digits in a box with room for about eight
  EXPECT_EQ(Text(ControlId::Clock), L" 120000740400");
  // For a one-line box this is the first character in view.
  EXPECT_EQ(SendMessageW(Item(ControlId::Clock), EM_GETFIRSTVISIBLELINE, 0, 0), 0);
  EXPECT_EQ(ToolTip(ControlId::Clock), L"120000740400 Hz");
}

TEST_F(FormWindowTest, AMegabytePasteIsTakenWholeByInputsAndCutInResults) {
  using Clock = std::chrono::steady_clock;
  // As long as the number reader is tested with: a megabyte of blanks, then the number.
  const std::wstring long_number = std::wstring(1048570, L' ') + L"1.5E3";
  // A megabyte of report lines.
  std::wstring lines;
  while (lines.size() < (1U << 20)) lines += L"DDS Setting           0x 0CCCCCCD\r\n";
  const auto start = Clock::now();
  PasteOver(ControlId::Ref, long_number);
  PasteOver(ControlId::Funits, long_number);
  PasteOver(ControlId::Results, lines);
  const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();

  EXPECT_EQ(Text(ControlId::Ref).size(), long_number.size());
  EXPECT_EQ(Text(ControlId::Funits).size(), long_number.size());
  EXPECT_EQ(Text(ControlId::Clock), L" 1500000000");  // 1500 MHz
  EXPECT_EQ(Text(ControlId::DDSFreq), L" .001");      // 1 in Funits, now unselected: 0.001 Hz
  EXPECT_EQ(Text(ControlId::Results).size(), 65536U);
  // Three megabyte pastes, each with its recalculation, well within a user's patience.
  EXPECT_LT(seconds, 10.0);
  std::printf("three megabyte pastes took %.2f s\n", seconds);
}

}  // namespace
