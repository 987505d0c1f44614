// On a screen of 144 pixels per inch the whole window, text included, is
// drawn one and a half times as large as on a screen of 96.

#include <QFontInfo>

#include "WindowDriver.h"

class DensityTest : public QObject {
  Q_OBJECT
 private slots:
  void windowScalesWithTheScreen();
};

void DensityTest::windowScalesWithTheScreen() {
  WindowDriver d;
  const qreal ratio = d.window().devicePixelRatioF();
  QCOMPARE(ratio, 1.5);
  QCOMPARE(d.window().size() * ratio, QSize(876, 698));
  QCOMPARE(d.find("GroupBox_Accu1")->geometry().topLeft() * ratio, QPoint(6, 6));
  // The 8-point text, 11 pixels high at 96 pixels per inch, is rasterised
  // at one and a half times that.
  QCOMPARE(d.window().font().pointSize(), 8);
  QCOMPARE(QFontInfo(d.window().font()).pixelSize() * ratio, 16.5);
}

int main(int argc, char* argv[]) {
  qputenv("QT_SCALE_FACTOR", "1.5");
  QApplication app(argc, argv);
  DensityTest test;
  return QTest::qExec(&test, argc, argv);
}
#include "tst_density.moc"
