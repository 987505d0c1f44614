#include <windows.h>
// After windows.h, which it needs.
#include <dwmapi.h>

#include <QWidget>
#include <QWindow>

#include "NativeWindow.h"

TestPlatform WhereTestsRun() {
  // Wine says so through an export of its own.
  static const bool wine = GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr;
  return wine ? TestPlatform::Wine : TestPlatform::Windows;
}

struct NativeWindow::Connection {};

namespace {
// The window's native window now: changing its flags may re-create it.
HWND id(QWidget* w) { return reinterpret_cast<HWND>(w->windowHandle()->winId()); }
}  // namespace

NativeWindow::NativeWindow() = default;
NativeWindow::~NativeWindow() = default;

QString NativeWindow::absence() const { return {}; }

QRect NativeWindow::frame(QWidget* w) const {
  // From Windows 10 on, the window's rectangle takes in resizing borders
  // that are not drawn; the desktop window manager knows the drawn frame.
  RECT r;
  if (FAILED(DwmGetWindowAttribute(id(w), DWMWA_EXTENDED_FRAME_BOUNDS, &r, sizeof r)) &&
      !GetWindowRect(id(w), &r))
    return {};
  return QRect(QPoint(r.left, r.top), QPoint(r.right - 1, r.bottom - 1));
}

QString NativeWindow::frameDifference() const {
  if (WhereTestsRun() != TestPlatform::Wine) return {};
  return QStringLiteral(
      "Wine draws the borders that Windows 10 and later leave invisible, and Qt leaves out of the frame");
}

QStringList NativeWindow::allowedActions(QWidget* w) const {
  const LONG_PTR style = GetWindowLongPtrW(id(w), GWL_STYLE);
  QStringList actions;
  if (style & WS_CAPTION) actions << QStringLiteral("MOVE");
  if (style & WS_SYSMENU) actions << QStringLiteral("CLOSE");
  if (style & WS_MINIMIZEBOX) actions << QStringLiteral("MINIMIZE");
  if (style & WS_MAXIMIZEBOX) actions << QStringLiteral("MAXIMIZE_HORZ") << QStringLiteral("MAXIMIZE_VERT");
  if (style & WS_THICKFRAME) actions << QStringLiteral("RESIZE");
  return actions;
}

bool NativeWindow::staysAbove(QWidget* w) const {
  return GetWindowLongPtrW(id(w), GWL_EXSTYLE) & WS_EX_TOPMOST;
}

// A layered window's opacity, as SetLayeredWindowAttributes gave it.
std::optional<int> NativeWindow::opacity(QWidget* w) const {
  if (!(GetWindowLongPtrW(id(w), GWL_EXSTYLE) & WS_EX_LAYERED)) return std::nullopt;
  BYTE alpha = 0;
  DWORD flags = 0;
  if (!GetLayeredWindowAttributes(id(w), nullptr, &alpha, &flags) || !(flags & LWA_ALPHA))
    return std::nullopt;
  return int(alpha);
}
