#pragma once
// The numeric state of the calculator: three registers under one word length
// and signedness, and the format changes with what they ask of the window.

#include <array>
#include <optional>

#include "word.h"

namespace averlin {

class RegisterModel {
 public:
  RegisterModel() = default;

  Word Value(Register r) const { return values_[Index(r)]; }
  // Stores the value masked to the word length, which keeps every register
  // a zero-extended n-bit pattern.
  void Store(Register r, Word v) { values_[Index(r)] = v & limits_.WordMask; }
  // Stores without masking; for the bit boxes, which cannot hold a bit above
  // the word length.
  void StoreUnmasked(Register r, Word v) { values_[Index(r)] = v; }

  averlin::DataWordLength DataWordLength() const { return format_.DataWordLength; }
  averlin::SignedMode SignedMode() const { return format_.SignedMode; }
  const WordFormat& Format() const { return format_; }
  const WordLimits& Limits() const { return limits_; }
  int Bits() const { return BitsOf(format_.DataWordLength); }

  void SetDataWordLength(averlin::DataWordLength length) { format_.DataWordLength = length; }
  void SetSignedMode(averlin::SignedMode mode) { format_.SignedMode = mode; }
  // Sets the limits of the current word length; changes no register.
  void SetWordLimits() { limits_ = LimitsFor(format_.DataWordLength); }
  // Masks all three registers to the current word mask. Bits cut off here
  // do not come back when the word is widened again.
  void MaskRegisters();

 private:
  static constexpr std::size_t Index(Register r) { return static_cast<std::size_t>(r); }

  WordFormat format_{};
  WordLimits limits_ = LimitsFor(averlin::DataWordLength::Bits32);
  std::array<Word, 3> values_{};
};

// The bit boxes of A1 and A2 to uncheck and then enable or disable when the
// word length changes from one length to another.
struct BitBoxRange {
  int FirstBit;
  int LastBit;  // inclusive
  bool Enable;
  bool operator==(const BitBoxRange&) const = default;
};
std::optional<BitBoxRange> BitBoxTransition(DataWordLength fromLength, DataWordLength toLength);

// What a change of the word length asks of the window once the model has
// taken the new length.
struct WordLengthChange {
  int ShiftCountMax = 0;
  std::optional<int> ClampedShiftCount;  // set when the count must come down
};

// Takes the new word length into the model: sets it, the limits, clamps the
// shift count and masks the registers. The bit boxes are the caller's to
// update first, as BitBoxTransition says.
WordLengthChange ChangeDataWordLength(RegisterModel& model, DataWordLength newLength, int shiftCount);

// Takes a new signedness; the registers and limits stay as they are.
void ChangeSignedMode(RegisterModel& model, SignedMode newMode);

}  // namespace averlin
