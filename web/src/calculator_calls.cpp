// TUNEWORKS on the page: the form table for the page to lay itself out, and one call per user
// action, each answering with everything the form's logic showed.
#include <emscripten/emscripten.h>

#include <cmath>
#include <cstddef>
#include <memory>
#include <string>

#include "call_buffer.hpp"
#include "form.hpp"
#include "form_table.hpp"
#include "json_writer.hpp"
#include "page_form_view.hpp"

namespace {

using tuneworks::ControlId;
using tuneworks::kControlCount;
using wspr::JsonWriter;

constexpr int kPageDpi = 96;

struct PageForm {
  wspr_web::PageFormView view;
  tuneworks::Form form{view};
};

std::unique_ptr<PageForm>& Page() {
  static std::unique_ptr<PageForm> page;
  return page;
}

int Px(int twips) { return tuneworks::TwipsToPixels(twips, kPageDpi); }

void Place(JsonWriter& json, const tuneworks::TwipRect& place) {
  json.Key("left").Integer(Px(place.left));
  json.Key("top").Integer(Px(place.top));
  json.Key("width").Integer(Px(place.width));
  json.Key("height").Integer(Px(place.height));
}

const char* KindName(tuneworks::ControlKind kind) {
  switch (kind) {
    case tuneworks::ControlKind::kTextBox:
      return "text";
    case tuneworks::ControlKind::kComboBox:
      return "combo";
    case tuneworks::ControlKind::kLabel:
      break;
  }
  return "label";
}

bool ValidControl(int index) {
  return index >= 0 && static_cast<std::size_t>(index) < kControlCount;
}

}  // namespace

extern "C" {

// Room for the next call's input bytes.
EMSCRIPTEN_KEEPALIVE std::uint8_t* wspr_input(std::size_t size) {
  return wspr_web::InputBuffer(size);
}

// The form table: the caption, the client area, the strip and the twenty-one controls in creation
// order (a control's number in the calls below is its place in this list), in pixels at 96 dpi.
EMSCRIPTEN_KEEPALIVE const char* tw_layout() {
  JsonWriter json;
  json.BeginObject();
  json.Key("caption").String(tuneworks::kCaption);
  json.Key("width").Integer(Px(tuneworks::kClientWidthTwips));
  json.Key("height").Integer(Px(tuneworks::kClientHeightTwips));
  json.Key("status").BeginObject();
  Place(json, tuneworks::kStatusPlace);
  json.EndObject();
  json.Key("controls").BeginArray();
  for (const tuneworks::ControlEntry& entry : tuneworks::kControls) {
    json.BeginObject();
    json.Key("name").String(entry.name);
    json.Key("kind").String(KindName(entry.kind));
    json.Key("text").String(entry.text);
    json.Key("items").BeginArray();
    for (const auto item : entry.items) json.String(item);
    json.EndArray();
    Place(json, entry.place);
    json.Key("fontPx").Integer(std::lround(entry.font_points * kPageDpi / 72.0));
    json.Key("enabled").Bool(entry.enabled);
    json.Key("multiLine").Bool(entry.multi_line);
    json.Key("maxChars").Integer(entry.max_chars);
    json.EndObject();
  }
  json.EndArray();
  json.Key("tabOrder").BeginArray();
  for (const ControlId id : tuneworks::TabOrder()) json.String(tuneworks::Entry(id).name);
  json.EndArray();
  json.EndObject();
  return wspr_web::Answer(json.Text());
}

// The load: a new form with the table's texts, the decimal separator of the user's language in
// the input buffer, and Form_Load's three selections.
EMSCRIPTEN_KEEPALIVE const char* tw_load(std::size_t separator_size) {
  auto& page = Page();
  page = std::make_unique<PageForm>();
  page->view.SetDecimalSeparator(std::string(wspr_web::InputText(0, separator_size)));
  page->form.Form_Load();
  return wspr_web::Answer(page->view.TakeUpdates());
}

// The user changed the text of control `control` to the `size` bytes in the input buffer.
EMSCRIPTEN_KEEPALIVE const char* tw_change(int control, std::size_t size) {
  auto& page = Page();
  if (!page || !ValidControl(control)) return wspr_web::Answer("{}");
  const auto id = static_cast<ControlId>(control);
  page->view.Typed(id, std::string(wspr_web::InputText(0, size)));
  page->form.Change(id);
  return wspr_web::Answer(page->view.TakeUpdates());
}

// The user chose item `index` from the list of combo box `control`.
EMSCRIPTEN_KEEPALIVE const char* tw_click(int control, int index) {
  auto& page = Page();
  if (!page || !ValidControl(control)) return wspr_web::Answer("{}");
  const auto id = static_cast<ControlId>(control);
  page->view.ShowListItem(id, index);
  page->form.Click(id, index);
  return wspr_web::Answer(page->view.TakeUpdates());
}

// Up (`step` -1) or Down (+1) in the closed field of combo box `control`: the item the form
// chooses, as in the windows.
EMSCRIPTEN_KEEPALIVE const char* tw_arrow(int control, int step) {
  auto& page = Page();
  if (!page || !ValidControl(control)) return wspr_web::Answer("{}");
  page->form.Arrow(static_cast<ControlId>(control), step);
  return wspr_web::Answer(page->view.TakeUpdates());
}

}  // extern "C"
