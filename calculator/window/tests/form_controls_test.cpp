// Tests of the form's controls: the combo box's click and change notifications, the text box's
// change notification and start-first display, the multi-line box's line ends, colour and limit.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QColor>
#include <QLineEdit>
#include <QPalette>
#include <QSignalSpy>
#include <QTest>

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
  void comboBoxShowsItsTextAndList() {
    ComboBox units("MHz", Units(), nullptr);
    QCOMPARE(units.currentText(), QString("MHz"));
    QCOMPARE(units.count(), 4);
    QCOMPARE(units.itemText(3), QString("GHz"));
  }

  void showingAnItemRaisesNothing() {
    ComboBox units("MHz", Units(), nullptr);
    QSignalSpy clicks(&units, &ComboBox::Click);
    QSignalSpy changes(&units, &ComboBox::Change);
    units.ShowItem(2);
    // Typed over, then shown again: the item's text comes back.
    QTest::keyClicks(&units, "xy");
    QCOMPARE(units.currentText(), QString("MHzxy"));
    units.ShowItem(2);
    QCOMPARE(units.currentText(), QString("MHz"));
    units.ShowItem(1);
    QCOMPARE(units.currentText(), QString("kHz"));
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changes.count(), 2);  // the two typed characters only
  }

  void typingNeverClicksEvenWhenTextEqualsAnItem() {
    ComboBox units("MHz", Units(), nullptr);
    units.ShowItem(2);
    QSignalSpy clicks(&units, &ComboBox::Click);
    QSignalSpy changes(&units, &ComboBox::Change);
    units.lineEdit()->clear();
    QTest::keyClicks(&units, "kHz");
    QCOMPARE(changes.count(), 3);
    QCOMPARE(units.currentText(), QString("kHz"));
    // Return and leaving the field must not turn the typed text into a selection.
    QTest::keyClick(&units, Qt::Key_Return);
    emit units.lineEdit()->editingFinished();
    QCOMPARE(clicks.count(), 0);
    QCOMPARE(changes.count(), 3);
  }

  void choosingFromTheListClicksWithTheIndex() {
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
    QCOMPARE(clicks.back().at(0).toInt(), 1);
    QCOMPARE(units.currentText(), QString("kHz"));

    // An arrow key in the closed field chooses nothing itself: it asks the form, which chooses.
    QSignalSpy arrows(&units, &ComboBox::Arrow);
    QTest::keyClick(&units, Qt::Key_Down);
    QTest::keyClick(&units, Qt::Key_Up);
    QCOMPARE(clicks.count(), 1);
    QCOMPARE(arrows.count(), 2);
    QCOMPARE(arrows.front().at(0).toInt(), 1);
    QCOMPARE(arrows.back().at(0).toInt(), -1);
    QCOMPARE(units.currentText(), QString("kHz"));
  }

  void textBoxChangesOnTypingAndOnSetting() {
    TextBox box("20", nullptr);
    QSignalSpy changes(&box, &TextBox::Change);
    QTest::keyClicks(&box, "5.");
    QCOMPARE(changes.count(), 2);
    QCOMPARE(box.text(), QString("205."));
    box.ShowText("1");
    QCOMPARE(changes.count(), 3);
    box.ShowText("1");  // the same text is no change
    QCOMPARE(changes.count(), 3);
  }

  void textBoxShowsTheStartOfATextTheProgramSets() {
    TextBox box("", nullptr);
    box.resize(65, 19);
    box.ShowText(" 120000740.4");
    QCOMPARE(box.cursorPosition(), 0);
    // The caret, and so the scrolled view, sits at the left edge.
    QVERIFY(box.inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < box.width() / 4);
  }

  void multiLineBoxKeepsCrLfLineEnds() {
    MultiLineTextBox box(100, nullptr);
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
    MultiLineTextBox box(100, nullptr);
    box.SetForeColor(bgr);
    QCOMPARE(box.palette().color(QPalette::Active, QPalette::Text), colour);
    QCOMPARE(box.palette().color(QPalette::Inactive, QPalette::Text), colour);
  }

  void multiLineBoxTakesNoMoreThanItsLimit() {
    MultiLineTextBox box(8, nullptr);
    QSignalSpy changes(&box, &MultiLineTextBox::Change);
    box.SetText("abc");
    box.selectAll();
    QApplication::clipboard()->setText(QString(1 << 20, 'x'));
    box.paste();
    QCOMPARE(box.Text(), QString(8, 'x'));
    QTest::keyClicks(&box, "yz");
    QTest::keyClick(&box, Qt::Key_Return);
    QCOMPARE(box.Text(), QString(8, 'x'));
    QTest::keyClick(&box, Qt::Key_Backspace);
    QTest::keyClicks(&box, "yz");
    QCOMPARE(box.Text(), QString(7, 'x') + "y");
    QVERIFY(changes.count() >= 3);
  }
};

QTEST_MAIN(FormControlsTest)
#include "form_controls_test.moc"