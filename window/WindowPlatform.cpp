#include "WindowPlatform.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cstdlib>

namespace averlin {

void SetStaysOnTop(QWidget* window, bool onTop) {
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  // Changing the flag re-creates the native window and hides it: put it
  // back where it was, as it was.
  const bool visible = window->isVisible();
  const QPoint place = window->pos();
  const qreal opacity = window->windowOpacity();
  window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
  window->move(place);
  window->setWindowOpacity(opacity);
  if (visible) window->show();
}

bool WindowSystemOffersTranslucency() {
  // X11 and the desktop systems set a window's opacity; Wayland clients
  // cannot, and the offscreen and minimal platforms draw nothing.
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
         platform == QLatin1String("cocoa");
}

bool ListsNamedByTheirItem() {
#ifdef Q_OS_UNIX
  return true;
#else
  return false;
#endif
}

QPoint SnappedPosition(const QRect& frame, const QRect& workArea) {
  constexpr int kSnap = 10;
  QPoint p = frame.topLeft();
  if (std::abs(frame.left() - workArea.left()) < kSnap)
    p.setX(workArea.left());
  else if (std::abs(frame.right() - workArea.right()) < kSnap)
    p.setX(workArea.right() - frame.width() + 1);
  if (std::abs(frame.top() - workArea.top()) < kSnap)
    p.setY(workArea.top());
  else if (std::abs(frame.bottom() - workArea.bottom()) < kSnap)
    p.setY(workArea.bottom() - frame.height() + 1);
  return p;
}

void SnapToWorkArea(QWidget* window) {
  // The move below may raise the next move event before the frame has
  // reached its new place: that one is the snap's own and is let pass.
  static bool snapping = false;
  if (snapping || !window->isVisible() || !window->screen()) return;
  const QRect frame = window->frameGeometry();
  const QPoint snapped = SnappedPosition(frame, window->screen()->availableGeometry());
  if (snapped == frame.topLeft()) return;
  snapping = true;
  window->move(snapped);
  snapping = false;
}

}  // namespace averlin
