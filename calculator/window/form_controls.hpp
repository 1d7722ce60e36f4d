// The kinds of control the calculator's form is built from, as Qt widgets placed in twips: a
// text box, a multi-line text box and a drop-down combo box, each raising the change and click
// notifications the form acts on.
#pragma once

#include <QComboBox>
#include <QFont>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <cstddef>

namespace tuneworks {

// Positions and sizes on the form are in twips; 15 of them make one device-independent pixel.
inline constexpr int kTwipsPerPixel = 15;

// Puts `widget` at a fixed place, measured in twips from the top-left corner of the client area.
void PlaceInTwips(QWidget& widget, int left, int top, int width, int height);

// The form's typeface at `points` on a 96-dot-per-inch screen. Sized in pixels so that text keeps
// its proportion to the pixel-exact layout whatever logical DPI the platform reports.
QFont FormFont(double points);

// A single-line text box. Change is raised on every change of its text, typed or set.
class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, QWidget* parent);

  // Shows a text the program produced from its start, so that the leading (most significant)
  // digits of a number too long for the box stay in view.
  void ShowText(const QString& text);

 signals:
  void Change();
};

// A multi-line text box without scroll bars that wraps long lines at word boundaries. Its text
// uses CR LF line ends both ways, its text colour is set as a 0x00BBGGRR value, and it takes at
// most `max_chars` characters: a paste is cut to the room left before it is laid out.
class MultiLineTextBox : public QPlainTextEdit {
  Q_OBJECT

 public:
  MultiLineTextBox(std::size_t max_chars, QWidget* parent);

  QString Text() const;
  void SetText(const QString& text);
  void SetForeColor(int bgr);

 signals:
  void Change();

 protected:
  void insertFromMimeData(const QMimeData* source) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // Characters that can still go in when the selection is replaced.
  qsizetype Room() const;

  qsizetype max_chars_;
};

// A drop-down combo box with an editable field whose typed text never selects an item, even when
// it equals one. Choosing an item from the open list raises Click with its index; Up or Down in
// the closed field raises Arrow (-1 or +1), leaving the choice to the form; typing raises Change.
// Showing an item from the program raises nothing.
class ComboBox : public QComboBox {
  Q_OBJECT

 public:
  ComboBox(const QString& text, const QStringList& items, QWidget* parent);

  // Shows item `index` as the chosen one, its text in the field (also when it is the current item
  // and the field was typed over). An index outside the list is ignored.
  void ShowItem(int index);

 signals:
  void Click(int index);
  void Change();
  void Arrow(int step);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace tuneworks
