#pragma once
// The calculator's window with nothing behind it: every control of the
// layout table, as the plain Qt widget of its kind, at its place and with
// its text, but no handlers, no state, no fonts, palettes or icons of its
// own. It is the floor that the calculator's start-up time and memory are
// measured against.

#include <QWidget>

namespace averlin::bench {

class FloorWindow : public QWidget {
  Q_OBJECT
 public:
  // With a font, the window is drawn in it, set before its controls are
  // made as the calculator does; without one, in the application's font.
  explicit FloorWindow(const QFont* font = nullptr, QWidget* parent = nullptr);
};

}  // namespace averlin::bench
