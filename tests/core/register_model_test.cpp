#include "register_model.h"

#include <gtest/gtest.h>

#include "number_text.h"

namespace averlin {
namespace {

TEST(WordLimits, PerWordLength) {
  const WordLimits l8 = LimitsFor(WordLength8);
  EXPECT_EQ(l8.WordMask, 0xFFu);
  EXPECT_EQ(l8.SignedMax, 127);
  EXPECT_EQ(l8.SignedMin, -128);
  EXPECT_EQ(l8.UnsignedMax, 255u);
  EXPECT_EQ(l8.ShiftCountMax, 7);
  const WordLimits l16 = LimitsFor(WordLength16);
  EXPECT_EQ(l16.WordMask, 0xFFFFu);
  EXPECT_EQ(l16.SignedMin, -32768);
  EXPECT_EQ(l16.ShiftCountMax, 15);
  const WordLimits l32 = LimitsFor(WordLength32);
  EXPECT_EQ(l32.WordMask, 0xFFFFFFFFu);
  EXPECT_EQ(l32.SignedMax, 2147483647);
  EXPECT_EQ(l32.SignedMin, -2147483647 - 1);
  EXPECT_EQ(l32.UnsignedMax, 0xFFFFFFFFu);
  EXPECT_EQ(l32.UnsignedMin, 0u);
  EXPECT_EQ(l32.ShiftCountMax, 31);
}

TEST(RegisterModel, DefaultsAndMaskedStores) {
  RegisterModel model;
  EXPECT_EQ(model.DataWordLength(), WordLength32);
  EXPECT_EQ(model.SignedMode(), Unsigned);
  for (Register r : {Register::A1, Register::A2, Register::R}) EXPECT_EQ(model.Value(r), 0u);
  ChangeDataWordLength(model, WordLength8, 1);
  model.Store(Register::A1, 0x1FF);
  EXPECT_EQ(model.Value(Register::A1), 0xFFu);
  // -4 is held as its 8-bit pattern.
  model.Store(Register::A2, static_cast<Word>(-4));
  EXPECT_EQ(model.Value(Register::A2), 0xFCu);
}

TEST(BitBoxTransition, ExactlyTheRangesBetweenTheLengths) {
  EXPECT_EQ(BitBoxTransition(WordLength8, WordLength16), (BitBoxRange{8, 15, true}));
  EXPECT_EQ(BitBoxTransition(WordLength8, WordLength32), (BitBoxRange{8, 31, true}));
  EXPECT_EQ(BitBoxTransition(WordLength16, WordLength8), (BitBoxRange{8, 15, false}));
  EXPECT_EQ(BitBoxTransition(WordLength16, WordLength32), (BitBoxRange{16, 31, true}));
  EXPECT_EQ(BitBoxTransition(WordLength32, WordLength16), (BitBoxRange{16, 31, false}));
  EXPECT_EQ(BitBoxTransition(WordLength32, WordLength8), (BitBoxRange{8, 31, false}));
  for (int length : {WordLength8, WordLength16, WordLength32})
    EXPECT_EQ(BitBoxTransition(length, length), std::nullopt);
}

TEST(ChangeDataWordLength, MasksRegistersForGood) {
  RegisterModel model;
  model.Store(Register::A1, 0x12345678);
  model.Store(Register::A2, 0xFFFFFFFF);
  model.Store(Register::R, 0x100);
  ChangeDataWordLength(model, WordLength8, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x78u);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(model.Value(Register::R), 0u);
  ChangeDataWordLength(model, WordLength32, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x78u);
}

TEST(ChangeDataWordLength, ClampsTheShiftCountOnlyWhenItIsTooLarge) {
  RegisterModel model;
  auto change = ChangeDataWordLength(model, WordLength16, 20);
  EXPECT_EQ(change.ShiftCountMax, 15);
  EXPECT_EQ(change.ClampedShiftCount, 15);
  change = ChangeDataWordLength(model, WordLength8, 15);
  EXPECT_EQ(change.ShiftCountMax, 7);
  EXPECT_EQ(change.ClampedShiftCount, 7);
  change = ChangeDataWordLength(model, WordLength32, 7);
  EXPECT_EQ(change.ShiftCountMax, 31);
  EXPECT_EQ(change.ClampedShiftCount, std::nullopt);
}

TEST(Signedness, ChangesOnlyHowTheDecimalViewReads) {
  RegisterModel model;
  ChangeDataWordLength(model, WordLength16, 1);
  ChangeSignedMode(model, Signed);
  model.Store(Register::A1, 0x8000);
  EXPECT_EQ(FormatDec(model.Value(Register::A1), model.Format()), "-32768");
  // Widening never sign-extends.
  ChangeDataWordLength(model, WordLength32, 1);
  EXPECT_EQ(model.Value(Register::A1), 0x8000u);
  EXPECT_EQ(FormatDec(model.Value(Register::A1), model.Format()), "32768");
  model.Store(Register::A2, 0xFFFFFFFF);
  ChangeDataWordLength(model, WordLength8, 1);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(FormatDec(model.Value(Register::A2), model.Format()), "-1");
  ChangeSignedMode(model, Unsigned);
  EXPECT_EQ(model.Value(Register::A2), 0xFFu);
  EXPECT_EQ(FormatDec(model.Value(Register::A2), model.Format()), "255");
}

}  // namespace
}  // namespace averlin
