#pragma once
// The window's layout as data: every control with all that sets it apart
// from the others of its kind. The window is built from this table alone.

#include <QRect>
#include <QString>
#include <vector>

#include "word.h"

class QObject;
class TForm_Quillon;

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
  ComboBox,  // its items in the text, separated by "|"
  Slider,
  UpDown,
  StatusBar,
};

// An event handler of the window. The kind says which event it is bound to:
// an edit's text change, a check box's or a bit box's toggle, a button's
// click, a list's pick by the user (not a selection the program makes), a
// slider's move.
using Handler = void (TForm_Quillon::*)(QObject* sender);

struct Range {
  int minimum = 0;
  int maximum = 0;
  int tickInterval = 0;  // also the page step, once the window is set up
};

struct Control {
  QString name;
  Kind kind;
  QString parent{};  // empty: a child of the window itself
  QRect geometry{};  // relative to the parent, at 96 pixels per inch
  QString text{};
  QString hint{};
  bool bubble = false;       // shows its hint in a bubble beside the pointer
  int tabOrder = -1;         // within its parent; -1: takes no focus by Tab
  QString accessibleName{};  // what a screen reader says; empty: its text
  Handler onEvent = nullptr;
  QString buddy{};      // a label names this control; a spinner steps this edit
  bool visible = true;  // shown when the window starts
  bool enabled = true;  // a display-only control is disabled for good
  Range range{};        // a slider's
};

inline constexpr int kClientWidth = 584;
inline constexpr int kClientHeight = 465;

// Every control in creation order: a parent comes before its children, and
// within one parent the controls stand in their tab order.
const std::vector<Control>& Controls();

// What a bit box is called and its hint, for the number that its register
// gives its bit (counting from 0 or from 1): the rows say them for the
// numbering from 0, the bit numbering switch for either.
QString BitBoxAccessibleName(Register reg, int number);
QString BitBoxHint(int number);

}  // namespace averlin::layout
