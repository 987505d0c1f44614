// What the program sets up before its window: the Tahoma font and the
// window icon.

#include <QFontDatabase>
#include <QFontInfo>
#include <QIcon>
#include <QImage>
#include <QTest>

#include "Startup.h"

class StartupTest : public QObject {
  Q_OBJECT
 private slots:
  void tahomaIsProvided();
  void iconHasEveryRenderedSize();
  void iconShowsThePngRenderings();
};

void StartupTest::tahomaIsProvided() {
  if (QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive))
    QSKIP("the system has a Tahoma of its own");
  averlin::ProvideTahoma();
  averlin::ProvideTahoma();  // a second call finds it installed and adds nothing
  QVERIFY(QFontDatabase::families().contains(QStringLiteral("Tahoma"), Qt::CaseInsensitive));
  QCOMPARE(QFontDatabase::applicationFontFamilies(0), QStringList{QStringLiteral("Tahoma")});
  QCOMPARE(QFontDatabase::applicationFontFamilies(1), QStringList{});
  QCOMPARE(QFontInfo(QFont(QStringLiteral("Tahoma"), 8)).family(), QStringLiteral("Tahoma"));
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
