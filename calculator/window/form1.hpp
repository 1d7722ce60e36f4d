// The calculator's window on Qt: creates the form's controls from its table, forwards their
// notifications to the form's logic and paints what the logic writes.
#pragma once

#include <QLabel>
#include <QWidget>

#include <array>
#include <string>
#include <string_view>

#include "form.hpp"
#include "form_table.hpp"
#include "form_view.hpp"

namespace tuneworks {

class Form1 final : public QWidget, private FormView {
  Q_OBJECT

 public:
  // Creates the window and its controls with their texts and lists; nothing is selected yet.
  explicit Form1(QWidget* parent = nullptr);

  // The load notification: sets the default selections, which runs three recalculations. Run
  // once, after creation and before the window is first shown.
  void Form_Load() { form_.Form_Load(); }

 private:
  // What the form's logic reads and writes.
  std::string Text(ControlId id) const override;
  void SetText(ControlId id, const std::string& text) override;
  void SetToolTip(ControlId id, const std::string& text) override;
  void ShowListItem(ControlId id, int index) override;
  void SetResultsColour(int bgr) override;
  void SetStatus(const StatusLine& status) override;
  StripRoom StatusRoom() const override;
  int StatusTextWidth(std::string_view line) const override;
  std::string DecimalSeparator() const override;

  QWidget* CreateControl(const ControlEntry& entry);
  QWidget* Control(ControlId id) const { return controls_.at(Index(id)); }

  std::array<QWidget*, kControlCount> controls_{};
  QLabel* status_ = nullptr;  // the strip below Results
  Form form_{*this};
};

}  // namespace tuneworks
