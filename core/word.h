#pragma once
// Register words, word lengths and the limits that follow from them.

#include <cstdint>

namespace averlin {

// A register word: a 32-bit pattern. All arithmetic on it is unsigned.
using Word = std::uint32_t;

enum class Register { A1 = 0, A2 = 1, R = 2 };

// Item indices of the word length list: 0 = 8 bits, 1 = 16 bits, 2 = 32 bits.
inline constexpr int WordLength8 = 0;
inline constexpr int WordLength16 = 1;
inline constexpr int WordLength32 = 2;

// Item indices of the signedness list.
inline constexpr int Unsigned = 0;
inline constexpr int Signed = 1;

// Number of bits of a word length index (8, 16 or 32); out-of-range indices
// are read as 32 bits.
constexpr int BitsOf(int dataWordLength) {
  switch (dataWordLength) {
    case WordLength8: return 8;
    case WordLength16: return 16;
    default: return 32;
  }
}

struct WordLimits {
  Word WordMask;
  std::int32_t SignedMax;
  std::int32_t SignedMin;  // always ~SignedMax
  Word UnsignedMax;
  Word UnsignedMin;
  int ShiftCountMax;  // maximum of the shift-count spinner: n - 1
};

constexpr WordLimits LimitsFor(int dataWordLength) {
  const int n = BitsOf(dataWordLength);
  const Word mask = n == 32 ? 0xFFFFFFFFu : (Word{1} << n) - 1;
  const auto signedMax = static_cast<std::int32_t>(mask >> 1);
  return {mask, signedMax, ~signedMax, mask, 0, n - 1};
}

// The format a word is read and written in: word length and signedness.
struct WordFormat {
  int DataWordLength = WordLength32;
  int SignedMode = Unsigned;
};

// Shifts that stay defined for any count: 32 or more shifts everything out.
constexpr Word ShiftLeft(Word w, int count) { return count <= 0 ? w : count >= 32 ? 0 : w << count; }
constexpr Word ShiftRight(Word w, int count) { return count <= 0 ? w : count >= 32 ? 0 : w >> count; }

}  // namespace averlin
