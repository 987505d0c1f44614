#pragma once
// What the fuzz targets share: a check that survives NDEBUG, and readings
// of number texts done independently of the core, to test it against.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

// Aborts with the failed condition, which libFuzzer reports as a finding
// together with the input that caused it.
#define FUZZ_CHECK(condition)                                                            \
  do {                                                                                   \
    if (!(condition)) {                                                                  \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                                      \
    }                                                                                    \
  } while (false)

namespace fuzz {

constexpr std::string_view kDigits = "0123456789";

inline bool IsDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of(kDigits) == std::string_view::npos;
}

// An optional "-" and at least one digit, nothing else.
inline bool IsSignedDecimal(std::string_view text) {
  return IsDigits(text.substr(!text.empty() && text.front() == '-' ? 1 : 0));
}

// The integer a signed decimal text denotes; nothing when its magnitude has
// more than 18 significant digits, which is far beyond any 32-bit range.
inline std::optional<std::int64_t> DecimalValue(std::string_view text) {
  const bool negative = text.front() == '-';
  std::string_view digits = text.substr(negative ? 1 : 0);
  const std::size_t significant = digits.find_first_not_of('0');
  digits.remove_prefix(significant == std::string_view::npos ? digits.size() : significant);
  if (digits.size() > 18) return std::nullopt;
  std::int64_t magnitude = 0;
  for (char c : digits) magnitude = magnitude * 10 + (c - '0');
  return negative ? -magnitude : magnitude;
}

}  // namespace fuzz
