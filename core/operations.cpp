#include "operations.h"

#include <charconv>
#include <stdexcept>

#include "errors.h"
#include "number_text.h"

namespace averlin {
namespace {

Word RotateLeft(Word a1, Word mask, int bits, int k) {
  const int back = bits - k;
  const Word top = a1 & mask & ~ShiftRight(mask, k);  // the k highest bits of the word
  return (ShiftRight(top, back) | ShiftLeft(a1, k)) & mask;
}

Word RotateRight(Word a1, Word mask, int bits, int k) {
  const int back = bits - k;
  const Word bottom = a1 & mask & ~ShiftLeft(mask, k);  // the k lowest bits
  return (ShiftLeft(bottom, back) | ShiftRight(a1, k)) & mask;
}

}  // namespace

Word Compute(Operation op, Word a1, Word a2, DataWordLength length, int shiftCount) {
  const Word mask = LimitsFor(length).WordMask;
  const int bits = BitsOf(length);
  switch (op) {
    case Operation::Add: return (a1 + a2) & mask;
    case Operation::Subtract: return (a1 - a2) & mask;
    case Operation::Multiply: return (a1 * a2) & mask;
    case Operation::Divide:
      if (a2 == 0) throw CalculatorError("Division by zero");
      return (a1 / a2) & mask;
    case Operation::And: return a1 & a2 & mask;
    case Operation::Or: return (a1 | a2) & mask;
    case Operation::Xor: return (a1 ^ a2) & mask;
    case Operation::Not: return ~a1 & mask;
    case Operation::Nand: return ~(a1 & a2) & mask;
    case Operation::Nor: return ~(a1 | a2) & mask;
    case Operation::Xnor: return ~(a1 ^ a2) & mask;
    case Operation::ShiftLeft: return ShiftLeft(a1, shiftCount) & mask;
    case Operation::ShiftRight: return ShiftRight(a1, shiftCount) & mask;
    case Operation::RotateLeft: return RotateLeft(a1, mask, bits, shiftCount);
    case Operation::RotateRight: return RotateRight(a1, mask, bits, shiftCount);
    case Operation::Swap:
    case Operation::ResultToA1:
    case Operation::ResultToA2: break;
  }
  // Apply moves the registers itself; a caller that asks for a result here
  // would store a made-up one.
  throw std::invalid_argument("Compute: the operation computes no result");
}

WrittenRegisters Apply(RegisterModel& model, Operation op, int shiftCount) {
  const Word a1 = model.Value(Register::A1);
  const Word a2 = model.Value(Register::A2);
  switch (op) {
    case Operation::Swap:
      model.Store(Register::A1, a2);
      model.Store(Register::A2, a1);
      return {.A1 = true, .A2 = true};
    case Operation::ResultToA1: model.Store(Register::A1, model.Value(Register::R)); return {.A1 = true};
    case Operation::ResultToA2: model.Store(Register::A2, model.Value(Register::R)); return {.A2 = true};
    default:
      model.Store(Register::R, Compute(op, a1, a2, model.DataWordLength(), shiftCount));
      return {.R = true};
  }
}

std::optional<ShiftCountEntry> ReadShiftCountText(std::string_view text, int spinnerMax) {
  if (!IsSignedDecText(text)) return std::nullopt;
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc{} || end != text.data() + text.size()) {
    // A pasted wall of digits is shown by its start only.
    constexpr std::size_t shown = 64;
    const std::string quoted =
        text.size() <= shown ? std::string(text) : std::string(text.substr(0, shown - 3)) + "...";
    throw CalculatorError("'" + quoted + "' is not a valid integer value");
  }
  if (number > spinnerMax) number = spinnerMax;
  return ShiftCountEntry{number, std::to_string(number)};
}

}  // namespace averlin
