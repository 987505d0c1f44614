// What the program sets up before its window: the window's font and the
// window icon.

#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "PlatformFont.h"
#include "Startup.h"

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void windowFontIsTahomaWhereverItCanBe();
  void iconHasEveryRenderedSize();
  void iconShowsThePngRenderings();
};

void StartupTest::windowFontIsTahomaWhereverItCanBe() {
  const averlin::FontChoice& choice = averlin::ChosenFont();
  QCOMPARE(&averlin::ChosenFont(), &choice);  // decided once
  const QString tahoma = QStringLiteral("Tahoma");
  const QFontInfo drawn(averlin::WindowFont());
  if (choice.family == tahoma) {
    // As designed: 8 points, drawn in Tahoma itself.
    QCOMPARE(choice.scale, 1.0);
    QCOMPARE(drawn.family(), tahoma);
    QCOMPARE(averlin::WindowFont().pointSize(), 8);
  } else {
    // Only where the system has no Tahoma, nor Wine's, which the choice
    // would have added: then in the family the system draws for it, no
    // larger than designed.
    QVERIFY(!QFontDatabase::families().contains(tahoma, Qt::CaseInsensitive));
    QCOMPARE(QFontInfo(QFont(tahoma)).family(), choice.family);
    QCOMPARE(drawn.family(), choice.family);
    QVERIFY2(choice.scale > 0.5 && choice.scale <= 1.0, qPrintable(QString::number(choice.scale)));
  }
  for (int points : {8, 10}) QCOMPARE(averlin::DesignPointSize(averlin::WindowFont(points)), points);
}

void StartupTest::iconHasEveryRenderedSize() {
  const QList<QSize> sizes = averlin::ApplicationIcon().availableSizes();
  QCOMPARE(sizes, (QList<QSize>{{16, 16}, {32, 32}, {48, 48}, {64, 64}, {128, 128}}));
}

void StartupTest::iconShowsThePngRenderings() {
  const QIcon icon = averlin::ApplicationIcon();
  for (int size : {16, 32, 48, 64, 128}) {
    const QImage png(QStringLiteral(AVERLIN_ICON_DIR "/averlin-%1.png").arg(size));
    QVERIFY2(!png.isNull(), qPrintable(QString::number(size)));
    const QImage shown = icon.pixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QCOMPARE(shown, png.convertToFormat(QImage::Format_ARGB32_Premultiplied));
  }
}

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
