#include "WindowDriver.h"

#include <QAbstractItemView>
#include <QClipboard>
#include <QCursor>
#include <QEventLoop>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include "NativeWindow.h"
#include "WindowPlatform.h"

namespace {
// The window in the style the program chooses, made before the window.
std::unique_ptr<TForm_Quillon> NewWindow() {
  averlin::ChooseStyle();
  return std::make_unique<TForm_Quillon>();
}
}  // namespace

WindowDriver::WindowDriver() : window_(NewWindow()) {
  window_->show();
  // A window manager on a loaded machine may take seconds to map it.
  if (!QTest::qWaitForWindowExposed(window_.get(), 20000)) qFatal("the window was not shown");
  // Keys go to the active window: ask the windowing system for the focus,
  // as a click on the window would. A Wayland compositor activates windows
  // on its own, and a headless one, with no seat, never does.
  window_->activateWindow();
  if (WhereTestsRun() != TestPlatform::Wayland && !QTest::qWaitForWindowActive(window_.get(), 20000))
    qFatal("the window did not become active");
}

WindowDriver::~WindowDriver() = default;

void WindowDriver::typeOver(const QString& field, const QString& text) {
  QLineEdit* e = edit(field);
  e->setFocus();
  QTest::keyClick(e, Qt::Key_A, Qt::ControlModifier);
  if (text.isEmpty())
    QTest::keyClick(e, Qt::Key_Delete);
  else
    QTest::keyClicks(e, text);
}

void WindowDriver::type(const QString& field, const QString& text) {
  QLineEdit* e = edit(field);
  e->setFocus();
  QTest::keyClicks(e, text);
}

void WindowDriver::key(const QString& field, Qt::Key key, Qt::KeyboardModifiers modifiers) {
  QLineEdit* e = edit(field);
  e->setFocus();
  QTest::keyClick(e, key, modifiers);
}

void WindowDriver::paste(const QString& field, const QString& text) {
  QGuiApplication::clipboard()->setText(text);
  key(field, Qt::Key_V, Qt::ControlModifier);
}

void WindowDriver::click(const QString& name) { QTest::mouseClick(find(name), Qt::LeftButton); }

void WindowDriver::clickBit(const QString& reg, int bit) {
  QTest::mouseClick(bitBox(reg, bit), Qt::LeftButton);
}

bool WindowDriver::movePointerTo(QPoint global) {
  // Notes when the program is told that the pointer is at the point.
  const EventSeen report([global](const QEvent* event) {
    return (event->type() == QEvent::MouseMove || event->type() == QEvent::Enter) &&
           static_cast<const QSinglePointEvent*>(event)->globalPosition().toPoint() == global;
  });
  QCursor::setPos(global);
  return QTest::qWaitFor([&report] { return report.by != nullptr; }, 3000);
}

QString WindowDriver::statusWhenIdle() const {
  QEventLoop idle;
  QTimer::singleShot(40, &idle, &QEventLoop::quit);
  idle.exec();
  return find<QStatusBar>(QStringLiteral("StatusBar"))->currentMessage();
}

void WindowDriver::pick(const QString& list, int index) {
  auto* combo = find<QComboBox>(list);
  // Wine shows a list's popup but never reports it drawn, so no click can
  // be aimed at it. There a user picks from the closed list with the arrow
  // keys, which the list reports as a pick alike.
  if (WhereTestsRun() == TestPlatform::Wine) {
    combo->setFocus();
    const int steps = index - combo->currentIndex();
    for (int i = 0; i < std::abs(steps); ++i) QTest::keyClick(combo, steps > 0 ? Qt::Key_Down : Qt::Key_Up);
    QCOMPARE(combo->currentIndex(), index);
    return;
  }
  combo->showPopup();
  QAbstractItemView* view = combo->view();
  QVERIFY(QTest::qWaitForWindowExposed(view->window()));
  // An item may be laid out wider than the popup: click inside both.
  const QRect item = view->visualRect(view->model()->index(index, 0));
  QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                    QPoint(view->viewport()->width() / 2, item.center().y()));
  QTRY_VERIFY(!view->isVisible());
}

void WindowDriver::pickWordLength(int bits) {
  pick("Combo_DatawordLength", bits == 8 ? 0 : bits == 16 ? 1 : 2);
}
void WindowDriver::pickSigned(bool isSigned) { pick("Combo_Signed", isSigned ? 1 : 0); }

void WindowDriver::setRegister(const QString& reg, const QString& hexText) {
  typeOver(averlin::ControlName(reg, averlin::RegisterControl::HexEdit), hexText);
}

QString WindowDriver::errorReportOf(const std::function<void()>& action, QString* caption) {
  ErrorReportCloser closer;
  action();
  QTest::qWait(0);  // the report closes from the event loop
  const QList<ErrorReportCloser::Report> reports = closer.take();
  if (reports.isEmpty()) return {};
  if (caption) *caption = reports.front().caption;
  return reports.size() == 1 ? reports.front().text : QStringLiteral("%1 reports").arg(reports.size());
}

ErrorReportCloser::ErrorReportCloser() { qApp->installEventFilter(this); }
ErrorReportCloser::~ErrorReportCloser() { qApp->removeEventFilter(this); }

bool ErrorReportCloser::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::Show || watched->objectName() != QLatin1String("ErrorReport")) return false;
  auto* box = qobject_cast<QMessageBox*>(watched);
  if (!box) return false;
  const bool standard = box->icon() == QMessageBox::Critical && box->buttons().size() == 1;
  reports_.append(
      {standard ? box->text() : QStringLiteral("unexpected report: ") + box->text(), box->windowTitle()});
  QMetaObject::invokeMethod(
      box, [box] { QTest::mouseClick(box->button(QMessageBox::Ok), Qt::LeftButton); }, Qt::QueuedConnection);
  return false;
}

quint32 WindowDriver::bits(const QString& reg) const {
  quint32 value = 0;
  for (int bit = 0; bit < 32; ++bit)
    if (bitBox(reg, bit)->isChecked()) value |= quint32{1} << bit;
  return value;
}

void RegisterCases::init() { d = std::make_unique<WindowDriver>(); }

void RegisterCases::cleanup() {
  QVERIFY(!averlin::UpdatingViews());
  d.reset();
}
