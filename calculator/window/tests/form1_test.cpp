// Tests of the calculator's window: start-up, one recalculation per edit or choice, the combo
// boxes' selected index, the results box, the warning colour, overflow reports and the layout.
#include <QAbstractItemView>
#include <QApplication>
#include <QColor>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QLocale>
#include <QPalette>
#include <QPixmap>
#include <QTest>

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "form1.hpp"

using tuneworks::CalcInputs;
using tuneworks::ComboBox;
using tuneworks::Form1;
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

// A window with every recalculation's inputs logged, created and loaded as the program does.
struct Window {
  Form1 form;
  std::vector<CalcInputs> log;

  explicit Window(bool load = true) {
    QObject::connect(&form, &Form1::recalculated,
                     [this](const CalcInputs& in) { log.push_back(in); });
    if (load) {
      form.Form_Load();
    }
  }
  int Count() const { return static_cast<int>(log.size()); }
  QColor ResultsColour() const { return form.Results->palette().color(QPalette::Text); }
};

// Replaces the box's text the way a user does: select everything, then type over it.
void Retype(QLineEdit* box, const QString& text) {
  box->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(box, Qt::Key_Delete);
  } else {
    QTest::keyClicks(box, text);
  }
}

TextBox* Box(Form1& form, const QString& name) { return form.findChild<TextBox*>(name); }

}  // namespace

class Form1Test : public QObject {
  Q_OBJECT

 private slots:
  void startUpRunsThreeRecalculationsAndShowsTheDefaults() {
    Window window(false);
    Form1& form = window.form;
    QCOMPARE(form.Clock->Text(), QString());
    QCOMPARE(form.ClkUnits->ListIndex(), -1);
    QCOMPARE(form.Resolution->Text(), QString("Select resolution"));
    QCOMPARE(form.Resolution->ListIndex(), -1);

    form.Form_Load();
    QCOMPARE(window.Count(), 3);
    const auto indexes = [](const CalcInputs& in) {
      return std::vector<int>{in.Funits, in.ClkUnits, in.Resolution};
    };
    QCOMPARE(indexes(window.log[0]), (std::vector<int>{2, -1, -1}));
    QCOMPARE(indexes(window.log[1]), (std::vector<int>{2, 2, -1}));
    QCOMPARE(indexes(window.log[2]), (std::vector<int>{2, 2, 1}));
    QCOMPARE(window.log[2].Ref, std::string("20"));

    QCOMPARE(form.Ref->Text(), QString("20"));
    QCOMPARE(form.PLLMult->Text(), QString("1"));
    QCOMPARE(form.RFMult->Text(), QString("1"));
    QCOMPARE(form.Fout->Text(), QString("1"));
    QCOMPARE(form.ClkUnits->Text(), QString("MHz"));
    QCOMPARE(form.ClkUnits->ListIndex(), 2);
    QCOMPARE(form.Funits->Text(), QString("MHz"));
    QCOMPARE(form.Funits->ListIndex(), 2);
    QCOMPARE(form.Resolution->Text(), QString("32 Bit AD9850/51"));
    QCOMPARE(form.Resolution->ListIndex(), 1);
    QCOMPARE(form.Clock->Text(), QString(" 20000000"));
    QCOMPARE(form.DDSFreq->Text(), QString(" 1000000"));
    QCOMPARE(form.Results->Text(), DefaultReport());
    QCOMPARE(window.ResultsColour(), kBlack);
    QCOMPARE(form.OverflowReport->text(), QString());
    QCOMPARE(form.State().ClockHz, 20e6);
    QCOMPARE(form.State().DdsOutHz, 1e6);
  }

  void eachTypedCharacterRecalculatesOnce_data() {
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("ddsFreq");
    QTest::addColumn<QString>("results");
    const QString wspr = "WSPR Interval      0x 0000013B\r\n";
    const QString no_wspr = "\r\n\r\n\r\nResolution    " + Separator() + "Hz";
    // clang-format off
    QTest::newRow("Ref 25") << "Ref" << "25" << " 25000000" << " 1000000"
                            << kDdsSetting + "0A3D70A4\r\n";
    QTest::newRow("PLLMult 4") << "PLLMult" << "4" << " 80000000" << " 1000000"
                               << kDdsSetting + "03333334\r\n";
    QTest::newRow("RFMult 2") << "RFMult" << "2" << " 20000000" << " 500000"
                              << kDdsSetting + "06666667\r\n";
    QTest::newRow("Fout 7.5") << "Fout" << "7.5" << " 20000000" << " 7500000"
                              << kDdsSetting + "60000000\r\n";
    QTest::newRow("Fout emptied") << "Fout" << "" << " 20000000" << " 0"
                                  << kDdsSetting + "00000000\r\n" + wspr +
                                         "WSPR     Setting   0x FFFFFE29";
    QTest::newRow("RFMult emptied keeps the DDS output")
        << "RFMult" << "" << " 20000000" << " 1000000" << kDdsSetting + "0CCCCCCD" + no_wspr;
    QTest::newRow("Ref emptied") << "Ref" << "" << " 0" << " 1000000"
                                 << kDdsSetting + "00000000" + no_wspr;
    // clang-format on
  }

  void eachTypedCharacterRecalculatesOnce() {
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, clock);
    QFETCH(QString, ddsFreq);
    QFETCH(QString, results);
    Window window;
    Form1& form = window.form;
    const int before = window.Count();

    Retype(Box(form, box), typed);
    QCOMPARE(window.Count() - before, std::max<int>(1, static_cast<int>(typed.size())));
    const CalcInputs& last = window.log.back();
    const std::string read = box == "Ref"       ? last.Ref
                             : box == "PLLMult" ? last.PLLMult
                             : box == "RFMult"  ? last.RFMult
                                                : last.Fout;
    QCOMPARE(QString::fromStdString(read), typed);
    QCOMPARE(form.Clock->Text(), clock);
    QCOMPARE(form.DDSFreq->Text(), ddsFreq);
    QVERIFY2(form.Results->Text().startsWith(results), qPrintable(form.Results->Text()));
  }

  void typedUnitFieldReadsMinusOne_data() {
    QTest::addColumn<QString>("combo");
    QTest::addColumn<QString>("clock");
    QTest::addColumn<QString>("ddsFreq");
    // Nothing selected scales by 0.001.
    // clang-format off
    QTest::newRow("ClkUnits") << "ClkUnits" << " .02" << " 1000000";
    QTest::newRow("Funits") << "Funits" << " 20000000" << " .001";
    // clang-format on
  }

  void typedUnitFieldReadsMinusOne() {
    QFETCH(QString, combo);
    QFETCH(QString, clock);
    QFETCH(QString, ddsFreq);
    Window window;
    Form1& form = window.form;
    auto* units = form.findChild<ComboBox*>(combo);
    units->lineEdit()->clear();
    const int before = window.Count();

    QTest::keyClicks(units, "kHz");  // an item, though not the one Qt holds as current
    QCOMPARE(window.Count() - before, 3);
    for (int i = before; i < window.Count(); ++i) {
      const CalcInputs& in = window.log[i];
      QCOMPARE(combo == "ClkUnits" ? in.ClkUnits : in.Funits, std::int16_t{-1});
    }
    QTest::keyClick(units, Qt::Key_Return);
    emit units->lineEdit()->editingFinished();
    QCOMPARE(units->ListIndex(), -1);
    QCOMPARE(window.Count() - before, 3);
    QCOMPARE(form.Clock->Text(), clock);
    QCOMPARE(form.DDSFreq->Text(), ddsFreq);
  }

  void choosingKHzRecalculatesWithIndexOne() {
    Window window;
    Form1& form = window.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const int before = window.Count();

    form.ClkUnits->showPopup();
    QAbstractItemView* list = form.ClkUnits->view();
    QTRY_VERIFY(list->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(list->model()->index(1, 0)).center());
    QTRY_COMPARE(window.Count() - before, 1);
    QCOMPARE(window.log.back().ClkUnits, std::int16_t{1});
    QCOMPARE(form.ClkUnits->Text(), QString("kHz"));
    QCOMPARE(form.Clock->Text(), QString(" 20000"));
  }

  void typingIntoResolutionRunsNothing() {
    Window window;
    Form1& form = window.form;
    const int before = window.Count();
    QTest::keyClicks(form.Resolution, "48");
    QCOMPARE(window.Count(), before);
    QCOMPARE(form.Resolution->ListIndex(), -1);

    // The next recalculation, from another box, reads -1: a 24-bit span, the whole hex text.
    Retype(form.Fout, "1");
    QCOMPARE(window.Count(), before + 1);
    QCOMPARE(window.log.back().Resolution, std::int16_t{-1});
    QCOMPARE(form.Results->Text(),
             kDdsSetting + "0000000CCCCD\r\n\r\n\r\nResolution    1" + Separator() + "1920929Hz");
  }

  void typingIntoResultsIsReplacedByTheNextRecalculation() {
    Window window;
    Form1& form = window.form;
    const int before = window.Count();
    QTest::keyClicks(form.Results, "hello");
    QTest::keyClicks(form.Clock, "9");
    QTest::keyClicks(form.DDSFreq, "9");
    QCOMPARE(window.Count(), before);
    QVERIFY(form.Results->Text().contains("hello"));
    QCOMPARE(form.Clock->Text(), QString(" 20000000"));
    QCOMPARE(form.DDSFreq->Text(), QString(" 1000000"));

    Retype(form.Fout, "1");
    QCOMPARE(form.Results->Text(), DefaultReport());
  }

  void resultsTurnRedAboveTheOverdriveRatioAndBack() {
    struct Step {
      const char* box;
      const char* typed;
      QColor colour;
      QString dds_setting;
    };
    const Step steps[] = {
        {"Fout", "7", kBlack, "5999999A"},  // exactly 0.35 of the clock
        {"Fout", "8", kRed, "66666667"},    // above it
        {"Ref", "", kRed, "00000000"},      // no clock: the colour stays
        {"Ref", "20", kRed, "66666667"},    // a clock again
        {"Fout", "30", kRed, "00000000"},   // not below the clock
        {"Fout", "1", kBlack, "0CCCCCCD"},  // back to the defaults
    };
    Window window;
    Form1& form = window.form;
    for (const Step& step : steps) {
      Retype(Box(form, step.box), step.typed);
      const QString where = QString("%1 = '%2'").arg(step.box, step.typed);
      QVERIFY2(window.ResultsColour() == step.colour, qPrintable(where));
      QVERIFY2(form.Results->Text().startsWith(kDdsSetting + step.dds_setting + "\r\n"),
               qPrintable(where + ": " + form.Results->Text()));
    }
    QCOMPARE(form.Results->Text(), DefaultReport());
  }

  void overflowTypedIntoFoutIsReportedThenCleared() {
    Window window;
    Form1& form = window.form;
    Retype(form.Fout, "1E40");
    QCOMPARE(form.OverflowReport->text(), QString());
    const QString dds_freq = form.DDSFreq->Text();
    const QString results = form.Results->Text();

    QTest::keyClicks(form.Fout, "0");  // 1E400
    QVERIFY(form.OverflowReport->text().startsWith("Overflow"));
    QVERIFY(QApplication::activeModalWidget() == nullptr);
    QCOMPARE(form.Clock->Text(), QString(" 20000000"));  // produced before the failure
    QCOMPARE(form.DDSFreq->Text(), dds_freq);
    QCOMPARE(form.Results->Text(), results);

    for (int i = 0; i < 4; ++i) {
      QTest::keyClick(form.Fout, Qt::Key_Backspace);
    }
    QCOMPARE(form.Fout->Text(), QString("1"));
    QCOMPARE(form.OverflowReport->text(), QString());
    QCOMPARE(form.DDSFreq->Text(), QString(" 1000000"));
    QCOMPARE(form.Results->Text(), DefaultReport());
    QCOMPARE(window.ResultsColour(), kBlack);
  }

  void overflowOfTheClockChangesNoOutput() {
    Window window;
    Form1& form = window.form;
    Retype(form.Ref, "1E200");
    Retype(form.PLLMult, "1E20");
    const QString clock = form.Clock->Text();
    const QString results = form.Results->Text();
    QTest::keyClicks(form.PLLMult, "0");
    QVERIFY(!form.OverflowReport->text().isEmpty());
    QCOMPARE(form.Clock->Text(), clock);
    QCOMPARE(form.Results->Text(), results);
  }

  void overflowInTheIntervalWordKeepsTheFirstStage() {
    Window window;
    Form1& form = window.form;
    Retype(form.Ref, "1");
    form.ClkUnits->SetListIndex(0);
    Retype(form.RFMult, "0.001");
    form.Resolution->SetListIndex(2);
    QVERIFY(!form.OverflowReport->text().isEmpty());
    QCOMPARE(form.Clock->Text(), QString(" 1"));
    QCOMPARE(form.DDSFreq->Text(), QString(" 1000000000"));
    QCOMPARE(window.ResultsColour(), kRed);
    QCOMPARE(form.Results->Text(), kDdsSetting + "000000000000\r\n");
  }

  void overflowWhileLoadingKeepsTheWindow() {
    Window window(false);
    Form1& form = window.form;
    form.Ref->SetText("1E200");
    form.PLLMult->SetText("1E200");
    const int before = window.Count();
    form.Form_Load();
    // The two unit selections ran; loading stopped at the clock, before the resolution.
    QCOMPARE(window.Count() - before, 2);
    QCOMPARE(form.Resolution->ListIndex(), -1);
    QVERIFY(form.OverflowReport->text().startsWith("Overflow"));
  }

  void decimalSeparatorFollowsUserSettings() {
    if (qEnvironmentVariable("LC_ALL").startsWith("de")) {
      QCOMPARE(Separator(), QString(","));
    }
    Window window;
    Form1& form = window.form;
    QCOMPARE(form.Results->Text(), DefaultReport());
    // Every other number keeps the full stop.
    QTest::keyClicks(form.ClkUnits, "x");
    QCOMPARE(form.Clock->Text(), QString(" .02"));
  }

  void longHexCutsToTheSelectedResolution() {
    Window window;
    Form1& form = window.form;
    double word = 214748364.8;
    std::string text;
    form.LongHex(word, text);
    QCOMPARE(text, std::string("0CCCCCCD"));
    QTest::keyClicks(form.Resolution, "x");
    word = 214748364.8;
    form.LongHex(word, text);
    QCOMPARE(text, std::string("00000CCCCCCD"));
  }

  void tabVisitsTheInputsInOrder() {
    Window window;
    Form1& form = window.form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Ref);
    const QWidget* expected[] = {form.PLLMult, form.RFMult,  form.Resolution, form.Fout,
                                 form.Funits,  form.Results, form.ClkUnits,   form.Ref};
    for (const QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      // The combo boxes take focus through their editable field.
      if (focus != nullptr && focus->parentWidget() != &form) {
        focus = focus->parentWidget();
      }
      QCOMPARE(focus, next);
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
    QCOMPARE(names, QStringList({"ClkUnits", "DDSFreq", "Clock", "Results", "Funits", "Fout",
                                 "Resolution", "RFMult", "PLLMult", "Ref", "Label6", "Label5",
                                 "Label4", "Label3", "Label2", "Label1", "OverflowReport"}));
    QCOMPARE(form.Results->geometry(), QRect(40, 184, 273, 113));
    QCOMPARE(form.Ref->font().pixelSize(), 13);
    QCOMPARE(form.Fout->font().pixelSize(), 16);
    QCOMPARE(form.Label1->font().pixelSize(), 11);
    // Whatever face stands in for the missing one, every caption fits its label.
    for (const QLabel* label :
         {form.Label1, form.Label2, form.Label3, form.Label4, form.Label5, form.Label6}) {
      QVERIFY2(QFontMetrics(label->font()).horizontalAdvance(label->text()) <= label->width(),
               qPrintable(label->text() + " in " + QFontInfo(label->font()).family()));
    }
    QVERIFY(!form.Clock->isEnabled());
    QVERIFY(!form.DDSFreq->isEnabled());
  }

  void rendersTheWindowToPng() {
    Window window;
    Form1& form = window.form;
    const QPixmap picture = form.grab();
    QCOMPARE(picture.deviceIndependentSize().toSize(), QSize(381, 343));
    QVERIFY(picture.save("tuneworks_window.png"));
    QVERIFY(!QImage("tuneworks_window.png").isNull());
  }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
