// The floor window has the calculator window's Qt widgets, class for class
// and count for count, so that the start-up benchmark compares like with
// like.

#include <QTest>
#include <map>

#include "FloorWindow.h"
#include "Unit1.h"

namespace {

using Census = std::map<QString, int>;

// Counted from the layout table. The one plain QWidget is the spinner,
// which holds the two QToolButtons.
const Census kCalculatorWidgets{
    {QStringLiteral("QCheckBox"), 98}, {QStringLiteral("QComboBox"), 4},  {QStringLiteral("QGroupBox"), 7},
    {QStringLiteral("QLabel"), 39},    {QStringLiteral("QLineEdit"), 12}, {QStringLiteral("QPushButton"), 21},
    {QStringLiteral("QSlider"), 1},    {QStringLiteral("QStatusBar"), 1}, {QStringLiteral("QToolButton"), 2},
    {QStringLiteral("QWidget"), 1},
};

// Every widget inside the window by its nearest Qt class, so that a widget
// class of the calculator's own counts as the Qt class it derives from.
Census CensusOf(const QWidget& window) {
  Census census;
  for (const QWidget* w : window.findChildren<QWidget*>()) {
    const QMetaObject* meta = w->metaObject();
    while (meta->className()[0] != 'Q') meta = meta->superClass();
    ++census[QString::fromLatin1(meta->className())];
  }
  return census;
}

}  // namespace

class FloorCensusTest : public QObject {
  Q_OBJECT
 private slots:
  void calculatorHasTheCountedWidgets() {
    TForm_Quillon window;
    QCOMPARE(CensusOf(window), kCalculatorWidgets);
  }
  void floorHasTheCalculatorsWidgets() {
    averlin::bench::FloorWindow floor;
    QCOMPARE(CensusOf(floor), kCalculatorWidgets);
  }
};

QTEST_MAIN(FloorCensusTest)
#include "tst_floor_census.moc"
