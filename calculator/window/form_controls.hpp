// The kinds of control the calculator's form is built from, placed in twips, with the change and
// click notifications and the selected-index rules that the form relies on.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstdint>

namespace tuneworks {

// Positions and sizes on the form are in twips; 15 of them make one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// Puts `widget` at a fixed place, measured in twips from the top-left corner of the client area.
void PlaceInTwips(QWidget& widget, int left, int top, int width, int height);

// The form's typeface at `points` on a 96-dot-per-inch screen. Sized in pixels so that text keeps
// its proportion to the pixel-exact layout whatever logical DPI the platform reports.
QFont FormFont(double points);

// Size of the form's default font, used by the labels and the smaller boxes.
inline constexpr double kDefaultFontPoints = 8.25;

// A single-line text box. Change is raised on every change of its text, typed or set.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, QWidget* parent);

  QString Text() const { return text(); }
  void SetText(const QString& text) { setText(text); }

 signals:
  void Change();
};

// A multi-line text box without scroll bars that wraps long lines at word boundaries. Its text
// uses CR LF line ends both ways, and its text colour is set as a 0x00BBGGRR value.
class MultiLineTextBox : public QPlainTextEdit {
 public:
  explicit MultiLineTextBox(QWidget* parent);

  QString Text() const;
  void SetText(const QString& text);
  void SetForeColor(int bgr);
};

// A drop-down combo box with an editable field. ListIndex is -1 at creation and after any typing
// into the field (even when the typed text equals an item); choosing an item from the list or with
// the arrow keys raises Click, typing raises Change, and SetListIndex raises Click before it
// returns.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  ComboBox(const QString& text, const QStringList& items, QWidget* parent);

  std::int16_t ListIndex() const { return list_index_; }
  // Shows the item's text in the field and runs the click handlers; an index outside the list is
  // ignored, since the form never sets one.
  void SetListIndex(int index);
  QString Text() const { return currentText(); }

 signals:
  void Click();
  void Change();

 private:
  std::int16_t list_index_ = -1;
};

}  // namespace tuneworks
