// The calculator form as the web page shows it: the controls' texts are held here, the page
// sends each edit in, and what the form's logic changed goes back out as one JSON text for the
// page's script to apply.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "form_table.hpp"
#include "form_view.hpp"

namespace wspr_web {

class PageFormView final : public tuneworks::FormView {
 public:
  PageFormView();

  // What the user did to the page: the new text of a box or a combo box's field. The form then
  // runs its Change notification.
  void Typed(tuneworks::ControlId id, std::string text);
  void SetDecimalSeparator(std::string separator) { decimal_separator_ = std::move(separator); }

  // Everything shown since the last call, as {"texts":{..},"tips":{..},"lists":{..},
  // "colour":"#rrggbb","status":{..}}; the record then starts empty again.
  std::string TakeUpdates();

  std::string Text(tuneworks::ControlId id) const override;
  void SetText(tuneworks::ControlId id, const std::string& text) override;
  void SetToolTip(tuneworks::ControlId id, const std::string& text) override;
  void ShowListItem(tuneworks::ControlId id, int index) override;
  void SetResultsColour(int bgr) override;
  void SetStatus(const tuneworks::StatusLine& status) override;
  std::string DecimalSeparator() const override { return decimal_separator_; }

 private:
  static constexpr std::size_t kCount = tuneworks::kControlCount;

  std::array<std::string, kCount> texts_;
  std::array<bool, kCount> text_shown_{};
  std::array<std::optional<std::string>, kCount> tips_shown_;
  std::array<std::optional<int>, kCount> list_shown_;
  std::optional<int> colour_shown_;
  std::optional<tuneworks::StatusLine> status_shown_;
  std::string decimal_separator_ = ".";
};

}  // namespace wspr_web
