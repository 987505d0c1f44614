#pragma once
// The names of the controls that belong to a register. A register's controls
// share its prefix ("Accu1", "Accu2", "Result"); the layout and the tests
// build these names here. The window finds no control by its name.

#include <QString>
#include <QStringView>

#include "word.h"

namespace averlin {

enum class RegisterControl {
  Group,          // GroupBox_Accu1
  HexEdit,        // Edit_Accu1Hex
  DecEdit,        // Edit_Accu1Dec
  NetEdit,        // Edit_Accu1Net
  HexLabel,       // Label_Accu1Hex
  DecLabel,       // Label_Accu1Dec
  NetLabel,       // Label_Accu1Net
  BitBox,         // CheckBox_Accu1Bit<bit>
  PositionLabel,  // Label_Accu1Bit<bit>, over bits 0, 4 .. 28
  LsbButton,      // btn_Accu1_LSB
};

// "Accu1", "Accu2" or "Result".
QString RegisterPrefix(Register reg);

// The name of one of a register's controls; bit counts for the bit boxes and
// the position labels only.
QString ControlName(QStringView registerPrefix, RegisterControl control, int bit = 0);
QString ControlName(Register reg, RegisterControl control, int bit = 0);

}  // namespace averlin
