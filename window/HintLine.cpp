#include "HintLine.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QEvent>
#include <QLabel>
#include <QToolTip>
#include <QWidget>
#include <utility>

namespace averlin {
namespace {

// What the status bar shows of a hint: the part after the first "|".
QString LongPart(const QString& hint) {
  const qsizetype bar = hint.indexOf(QLatin1Char('|'));
  return bar >= 0 ? hint.mid(bar + 1) : hint;
}

}  // namespace

HintLine::HintLine(QWidget* window, std::function<void(const QString&)> show)
    : window_(window), show_(std::move(show)) {}

void HintLine::Start() {
  shown_.clear();  // the first idle shows the hint under the pointer, whatever was shown before
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &HintLine::Update, Qt::UniqueConnection);
}

QString HintLine::HintOf(QWidget* control, QWidget* window) {
  // A disabled control other than a label gives way to its container, the
  // way mouse input is routed.
  while (control && control != window && !control->isEnabled() && !qobject_cast<QLabel*>(control))
    control = control->parentWidget();
  QString hint;
  for (QWidget* w = control; w && hint.isEmpty(); w = w == window ? nullptr : w->parentWidget())
    hint = w->statusTip();
  return LongPart(hint);
}

void HintLine::SetHint(QWidget* control, const QString& hint, bool bubble) {
  control->setStatusTip(hint);
  control->setAccessibleDescription(LongPart(hint));
  if (bubble) control->setToolTip(hint);
}

void HintLine::Update() {
  QWidget* control = QApplication::widgetAt(QCursor::pos());
  if (control && control->window() != window_) control = nullptr;
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
