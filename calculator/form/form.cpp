// The form's load sequence, its event wiring and its one recalculation.
#include "form.hpp"

#include <cstddef>

namespace tuneworks {

namespace {

bool IsComboBox(ControlId id) { return Entry(id).kind == ControlKind::kComboBox; }

// Which change notifications run a recalculation: every input box, and the unit fields. Typing
// into Resolution's field only clears its selection.
bool ChangeRecalculates(ControlId id) {
  switch (id) {
    case ControlId::Ref:
    case ControlId::PLLMult:
    case ControlId::RFMult:
    case ControlId::Fout:
    case ControlId::ClkUnits:
    case ControlId::Funits:
      return true;
    default:
      return false;
  }
}

// The whole value behind a number box's text, for its tooltip: without the blank that holds the
// sign's place, in hertz.
std::string ValueTip(const std::string& text) {
  const std::size_t start = (!text.empty() && text.front() == ' ') ? 1 : 0;
  return text.substr(start) + " Hz";
}

}  // namespace

void Form::Form_Load() {
  // The clock that Form_Load also used to work out here is recomputed by the third
  // recalculation before anyone sees it, and the initial texts cannot overflow it.
  SetListIndex(ControlId::Funits, kDefaultFunits);
  SetListIndex(ControlId::ClkUnits, kDefaultClkUnits);
  SetListIndex(ControlId::Resolution, kDefaultResolution);
}

void Form::Change(ControlId id) {
  if (IsComboBox(id)) {
    list_index_[Index(id)] = -1;
  }
  if (ChangeRecalculates(id)) {
    Recalculate();
  }
}

void Form::Click(ControlId id, int index) {
  if (!IsComboBox(id) || index < 0 || static_cast<std::size_t>(index) >= Entry(id).items.size()) {
    return;
  }
  list_index_[Index(id)] = static_cast<std::int16_t>(index);
  Recalculate();
}

void Form::SetListIndex(ControlId id, std::int16_t index) {
  view_.ShowListItem(id, index);
  Click(id, index);
}

void Form::LongHex(double& value, std::string& text) const {
  tuneworks::LongHex(value, text, ListIndex(ControlId::Resolution));
}

void Form::Recalculate() {
  const CalcInputs inputs{view_.Text(ControlId::Ref),      view_.Text(ControlId::PLLMult),
                          view_.Text(ControlId::Fout),     view_.Text(ControlId::RFMult),
                          ListIndex(ControlId::ClkUnits),  ListIndex(ControlId::Funits),
                          ListIndex(ControlId::Resolution)};
  const CalcOutputs outputs = Calculate(inputs, state_, view_.DecimalSeparator());
  if (outputs.Clock) {
    ShowValue(ControlId::Clock, *outputs.Clock);
  }
  if (outputs.DDSFreq) {
    ShowValue(ControlId::DDSFreq, *outputs.DDSFreq);
  }
  if (outputs.ResultsColour) {
    view_.SetResultsColour(*outputs.ResultsColour);
  }
  if (outputs.Results) {
    view_.SetText(ControlId::Results, *outputs.Results);
  }
  view_.SetStatus(StatusAfter(outputs));
}

void Form::ShowValue(ControlId id, const std::string& text) {
  view_.SetText(id, text);
  if (Entry(id).value_tip) {
    view_.SetToolTip(id, ValueTip(text));
  }
}

}  // namespace tuneworks
