// The calculator's window on the Windows API: the form's table made of EDIT, COMBOBOX and STATIC
// windows, their notifications forwarded to the form's logic, and its outputs shown.
#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "form.hpp"
#include "gdi_object.hpp"

namespace tuneworks {

// The command identifier of a control, as GetDlgItem finds it.
constexpr int CommandId(ControlId id) { return 100 + static_cast<int>(Index(id)); }
// The status line in the strip below Results.
inline constexpr int kStatusCommandId = 200;

class FormWindow final : public FormView {
 public:
  // Creates the window and its controls, runs Form_Load and shows the window as `show` says.
  // Null when the system refuses the window. The object behind it lives as long as the window.
  static HWND Open(HINSTANCE instance, int show);

  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;
  ~FormWindow() override = default;

  std::string Text(ControlId id) const override;
  void SetText(ControlId id, const std::string& text) override;
  void SetToolTip(ControlId id, const std::string& text) override;
  void ShowListItem(ControlId id, int index) override;
  void SetResultsColour(int bgr) override;
  void SetStatus(const StatusLine& status) override;
  StripRoom StatusRoom() const override;
  int StatusTextWidth(std::string_view line) const override;
  std::string DecimalSeparator() const override;

 private:
  explicit FormWindow(HINSTANCE instance, bool& adopted)
      : instance_(instance), adopted_(&adopted) {}

  static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
  // A combo box's field: Up and Down in it go to the form.
  static LRESULT CALLBACK FieldProcedure(HWND field, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR command_id, DWORD_PTR form);
  LRESULT Handle(UINT message, WPARAM wparam, LPARAM lparam);

  bool OnCreate();
  void OnCommand(int id, int code, HWND control);
  LRESULT OnCtlColorEdit(HDC dc, HWND control);
  LRESULT OnCtlColorStatic(HDC dc, HWND control);
  void OnDpiChanged(UINT dpi, const RECT& suggested);
  void OnActivate(bool active);
  void OnNextDlgCtl(WPARAM wparam, bool is_handle);
  bool OnFieldArrow(int command_id, int step);
  void OnDestroy();

  HWND CreateControl(const ControlEntry& entry);
  void CreateToolTips();
  void SetAreaTip(int command_id, const std::string& text);
  void PlaceAreaTip(int command_id, const RECT& place);
  void MakeFonts();
  void LayOut();
  HWND Control(ControlId id) const { return controls_[Index(id)]; }
  RECT PlaceOf(const TwipRect& twips) const;

  HINSTANCE instance_;
  bool* adopted_;  // tells Open that the window took this object over
  HWND window_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::array<HWND, kControlCount> controls_{};
  HWND status_ = nullptr;
  HWND tool_tips_ = nullptr;
  std::vector<std::pair<double, Font>> fonts_;  // one per size in the table, for the current DPI
  COLORREF results_colour_ = GetSysColor(COLOR_WINDOWTEXT);
  bool status_warning_ = false;
  HWND focus_ = nullptr;  // the control that had the focus when the window was last deactivated
  Form form_{*this};
};

}  // namespace tuneworks
