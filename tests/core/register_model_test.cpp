#include "register_model.h"

#include <gtest/gtest.h>

#include "number_text.h"

namespace averlin {
namespace {

using enum DataWordLength;
using enum SignedMode;

TEST(WordLimits, PerWordLength) {
  const WordLimits l8 = LimitsFor(Bits8);
  EXPECT_EQ(l8.WordMask, 0xFFu);
  EXPECT_EQ(l8.SignedMax, 127);
  EXPECT_EQ(l8.SignedMin, -128);
  EXPECT_EQ(l8.UnsignedMax, 255u);
  EXPECT_EQ(l8.ShiftCountMax, 7);
  const WordLimits l16 = LimitsFor(Bits16);
  EXPECT_EQ(l16.WordMask, 0xFFFFu);
  EXPECT_EQ(l16.SignedMin, -32768);
  EXPECT_EQ(l16.ShiftCountMax, 15);
  const WordLimits l32 = LimitsFor(Bits32);
  EXPECT_EQ(l32.WordMask, 0xFFFFFFFFu);
  EXPECT_EQ(l32.SignedMax, 2147483647);
  EXPECT_EQ(l32.SignedMin, -2147483647 - 1);
  EXPECT_EQ(l32.UnsignedMax, 0xFFFFFFFFu);
  EXPECT_EQ(l32.ShiftCountMax, 31);
}

TEST(RegisterModel, DefaultsAndMaskedStores) {
  RegisterModel model;
  EXPECT_EQ(model.DataWordLength(), Bits32);
  EXPECT_EQ(model.SignedMode(), Unsigned);
  for (Register r : {Register::A1, Register::A2, Register::R}) EXPECT_EQ(model.Value(r), 0u);
  ChangeDataWordLength(model, Bits8, 1);
  model.Store(Register::A1, 0x1FF);
  EXPECT_EQ(model.Value(Register::A1), 0xFFu);
  // -4 is held as its 8-bit pattern.
  model.Store(Register::A2, static_cast<Word>(-4));
  EXPECT_EQ(model.Value(Register::A2), 0xFCu);
}

TEST(BitBoxTransition, ExactlyTheRangesBetweenTheLengths) {
  EXPECT_EQ(BitBoxTransition(Bits8, Bits16), (BitBoxRange{8, 15, true}));
  EXPECT_EQ(BitBoxTransition(Bits8, Bits32), (BitBoxRange{8, 31, true}));
  EXPECT_EQ(BitBoxTransition(Bits16, Bits8), (BitBoxRange{8, 15, false}));
  EXPECT_EQ(BitBoxTransition(Bits16, Bits32), (BitBoxRange{16, 31, true}));
  EXPECT_EQ(BitBoxTransition(Bits32, Bits16), (BitBoxRange{16, 31, false}));
  EXPECT_EQ(BitBoxTransition(Bits32, Bits8), (BitBoxRange{8, 31, false}));
  for (DataWordLength length : {Bits8, Bits16, Bits32})
    EXPECT_EQ(BitBoxTransition(length, length), std::nullopt);
}

TEST(ChangeDataWordLength, MasksRegistersForGood) {
  RegisterModel model;
  model.Store(Register::A1, 0x12345678);
  model.Store(Register::A2, 0xFFFFFFFF);
  model.Store(Register::R, 0x100);
  ChangeDataWordLength(model, Bits8, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x78u);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(model.Value(Register::R), 0u);
  ChangeDataWordLength(model, Bits32, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x78u);
}

TEST(ChangeDataWordLength, ClampsTheShiftCountOnlyWhenItIsTooLarge) {
  RegisterModel model;
  auto change = ChangeDataWordLength(model, Bits16, 20);
  EXPECT_EQ(change.ShiftCountMax, 15);
  EXPECT_EQ(change.ClampedShiftCount, 15);
  change = ChangeDataWordLength(model, Bits8, 15);
  EXPECT_EQ(change.ShiftCountMax, 7);
  EXPECT_EQ(change.ClampedShiftCount, 7);
  change = ChangeDataWordLength(model, Bits32, 7);
  EXPECT_EQ(change.ShiftCountMax, 31);
  EXPECT_EQ(change.ClampedShiftCount, std::nullopt);
}

TEST(Signedness, ChangesOnlyHowTheDecimalViewReads) {
  RegisterModel model;
  ChangeDataWordLength(model, Bits16, 1);
  ChangeSignedMode(model, Signed);
  model.Store(Register::A1, 0x8000);
  EXPECT_EQ(FormatDec(model.Value(Register::A1), model.Format()), "-32768");
  // Widening never sign-extends.
  ChangeDataWordLength(model, Bits32, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x8000u);
  EXPECT_EQ(FormatDec(model.Value(Register::A1), model.Format()), "32768");
  model.Store(Register::A2, 0xFFFFFFFF);
  ChangeDataWordLength(model, Bits8, 1);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(FormatDec(model.Value(Register::A2), model.Format()), "-1");
  ChangeSignedMode(model, Unsigned);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(FormatDec(model.Value(Register::A2), model.Format()), "255");
}

}  // namespace
}  // namespace averlin
