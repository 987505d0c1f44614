#pragma once
// The eighteen operations on the registers, and the shift-count text rule.

#include <optional>
#include <string>
#include <string_view>

#include "register_model.h"

namespace averlin {

// One kind of operation a line.
// clang-format off
enum class Operation {
  Add, Subtract, Multiply, Divide,
  And, Or, Xor, Not,
  Nand, Nor, Xnor,
  ShiftLeft, ShiftRight, RotateLeft, RotateRight,
  Swap, ResultToA1, ResultToA2,
};
// clang-format on

// Which registers an operation wrote.
struct WrittenRegisters {
  bool A1 = false;
  bool A2 = false;
  bool R = false;
  bool operator==(const WrittenRegisters&) const = default;
};

// The result of combining a1 and a2 (a1 alone for NOT, the shifts and the
// rotates) in the given word length; for the computing operations only:
// Swap and the two moves, which compute nothing, throw
// std::invalid_argument. Throws CalculatorError("Division by zero") for a
// zero divisor. The shift count is expected in 1..n-1; any count stays
// defined.
Word Compute(Operation op, Word a1, Word a2, DataWordLength length, int shiftCount);

// Runs an operation on the model. On an error nothing is stored.
WrittenRegisters Apply(RegisterModel& model, Operation op, int shiftCount);

// What the shift-count field asks for after its text changed: the spinner
// position to set and the text to write back into the field.
struct ShiftCountEntry {
  int Position;
  std::string Text;
  bool operator==(const ShiftCountEntry&) const = default;
};

// Reads the text of the shift-count field. Nothing when the text is not a
// signed decimal (it stays as typed); throws CalculatorError("'<text>' is not
// a valid integer value") when it is beyond the signed 32-bit range. The
// number is clamped at the top to the spinner maximum; below the spinner
// minimum it is written back as it is, and the spinner, which clamps to its
// own range, keeps the count the operations use within 1..n-1.
std::optional<ShiftCountEntry> ReadShiftCountText(std::string_view text, int spinnerMax);

}  // namespace averlin
