// Tests of the calculator's Qt window: that it builds the form from the table, passes the
// widgets' notifications on and shows what the form writes (texts, colours, the status line,
// tooltips), takes long pastes, and keeps its layout, tab order and fonts. The form's behaviour
// itself is tested without Qt in calculator/form/tests.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QElapsedTimer>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QTest>

#include <cmath>

#include "form1.hpp"
#include "form_controls.hpp"

using tuneworks::ComboBox;
using tuneworks::Form1;
using tuneworks::MultiLineTextBox;
using tuneworks::TextBox;

namespace {

const QColor kRed(255, 0, 0);
const QColor kBlack(0, 0, 0);
const QString kDdsSetting = "DDS Setting           0x ";

QString Separator() { return QLocale::system().decimalPoint(); }

QString DefaultReport() {
  return kDdsSetting + "0CCCCCCD\r\nWSPR Interval      0x 0000013B\r\n" +
         "WSPR     Setting   0x 0CCCCAF5\r\n\r\nResolution    " + Separator() + "00465661Hz";
}

// A window created and loaded as the program does, its controls found by name as a user finds
// them by their place.
struct Window {
  Form1 form;

  Window() { form.Form_Load(); }
  template <typename Control>
  Control* Find(const char* name) {
    return form.findChild<Control*>(QString::fromLatin1(name));
  }
  TextBox* Box(const char* name) { return Find<TextBox>(name); }
  ComboBox* Combo(const char* name) { return Find<ComboBox>(name); }
  MultiLineTextBox* Results() { return Find<MultiLineTextBox>("Results"); }
  QLabel* Status() { return Find<QLabel>("StatusLine"); }
  QString Clock() { return Box("Clock")->text(); }
  QColor ResultsColour() { return Results()->palette().color(QPalette::Text); }
};

// Replaces the box's text the way a user does: select everything, then type over it.
void Retype(QLineEdit* box, const QString& text) {
  box->selectAll();
  QTest::keyClicks(box, text);
}

// Replaces the text of a box, or of a combo box's field, with a paste.
void Paste(QWidget* control, const QString& text) {
  QApplication::clipboard()->setText(text);
  auto* combo = qobject_cast<QComboBox*>(control);
  auto* box = combo != nullptr ? combo->lineEdit() : qobject_cast<QLineEdit*>(control);
  box->selectAll();
  box->paste();
}

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void startUpShowsTheDefaults() {
    Window window;
    QCOMPARE(window.Combo("ClkUnits")->currentText(), QString("MHz"));
    QCOMPARE(window.Combo("Funits")->currentText(), QString("MHz"));
    QCOMPARE(window.Combo("Resolution")->currentText(), QString("32 Bit AD9850/51"));
    QCOMPARE(window.Clock(), QString(" 20000000"));
    QCOMPARE(window.Box("DDSFreq")->text(), QString(" 1000000"));
    QCOMPARE(window.Results()->Text(), DefaultReport());
    QCOMPARE(window.ResultsColour(), kBlack);
    // The strip shows the tones the words give, in the normal colour, with every figure as tooltip.
    QVERIFY2(window.Status()->text().startsWith("Tones "), qPrintable(window.Status()->text()));
    QVERIFY(window.Status()->palette().color(QPalette::WindowText) != kRed);
    QVERIFY(window.Status()->toolTip().contains("Hz"));
  }

  void notificationsReachTheForm() {
    Window window;
    Retype(window.Box("Ref"), "25");
    QCOMPARE(window.Clock(), QString(" 25000000"));
    // Typing into a unit field selects nothing: the clock is scaled by 0.001.
    QTest::keyClicks(window.Combo("ClkUnits"), "x");
    QCOMPARE(window.Clock(), QString(" .025"));

    QTest::keyClicks(window.Results(), "hello");
    QTest::keyClicks(window.Combo("Resolution"), "x");
    QVERIFY(window.Results()->Text().contains("hello"));
    Retype(window.Box("Fout"), "1");  // nothing selected in Resolution: the whole hex text
    QVERIFY2(window.Results()->Text().startsWith(kDdsSetting + "000000000000\r\n"),
             qPrintable(window.Results()->Text()));

    window.form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window.form));
    ComboBox* units = window.Combo("ClkUnits");
    units->showPopup();
    QAbstractItemView* list = units->view();
    QTRY_VERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    QTRY_COMPARE(window.Clock(), QString(" 25000"));
    QCOMPARE(units->currentText(), QString("kHz"));
  }

  // Down after typing into a unit field chooses what the form says: the item the text names,
  // else the first; then the next one.
  void downInAUnitFieldChoosesAsTheFormSays() {
    Window window;
    ComboBox* units = window.Combo("ClkUnits");
    for (const auto& [typed, item] : {std::pair{"mhz", "MHz"}, {"k ", "kHz"}, {"x", "Hz"}}) {
      Retype(units->lineEdit(), typed);
      QTest::keyClick(units->lineEdit(), Qt::Key_Down);
      QCOMPARE(units->currentText(), QString(item));
    }
    QTest::keyClick(units->lineEdit(), Qt::Key_Down);
    QCOMPARE(units->currentText(), QString("kHz"));
    QCOMPARE(window.Clock(), QString(" 20000"));
  }

  void resultsColourAndStatusLine() {
    Window window;
    const QString tones = window.Status()->text();
    Retype(window.Box("Fout"), "8");
    QCOMPARE(window.ResultsColour(), kRed);
    Retype(window.Box("Fout"), "1E400");
    QVERIFY(window.Status()->text().startsWith("Overflow"));
    QCOMPARE(window.Status()->palette().color(QPalette::WindowText), kRed);
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    Retype(window.Box("Fout"), "1");
    QCOMPARE(window.Status()->text(), tones);
    QVERIFY(window.Status()->palette().color(QPalette::WindowText) != kRed);
    QCOMPARE(window.ResultsColour(), kBlack);
    QCOMPARE(window.Results()->Text(), DefaultReport());
  }

  void decimalSeparatorFollowsUserSettings() {
    if (qEnvironmentVariable("LC_ALL").startsWith("de")) {
      QCOMPARE(Separator(), QString(","));
    }
    Window window;
    QCOMPARE(window.Results()->Text(), DefaultReport());
    // Every other number keeps the full stop.
    QTest::keyClicks(window.Combo("ClkUnits"), "x");
    QCOMPARE(window.Clock(), QString(" .02"));
  }

  void outputsTooLongShowTheirStartAndTheWholeValueAsTooltip() {
    Window window;
    Retype(window.Box("Ref"), "20.0001234");
    Retype(window.Box("PLLMult"), "6");
    for (const char* name : {"Clock", "DDSFreq"}) {
      QCOMPARE(window.Box(name)->cursorPosition(), 0);
    }
    QCOMPARE(window.Clock(), QString(" 120000740.4"));
    QCOMPARE(window.Box("Clock")->toolTip(), QString("120000740.4 Hz"));
  }

  void inputsTakeAMegabyteAndResultsItsLimit() {
    Window window;
    // As long as the number reader is tested with: blanks count for nothing.
    const QString megabyte = QString(1048570, ' ') + "1.5E3";
    QElapsedTimer time;
    time.start();
    Paste(window.Box("Ref"), megabyte);
    window.form.repaint();
    // A megabyte is laid out once on the change and once on painting, in linear time; a
    // quadratic step would take minutes.
    QVERIFY2(time.elapsed() < 20000, qPrintable(QString::number(time.elapsed())));
    QCOMPARE(window.Clock(), QString(" 1500000000"));
    for (const char* name : {"PLLMult", "RFMult", "Fout", "ClkUnits", "Funits", "Resolution"}) {
      auto* control = window.form.findChild<QWidget*>(name);
      Paste(control, megabyte);
      auto* combo = qobject_cast<QComboBox*>(control);
      const QString text =
          combo != nullptr ? combo->currentText() : qobject_cast<QLineEdit*>(control)->text();
      QVERIFY2(text == megabyte, name);
    }

    time.start();
    window.Results()->selectAll();
    QApplication::clipboard()->setText(megabyte);
    window.Results()->paste();
    window.form.repaint();
    QVERIFY2(time.elapsed() < 20000, qPrintable(QString::number(time.elapsed())));
    QCOMPARE(window.Results()->Text().size(), 65536);
  }

  void tabVisitsTheInputsInOrder() {
    Window window;
    window.form.show();
    QVERIFY(QTest::qWaitForWindowActive(&window.form));
    QCOMPARE(QApplication::focusWidget(), window.Box("Ref"));
    const QStringList expected{"PLLMult", "RFMult",      "Resolution", "Fout",
                               "Funits",  "Results",     "ClkUnits",   "Mode",
                               "Channel", "ChannelBand", "Ref"};
    for (const QString& next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      // The combo boxes take focus through their editable field.
      if (focus != nullptr && focus->parentWidget() != &window.form) {
        focus = focus->parentWidget();
      }
      QCOMPARE(focus->objectName(), next);
    }
  }

  void windowIsFixedWithTheControlsInCreationOrder() {
    Window window;
    Form1& form = window.form;
    QCOMPARE(form.windowTitle(), QString("TUNEWORKS - VARNO"));
    QCOMPARE(form.minimumSize(), QSize(381, 343));
    QCOMPARE(form.maximumSize(), QSize(381, 343));
    QVERIFY(!form.windowIcon().isNull());
    QStringList names;
    for (const QObject* child : form.children()) {
      if (child->isWidgetType()) {
        names << child->objectName();
      }
    }
    QCOMPARE(names,
             QStringList({"ClkUnits",   "DDSFreq", "Clock",       "Results",   "Funits", "Fout",
                          "Resolution", "RFMult",  "PLLMult",     "Ref",       "Label6", "Label5",
                          "Label4",     "Label3",  "Label2",      "Label1",    "Mode",   "Label7",
                          "Label8",     "Channel", "ChannelBand", "StatusLine"}));
    QCOMPARE(window.Results()->geometry(), QRect(40, 184, 273, 113));
    QCOMPARE(window.Box("Ref")->font().pixelSize(), 13);
    QCOMPARE(window.Box("Fout")->font().pixelSize(), 16);
    // Whatever face stands in for the missing one, every caption fits its label.
    for (const char* name :
         {"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label8"}) {
      const QLabel* label = window.Find<QLabel>(name);
      QCOMPARE(label->font().pixelSize(), 11);
      QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->text() + " in " + QFontInfo(label->font()).family()));
    }
    QVERIFY(!window.Box("Clock")->isEnabled());
    QVERIFY(!window.Box("DDSFreq")->isEnabled());
  }

  // Every finding the strip can show, in the wording the form chose, fits the strip, and Clock
  // shows a nine-digit clock whole, at this scale (ctest runs it at 96, 120, 144 and 192 dpi with
  // QT_SCALE_FACTOR). The strip of the first row is photographed at each.
  void everyFindingFitsTheStrip_data() {
    QTest::addColumn<QString>("ref");
    QTest::addColumn<QString>("fout");
    QTest::addColumn<int>("resolution");
    QTest::addColumn<int>("mode");
    QTest::newRow("dial, 24 bit") << "20"
                                  << "7.0386" << 0 << 0;
    QTest::newRow("23 cm") << "3000"
                           << "1296.5014" << 2 << 0;
    QTest::newRow("far step") << "20"
                              << "1" << 0 << 0;
    QTest::newRow("alias") << "125"
                           << "70" << 1 << 0;
    QTest::newRow("overflow") << "20"
                              << "1E400" << 1 << 0;
    QTest::newRow("FST4W-300, 2200 m") << "20"
                                       << "0.1375" << 1 << 2;
    QTest::newRow("FST4W-1800 above 630 m, 24 bit") << "20"
                                                    << "0.4758" << 0 << 4;
  }
  void everyFindingFitsTheStrip() {
    QFETCH(QString, ref);
    QFETCH(QString, fout);
    QFETCH(int, resolution);
    QFETCH(int, mode);
    Window window;
    Retype(window.Box("Ref"), ref);
    window.Combo("Resolution")->ShowItem(resolution);
    emit window.Combo("Resolution")->activated(resolution);
    window.Combo("Mode")->ShowItem(mode);
    emit window.Combo("Mode")->activated(mode);
    Retype(window.Box("Fout"), fout);
    const QLabel* strip = window.Status();
    const QRect room = strip->contentsRect();
    const QRectF needed = QFontMetricsF(strip->font()).boundingRect(room, 0, strip->text());
    const QString shown = strip->text() + " in " + QString::number(room.width());
    QVERIFY2(needed.width() <= room.width() && needed.height() <= room.height(), qPrintable(shown));

    Retype(window.Box("Ref"), "125");
    TextBox* clock = window.Box("Clock");
    QCOMPARE(clock->text(), QString(" 125000000"));
    // Were the digits wider than the box, the box would scroll to show its end.
    const auto cursor_at = [clock](int position) {
      clock->setCursorPosition(position);
      clock->grab();
      return clock->inputMethodQuery(Qt::ImCursorRectangle).toRectF().left();
    };
    const double advance = QFontMetricsF(clock->font()).horizontalAdvance(clock->text());
    QVERIFY2(cursor_at(static_cast<int>(clock->text().size())) - cursor_at(0) >= advance - 1,
             qPrintable(clock->text()));
    if (QTest::currentDataTag() == QLatin1String("dial, 24 bit")) {
      const int dpi = static_cast<int>(std::lround(96 * window.form.devicePixelRatioF()));
      Retype(window.Box("Ref"), ref);
      QVERIFY(window.form.grab().save(QString("tuneworks_strip_%1dpi.png").arg(dpi)));
    }
  }

  void rendersTheWindowToPng() {
    Window window;
    const QPixmap picture = window.form.grab();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(381, 343));
    QVERIFY(picture.save("tuneworks_window.png"));
    QVERIFY(!QImage("tuneworks_window.png").isNull());
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
