// Tests that the window wears the rendered icon at every size, and that the Windows .ico holds
// the same pictures, read back by Qt's own PNG and ICO readers.
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <vector>

#include "form1.hpp"
#include "qt_icon.hpp"

namespace {

// Pictures are compared premultiplied: Qt's ICO reader and QIcon keep them so, and straight
// alpha read back from there differs in the last bit of half-transparent edges.
QImage Premultiplied(const QImage& image) {
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage Rendered(int size) {
  return Premultiplied(QImage(QStringLiteral(TUNEWORKS_ICON_DIR "/tuneworks-%1.png").arg(size)));
}

}  // namespace

class TuneworksIconTest : public QObject {
  Q_OBJECT

 private slots:
  void windowWearsEachRenderedSize() {
    const tuneworks::Form1 form;
    const QIcon icon = form.windowIcon();
    for (const int size : tuneworks::kIconSizes) {
      const QImage rendered = Rendered(size);
      QVERIFY2(!rendered.isNull(), qPrintable(QStringLiteral("no PNG at %1 px").arg(size)));
      QCOMPARE(rendered.size(), QSize(size, size));
      QCOMPARE(Premultiplied(icon.pixmap(size, size).toImage()), rendered);
    }
  }

  void icoHoldsTheRenderedSizes() {
    QImageReader reader(QStringLiteral(TUNEWORKS_ICON_DIR "/tuneworks.ico"), "ico");
    std::vector<int> sizes;
    do {
      const QImage image = reader.read();
      QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
      sizes.push_back(image.width());
      QCOMPARE(Premultiplied(image), Rendered(image.width()));
    } while (reader.jumpToNextImage());
    QCOMPARE(sizes, (std::vector<int>(tuneworks::kIconSizes.begin(), tuneworks::kIconSizes.end())));
  }
};

QTEST_MAIN(TuneworksIconTest)
#include "tuneworks_icon_test.moc"
