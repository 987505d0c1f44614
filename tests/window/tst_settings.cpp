// The hint line, the bubbles and the three application settings.

#include <QGroupBox>
#include <QHelpEvent>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>

#include "WindowDriver.h"

class SettingsTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { d = std::make_unique<WindowDriver>(); }
  void cleanup() { d.reset(); }
  void statusBarShowsTheHintUnderThePointer();
  void bubblesShowOnlyForEnabledControlsThatHaveOne();
  void largeFontScalesTheWindowAndBack();
  void transparencyRunsFrom91To255();
  void alwaysOnTopKeepsEverythingElse();
  void windowSnapsToTheWorkAreaEdges();

 private:
  QString statusAt(const QString& control) {
    QWidget* w = d->find(control);
    QCursor::setPos(w->mapToGlobal(w->rect().center()));
    // The hint line follows once the event loop falls idle and waits.
    QEventLoop idle;
    QTimer::singleShot(40, &idle, &QEventLoop::quit);
    idle.exec();
    return d->find<QStatusBar>("StatusBar")->currentMessage();
  }
  bool bubbleShownFor(QWidget* w) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000)) qFatal("the bubble stays up");
    // Point at the control, then ask for its bubble as a resting pointer does.
    QCursor::setPos(w->mapToGlobal(w->rect().center()));
    QTest::qWait(20);
    QHelpEvent help(QEvent::ToolTip, w->rect().center(), w->mapToGlobal(w->rect().center()));
    QApplication::sendEvent(w, &help);
    QTest::qWait(20);
    return QToolTip::isVisible() && QToolTip::text() == w->toolTip() && !w->toolTip().isEmpty();
  }
  std::unique_ptr<WindowDriver> d;
};

void SettingsTest::statusBarShowsTheHintUnderThePointer() {
  QCOMPARE(statusAt("btn_AND"), QStringLiteral("Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2."));
  QCOMPARE(statusAt("CheckBox_Accu1Bit5"), QStringLiteral("Bit 5"));
  QCOMPARE(statusAt("CheckBox1"),
           QStringLiteral("Always keep the program window on top of other applications."));
  QCOMPARE(statusAt("BitOp_NumBitsUpDown"),
           QStringLiteral("Defines the number of bit positions for all shift / rotation operations."));
  // Without a hint of its own, or disabled, a control shows the window's.
  QCOMPARE(statusAt("CheckBox2"), TForm_Quillon::kWindowHint);
  QCOMPARE(statusAt("CheckBox_ResultBit3"), TForm_Quillon::kWindowHint);
  QCOMPARE(statusAt("Edit_Accu2Hex"), TForm_Quillon::kWindowHint);
  d->pickWordLength(8);
  QCOMPARE(statusAt("CheckBox_Accu2Bit12"), TForm_Quillon::kWindowHint);
  QCOMPARE(statusAt("CheckBox_Accu2Bit7"), QStringLiteral("Bit 7"));
  d->pickWordLength(32);
  // The renumbered hint shows at once.
  d->click("btn_Accu2_LSB");
  QCOMPARE(statusAt("CheckBox_Accu2Bit7"), QStringLiteral("Bit 8"));
  d->click("btn_Accu2_LSB");
}

void SettingsTest::bubblesShowOnlyForEnabledControlsThatHaveOne() {
  QVERIFY(bubbleShownFor(d->find("btn_AND")));
  QVERIFY(bubbleShownFor(d->bitBox("Accu1", 9)));
  QVERIFY(bubbleShownFor(d->find("Combo_Signed")));
  QVERIFY(!bubbleShownFor(d->bitBox("Result", 9)));
  QVERIFY(!bubbleShownFor(d->find("CheckBox1")));
  QVERIFY(!bubbleShownFor(d->find("btn_Accu1_LSB")));
  d->pickWordLength(16);
  QVERIFY(!bubbleShownFor(d->bitBox("Accu1", 20)));
  d->pickWordLength(32);
  QVERIFY(bubbleShownFor(d->bitBox("Accu1", 20)));
}

void SettingsTest::largeFontScalesTheWindowAndBack() {
  TForm_Quillon& w = d->window();
  const QPoint place = w.pos();
  const QRect bit0 = d->bitBox("Accu1", 0)->geometry();
  const int labelRight = d->find("Label_Accu1Bit0")->geometry().right();
  for (int round = 0; round < 3; ++round) {
    d->click("CheckBox2");
    QTRY_VERIFY(w.isVisible());
    QCOMPARE(w.size(), QSize(730, 581));
    QCOMPARE(d->find("GroupBox_Accu1")->geometry(), QRect(5, 5, 720, 105));
    QCOMPARE(w.font().pointSize(), 10);
    QCOMPARE(d->find("btn_AND")->font().pointSize(), 10);
    QCOMPARE(d->find("StatusBar")->geometry().bottom(), 580);
    QCOMPARE(w.pos(), place);
    d->click("CheckBox2");
    QTRY_VERIFY(w.isVisible());
    QCOMPARE(w.size(), QSize(584, 465));
    QCOMPARE(d->find("GroupBox_Accu1")->geometry(), QRect(4, 4, 576, 84));
    QCOMPARE(d->find("StatusBar")->geometry(), QRect(0, 446, 584, 19));
    QCOMPARE(d->bitBox("Accu1", 0)->geometry(), bit0);
    QCOMPARE(d->find("Label_Accu1Bit0")->geometry().right(), labelRight);
    QCOMPARE(d->find("Edit_Accu1Net")->geometry(), QRect(352, 16, 121, 21));
    QCOMPARE(w.font().pointSize(), 8);
    QCOMPARE(w.pos(), place);
  }
}

void SettingsTest::transparencyRunsFrom91To255() {
  if (!d->window().TranslucencyOffered()) QSKIP("this windowing system cannot make a window translucent");
  auto* slider = d->find<QSlider>("Transparency");
  QVERIFY(slider->isVisible());
  QCOMPARE(slider->pageStep(), 21);
  QCOMPARE(d->window().windowOpacity(), 1.0);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Home);
  QCOMPARE(slider->value(), 91);
  QCOMPARE(qRound(d->window().windowOpacity() * 255), 91);
  QTest::keyClick(slider, Qt::Key_PageUp);
  QCOMPARE(qRound(d->window().windowOpacity() * 255), 112);
  QTest::keyClick(slider, Qt::Key_End);
  QCOMPARE(d->window().windowOpacity(), 1.0);
}

void SettingsTest::alwaysOnTopKeepsEverythingElse() {
  TForm_Quillon& w = d->window();
  d->setRegister("Accu1", "BEEF");
  if (w.TranslucencyOffered()) {
    d->find<QSlider>("Transparency")->setFocus();
    QTest::keyClick(d->find("Transparency"), Qt::Key_Home);
  }
  const qreal opacity = w.windowOpacity();
  const QPoint place = w.pos();
  d->click("CheckBox1");
  QVERIFY(w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QTRY_VERIFY(w.isVisible());
  QCOMPARE(w.windowOpacity(), opacity);
  QCOMPARE(w.size(), QSize(584, 465));
  QCOMPARE(w.pos(), place);
  QCOMPARE(d->hex("Accu1"), QStringLiteral("BEEF"));
  d->click("CheckBox1");
  QVERIFY(!w.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
  QTRY_VERIFY(w.isVisible());
  QCOMPARE(w.windowOpacity(), opacity);
  QCOMPARE(d->dec("Accu1"), QStringLiteral("48879"));
}

void SettingsTest::windowSnapsToTheWorkAreaEdges() {
  TForm_Quillon& w = d->window();
  const QRect area = w.screen()->availableGeometry();
  const QSize frame = w.frameGeometry().size();
  w.move(area.left() + 6, area.top() + 9);
  QTRY_COMPARE(w.frameGeometry().topLeft(), area.topLeft());
  w.move(area.right() - frame.width() - 4, area.bottom() - frame.height() - 8);
  QTRY_COMPARE(w.frameGeometry().bottomRight(), area.bottomRight());
  // Ten pixels away or more, the window stays where it is put.
  const QPoint free(area.left() + 10, area.top() + 40);
  w.move(free);
  QTest::qWait(30);
  QCOMPARE(w.frameGeometry().topLeft(), free);
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
