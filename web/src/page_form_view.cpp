// The page's FormView: the texts it holds and the record of what the form showed.
#include "page_form_view.hpp"

#include <cstdio>

#include "json_writer.hpp"

namespace wspr_web {

using tuneworks::ControlId;
using tuneworks::Entry;
using tuneworks::Index;

PageFormView::PageFormView() {
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    texts_[Index(entry.id)] = std::string(entry.text);
  }
}

void PageFormView::Typed(ControlId id, std::string text) {
  const std::size_t limit = Entry(id).max_chars;
  if (limit > 0 && text.size() > limit) text.resize(limit);  // as the box's own limit does
  texts_[Index(id)] = std::move(text);
}

std::string PageFormView::Text(ControlId id) const { return texts_[Index(id)]; }

void PageFormView::SetText(ControlId id, const std::string& text) {
  texts_[Index(id)] = text;
  text_shown_[Index(id)] = true;
}

void PageFormView::SetToolTip(ControlId id, const std::string& text) {
  tips_shown_[Index(id)] = text;
}

void PageFormView::ShowListItem(ControlId id, int index) {
  const auto& items = Entry(id).items;
  if (index < 0 || static_cast<std::size_t>(index) >= items.size()) return;
  texts_[Index(id)] = std::string(items[static_cast<std::size_t>(index)]);
  text_shown_[Index(id)] = true;
  list_shown_[Index(id)] = index;
}

void PageFormView::SetResultsColour(int bgr) { colour_shown_ = bgr; }

void PageFormView::SetStatus(const tuneworks::StatusLine& status) { status_shown_ = status; }

std::string PageFormView::TakeUpdates() {
  wspr::JsonWriter json;
  json.BeginObject();
  json.Key("texts").BeginObject();
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    if (text_shown_[Index(entry.id)]) json.Key(entry.name).String(texts_[Index(entry.id)]);
  }
  json.EndObject();
  json.Key("tips").BeginObject();
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    if (tips_shown_[Index(entry.id)]) json.Key(entry.name).String(*tips_shown_[Index(entry.id)]);
  }
  json.EndObject();
  json.Key("lists").BeginObject();
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    if (list_shown_[Index(entry.id)]) json.Key(entry.name).Integer(*list_shown_[Index(entry.id)]);
  }
  json.EndObject();
  if (colour_shown_) {
    // 0x00BBGGRR as CSS #rrggbb.
    const auto bgr = static_cast<unsigned>(*colour_shown_);
    char css[8];
    std::snprintf(css, sizeof css, "#%02x%02x%02x", bgr & 0xFFU, (bgr >> 8) & 0xFFU,
                  (bgr >> 16) & 0xFFU);
    json.Key("colour").String(css);
  }
  if (status_shown_) {
    json.Key("status").BeginObject();
    json.Key("text").String(status_shown_->text);
    json.Key("warning").Bool(status_shown_->warning);
    json.Key("tip").String(status_shown_->tool_tip);
    json.EndObject();
  }
  json.EndObject();

  text_shown_.fill(false);
  tips_shown_.fill(std::nullopt);
  list_shown_.fill(std::nullopt);
  colour_shown_.reset();
  status_shown_.reset();
  return json.Text();
}

}  // namespace wspr_web
