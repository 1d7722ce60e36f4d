// Tests of the form's controls: the combo box's selected index and its click and change
// notifications, the text box's change notification, the multi-line box's line ends and colour.
#include <QAbstractItemView>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

#include <utility>
#include <vector>

#include "form_controls.hpp"

using tuneworks::ComboBox;
using tuneworks::MultiLineTextBox;
using tuneworks::TextBox;

namespace {

QStringList Units() { return {"Hz", "kHz", "MHz", "GHz"}; }

}  // namespace

class FormControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void comboBoxStartsWithNothingSelected() {
    ComboBox units("MHz", Units(), nullptr);
    QCOMPARE(units.ListIndex(), -1);
    QCOMPARE(units.Text(), QString("MHz"));
    QCOMPARE(units.count(), 4);
    QCOMPARE(units.itemText(3), QString("GHz"));
  }

  void settingTheIndexClicksBeforeReturning() {
    ComboBox units("MHz", Units(), nullptr);
    std::vector<std::pair<int, QString>> seen_in_click;
    connect(&units, &ComboBox::Click, this,
            [&] { seen_in_click.emplace_back(units.ListIndex(), units.Text()); });
    QSignalSpy changes(&units, &ComboBox::Change);

    units.SetListIndex(2);
    QCOMPARE(seen_in_click.size(), 1u);
    QCOMPARE(seen_in_click.back(), std::make_pair(2, QString("MHz")));
    // Typed over, then set to the same index: the item's text comes back.
    QTest::keyClicks(&units, "xy");
    QCOMPARE(units.Text(), QString("MHzxy"));
    units.SetListIndex(2);
    QCOMPARE(seen_in_click.size(), 2u);
    QCOMPARE(seen_in_click.back(), std::make_pair(2, QString("MHz")));
    units.SetListIndex(1);
    QCOMPARE(seen_in_click.size(), 3u);
    QCOMPARE(seen_in_click.back(), std::make_pair(1, QString("kHz")));
    QCOMPARE(changes.count(), 2);  // the two typed characters only
  }

  void typingSelectsNothingEvenWhenTextEqualsAnItem() {
    ComboBox units("MHz", Units(), nullptr);
    units.SetListIndex(2);
    QSignalSpy clicks(&units, &ComboBox::Click);
    QSignalSpy changes(&units, &ComboBox::Change);
    units.lineEdit()->clear();
    QTest::keyClicks(&units, "kHz");
    QCOMPARE(changes.count(), 3);
    QCOMPARE(units.Text(), QString("kHz"));
    QCOMPARE(units.ListIndex(), -1);
    // Return and leaving the field must not turn the typed text into a selection.
    QTest::keyClick(&units, Qt::Key_Return);
    emit units.lineEdit()->editingFinished();
    QCOMPARE(units.ListIndex(), -1);
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changes.count(), 3);
  }

  void choosingFromTheListClicks() {
    ComboBox units("MHz", Units(), nullptr);
    units.show();
    QVERIFY(QTest::qWaitForWindowExposed(&units));
    QSignalSpy clicks(&units, &ComboBox::Click);
    units.showPopup();
    QAbstractItemView* list = units.view();
    QTRY_VERIFY(list->isVisible());
    const QRect item = list->visualRect(list->model()->index(1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    QTRY_COMPARE(clicks.count(), 1);
    QCOMPARE(units.ListIndex(), 1);
    QCOMPARE(units.Text(), QString("kHz"));

    // An arrow key in the closed field chooses the neighbouring item.
    QTest::keyClick(&units, Qt::Key_Down);
    QCOMPARE(clicks.count(), 2);
    QCOMPARE(units.ListIndex(), 2);
    QCOMPARE(units.Text(), QString("MHz"));
  }

  void textBoxChangesOnTypingAndOnSetting() {
    TextBox box("20", nullptr);
    QSignalSpy changes(&box, &TextBox::Change);
    QTest::keyClicks(&box, "5.");
    QCOMPARE(changes.count(), 2);
    QCOMPARE(box.Text(), QString("205."));
    box.SetText("1");
    QCOMPARE(changes.count(), 3);
    box.SetText("1");  // the same text is no change
    QCOMPARE(changes.count(), 3);
  }

  void multiLineBoxKeepsCrLfLineEnds() {
    MultiLineTextBox box(nullptr);
    const QString report = "DDS Setting\r\n\r\n\r\nResolution";
    box.SetText(report);
    QCOMPARE(box.document()->blockCount(), 4);
    QCOMPARE(box.Text(), report);
  }

  void multiLineBoxColour_data() {
    QTest::addColumn<int>("bgr");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("red") << 255 << QColor(255, 0, 0);
    QTest::newRow("black") << 0 << QColor(0, 0, 0);
    QTest::newRow("blue byte is the high one") << 0xFF0000 << QColor(0, 0, 255);
  }

  void multiLineBoxColour() {
    QFETCH(int, bgr);
    QFETCH(QColor, colour);
    MultiLineTextBox box(nullptr);
    box.SetForeColor(bgr);
    QCOMPARE(box.palette().color(QPalette::Active, QPalette::Text), colour);
    QCOMPARE(box.palette().color(QPalette::Inactive, QPalette::Text), colour);
  }
};

QTEST_MAIN(FormControlsTest)
#include "form_controls_test.moc"
