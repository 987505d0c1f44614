// The window as a native Wayland client (scripts/weston.py, QT_QPA_PLATFORM=
// wayland): it calculates, offers no setting that the windowing system
// cannot carry out, keeps its hint line from the pointer events it is sent,
// and survives the compositor's maximise.

#include <QCheckBox>
#include <QEventLoop>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QWindow>

#include "NativeWindow.h"
#include "WindowDriver.h"

class WaylandTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void init() { d = std::make_unique<WindowDriver>(); }
  void cleanup() { d.reset(); }
  void calculatesAndScales();
  void offersOnlyTheSettingsThatWork();
  void hintLineFollowsThePointerEvents();
  void maximiseKeepsTheProgramAndItsValues();

 private:
  // Moves the pointer as the compositor reports it, onto the middle of the control.
  QString statusAfterPointingAt(const QString& control) {
    QWidget* w = d->find(control);
    QTest::mouseMove(d->window().windowHandle(), w->mapTo(&d->window(), w->rect().center()));
    return d->statusWhenIdle();
  }
  std::unique_ptr<WindowDriver> d;
};

void WaylandTest::initTestCase() {
  if (WhereTestsRun() != TestPlatform::Wayland)
    QFAIL("run on the wayland platform (scripts/weston.py, QT_QPA_PLATFORM=wayland)");
}

void WaylandTest::calculatesAndScales() {
  d->setRegister("Accu1", "C8");
  d->setRegister("Accu2", "64");
  d->click("btn_ADD");
  QCOMPARE(d->dec("Result"), QStringLiteral("300"));
  QCOMPARE(d->bits("Result"), 300u);
  d->click("CheckBox2");
  QTRY_COMPARE(d->window().size(), QSize(730, 581));
  QCOMPARE(d->find("GroupBox_Accu1")->geometry(), QRect(5, 5, 720, 105));
  d->click("CheckBox2");
  QTRY_COMPARE(d->window().size(), QSize(584, 465));
  QCOMPARE(d->dec("Result"), QStringLiteral("300"));
}

void WaylandTest::offersOnlyTheSettingsThatWork() {
  QVERIFY(!d->find("Transparency")->isVisible());
  QVERIFY(!d->find("Label_Transparency")->isVisible());
  QVERIFY(!d->window().TranslucencyOffered());
  QVERIFY(!d->find("CheckBox1")->isEnabled());
  // Pointing at it says why, though it is disabled.
  QCOMPARE(statusAfterPointingAt("CheckBox1"),
           QStringLiteral("This windowing system does not let a program keep its window on top of other "
                          "applications."));
  d->click("CheckBox1");
  QVERIFY(!d->find<QCheckBox>("CheckBox1")->isChecked());
}

void WaylandTest::hintLineFollowsThePointerEvents() {
  QCOMPARE(statusAfterPointingAt("btn_AND"),
           QStringLiteral("Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2."));
  QCOMPARE(statusAfterPointingAt("CheckBox_Accu1Bit5"), QStringLiteral("Bit 5"));
  QCOMPARE(statusAfterPointingAt("CheckBox_ResultBit3"), TForm_Quillon::kWindowHint);
  QCOMPARE(statusAfterPointingAt("Edit_Accu2Hex"), TForm_Quillon::kWindowHint);
  // The compositor reports the pointer gone from the window.
  QEvent leave(QEvent::Leave);
  QApplication::sendEvent(&d->window(), &leave);
  QCOMPARE(d->statusWhenIdle(), QString());
}

void WaylandTest::maximiseKeepsTheProgramAndItsValues() {
  TForm_Quillon& w = d->window();
  d->setRegister("Accu1", "BEEF");
  const QRect group = d->find("GroupBox_Accu1")->geometry();
  // The compositor answers with the maximised size; the window must take it.
  w.showMaximized();
  QTRY_VERIFY(w.windowState().testFlag(Qt::WindowMaximized));
  QTRY_VERIFY(w.width() > 584);
  QTest::qWait(300);  // the compositor's answer to the commit
  QCOMPARE(d->hex("Accu1"), QStringLiteral("BEEF"));
  QCOMPARE(d->find("GroupBox_Accu1")->geometry(), group);
  // Large Font scales the controls from the designed size, maximised or not.
  d->click("CheckBox2");
  QTRY_VERIFY(w.isVisible());
  QCOMPARE(d->find("GroupBox_Accu1")->geometry(), QRect(5, 5, 720, 105));
  w.showNormal();
  QTRY_COMPARE(w.size(), QSize(730, 581));
  d->click("CheckBox2");
  QTRY_COMPARE(w.size(), QSize(584, 465));
  QCOMPARE(d->dec("Accu1"), QStringLiteral("48879"));
}

QTEST_MAIN(WaylandTest)
#include "tst_wayland.moc"
