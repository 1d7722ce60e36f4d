// What a window offers the form's logic: its controls' texts, the shown item of a combo box,
// the results colour and the status line. Each window (Qt, Windows, a test's fake) implements it;
// the logic in form.hpp drives it and keeps everything that is not drawing.
#pragma once

#include <string>
#include <string_view>

#include "form_table.hpp"
#include "status_fit.hpp"
#include "status_line.hpp"

namespace tuneworks {

class FormView {
 public:
  virtual ~FormView() = default;

  // The text of a box or of a combo box's field exactly as shown, in UTF-8, possibly empty.
  virtual std::string Text(ControlId id) const = 0;

  // Puts a text the program produced into Clock, DDSFreq or Results (CR LF line ends), or a
  // balloon channel's lane centre into Fout, shown at once. A single-line box shows the start of
  // a text too long for it. A change notification it raises is ignored by the form.
  virtual void SetText(ControlId id, const std::string& text) = 0;

  // The text a pointer resting on the control shows; empty for none.
  virtual void SetToolTip(ControlId id, const std::string& text) = 0;

  // Shows item `index` of combo box `id` as the chosen one, its text in the field, without
  // raising any notification; the logic runs the click itself.
  virtual void ShowListItem(ControlId id, int index) = 0;

  // Results' text colour as 0x00BBGGRR: kColourRed or kColourBlack.
  virtual void SetResultsColour(int bgr) = 0;

  // The strip below Results. Its text comes broken into the lines the strip has room for ("\n"
  // between them); a window shows them as they are.
  virtual void SetStatus(const StatusLine& status) = 0;

  // The strip's room and the width of a line of text in its font, as the toolkit measures them,
  // from which the form chooses a wording that fits. A view that measures nothing has no limit
  // and gets the longest wording whole.
  virtual StripRoom StatusRoom() const { return kNoLimit; }
  virtual int StatusTextWidth(std::string_view /*line*/) const { return 0; }

  // The decimal separator of the user's number settings, for the resolution line only.
  virtual std::string DecimalSeparator() const = 0;

 protected:
  FormView() = default;
  FormView(const FormView&) = default;
  FormView& operator=(const FormView&) = default;
};

}  // namespace tuneworks
