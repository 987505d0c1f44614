#include "operations.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "errors.h"
#include "number_text.h"

namespace averlin {
namespace {

using enum DataWordLength;
using enum SignedMode;

Word Calc(Operation op, Word a1, Word a2, DataWordLength length, int k = 1) {
  return Compute(op, a1, a2, length, k);
}

TEST(Arithmetic, WrapsModuloTheWordLength) {
  EXPECT_EQ(Calc(Operation::Add, 200, 100, Bits8), 0x2Cu);
  EXPECT_EQ(Calc(Operation::Add, 127, 1, Bits8), 0x80u);
  EXPECT_EQ(Calc(Operation::Subtract, 0, 1, Bits8), 0xFFu);
  EXPECT_EQ(FormatDec(0xFF, {Bits8, Unsigned}), "255");
  EXPECT_EQ(FormatDec(0xFF, {Bits8, Signed}), "-1");
  // -3 x 5 at 8 bits: 0xFD x 5 = 0x4F1, masked to 0xF1, which reads as -15.
  EXPECT_EQ(Calc(Operation::Multiply, 0xFD, 5, Bits8), 0xF1u);
  EXPECT_EQ(FormatDec(0xF1, {Bits8, Signed}), "-15");
  EXPECT_EQ(Calc(Operation::Multiply, 300, 300, Bits16), 0x5F90u);
  EXPECT_EQ(Calc(Operation::Multiply, 0xFFFFFFFF, 0xFFFFFFFF, Bits32), 1u);
  EXPECT_EQ(Calc(Operation::Add, 0xFFFFFFFF, 1, Bits32), 0u);
}

TEST(Arithmetic, DivisionIsUnsignedAndTruncates) {
  EXPECT_EQ(Calc(Operation::Divide, 0xFC, 2, Bits8), 0x7Eu);
  EXPECT_EQ(Calc(Operation::Divide, 0xFFFFFFFE, 2, Bits32), 0x7FFFFFFFu);
  EXPECT_EQ(Calc(Operation::Divide, 7, 2, Bits32), 3u);
  EXPECT_EQ(Calc(Operation::Divide, 0x80000000, 0xFFFFFFFF, Bits32), 0u);
  try {
    Calc(Operation::Divide, 5, 0, Bits32);
    FAIL() << "no error for a zero divisor";
  } catch (const CalculatorError& e) {
    EXPECT_STREQ(e.what(), "Division by zero");
  }
}

TEST(Logic, EightBitExamples) {
  EXPECT_EQ(Calc(Operation::Not, 0x0F, 0, Bits8), 0xF0u);
  EXPECT_EQ(Calc(Operation::Nand, 0x0F, 0x33, Bits8), 0xFCu);
  EXPECT_EQ(Calc(Operation::Nor, 0x0F, 0x33, Bits8), 0xC0u);
  EXPECT_EQ(Calc(Operation::Xnor, 0x0F, 0x33, Bits8), 0xC3u);
  EXPECT_EQ(Calc(Operation::And, 0x0F, 0x33, Bits8), 0x03u);
  EXPECT_EQ(Calc(Operation::Or, 0x0F, 0x33, Bits8), 0x3Fu);
  EXPECT_EQ(Calc(Operation::Xor, 0x0F, 0x33, Bits8), 0x3Cu);
  EXPECT_EQ(Calc(Operation::Not, 0, 0, Bits32), 0xFFFFFFFFu);
}

TEST(Shifts, LogicalAndMasked) {
  EXPECT_EQ(Calc(Operation::ShiftLeft, 0x81, 0, Bits8, 1), 0x02u);
  EXPECT_EQ(Calc(Operation::ShiftRight, 0x80000000, 0, Bits32, 31), 1u);
  EXPECT_EQ(Calc(Operation::ShiftRight, 0xFC, 0, Bits8, 1), 0x7Eu);
  EXPECT_EQ(Calc(Operation::ShiftLeft, 1, 0, Bits16, 15), 0x8000u);
}

TEST(Rotates, TableExamples) {
  EXPECT_EQ(Calc(Operation::RotateLeft, 0x81, 0, Bits8, 1), 0x03u);
  EXPECT_EQ(Calc(Operation::RotateRight, 0x81, 0, Bits8, 1), 0xC0u);
  EXPECT_EQ(Calc(Operation::RotateLeft, 0x8001, 0, Bits16, 4), 0x0018u);
  EXPECT_EQ(Calc(Operation::RotateRight, 0x8001, 0, Bits16, 4), 0x1800u);
  EXPECT_EQ(Calc(Operation::RotateLeft, 0x12345678, 0, Bits32, 8), 0x34567812u);
  EXPECT_EQ(Calc(Operation::RotateRight, 0x12345678, 0, Bits32, 8), 0x78123456u);
  EXPECT_EQ(Calc(Operation::RotateLeft, 0x80000001, 0, Bits32, 1), 3u);
  EXPECT_EQ(Calc(Operation::RotateRight, 0x80000001, 0, Bits32, 1), 0xC0000000u);
}

// A rotation by moving one bit at a time, to check the formulas against.
Word ReferenceRotateLeft(Word v, int bits, int k) {
  for (int i = 0; i < k; ++i) {
    const Word top = (v >> (bits - 1)) & 1u;
    v = ((v << 1) | top) & (bits == 32 ? 0xFFFFFFFFu : (Word{1} << bits) - 1);
  }
  return v;
}

TEST(Rotates, EveryCountInEveryWordLengthMatchesAReference) {
  std::mt19937 random(7);
  for (DataWordLength length : {Bits8, Bits16, Bits32}) {
    const int bits = BitsOf(length);
    const Word mask = LimitsFor(length).WordMask;
    for (int k = 1; k < bits; ++k) {
      for (int i = 0; i < 200; ++i) {
        const Word v = random() & mask;
        ASSERT_EQ(Calc(Operation::RotateLeft, v, 0, length, k), ReferenceRotateLeft(v, bits, k))
            << "bits " << bits << " k " << k << " v " << v;
        ASSERT_EQ(Calc(Operation::RotateRight, v, 0, length, k), ReferenceRotateLeft(v, bits, bits - k))
            << "bits " << bits << " k " << k << " v " << v;
      }
    }
  }
}

TEST(Shifts, CountsOutsideTheRangeStayDefined) {
  // The spinner keeps counts within 1..n-1; the operations still give a
  // defined answer for any count: 0 leaves A1 as it is.
  for (Operation op :
       {Operation::ShiftLeft, Operation::ShiftRight, Operation::RotateLeft, Operation::RotateRight})
    EXPECT_EQ(Calc(op, 0x12345678, 0, Bits32, 0), 0x12345678u);
  EXPECT_EQ(Calc(Operation::ShiftLeft, 0xFFFFFFFF, 0, Bits32, 32), 0u);
  EXPECT_EQ(Calc(Operation::ShiftRight, 0xFFFFFFFF, 0, Bits32, 40), 0u);
}

TEST(Compute, RefusesTheOperationsThatMoveRegisters) {
  for (Operation op : {Operation::Swap, Operation::ResultToA1, Operation::ResultToA2})
    EXPECT_THROW(Calc(op, 0x12, 0x34, Bits32), std::invalid_argument) << static_cast<int>(op);
}

TEST(Apply, WritesOnlyTheRegistersOfTheOperation) {
  RegisterModel model;
  model.Store(Register::A1, 0xFF);
  model.Store(Register::A2, 0x0F);
  model.Store(Register::R, 0x100);
  EXPECT_EQ(Apply(model, Operation::Swap, 1), (WrittenRegisters{.A1 = true, .A2 = true}));
  EXPECT_EQ(model.Value(Register::A1), 0x0Fu);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(model.Value(Register::R), 0x100u);
  EXPECT_EQ(Apply(model, Operation::ResultToA1, 1), (WrittenRegisters{.A1 = true}));
  EXPECT_EQ(model.Value(Register::A1), 0x100u);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(Apply(model, Operation::ResultToA2, 1), (WrittenRegisters{.A2 = true}));
  EXPECT_EQ(model.Value(Register::A2), 0x100u);
  EXPECT_EQ(Apply(model, Operation::Add, 1), (WrittenRegisters{.R = true}));
  EXPECT_EQ(model.Value(Register::R), 0x200u);
  EXPECT_EQ(model.Value(Register::A1), 0x100u);
}

TEST(Apply, DivisionByZeroStoresNothing) {
  RegisterModel model;
  model.Store(Register::A1, 9);
  model.Store(Register::R, 42);
  EXPECT_THROW(Apply(model, Operation::Divide, 1), CalculatorError);
  EXPECT_EQ(model.Value(Register::R), 42u);
  model.Store(Register::A2, 2);
  Apply(model, Operation::Divide, 1);
  EXPECT_EQ(model.Value(Register::R), 4u);
}

TEST(ShiftCountText, ClampsAtTheTopAndWritesPlainDecimal) {
  EXPECT_EQ(ReadShiftCountText("007", 31), (ShiftCountEntry{7, "7"}));
  EXPECT_EQ(ReadShiftCountText("-0", 31), (ShiftCountEntry{0, "0"}));
  EXPECT_EQ(ReadShiftCountText("99", 31), (ShiftCountEntry{31, "31"}));
  EXPECT_EQ(ReadShiftCountText("9", 7), (ShiftCountEntry{7, "7"}));
  EXPECT_EQ(ReadShiftCountText("40", 15), (ShiftCountEntry{15, "15"}));
  EXPECT_EQ(ReadShiftCountText("-5", 31), (ShiftCountEntry{-5, "-5"}));
  EXPECT_EQ(ReadShiftCountText("2147483647", 31), (ShiftCountEntry{31, "31"}));
  EXPECT_EQ(ReadShiftCountText("-2147483648", 31), (ShiftCountEntry{-2147483648, "-2147483648"}));
  for (const char* refused : {"", "abc", "-", "1-", "--1", "+1", " 1"})
    EXPECT_EQ(ReadShiftCountText(refused, 31), std::nullopt) << refused;
}

TEST(ShiftCountText, OutOfRangeTextsAreReported) {
  for (const char* text : {"999999999999", "2147483648", "-2147483649"}) {
    try {
      ReadShiftCountText(text, 31);
      FAIL() << text;
    } catch (const CalculatorError& e) {
      EXPECT_EQ(std::string(e.what()), "'" + std::string(text) + "' is not a valid integer value");
    }
  }
  // A pasted wall of digits is quoted by its start only.
  try {
    ReadShiftCountText(std::string(100000, '9'), 31);
    FAIL();
  } catch (const CalculatorError& e) {
    EXPECT_EQ(std::string(e.what()), "'" + std::string(61, '9') + "...' is not a valid integer value");
  }
  // Leading zeros do not count against the range.
  EXPECT_EQ(ReadShiftCountText(std::string(100000, '0') + "3", 31), (ShiftCountEntry{3, "3"}));
}

}  // namespace
}  // namespace averlin
