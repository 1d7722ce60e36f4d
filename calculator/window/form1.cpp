// The calculator's window on Qt: its controls built from the form's table, their notifications
// passed on to the form, and what the form writes shown in them.
#include "form1.hpp"

#include <QColor>
#include <QFontMetricsF>
#include <QLocale>
#include <QPalette>
#include <QStringList>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string_view>

#include "form_controls.hpp"
#include "qt_icon.hpp"

namespace tuneworks {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QStringList Items(const ControlEntry& entry) {
  QStringList items;
  for (const std::string_view item : entry.items) {
    items << FromUtf8(item);
  }
  return items;
}

void Place(QWidget& control, const TwipRect& place, double font_points) {
  PlaceInTwips(control, place.left, place.top, place.width, place.height);
  control.setFont(FormFont(font_points));
}

}  // namespace

Form1::Form1(QWidget* parent) : QWidget(parent) {
  // The controls in creation order (later ones lie on top where they overlap), each at its place.
  for (const ControlEntry& entry : kControls) {
    QWidget* control = CreateControl(entry);
    control->setObjectName(FromUtf8(entry.name));
    control->setEnabled(entry.enabled);
    Place(*control, entry.place, entry.font_points);
    controls_[Index(entry.id)] = control;
  }
  // The strip below Results is free: the status line lives there.
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("StatusLine"));
  Place(*status_, kStatusPlace, kDefaultFontPoints);
  // The form breaks the line to the strip's width itself.
  status_->setWordWrap(false);
  status_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  // Tab order; Qt passes over the disabled boxes.
  const auto order = TabOrder();
  for (std::size_t i = 1; i < order.size(); ++i) {
    setTabOrder(Control(order[i - 1]), Control(order[i]));
  }
  Control(order.front())->setFocus();

  setWindowTitle(FromUtf8(kCaption));
  setWindowIcon(TuneworksIcon());
  setFixedSize(kClientWidthTwips / kTwipsPerPixel, kClientHeightTwips / kTwipsPerPixel);
}

QWidget* Form1::CreateControl(const ControlEntry& entry) {
  const QString text = FromUtf8(entry.text);
  const int max_length = static_cast<int>(std::min<std::size_t>(entry.max_chars, 1U << 30));
  const ControlId id = entry.id;
  switch (entry.kind) {
    case ControlKind::kComboBox: {
      auto* combo = new ComboBox(text, Items(entry), this);
      combo->lineEdit()->setMaxLength(max_length);
      connect(combo, &ComboBox::Change, this, [this, id] { form_.Change(id); });
      connect(combo, &ComboBox::Click, this, [this, id](int index) { form_.Click(id, index); });
      connect(combo, &ComboBox::Arrow, this, [this, id](int step) { form_.Arrow(id, step); });
      return combo;
    }
    case ControlKind::kTextBox: {
      if (entry.multi_line) {
        auto* box = new MultiLineTextBox(entry.max_chars, this);
        box->SetText(text);
        connect(box, &MultiLineTextBox::Change, this, [this, id] { form_.Change(id); });
        return box;
      }
      auto* box = new TextBox(text, this);
      if (max_length > 0) {
        box->setMaxLength(max_length);
      }
      connect(box, &TextBox::Change, this, [this, id] { form_.Change(id); });
      return box;
    }
    case ControlKind::kLabel:
      break;
  }
  auto* label = new QLabel(text, this);
  // Labels end next to the control they name.
  label->setAlignment(Qt::AlignRight | Qt::AlignTop);
  return label;
}

std::string Form1::Text(ControlId id) const {
  QWidget* control = Control(id);
  if (auto* combo = qobject_cast<ComboBox*>(control)) {
    return combo->currentText().toStdString();
  }
  if (auto* box = qobject_cast<MultiLineTextBox*>(control)) {
    return box->Text().toStdString();
  }
  if (auto* box = qobject_cast<TextBox*>(control)) {
    return box->text().toStdString();
  }
  return qobject_cast<QLabel*>(control)->text().toStdString();
}

void Form1::SetText(ControlId id, const std::string& text) {
  QWidget* control = Control(id);
  if (auto* box = qobject_cast<MultiLineTextBox*>(control)) {
    box->SetText(FromUtf8(text));
  } else if (auto* box = qobject_cast<TextBox*>(control)) {
    box->ShowText(FromUtf8(text));
  }
}

void Form1::SetToolTip(ControlId id, const std::string& text) {
  Control(id)->setToolTip(FromUtf8(text));
}

void Form1::ShowListItem(ControlId id, int index) {
  if (auto* combo = qobject_cast<ComboBox*>(Control(id))) {
    combo->ShowItem(index);
  }
}

void Form1::SetResultsColour(int bgr) {
  if (auto* box = qobject_cast<MultiLineTextBox*>(Control(ControlId::Results))) {
    box->SetForeColor(bgr);
  }
}

void Form1::SetStatus(const StatusLine& status) {
  status_->setText(FromUtf8(status.text));
  status_->setToolTip(FromUtf8(status.tool_tip));
  QPalette colours = status_->palette();
  colours.setColor(QPalette::WindowText,
                   status.warning ? QColor(255, 0, 0) : palette().color(QPalette::WindowText));
  status_->setPalette(colours);
}

StripRoom Form1::StatusRoom() const {
  const QFontMetricsF metrics(status_->font());
  const QRect room = status_->contentsRect();
  const double line = std::max(metrics.height(), metrics.lineSpacing());
  return {room.width(), static_cast<int>(room.height() / line)};
}

int Form1::StatusTextWidth(std::string_view line) const {
  return static_cast<int>(
      std::ceil(QFontMetricsF(status_->font()).horizontalAdvance(FromUtf8(line))));
}

std::string Form1::DecimalSeparator() const {
  return QLocale::system().decimalPoint().toStdString();
}

}  // namespace tuneworks
