// The form's load sequence, its event wiring and its one recalculation.
#include "form.hpp"

#include <cstddef>
#include <string_view>
#include <vector>

#include "list_arrow.hpp"
#include "status_fit.hpp"

namespace tuneworks {

namespace {

bool IsComboBox(ControlId id) { return Entry(id).kind == ControlKind::kComboBox; }

// Which change notifications run a recalculation: every input box, the unit fields and the mode
// (typed over, it reads as WSPR). Typing into Resolution's field only clears its selection.
bool ChangeRecalculates(ControlId id) {
  switch (id) {
    case ControlId::Ref:
    case ControlId::PLLMult:
    case ControlId::RFMult:
    case ControlId::Fout:
    case ControlId::ClkUnits:
    case ControlId::Funits:
    case ControlId::Mode:
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
  // recalculation before anyone sees it, and the initial texts cannot overflow it. The mode is
  // chosen first, without a recalculation of its own: the three that follow read it.
  view_.ShowListItem(ControlId::Mode, kDefaultModeIndex);
  list_index_[Index(ControlId::Mode)] = kDefaultModeIndex;
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

void Form::Arrow(ControlId id, int step) {
  if (!IsComboBox(id)) return;
  if (const auto index = ItemForArrow(Entry(id).items, ListIndex(id), view_.Text(id), step)) {
    SetListIndex(id, static_cast<std::int16_t>(*index));
  }
}

void Form::SetListIndex(ControlId id, std::int16_t index) {
  view_.ShowListItem(id, index);
  Click(id, index);
}

void Form::LongHex(double& value, std::string& text) const {
  tuneworks::LongHex(value, text, ListIndex(ControlId::Resolution));
}

void Form::Recalculate() {
  const std::int16_t mode = ListIndex(ControlId::Mode);  // -1, typed over: WSPR
  const CalcInputs inputs{view_.Text(ControlId::Ref),
                          view_.Text(ControlId::PLLMult),
                          view_.Text(ControlId::Fout),
                          view_.Text(ControlId::RFMult),
                          ListIndex(ControlId::ClkUnits),
                          ListIndex(ControlId::Funits),
                          ListIndex(ControlId::Resolution),
                          beacon::kModeNames[mode < 0 ? 0 : static_cast<std::size_t>(mode)].mode};
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
  status_ = StatusAfter(inputs, outputs);
  ShowStatus();
}

void Form::ShowStatus() {
  std::vector<std::string> wordings{status_.text};
  wordings.insert(wordings.end(), status_.shorter.begin(), status_.shorter.end());
  const StatusLine shown{
      FitToStrip(wordings, view_.StatusRoom(),
                 [this](std::string_view line) { return view_.StatusTextWidth(line); }),
      status_.warning, status_.tool_tip};
  view_.SetStatus(shown);
}

void Form::ShowValue(ControlId id, const std::string& text) {
  view_.SetText(id, text);
  if (Entry(id).value_tip) {
    view_.SetToolTip(id, ValueTip(text));
  }
}

}  // namespace tuneworks
