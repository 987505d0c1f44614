#pragma once
// Register words, word lengths and the limits that follow from them.

#include <cstdint>

namespace averlin {

// A register word: a 32-bit pattern. All arithmetic on it is unsigned.
using Word = std::uint32_t;

enum class Register { A1 = 0, A2 = 1, R = 2 };

// The data word length. The enumerators' values are the item indices of the
// window's word length list.
enum class DataWordLength { Bits8 = 0, Bits16 = 1, Bits32 = 2 };

// How the decimal views read a word. The enumerators' values are the item
// indices of the window's signedness list.
enum class SignedMode { Unsigned = 0, Signed = 1 };

// Number of bits of a word length: 8, 16 or 32.
constexpr int BitsOf(DataWordLength length) {
  switch (length) {
    case DataWordLength::Bits8: return 8;
    case DataWordLength::Bits16: return 16;
    case DataWordLength::Bits32: break;
  }
  return 32;
}

struct WordLimits {
  Word WordMask;
  std::int32_t SignedMax;
  std::int32_t SignedMin;  // always ~SignedMax
  Word UnsignedMax;        // the unsigned reading starts at 0
  int ShiftCountMax;       // maximum of the shift-count spinner: n - 1
};

constexpr WordLimits LimitsFor(DataWordLength length) {
  const int n = BitsOf(length);
  const Word mask = n == 32 ? 0xFFFFFFFFu : (Word{1} << n) - 1;
  const auto signedMax = static_cast<std::int32_t>(mask >> 1);
  return {mask, signedMax, ~signedMax, mask, n - 1};
}

// The format a word is read and written in: word length and signedness.
struct WordFormat {
  averlin::DataWordLength DataWordLength = averlin::DataWordLength::Bits32;
  averlin::SignedMode SignedMode = averlin::SignedMode::Unsigned;
};

// Shifts that stay defined for any count: 32 or more shifts everything out.
constexpr Word ShiftLeft(Word w, int count) { return count <= 0 ? w : count >= 32 ? 0 : w << count; }
constexpr Word ShiftRight(Word w, int count) { return count <= 0 ? w : count >= 32 ? 0 : w >> count; }

}  // namespace averlin
