#pragma once
// The window's layout as data: every control with its kind, place, text,
// hint, tab order and accessible name. The window is built from this table
// alone.

#include <QRect>
#include <QString>
#include <vector>

namespace averlin::layout {

enum class Kind {
  GroupBox,
  Label,          // sizes itself to its text, left edge fixed
  PositionLabel,  // right-aligned, sizes itself to its text, right edge fixed
  WrappedLabel,   // fixed size, word-wrapped
  Edit,
  HexEdit,       // turns typed letters into upper case
  ReadOnlyEdit,  // a register view of R
  OutputEdit,    // read-only, button-face background
  PushButton,
  BitBox,    // check box without caption
  CheckBox,  // caption to the left of the box
  ComboBox,
  Slider,
  UpDown,
  StatusBar,
};

struct Control {
  QString name;
  Kind kind;
  QString parent{};  // empty: a child of the window itself
  QRect geometry;    // relative to the parent, at 96 pixels per inch
  QString text{};
  QString hint{};
  bool bubble = false;       // shows its hint in a bubble beside the pointer
  int tabOrder = -1;         // within its parent; -1: takes no focus by Tab
  QString accessibleName{};  // what a screen reader says; empty: its text
};

inline constexpr int kClientWidth = 584;
inline constexpr int kClientHeight = 465;

// Every control in creation order: a parent comes before its children, and
// within one parent the controls stand in their tab order.
const std::vector<Control>& Controls();

// Register prefixes used in control names, indexed by register.
inline const QString kRegisterNames[3] = {QStringLiteral("Accu1"), QStringLiteral("Accu2"),
                                          QStringLiteral("Result")};

}  // namespace averlin::layout
