#include "number_text.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <optional>

namespace averlin {
namespace {

constexpr bool IsDigit(char c) { return c >= '0' && c <= '9'; }

constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Index of the first character after the leading zeros that follow the
// start position; the last character is never skipped, so "000" keeps "0".
std::size_t SkipLeadingZeros(std::string_view text, std::size_t start) {
  while (start + 1 < text.size() && text[start] == '0') ++start;
  return start;
}

// Reads a run of decimal digits; nothing when it exceeds the bound.
std::optional<std::uint64_t> ReadDigits(std::string_view digits, std::uint64_t bound) {
  std::uint64_t n = 0;
  for (char c : digits) {
    n = n * 10 + static_cast<std::uint64_t>(c - '0');
    if (n > bound) return std::nullopt;  // n stays within 32 bits, so n * 10 + 9 cannot overflow
  }
  return n;
}

std::string DecimalText(std::uint64_t magnitude, bool negative) {
  char buf[24];
  char* p = buf;
  if (negative) *p++ = '-';
  p = std::to_chars(p, buf + sizeof buf, magnitude).ptr;
  return {buf, p};
}

}  // namespace

bool IsSignedDecText(std::string_view text) {
  if (text.empty() || text == "-") return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (IsDigit(c)) continue;
    if (c == '-' && i == 0) continue;
    return false;
  }
  return true;
}

bool IsDecimalNumberText(std::string_view text) {
  if (text.empty()) return false;
  int dots = 0;
  for (char c : text) {
    if (c == '.') {
      if (++dots > 1) return false;
    } else if (!IsDigit(c)) {
      return false;
    }
  }
  return true;
}

bool IsHexText(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return HexDigitValue(c) >= 0; });
}

Word ParseUnsignedDec(std::string_view text, Word previous, const WordLimits& limits) {
  if (!IsSignedDecText(text)) return previous;
  const bool minus = text[0] == '-';
  const std::size_t start = SkipLeadingZeros(text, minus ? 1 : 0);
  // An unsigned decimal never carries a sign, not even "-0".
  if (minus) return previous;
  const std::string_view digits = text.substr(start);
  if (digits.size() > DecimalText(limits.UnsignedMax, false).size()) return previous;
  const auto n = ReadDigits(digits, 0xFFFFFFFFu);
  return n ? static_cast<Word>(*n) : previous;
}

Word ParseSignedDec(std::string_view text, Word previous, const WordLimits& limits) {
  if (!IsSignedDecText(text)) return previous;
  const bool minus = text[0] == '-';
  const std::size_t start = SkipLeadingZeros(text, minus ? 1 : 0);
  // The limit text is that of SignedMin, sign included; a positive text is
  // measured without a sign, so it may have one digit more.
  const std::size_t limitLength =
      DecimalText(static_cast<std::uint64_t>(-static_cast<std::int64_t>(limits.SignedMin)), true).size();
  const std::size_t strippedLength = text.size() - start + (minus ? 1 : 0);
  if (strippedLength > limitLength) return previous;
  const auto magnitude = ReadDigits(text.substr(start), minus ? 0x80000000u : 0x7FFFFFFFu);
  if (!magnitude) return previous;
  // Two's complement of the magnitude gives the negative pattern; -0 is 0.
  const auto w = static_cast<Word>(*magnitude);
  return minus ? static_cast<Word>(0u - w) : w;
}

Word ParseHex(std::string_view text, Word previous) {
  if (text.empty() || text.size() > 8) return previous;
  Word w = 0;
  for (char c : text) {
    const int digit = HexDigitValue(c);
    if (digit < 0) return previous;
    w = (w << 4) | static_cast<Word>(digit);
  }
  return w;
}

Word ParseDottedQuad(std::string_view text, Word previous) {
  if (text.size() < 7 || text.size() > 15) return previous;
  Word w = 0;
  int octets = 0;
  std::size_t begin = 0;
  for (std::size_t i = 0; i <= text.size(); ++i) {
    if (i < text.size() && IsDigit(text[i])) continue;
    if (i < text.size() && text[i] != '.') return previous;
    // End of an octet: at a dot or at the end of the text.
    const std::size_t length = i - begin;
    if (length == 0 || length > 3 || ++octets > 4) return previous;
    const auto octet = ReadDigits(text.substr(begin, length), 255);
    if (!octet) return previous;
    w = (w << 8) | static_cast<Word>(*octet);
    begin = i + 1;
  }
  return octets == 4 ? w : previous;
}

std::string FormatHex(Word value) {
  char buf[8];
  auto* const end = std::to_chars(buf, buf + sizeof buf, value, 16).ptr;
  std::transform(buf, end, buf, [](char c) { return c >= 'a' ? static_cast<char>(c - 'a' + 'A') : c; });
  return {buf, end};
}

std::string FormatDec(Word value, const WordFormat& format) {
  const int n = BitsOf(format.DataWordLength);
  const Word mask = LimitsFor(format.DataWordLength).WordMask;
  const Word w = value & mask;
  if (format.SignedMode == SignedMode::Unsigned) return DecimalText(w, false);
  const Word signBit = Word{1} << (n - 1);
  if ((w & signBit) == 0) return DecimalText(w, false);
  // Negative: the magnitude is the two's complement within n bits.
  return DecimalText((0u - w) & mask, true);
}

std::string FormatNet(Word value) {
  std::string text;
  text.reserve(15);
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += '.';
    text += DecimalText((value >> shift) & 0xFF, false);
  }
  return text;
}

}  // namespace averlin
