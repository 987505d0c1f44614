#pragma once
// What the windowing system says of a top-level window, asked of it
// directly rather than of Qt: the X server, where a window manager (EWMH)
// writes what it does on the window's properties, or Windows' User32.
// And where the tests run: no test asks Qt's platform name or probes for
// Wine itself, they ask here.

#include <QRect>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

class QWidget;

// The windowing system the tests run on.
enum class TestPlatform {
  X11,
  Wayland,  // Qt as a Wayland client: the compositor activates windows itself
  Windows,
  Wine,  // Windows' API as Wine gives it: it never reports a popup drawn
};
TestPlatform WhereTestsRun();

class NativeWindow {
 public:
  NativeWindow();
  ~NativeWindow();
  NativeWindow(const NativeWindow&) = delete;
  NativeWindow& operator=(const NativeWindow&) = delete;

  // Why these questions cannot be asked here; empty when they can.
  QString absence() const;
  // The frame on the screen as the windowing system draws it.
  QRect frame(QWidget* w) const;
  // Why that frame knowingly differs from the one Qt reports; empty where
  // the two agree.
  QString frameDifference() const;
  // What the frame lets the user do to the window, in EWMH's words less
  // their prefix: "MOVE", "MINIMIZE", "CLOSE", "RESIZE", "MAXIMIZE_HORZ", …
  QStringList allowedActions(QWidget* w) const;
  // Whether the window is kept above the windows that are not.
  bool staysAbove(QWidget* w) const;
  // The opacity the windowing system draws the window with, 0 to 255;
  // nothing where the window has none set.
  std::optional<int> opacity(QWidget* w) const;

 private:
  struct Connection;
  std::unique_ptr<Connection> c_;
};
