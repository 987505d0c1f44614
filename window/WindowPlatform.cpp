#include "WindowPlatform.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLibrary>
#include <QLibraryInfo>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QVersionNumber>
#include <QWidget>
#include <QWindow>
#include <cstdlib>
#include <cstring>

namespace averlin {

const QString kStaysOnTopRefusedHint = QStringLiteral(
    "This windowing system does not let a program keep its window on top of other applications.");

namespace {
bool StyleChosenByUser = false;

// Whether the command line names one of Qt's options: -name, --name, or
// either with =value.
bool Named(int argc, const char* const* argv, const char* option) {
  const std::size_t length = std::strlen(option);
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] != '-') continue;
    const char* name = argv[i] + (argv[i][1] == '-' ? 2 : 1);
    if (std::strncmp(name, option, length) == 0 && (name[length] == '\0' || name[length] == '=')) return true;
  }
  return false;
}
}  // namespace

void ChoosePlatform(int argc, const char* const* argv) {
  StyleChosenByUser = !qEnvironmentVariableIsEmpty("QT_STYLE_OVERRIDE") || Named(argc, argv, "style");
  if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || Named(argc, argv, "platform")) return;
  const bool waylandSession =
      qgetenv("XDG_SESSION_TYPE") == "wayland" || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
  // GNOME's and KDE's window managers keep an X11 window above others, set
  // its opacity and give a fixed-size one no maximise button; a Wayland
  // client can do none of that. Should Xwayland not answer, Qt goes on to
  // the next platform in the list.
  if (waylandSession && !qEnvironmentVariableIsEmpty("DISPLAY")) qputenv("QT_QPA_PLATFORM", "xcb;wayland");
}

void ChooseStyle() {
  // The layout places its controls at the pixel for Windows' classic control
  // metrics. Qt (from 6.7) draws Windows 11 in a style of its own, whose
  // check boxes are larger than the 13-pixel bit boxes, so that the boxes
  // touch, whose list arrows cover the end of "Unsigned", which needs a
  // pixel more for "Large Font" than the layout gives, and whose read-only
  // fields look like the editable ones. Its Vista style draws Windows' own
  // controls at the classic metrics, as on Windows 10.
  const QString vista = QStringLiteral("windowsvista");
  if (StyleChosenByUser || QApplication::style()->name() != QLatin1String("windows11") ||
      !QStyleFactory::keys().contains(vista, Qt::CaseInsensitive))
    return;
  QApplication::setStyle(vista);
}

PlatformCapabilities Capabilities() {
  static const PlatformCapabilities capabilities = [] {
    PlatformCapabilities c;
    const QString platform = QGuiApplication::platformName();
    if (platform.startsWith(QLatin1String("wayland"))) {
      // A Wayland client neither stacks nor places its window, nor sets
      // its opacity; Qt 6.7 stopped committing a fixed size over the
      // compositor's maximised one.
      c.staysOnTop = false;
      c.translucency = false;
      c.snap = false;
      c.fixedSize = QLibraryInfo::version() >= QVersionNumber(6, 7);
    } else if (platform == QLatin1String("windows")) {
      // Qt makes a translucent window a layered one, whose opacity User32
      // sets; a Windows without that function keeps every window opaque.
      c.translucency = QLibrary::resolve(QStringLiteral("user32"), "SetLayeredWindowAttributes") != nullptr;
      c.hintsAsHelpText = true;
    } else if (platform != QLatin1String("xcb") && platform != QLatin1String("cocoa")) {
      c.translucency = false;  // the offscreen and minimal platforms draw nothing
    }
    return c;
  }();
  return capabilities;
}

void SetClientSize(QWidget* window, QSize size) {
  if (Capabilities().fixedSize) {
    window->setFixedSize(size);
    // Windows then draws a thin frame without the resizing borders and
    // greys Size in the window menu, as for its own fixed dialogs; other
    // platforms ignore the hint. Set once, before the window is shown:
    // changing a shown window's flags re-creates it.
    if (!window->windowFlags().testFlag(Qt::MSWindowsFixedSizeDialogHint))
      window->setWindowFlag(Qt::MSWindowsFixedSizeDialogHint);
    return;
  }
  window->setMinimumSize(size);
  window->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
  window->resize(size);
}

void SetStaysOnTop(QWidget* window, bool onTop) {
  if (window->windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
  // QWidget::setWindowFlags would re-create the native window, which a
  // window manager unmaps and places anew; the native window takes the
  // new stacking as it is (on X11 a _NET_WM_STATE request).
  const Qt::WindowFlags flags = window->windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
  window->overrideWindowFlags(flags);
  if (QWindow* native = window->windowHandle()) native->setFlags(flags);
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

void WorkAreaSnap::Moved(QWidget* window, bool spontaneous) {
  if (!Capabilities().snap) return;
  const QRect frame = window->frameGeometry();
  // A window manager reports each move asked of it once it has made it,
  // possibly after later ones were asked: such a report is no new place.
  constexpr qsizetype kAskedKept = 16;
  if (!spontaneous) {
    if (asked_.size() == kAskedKept) asked_.removeFirst();
    asked_.append(frame.topLeft());
  } else if (const qsizetype report = asked_.indexOf(frame.topLeft()); report >= 0) {
    const QPoint latest = asked_.last();
    asked_.remove(0, report + 1);
    // A report of a place asked for before the latest one: the window
    // manager has the frame at the latest already, but Qt has taken the old
    // place for the window's own and would send the window back there when
    // it next maps or resizes it. Ask for the latest place once more.
    if (latest != frame.topLeft() && !snapping_) {
      snapping_ = true;
      window->move(latest);
      snapping_ = false;
    }
    return;
  } else {
    asked_.clear();
  }
  // The move below raises the next move event before the frame has reached
  // its new place: that one is the snap's own and is let pass.
  if (snapping_ || !window->isVisible() || !window->screen()) return;
  const QPoint snapped = SnappedPosition(frame, window->screen()->availableGeometry());
  if (snapped == frame.topLeft()) return;
  snapping_ = true;
  window->move(snapped);
  snapping_ = false;
}

}  // namespace averlin
