// Qt widgets made to behave as the form's text boxes and drop-down combo boxes.
#include "form_controls.hpp"

#include <QAbstractItemView>
#include <QColor>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMimeData>
#include <QPalette>
#include <QTextCursor>

#include <algorithm>
#include <cmath>
#include <limits>

namespace tuneworks {

void PlaceInTwips(QWidget& widget, int left, int top, int width, int height) {
  widget.setGeometry(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                     height / kTwipsPerPixel);
}

QFont FormFont(double points) {
  QFont font;
  // The classic Windows dialog face, then its TrueType successor, then faces with Arial's metrics,
  // all of about the same width. Pixel sizes keep any face in proportion to the layout.
  font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                    QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                    QStringLiteral("Arial")});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
  font.setWeight(QFont::Normal);
  font.setItalic(false);
  font.setUnderline(false);
  font.setStrikeOut(false);
  // None of them here (a plain Linux desktop): the system's sans serif stands in, and the usual
  // ones (DejaVu Sans) run a tenth wider, enough to cut "RF Multiplication" short in its label.
  // A semi-condensed stretch picks their narrow face where there is one.
  if (!font.families().contains(QFontInfo(font).family())) {
    font.setStretch(QFont::SemiCondensed);
  }
  return font;
}

TextBox::TextBox(const QString& text, QWidget* parent) : QLineEdit(text, parent) {
  // The text set at creation is the box's starting state, not a change.
  connect(this, &QLineEdit::textChanged, this, &TextBox::Change);
}

void TextBox::ShowText(const QString& text) {
  setText(text);
  setCursorPosition(0);
}

MultiLineTextBox::MultiLineTextBox(std::size_t max_chars, QWidget* parent)
    : QPlainTextEdit(parent),
      max_chars_(static_cast<qsizetype>(
          std::min<std::size_t>(max_chars, std::numeric_limits<int>::max()))) {
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Tab moves on to the next control, as in every other box of the form.
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &MultiLineTextBox::Change);
}

QString MultiLineTextBox::Text() const {
  QString text = toPlainText();
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

void MultiLineTextBox::SetText(const QString& text) {
  QString lines = text;
  lines.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  setPlainText(lines);
}

void MultiLineTextBox::SetForeColor(int bgr) {
  const QColor colour(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
  QPalette colours = palette();
  colours.setColor(QPalette::Active, QPalette::Text, colour);
  colours.setColor(QPalette::Inactive, QPalette::Text, colour);
  setPalette(colours);
}

qsizetype MultiLineTextBox::Room() const {
  const qsizetype held = document()->characterCount() - 1;  // less the closing paragraph mark
  const QTextCursor cursor = textCursor();
  const qsizetype selected = cursor.selectionEnd() - cursor.selectionStart();
  return std::max<qsizetype>(0, max_chars_ - held + selected);
}

void MultiLineTextBox::insertFromMimeData(const QMimeData* source) {
  if (source == nullptr || !source->hasText()) {
    return;
  }
  textCursor().insertText(source->text().left(Room()));
  ensureCursorVisible();
}

void MultiLineTextBox::keyPressEvent(QKeyEvent* event) {
  // A character, or the line break of Return, that does not fit is not taken.
  const bool adds_text = (!event->text().isEmpty() && event->text().front().isPrint()) ||
                         event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (adds_text && Room() < std::max<qsizetype>(1, event->text().size())) {
    event->accept();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

ComboBox::ComboBox(const QString& text, const QStringList& items, QWidget* parent)
    : QComboBox(parent) {
  setEditable(true);
  // Typed text never becomes an item and is never completed to one: the field shows what was typed.
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  // Qt selects the item equal to the typed text when the field loses focus or takes Return; here a
  // typed text never selects anything, so that connection goes.
  disconnect(lineEdit(), &QLineEdit::editingFinished, this, nullptr);
  addItems(items);
  setEditText(text);

  connect(lineEdit(), &QLineEdit::textEdited, this, &ComboBox::Change);
  connect(this, &QComboBox::activated, this, &ComboBox::Click);
}

void ComboBox::ShowItem(int index) {
  if (index < 0 || index >= count()) {
    return;
  }
  setCurrentIndex(index);
  // setCurrentIndex leaves a typed-over field alone when the index is already current.
  setEditText(itemText(index));
}

void ComboBox::keyPressEvent(QKeyEvent* event) {
  // Up and Down in the closed field (Alt+Down opens the list) are the form's to decide.
  const bool arrow = event->key() == Qt::Key_Up || event->key() == Qt::Key_Down;
  if (arrow && !event->modifiers().testFlag(Qt::AltModifier) && !view()->isVisible()) {
    event->accept();
    emit Arrow(event->key() == Qt::Key_Up ? -1 : 1);
    return;
  }
  QComboBox::keyPressEvent(event);
}

}  // namespace tuneworks
