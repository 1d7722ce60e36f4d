// Tests of the drawn icon: its size, that it is greyscale, and that it shows a picture.
#include <QColor>
#include <QTest>

#include "tuneworks_icon.hpp"

class TuneworksIconTest : public QObject {
  Q_OBJECT

 private slots:
  void isA32PixelGreyscalePicture() {
    const QImage icon = tuneworks::DrawTuneworksIcon();
    QCOMPARE(icon.size(), QSize(32, 32));
    int dark = 0;
    int light = 0;
    int transparent = 0;
    for (int y = 0; y < icon.height(); ++y) {
      for (int x = 0; x < icon.width(); ++x) {
        const QColor pixel = icon.pixelColor(x, y);
        if (pixel.alpha() == 0) {
          ++transparent;
          continue;
        }
        // Blended edges are grey too: every visible pixel has red = green = blue.
        QVERIFY2(pixel.red() == pixel.green() && pixel.green() == pixel.blue(),
                 qPrintable(QString("pixel %1,%2 is %3").arg(x).arg(y).arg(pixel.name())));
        dark += pixel.alpha() == 255 && pixel.value() < 64 ? 1 : 0;
        light += pixel.alpha() == 255 && pixel.value() > 192 ? 1 : 0;
      }
    }
    QVERIFY(dark > 20);
    QVERIFY(light > 100);
    QVERIFY(transparent > 50);  // the corners outside the wheel
    QCOMPARE(icon.pixelColor(0, 0).alpha(), 0);
  }
};

QTEST_MAIN(TuneworksIconTest)
#include "tuneworks_icon_test.moc"
