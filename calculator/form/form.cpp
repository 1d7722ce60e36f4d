// The form's load sequence, its event wiring and its one recalculation.
#include "form.hpp"

#include <cstddef>
#include <string_view>
#include <vector>

#include "channel_box.hpp"
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
    case ControlId::Channel:
    case ControlId::ChannelBand:
      return true;
    default:
      return false;
  }
}

// The boxes whose channel sets the wanted frequency.
bool NamesChannel(ControlId id) { return id == ControlId::Channel || id == ControlId::ChannelBand; }

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
  view_.ShowListItem(ControlId::ChannelBand, kDefaultChannelBandIndex);
  list_index_[Index(ControlId::ChannelBand)] = kDefaultChannelBandIndex;
  SetListIndex(ControlId::Funits, kDefaultFunits);
  SetListIndex(ControlId::ClkUnits, kDefaultClkUnits);
  SetListIndex(ControlId::Resolution, kDefaultResolution);
}

void Form::Change(ControlId id) {
  if (following_) return;
  if (IsComboBox(id)) {
    list_index_[Index(id)] = -1;
  }
  if (NamesChannel(id)) FollowChannel();
  if (ChangeRecalculates(id)) {
    Recalculate();
  }
}

void Form::Click(ControlId id, int index) {
  if (!IsComboBox(id) || index < 0 || static_cast<std::size_t>(index) >= Entry(id).items.size()) {
    return;
  }
  list_index_[Index(id)] = static_cast<std::int16_t>(index);
  if (NamesChannel(id)) FollowChannel();
  Recalculate();
}

void Form::FollowChannel() {
  const ChannelChoice choice =
      ReadChannel(view_.Text(ControlId::Channel), view_.Text(ControlId::ChannelBand), Mode());
  if (!choice.channel) return;
  following_ = true;
  view_.SetText(ControlId::Fout, LaneCentreMhzText(*choice.channel));
  following_ = false;
  constexpr std::int16_t kMhz = 2;
  view_.ShowListItem(ControlId::Funits, kMhz);
  list_index_[Index(ControlId::Funits)] = kMhz;
}

beacon::Mode Form::Mode() const {
  const std::int16_t mode = ListIndex(ControlId::Mode);  // -1, typed over: WSPR
  return beacon::kModeNames[mode < 0 ? 0 : static_cast<std::size_t>(mode)].mode;
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
  const CalcInputs inputs{view_.Text(ControlId::Ref),       view_.Text(ControlId::PLLMult),
                          view_.Text(ControlId::Fout),      view_.Text(ControlId::RFMult),
                          ListIndex(ControlId::ClkUnits),   ListIndex(ControlId::Funits),
                          ListIndex(ControlId::Resolution), Mode()};
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
  const ChannelChoice channel =
      ReadChannel(view_.Text(ControlId::Channel), view_.Text(ControlId::ChannelBand), inputs.Mode);
  if (channel.channel) {
    status_ = WithChannel(status_, *channel.channel);
  } else if (channel.given) {
    status_ = channel.problem;
  }
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
