#include "HintLine.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEnterEvent>
#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QToolTip>
#include <QWidget>
#include <utility>

#include "WindowPlatform.h"

namespace averlin {
namespace {

// What the status bar shows of a hint: the part after the first "|".
QString LongPart(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar >= 0 ? hint.mid(bar + 1) : hint;
}

}  // namespace

// An application-wide filter: the pointer's moves reach whichever control
// follows them (the window, by its mouse tracking, when no control does).
class HintLine::PointerWatch : public QObject {
 public:
  explicit PointerWatch(HintLine* line) : QObject(line), line_(line) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    line_->Watch(watched, event);
    return false;
  }

 private:
  HintLine* line_;
};

HintLine::HintLine(QWidget* window, std::function<void(const QString&)> show)
    : window_(window), show_(std::move(show)) {}

HintLine::~HintLine() {
  if (watch_) QCoreApplication::instance()->removeEventFilter(watch_);
}

void HintLine::Start() {
  shown_.clear();  // the first idle shows the hint under the pointer, whatever was shown before
  changed_ = true;
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &HintLine::Update, Qt::UniqueConnection);
  if (watch_) return;
  window_->setMouseTracking(true);
  watch_ = new PointerWatch(this);
  QCoreApplication::instance()->installEventFilter(watch_);
}

QString HintLine::HintOf(QWidget* control, QWidget* window) {
  // A disabled control other than a label gives way to its container, the
  // way mouse input is routed; one that the windowing system refuses says
  // why.
  while (control && control != window && !control->isEnabled() && !qobject_cast<QLabel*>(control) &&
         !control->property(kRefusedByPlatformProperty).toBool())
    control = control->parentWidget();
  QString hint;
  for (QWidget* w = control; w && hint.isEmpty(); w = w == window ? nullptr : w->parentWidget())
    hint = w->statusTip();
  return LongPart(hint);
}

void HintLine::SetHint(QWidget* control, const QString& hint, bool bubble) {
  control->setStatusTip(hint);
  control->setAccessibleDescription(LongPart(hint));
  // Qt hands a widget's What's This text to UI Automation as its help
  // text; Shift+F1 shows it too, as Windows programs do.
  if (Capabilities().hintsAsHelpText) control->setWhatsThis(LongPart(hint));
  if (bubble) control->setToolTip(hint);
}

void HintLine::Watch(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::MouseMove:
    case QEvent::Enter:
    case QEvent::Leave: {
      // Events for the native windows come before those for the widgets.
      if (!watched->isWidgetType()) return;
      auto* w = static_cast<QWidget*>(watched);
      if (w->window() != window_) {
        inside_ = false;  // over a popup list or another window of the program
      } else if (event->type() == QEvent::Leave) {
        if (w == window_) inside_ = false;
      } else {
        const QPointF at = event->type() == QEvent::Enter ? static_cast<QEnterEvent*>(event)->position()
                                                          : static_cast<QMouseEvent*>(event)->position();
        pointer_ = w->mapTo(window_, at.toPoint());
        inside_ = true;
      }
      changed_ = true;
      return;
    }
    // What the user does may change the controls under a resting pointer:
    // enable or disable them, renumber their hints, scale the window.
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Wheel:
    case QEvent::EnabledChange: changed_ = true; return;
    default: return;
  }
}

void HintLine::Update() {
  // A resting pointer over an unchanged window: nothing to look up.
  if (!changed_) return;
  changed_ = false;
  QWidget* control = nullptr;
  if (inside_ && window_->rect().contains(pointer_)) {
    control = window_->childAt(pointer_);
    if (!control) control = window_;
  }
  const QString hint = HintOf(control, window_);
  if (hint == shown_) return;
  shown_ = hint;
  show_(shown_);
}

bool HintLine::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    // A disabled control shows no bubble: pointing at it counts as pointing
    // at its container, and no container has a bubble.
    auto* w = static_cast<QWidget*>(watched);
    if (!w->isEnabled() && !qobject_cast<QLabel*>(w)) {
      QToolTip::hideText();
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace averlin
