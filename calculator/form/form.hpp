// The calculator form's behaviour without a toolkit: Form_Load, the combo boxes' selected index,
// which notification runs a recalculation, and the recalculation that reads the inputs, runs
// Calculate and writes what it produced. A window creates its controls from form_table.hpp,
// implements FormView and forwards its controls' notifications to Change and Click.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "form_table.hpp"
#include "form_view.hpp"
#include "tuneworks_core.hpp"

namespace tuneworks {

class Form {
 public:
  // `view` must outlive the form. Nothing is selected yet and nothing runs.
  explicit Form(FormView& view) : view_(view) {}

  // The load notification, once, after the controls exist and before the window is first shown:
  // selects MHz in Funits, then MHz in ClkUnits, then 32 bit in Resolution, each selection
  // running one recalculation; the third decides what the user first sees.
  void Form_Load();

  // The user changed the text of `id` (a box, or a combo box's field). A combo box's index goes
  // to -1 even when the typed text equals an item. Ref, PLLMult, RFMult, Fout, ClkUnits, Funits,
  // Mode, Channel and ChannelBand then run one recalculation; Resolution, Results and the
  // outputs run nothing. Channel and ChannelBand first put the wanted frequency at the centre of
  // the lane of the channel they name, if any.
  void Change(ControlId id);

  // The user chose item `index` from the list of combo box `id` (the window already shows it):
  // every combo box runs one recalculation (ChannelBand after moving the wanted frequency to its
  // channel's lane). An index outside the list is ignored.
  void Click(ControlId id, int index);

  // The user pressed Up (`step` -1) or Down (+1) in the closed field of combo box `id`: the item
  // that ItemForArrow gives (list_arrow.hpp) is shown and clicked, as a choice from the list;
  // nothing when it gives none. Every window calls this rather than its toolkit's own choice.
  void Arrow(ControlId id, int step);

  // The strip's room changed (the window moved to a screen of another DPI): the last status line
  // again, in the wording that fits now.
  void StripChanged() { ShowStatus(); }

  // The selected index of a combo box: -1 when nothing is selected.
  std::int16_t ListIndex(ControlId id) const { return list_index_[Index(id)]; }

  // Writes a tuning word in hex cut to the accumulator width selected in Resolution.
  void LongHex(double& value, std::string& text) const;

  const CalcState& State() const { return state_; }

 private:
  // Selects an item as the program does: the window shows it and its click runs before return.
  void SetListIndex(ControlId id, std::int16_t index);
  void Recalculate();
  // Channel or ChannelBand changed: a channel they name sets Fout (in MHz) to its lane centre.
  void FollowChannel();
  // The chosen mode; a typed-over Mode reads as WSPR.
  beacon::Mode Mode() const;
  // The status line in the wording that fits the window's strip.
  void ShowStatus();
  void ShowValue(ControlId id, const std::string& text);

  FormView& view_;
  bool following_ = false;  // FollowChannel is setting Fout: the window's change is the form's own
  CalcState state_;
  StatusLine status_;  // the last recalculation's, in all its wordings
  std::array<std::int16_t, kControlCount> list_index_ = [] {
    std::array<std::int16_t, kControlCount> none{};
    none.fill(-1);
    return none;
  }();
};

}  // namespace tuneworks
