// The window procedure and its handlers, the controls made from the form's table, and the
// FormView operations that show what the form's logic produced.
#include "form_window.hpp"

#include <commctrl.h>

#include <algorithm>

#include "dpi_scaling.hpp"
#include "resource_ids.h"
#include "wide_text.hpp"

namespace tuneworks {

namespace {

constexpr wchar_t kClassName[] = L"TuneworksForm1";
// A fixed-size window: a caption with the system menu and the minimize box, no maximize box and
// no resizing border.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Tab and the arrow keys move between the controls, as in a dialog.
constexpr DWORD kExStyle = WS_EX_CONTROLPARENT;
// How far below its field a combo box's list reaches, per item.
constexpr int kListItemTwips = 255;
constexpr COLORREF kStatusRed = RGB(255, 0, 0);

bool RegisterFormClass(HINSTANCE instance, WNDPROC procedure) {
  WNDCLASSEXW window_class{};
  if (GetClassInfoExW(instance, kClassName, &window_class) != 0) return true;
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = instance;
  window_class.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TUNEWORKS),
                                                     IMAGE_ICON, GetSystemMetrics(SM_CXICON),
                                                     GetSystemMetrics(SM_CYICON), LR_SHARED));
  window_class.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_TUNEWORKS),
                                                       IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                       GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  window_class.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  window_class.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  window_class.lpszClassName = kClassName;
  return RegisterClassExW(&window_class) != 0;
}

DWORD ControlStyle(const ControlEntry& entry) {
  DWORD style = WS_CHILD | WS_VISIBLE;
  switch (entry.kind) {
    case ControlKind::kLabel:
      return style | SS_RIGHT;
    case ControlKind::kComboBox:
      return style | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
    case ControlKind::kTextBox:
      break;
  }
  style |= entry.enabled ? WS_TABSTOP : WS_DISABLED;
  if (entry.multi_line) {
    // Lines wrap at word boundaries (no horizontal scrolling), Enter starts a new line, and text
    // beyond the bottom scrolls into view rather than being refused, all without scroll bars.
    return style | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  }
  return style | ES_LEFT | ES_AUTOHSCROLL;
}

const wchar_t* ControlClass(ControlKind kind) {
  switch (kind) {
    case ControlKind::kLabel:
      return L"STATIC";
    case ControlKind::kComboBox:
      return L"COMBOBOX";
    case ControlKind::kTextBox:
      break;
  }
  return L"EDIT";
}

}  // namespace

HWND FormWindow::Open(HINSTANCE instance, int show) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterFormClass(instance, &FormWindow::WindowProcedure)) return nullptr;

  bool adopted = false;
  auto* form = new FormWindow(instance, adopted);
  const std::wstring caption = Widen(kCaption);
  // The size follows in OnCreate, when the window knows the DPI of its monitor.
  const HWND window =
      CreateWindowExW(kExStyle, kClassName, caption.c_str(), kStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, form);
  if (window == nullptr) {
    // Once the window took the object over, its destruction deleted it.
    if (!adopted) delete form;
    return nullptr;
  }
  form->form_.Form_Load();
  ShowWindow(window, show);
  UpdateWindow(window);
  SetFocus(form->Control(ControlId::Ref));
  return window;
}

LRESULT CALLBACK FormWindow::WindowProcedure(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lparam)->lpCreateParams);
    form->window_ = window;
    *form->adopted_ = true;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<FormWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (form == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    delete form;
    return DefWindowProcW(window, message, wparam, lparam);
  }
  return form->Handle(message, wparam, lparam);
}

LRESULT CALLBACK FormWindow::FieldProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam,
                                            UINT_PTR command_id, DWORD_PTR form) {
  if (message == WM_KEYDOWN && (wparam == VK_UP || wparam == VK_DOWN) &&
      reinterpret_cast<FormWindow*>(form)->OnFieldArrow(static_cast<int>(command_id),
                                                        wparam == VK_UP ? -1 : 1)) {
    return 0;
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(field, &FormWindow::FieldProcedure, command_id);
  return DefSubclassProc(field, message, wparam, lparam);
}

LRESULT FormWindow::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_COMMAND:
      OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_CTLCOLOREDIT:
      return OnCtlColorEdit(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_CTLCOLORSTATIC:
      return OnCtlColorStatic(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_DPICHANGED:
      OnDpiChanged(HIWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
      return 0;
    case WM_ACTIVATE:
      OnActivate(LOWORD(wparam) != WA_INACTIVE);
      return 0;
    case WM_NEXTDLGCTL:
      OnNextDlgCtl(wparam, LOWORD(lparam) != 0);
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProcW(window_, message, wparam, lparam);
  }
}

bool FormWindow::OnCreate() {
  dpi_ = WindowDpi(window_);
  for (const ControlEntry& entry : kControls) {
    controls_[Index(entry.id)] = CreateControl(entry);
    if (Control(entry.id) == nullptr) return false;
  }
  status_ = CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_LEFT, 0, 0, 0, 0, window_,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(kStatusCommandId)),
                            instance_, nullptr);
  // Tab visits the controls in the order of their tab index, which Windows takes from the order
  // of the child windows: put them in that order, the first on top.
  std::array<ControlEntry, kControlCount> by_tab = kControls;
  std::ranges::sort(by_tab, {}, &ControlEntry::tab_index);
  HWND previous = HWND_TOP;
  for (const ControlEntry& entry : by_tab) {
    SetWindowPos(Control(entry.id), previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    previous = Control(entry.id);
  }
  CreateToolTips();
  MakeFonts();
  LayOut();
  const SIZE size =
      WindowSizeForClient(ScaleTwips(kClientWidthTwips, dpi_), ScaleTwips(kClientHeightTwips, dpi_),
                          kStyle, kExStyle, dpi_);
  SetWindowPos(window_, nullptr, 0, 0, size.cx, size.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  return status_ != nullptr;
}

HWND FormWindow::CreateControl(const ControlEntry& entry) {
  const std::wstring text = Widen(entry.text);
  const DWORD ex_style = entry.kind == ControlKind::kTextBox ? WS_EX_CLIENTEDGE : 0;
  // A combo box's text goes into its field once the list is filled.
  const HWND control = CreateWindowExW(
      ex_style, ControlClass(entry.kind), entry.kind == ControlKind::kComboBox ? L"" : text.c_str(),
      ControlStyle(entry), 0, 0, 0, 0, window_,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(CommandId(entry.id))), instance_, nullptr);
  if (control == nullptr) return nullptr;
  if (entry.kind == ControlKind::kComboBox) {
    for (const std::string_view item : entry.items) {
      SendMessageW(control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(item).c_str()));
    }
    SetWindowTextW(control, text.c_str());
    SendMessageW(control, CB_LIMITTEXT, entry.max_chars, 0);
    COMBOBOXINFO combo{};
    combo.cbSize = sizeof(combo);
    if (GetComboBoxInfo(control, &combo) != 0) {
      SetWindowSubclass(combo.hwndItem, &FormWindow::FieldProcedure,
                        static_cast<UINT_PTR>(CommandId(entry.id)),
                        reinterpret_cast<DWORD_PTR>(this));
    }
  } else if (entry.kind == ControlKind::kTextBox && entry.max_chars > 0) {
    SendMessageW(control, EM_SETLIMITTEXT, entry.max_chars, 0);
  }
  return control;
}

// Clock and DDSFreq are disabled, and a disabled window gets no mouse messages: their tooltips
// are areas of the form window instead, in the places of the boxes; so is the status strip's,
// whose static control takes no mouse messages either.
void FormWindow::CreateToolTips() {
  tool_tips_ =
      CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                      WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                      CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr, instance_, nullptr);
  // Several lines of figures: wide enough for the longest, broken at each line end.
  SendMessageW(tool_tips_, TTM_SETMAXTIPWIDTH, 0, 600);
  const auto add_area = [this](int command_id) {
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = static_cast<UINT_PTR>(command_id);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tool_tips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  };
  for (const ControlEntry& entry : kControls) {
    if (entry.value_tip) add_area(CommandId(entry.id));
  }
  add_area(kStatusCommandId);
}

void FormWindow::SetAreaTip(int command_id, const std::string& text) {
  const std::wstring tip = Widen(text);
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = static_cast<UINT_PTR>(command_id);
  tool.lpszText = const_cast<wchar_t*>(tip.c_str());
  SendMessageW(tool_tips_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::PlaceAreaTip(int command_id, const RECT& place) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window_;
  tool.uId = static_cast<UINT_PTR>(command_id);
  tool.rect = place;
  SendMessageW(tool_tips_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void FormWindow::MakeFonts() {
  std::vector<std::pair<double, Font>> fonts;
  const std::wstring face = Widen(kFontFace);
  for (const ControlEntry& entry : kControls) {
    if (std::ranges::any_of(fonts,
                            [&](const auto& font) { return font.first == entry.font_points; })) {
      continue;
    }
    fonts.emplace_back(
        entry.font_points,
        Font(CreateFontW(FontHeight(entry.font_points, dpi_), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                         FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                         DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face.c_str())));
  }
  const auto font_of = [&](double points) {
    return std::ranges::find(fonts, points, &std::pair<double, Font>::first)->second.get();
  };
  for (const ControlEntry& entry : kControls) {
    SendMessageW(Control(entry.id), WM_SETFONT,
                 reinterpret_cast<WPARAM>(font_of(entry.font_points)), TRUE);
  }
  SendMessageW(status_, WM_SETFONT, reinterpret_cast<WPARAM>(font_of(kDefaultFontPoints)), TRUE);
  // The controls hold the new fonts now; the old ones can go.
  fonts_ = std::move(fonts);
}

RECT FormWindow::PlaceOf(const TwipRect& twips) const {
  const int left = ScaleTwips(twips.left, dpi_);
  const int top = ScaleTwips(twips.top, dpi_);
  return {left, top, left + ScaleTwips(twips.width, dpi_), top + ScaleTwips(twips.height, dpi_)};
}

void FormWindow::LayOut() {
  for (const ControlEntry& entry : kControls) {
    const RECT place = PlaceOf(entry.place);
    int height = place.bottom - place.top;
    if (entry.kind == ControlKind::kComboBox) {
      // The field fills the table's height; the height a combo box is given reaches down to the
      // end of its open list.
      const int border = 2 * GetSystemMetrics(SM_CYEDGE) + 2;
      SendMessageW(Control(entry.id), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                   std::max(height - border, 1));
      height += ScaleTwips(kListItemTwips * static_cast<int>(entry.items.size()), dpi_) + border;
    }
    SetWindowPos(Control(entry.id), nullptr, place.left, place.top, place.right - place.left,
                 height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (entry.value_tip) PlaceAreaTip(CommandId(entry.id), place);
  }
  const RECT status = PlaceOf(kStatusPlace);
  SetWindowPos(status_, nullptr, status.left, status.top, status.right - status.left,
               status.bottom - status.top, SWP_NOZORDER | SWP_NOACTIVATE);
  PlaceAreaTip(kStatusCommandId, status);
}

void FormWindow::OnCommand(int id, int code, HWND control) {
  const auto entry =
      std::ranges::find_if(kControls, [&](const ControlEntry& s) { return CommandId(s.id) == id; });
  if (entry == kControls.end() || control != Control(entry->id)) return;
  switch (code) {
    case EN_CHANGE:       // text box: typed, pasted or set
    case CBN_EDITCHANGE:  // combo box field: typed or pasted
      form_.Change(entry->id);
      break;
    case CBN_SELCHANGE:  // an item chosen from the list
      form_.Click(entry->id, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
      break;
    default:
      break;
  }
}

LRESULT FormWindow::OnCtlColorEdit(HDC dc, HWND control) {
  if (control != Control(ControlId::Results)) {
    return DefWindowProcW(window_, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  }
  SetTextColor(dc, results_colour_);
  SetBkColor(dc, GetSysColor(COLOR_WINDOW));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
}

LRESULT FormWindow::OnCtlColorStatic(HDC dc, HWND control) {
  if (control != status_) {
    return DefWindowProcW(window_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                          reinterpret_cast<LPARAM>(control));
  }
  SetTextColor(dc, status_warning_ ? kStatusRed : GetSysColor(COLOR_BTNTEXT));
  SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void FormWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
  dpi_ = dpi;
  MakeFonts();
  LayOut();
  SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  form_.StripChanged();
}

// The focus goes back to the control that had it when the user returns to the window.
void FormWindow::OnActivate(bool active) {
  if (!active) {
    const HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window_, focus)) focus_ = focus;
  } else {
    SetFocus(focus_ != nullptr ? focus_ : Control(ControlId::Ref));
  }
}

// Results, a multi-line box, does not give Tab to IsDialogMessage but asks its parent, as it
// would ask a dialog, for the next control (wparam 0) or the previous one; or, with `is_handle`,
// for the control wparam names. A box reached this way has its text selected, as by Tab.
void FormWindow::OnNextDlgCtl(WPARAM wparam, bool is_handle) {
  HWND from = GetFocus();  // a combo box's field counts as its combo box
  while (from != nullptr && GetParent(from) != window_) from = GetParent(from);
  const HWND target = is_handle ? reinterpret_cast<HWND>(wparam)
                                : GetNextDlgTabItem(window_, from, wparam != 0 ? TRUE : FALSE);
  if (target == nullptr) return;
  SetFocus(target);
  if ((SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageW(target, EM_SETSEL, 0, -1);
  }
}

// Up or Down in a combo box's closed field chooses the item the form decides; in the open list
// (Alt+Down, F4) they move through the list as usual.
bool FormWindow::OnFieldArrow(int command_id, int step) {
  const auto entry = std::ranges::find_if(
      kControls, [&](const ControlEntry& s) { return CommandId(s.id) == command_id; });
  if (entry == kControls.end()) return false;
  if (SendMessageW(Control(entry->id), CB_GETDROPPEDSTATE, 0, 0) != 0) return false;
  form_.Arrow(entry->id, step);
  return true;
}

void FormWindow::OnDestroy() {
  fonts_.clear();
  PostQuitMessage(0);
}

std::string FormWindow::Text(ControlId id) const {
  const HWND control = Control(id);
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
  const int length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(std::max(length, 0)));
  return Narrow(text);
}

void FormWindow::SetText(ControlId id, const std::string& text) {
  const HWND control = Control(id);
  SetWindowTextW(control, Widen(text).c_str());
  if (!Entry(id).multi_line) {
    // The start of a value too long for the box, its most significant digits, stays in view.
    SendMessageW(control, EM_SETSEL, 0, 0);
    SendMessageW(control, EM_SCROLLCARET, 0, 0);
  }
}

void FormWindow::SetToolTip(ControlId id, const std::string& text) {
  SetAreaTip(CommandId(id), text);
}

void FormWindow::ShowListItem(ControlId id, int index) {
  SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FormWindow::SetResultsColour(int bgr) {
  results_colour_ = static_cast<COLORREF>(bgr);  // COLORREF is 0x00BBGGRR too
  InvalidateRect(Control(ControlId::Results), nullptr, TRUE);
}

void FormWindow::SetStatus(const StatusLine& status) {
  status_warning_ = status.warning;
  SetWindowTextW(status_, Widen(status.text).c_str());
  InvalidateRect(status_, nullptr, TRUE);
  SetAreaTip(kStatusCommandId, status.tool_tip);
}

StripRoom FormWindow::StatusRoom() const {
  RECT client{};
  GetClientRect(status_, &client);
  const HDC dc = GetDC(status_);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(status_, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(status_, dc);
  return {client.right, metrics.tmHeight > 0 ? client.bottom / metrics.tmHeight : 0};
}

int FormWindow::StatusTextWidth(std::string_view line) const {
  const std::wstring text = Widen(line);
  const HDC dc = GetDC(status_);
  const HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(status_, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  ReleaseDC(status_, dc);
  return size.cx;
}

std::string FormWindow::DecimalSeparator() const {
  wchar_t separator[8] = {};
  if (GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8) == 0) return ".";
  return Narrow(separator);
}

}  // namespace tuneworks
