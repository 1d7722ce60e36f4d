// Tests that the icon files the build writes are the drawing, read back by Qt's own PNG and ICO
// readers, and that the window's icon is the drawing too.
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <vector>

#include "form1.hpp"
#include "qt_icon.hpp"
#include "tuneworks_icon.hpp"

namespace {

// Pictures are compared premultiplied: Qt's ICO reader and QIcon keep them so, and straight
// alpha read back from there differs in the last bit of half-transparent edges.
QImage Premultiplied(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Drawn(int size) {
  return Premultiplied(tuneworks::ToQImage(tuneworks::DrawTuneworksIcon(size)));
}

}  // namespace

class TuneworksIconTest : public QObject {
  Q_OBJECT

 private slots:
  void pngIsTheDrawingAt32Pixels() {
    const QImage png(QStringLiteral(TUNEWORKS_ICON_PNG));
    QVERIFY(!png.isNull());
    QCOMPARE(Premultiplied(png), Drawn(32));
  }

  void icoHoldsTheDrawingAtEachWindowsSize() {
    QImageReader reader(QStringLiteral(TUNEWORKS_ICON_ICO), "ico");
    std::vector<int> sizes;
    do {
      const QImage image = reader.read();
      QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
      sizes.push_back(image.width());
      QCOMPARE(Premultiplied(image), Drawn(image.width()));
    } while (reader.jumpToNextImage());
    QCOMPARE(sizes, (std::vector<int>{16, 32, 48, 256}));
  }

  void windowCarriesTheDrawing() {
    const tuneworks::Form1 form;
    QCOMPARE(Premultiplied(form.windowIcon().pixmap(32, 32).toImage()), Drawn(32));
  }
};

QTEST_MAIN(TuneworksIconTest)
#include "tuneworks_icon_test.moc"
