#pragma once
// The window's layout as data: every control with all that sets it apart
// from the others of its kind. The window is built from this table alone.

#include <QRect>
#include <QString>
#include <vector>

#include "word.h"

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

// An event handler of the window, named by what the window calls it; the
// window binds each to its own member. The kind of the row says which event
// it is bound to: an edit's text change, a check box's or a bit box's
// toggle, a button's click, a list's pick by the user (not a selection the
// program makes), a slider's move.
// clang-format off
enum class Handler {
  None,
  Edit_AccuHexChange, Edit_AccuDecChange, AccuNetChange, Accu1ChangeBit, Accu2ChangeBit,
  btn_Accu1_LSBClick, btn_Accu2_LSBClick, btn_Result_LSBClick,
  btn_ADDClick, btn_SUBTRClick, btn_MULTClick, btn_DIVClick,
  btn_ANDClick, btn_ORClick, btn_XORClick, btn_NOTClick,
  btn_NANDClick, btn_NORClick, btn_XNORClick,
  btn_SHLClick, btn_SHRClick, btn_ROLClick, btn_RORClick,
  btn_SwapClick, btn_RtoA1Click, btn_RtoA2Click, BitOp_NumBits1Change,
  Combo_DatawordLengthChange, Combo_SignedChange, Converter_Do_Convert,
  CheckBox1Click, CheckBox2Click, TransparencyChange,
};
// clang-format on

// A control that the window works on once it is built: the builder hands
// the window the widget of each row that names one, as it makes it. A
// register's views are the row's register's; a bit box's index is its bit,
// a position label's is its place (0 over bit 0, 1 over bit 4, ...).
// clang-format off
enum class WindowView {
  None,
  RegisterHex, RegisterDec, RegisterNet, RegisterBitBox, RegisterPositionLabel, RegisterLsb,
  ShiftCountEdit, ShiftCountSpinner, WordLengthList, SignedList,
  ConvInput, ConvOutput, ConvSource, ConvTarget,
  AlwaysOnTop, LargeFont, Transparency, TransparencyLabel, StatusBar,
};
// clang-format on

struct ViewOf {
  WindowView view = WindowView::None;
  Register reg = Register::A1;
  int index = 0;
};

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
  Handler onEvent = Handler::None;
  QString buddy{};      // a label names this control; a spinner steps this edit
  bool visible = true;  // shown when the window starts
  bool enabled = true;  // a display-only control is disabled for good
  Range range{};        // a slider's
  ViewOf keep{};        // what the window keeps it as
};

inline constexpr int kClientWidth = 584;
inline constexpr int kClientHeight = 465;

// Every control in creation order: a parent comes before its children. The
// Tab key goes through each parent's controls by their tab order.
const std::vector<Control>& Controls();

// What a bit box is called and its hint, for the number that its register
// gives its bit (counting from 0 or from 1): the rows say them for the
// numbering from 0, the bit numbering switch for either.
QString BitBoxAccessibleName(Register reg, int number);
QString BitBoxHint(int number);
// An LSB button's caption and what a screen reader calls it, for the bit
// its register numbers first (0 or 1).
QString LsbCaption(int first);
QString LsbAccessibleName(Register reg, int first);

}  // namespace averlin::layout
