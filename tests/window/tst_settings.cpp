// The hint line, the bubbles and the three application settings, on a bare
// X server, under an EWMH window manager (openbox), which frames the window
// and says what it offers on the window's properties, and on Windows.

#include <QGroupBox>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QScreen>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolTip>

#include "NativeWindow.h"
#include "PlatformFont.h"
#include "WindowDriver.h"
#include "WindowPlatform.h"

// On Windows the fixed-size window has Windows' thin fixed frame, without
// resizing borders (SetClientSize), and the frame the snap pulls is the
// one Windows draws; Wine draws borders of its own around it, which
// NativeWindow::frameDifference() names, and which the checks of the
// drawn frame take off again.

namespace {
// The borders drawn beyond the frame that Qt reports (Wine's), none where
// the windowing system draws the frame Qt reports.
QMargins BordersBeyondQt(const NativeWindow& wm, QWidget* w) {
  if (wm.frameDifference().isEmpty()) return {};
  const QRect drawn = wm.frame(w);
  const QRect qt = w->frameGeometry();
  return {qt.left() - drawn.left(), qt.top() - drawn.top(), drawn.right() - qt.right(),
          drawn.bottom() - qt.bottom()};
}
}  // namespace

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
  void lateReportOfAnOldPlaceLeavesTheLatest();
  void windowManagerKeepsItAboveAndOffersNoMaximise();
  void windowManagerFrameKeepsItsPlaceAndOpacity();

 private:
  QString statusAt(const QString& control) {
    QWidget* w = d->find(control);
    const QPoint target = w->mapToGlobal(w->rect().center());
    if (QCursor::pos() != target) {
      // The window learns of the move from the pointer events it is sent.
      if (!WindowDriver::movePointerTo(target)) qFatal("no pointer event at %s", qPrintable(control));
    }
    return d->statusWhenIdle();
  }
  // Rests the pointer on the control, as a user does, until Qt's wake-up
  // timer has asked the control under it for a bubble; then tells whether
  // the control's own bubble is up.
  bool bubbleShownFor(QWidget* w) {
    QToolTip::hideText();
    if (!QTest::qWaitFor([] { return !QToolTip::isVisible(); }, 3000)) qFatal("the bubble stays up");
    const EventSeen asked([](const QEvent* event) { return event->type() == QEvent::ToolTip; });
    const QPoint centre = w->mapToGlobal(w->rect().center());
    // A pointer already there would not move: step aside first.
    if (QCursor::pos() == centre) WindowDriver::movePointerTo(centre + QPoint(1, 1));
    if (!WindowDriver::movePointerTo(centre)) qFatal("no pointer event at %s", qPrintable(w->objectName()));
    if (!QTest::qWaitFor([&asked] { return asked.by != nullptr; }, 5000))
      qFatal("a pointer resting on %s asked for no bubble", qPrintable(w->objectName()));
    if (asked.by != w) qFatal("the bubble was asked of %s", qPrintable(asked.by->objectName()));
    return QToolTip::isVisible() && QToolTip::text() == w->toolTip() && !w->toolTip().isEmpty();
  }
  std::unique_ptr<WindowDriver> d;
};

void SettingsTest::statusBarShowsTheHintUnderThePointer() {
  // Each hint is read once the window is idle, again until it shows: under
  // Wine a pointer move can reach the window a few idle moments late.
  QTRY_COMPARE(statusAt("btn_AND"), QStringLiteral("Logical AND of ACCUMULATOR 1 and ACCUMULATOR 2."));
  QTRY_COMPARE(statusAt("CheckBox_Accu1Bit5"), QStringLiteral("Bit 5"));
  QTRY_COMPARE(statusAt("CheckBox1"),
               QStringLiteral("Always keep the program window on top of other applications."));
  QTRY_COMPARE(statusAt("BitOp_NumBitsUpDown"),
               QStringLiteral("Defines the number of bit positions for all shift / rotation operations."));
  // Without a hint of its own, or disabled, a control shows the window's.
  QTRY_COMPARE(statusAt("CheckBox2"), TForm_Quillon::kWindowHint);
  QTRY_COMPARE(statusAt("CheckBox_ResultBit3"), TForm_Quillon::kWindowHint);
  QTRY_COMPARE(statusAt("Edit_Accu2Hex"), TForm_Quillon::kWindowHint);
  d->pickWordLength(8);
  QTRY_COMPARE(statusAt("CheckBox_Accu2Bit12"), TForm_Quillon::kWindowHint);
  QTRY_COMPARE(statusAt("CheckBox_Accu2Bit7"), QStringLiteral("Bit 7"));
  // The renumbered hint shows at once, under the pointer as it rests. No
  // popup comes between: its pointer grab tells the window that the pointer
  // left, and only the window manager's later crossing event that it is back.
  d->click("btn_Accu2_LSB");
  QTRY_COMPARE(statusAt("CheckBox_Accu2Bit7"), QStringLiteral("Bit 8"));
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
    QCOMPARE(averlin::DesignPointSize(w.font()), 10);
    QCOMPARE(d->find("btn_AND")->font(), w.font());
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
    QCOMPARE(averlin::DesignPointSize(w.font()), 8);
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
  // The windowing system draws the window so: on Windows a layered window.
  const NativeWindow native;
  if (native.absence().isEmpty()) QCOMPARE(native.opacity(&d->window()), std::optional<int>(91));
  QTest::keyClick(slider, Qt::Key_PageUp);
  QCOMPARE(qRound(d->window().windowOpacity() * 255), 112);
  if (native.absence().isEmpty()) QCOMPARE(native.opacity(&d->window()), std::optional<int>(112));
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
  // Where the frame is: under a window manager, once it has moved it there.
  const NativeWindow wm;
  if (wm.absence().isEmpty()) QTRY_VERIFY(wm.frame(&w).isValid());
  const QMargins beyond = BordersBeyondQt(wm, &w);
  const auto placed = [&] {
    return wm.absence().isEmpty() ? wm.frame(&w).marginsRemoved(beyond) : w.frameGeometry();
  };
  w.move(area.left() + 6, area.top() + 9);
  QTRY_COMPARE(placed().topLeft(), area.topLeft());
  w.move(area.right() - frame.width() - 4, area.bottom() - frame.height() - 8);
  QTRY_COMPARE(placed().bottomRight(), area.bottomRight());
  // Ten pixels away or more, the window stays where it is put.
  const QPoint free(area.left() + 10, area.top() + 40);
  w.move(free);
  QTRY_COMPARE(placed().topLeft(), free);
  QTest::qWait(30);
  QCOMPARE(placed().topLeft(), free);
  QCOMPARE(w.frameGeometry().topLeft(), free);
}

void SettingsTest::lateReportOfAnOldPlaceLeavesTheLatest() {
  QWidget w;
  w.show();
  QVERIFY(QTest::qWaitForWindowExposed(&w));
  const QPoint older = w.screen()->availableGeometry().topLeft() + QPoint(200, 150);
  const QPoint latest = older - QPoint(100, 70);
  averlin::WorkAreaSnap snap;
  for (const QPoint place : {older, latest}) {
    w.move(place);
    snap.Moved(&w, false);
  }
  // A window manager reports the older move after the latest was asked for,
  // and Qt takes that place for the window's: it must be asked for again.
  w.move(older);
  snap.Moved(&w, true);
  QCOMPARE(w.pos(), latest);
}

void SettingsTest::windowManagerKeepsItAboveAndOffersNoMaximise() {
  const NativeWindow wm;
  if (!wm.absence().isEmpty()) QSKIP(qPrintable(wm.absence()));
  TForm_Quillon& w = d->window();
  for (const char* setting : {"", "CheckBox2", "CheckBox1"}) {
    // A fixed size, at either scale and on a re-created window alike.
    if (*setting) d->click(setting);
    QTRY_VERIFY(wm.allowedActions(&w).contains("MOVE"));
    const QStringList actions = wm.allowedActions(&w);
    QVERIFY2(actions.contains("MINIMIZE") && actions.contains("CLOSE"), qPrintable(actions.join(' ')));
    for (const char* refused : {"MAXIMIZE_HORZ", "MAXIMIZE_VERT", "RESIZE"})
      QVERIFY2(!actions.contains(refused), qPrintable(actions.join(' ')));
  }
  QTRY_VERIFY(wm.staysAbove(&w));
  d->click("CheckBox1");
  QTRY_VERIFY(!wm.staysAbove(&w));
  QVERIFY(wm.allowedActions(&w).contains("MOVE"));
}

void SettingsTest::windowManagerFrameKeepsItsPlaceAndOpacity() {
  const NativeWindow wm;
  if (!wm.absence().isEmpty()) QSKIP(qPrintable(wm.absence()));
  TForm_Quillon& w = d->window();
  QTRY_VERIFY(wm.frame(&w).isValid());
  const QRect area = w.screen()->availableGeometry();
  // The snap pulls the frame, as the window manager draws it, onto the edges.
  QVERIFY(wm.frame(&w).width() > w.width() && wm.frame(&w).height() > w.height());
  const QMargins beyond = BordersBeyondQt(wm, &w);
  const auto drawn = [&] { return wm.frame(&w).marginsRemoved(beyond); };
  if (!wm.frameDifference().isEmpty()) QEXPECT_FAIL("", qPrintable(wm.frameDifference()), Continue);
  QCOMPARE(w.frameGeometry(), wm.frame(&w));
  QCOMPARE(w.frameGeometry(), drawn());
  w.move(area.left() + 6, area.top() + 9);
  QTRY_COMPARE(drawn().topLeft(), area.topLeft());
  w.move(area.right() - w.frameGeometry().width() - 4, area.bottom() - w.frameGeometry().height() - 8);
  QTRY_COMPARE(drawn().bottomRight(), area.bottomRight());
  w.move(area.left() + 100, area.top() + 80);
  QTRY_COMPARE(drawn().topLeft(), area.topLeft() + QPoint(100, 80));
  const QPoint place = drawn().topLeft();
  if (w.TranslucencyOffered()) {
    d->find<QSlider>("Transparency")->setFocus();
    QTest::keyClick(d->find("Transparency"), Qt::Key_Home);
  }
  const std::optional<int> opacity = wm.opacity(&w);
  QCOMPARE(opacity.has_value(), w.TranslucencyOffered());
  // Each setting re-maps the window; the window manager keeps it where it was.
  for (const char* setting : {"CheckBox1", "CheckBox2", "CheckBox1", "CheckBox2"}) {
    d->click(setting);
    QTRY_VERIFY(wm.frame(&w).isValid());
    QTRY_COMPARE(drawn().topLeft(), place);
    QCOMPARE(wm.opacity(&w), opacity);
  }
}

QTEST_MAIN(SettingsTest)
#include "tst_settings.moc"
