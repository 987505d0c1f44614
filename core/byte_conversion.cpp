#include "byte_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstddef>
#include <system_error>

#include "long_double_text.h"
#include "number_text.h"

namespace averlin {

namespace {

constexpr std::string_view OutOfRangeText = "Out of range";

// Amounts from this power of ten on are written with an exponent.
constexpr int GeneralFormExponent = 18;
// Significant digits kept for the "0.00" pattern and for the general form.
constexpr int FixedDigits = 18;
constexpr int GeneralDigits = 15;

// A finite, non-negative amount rounded to a number of significant digits:
// the amount is digits[0].digits[1]digits[2]... times 10^exponent.
struct Scientific {
  std::string digits;
  int exponent = 0;
};

// The mantissa is read by skipping whatever stands between the digits, so
// the result holds whatever the decimal point comes out as.
std::optional<Scientific> ToScientific(long double amount, int significantDigits) {
  const std::optional<std::string> text = ScientificText(amount, significantDigits - 1);
  if (!text) return std::nullopt;

  Scientific result;
  const char* p = text->data();
  const char* const end = p + text->size();
  for (; p != end && *p != 'e'; ++p) {
    if (*p >= '0' && *p <= '9') result.digits.push_back(*p);
  }
  if (p == end || result.digits.empty()) return std::nullopt;
  ++p;  // 'e'
  bool negative = false;
  if (p != end && (*p == '+' || *p == '-')) {
    negative = *p == '-';
    ++p;
  }
  int exponent = 0;
  const auto parsed = std::from_chars(p, end, exponent);
  if (parsed.ec != std::errc{} || parsed.ptr != end) return std::nullopt;
  result.exponent = negative ? -exponent : exponent;
  return result;
}

// "0.00": the rounded digits kept down to the second decimal place, the next
// digit rounding half away from zero.
std::string FormatFixed(const Scientific& amount, char decimalSeparator) {
  const int exponent = amount.exponent;
  const int digitCount = static_cast<int>(amount.digits.size());
  // Digit standing at the place of 10^place; 0 beyond the rounded digits.
  const auto digitAt = [&](int place) {
    const int index = exponent - place;
    return index >= 0 && index < digitCount ? amount.digits[static_cast<std::size_t>(index)] : '0';
  };

  // The amount in hundredths, most significant digit first.
  std::string hundredths;
  for (int place = std::max(exponent, 0); place >= -2; --place) hundredths.push_back(digitAt(place));

  if (digitAt(-3) >= '5') {
    std::size_t i = hundredths.size();
    while (i > 0 && hundredths[i - 1] == '9') hundredths[--i] = '0';
    if (i == 0) {
      hundredths.insert(hundredths.begin(), '1');
    } else {
      ++hundredths[i - 1];
    }
  }

  std::size_t leadingZeros = 0;
  while (hundredths.size() - leadingZeros > 3 && hundredths[leadingZeros] == '0') ++leadingZeros;

  const std::string_view kept = std::string_view(hundredths).substr(leadingZeros);
  std::string text(kept.substr(0, kept.size() - 2));
  text.push_back(decimalSeparator);
  text.append(kept.substr(kept.size() - 2));
  return text;
}

// The general form: 15 significant digits without trailing zeros, "E" and
// the decimal exponent.
std::string FormatGeneral(long double amount, char decimalSeparator) {
  const std::optional<Scientific> rounded = ToScientific(amount, GeneralDigits);
  if (!rounded) return std::string(OutOfRangeText);

  std::string_view digits = rounded->digits;
  while (digits.size() > 1 && digits.back() == '0') digits.remove_suffix(1);

  std::string text(1, digits.front());
  if (digits.size() > 1) {
    text.push_back(decimalSeparator);
    text.append(digits.substr(1));
  }
  text.push_back('E');
  char exponent[16];
  const auto written = std::to_chars(exponent, exponent + sizeof exponent, rounded->exponent);
  text.append(exponent, written.ptr);
  return text;
}

enum class ReadOutcome { Value, TooLarge, Unreadable };

struct Reading {
  ReadOutcome Outcome = ReadOutcome::Unreadable;
  long double Amount = 0.0L;
};

// Reads text that IsDecimalNumberText accepted; "." is always the decimal
// point.
Reading ReadAmount(std::string_view text) {
  if (text.find_first_of("0123456789") == std::string_view::npos) {
    return {ReadOutcome::Value, 0.0L};  // the lone "."
  }

  long double amount = 0.0L;
  const std::errc ec = ReadFixed(text, amount);
  if (ec == std::errc::result_out_of_range) {
    // Either too large or too small for long double. Anything with a
    // nonzero integer part is at least 1, so it cannot have underflowed.
    const std::string_view integerPart = text.substr(0, text.find('.'));
    if (integerPart.find_first_not_of('0') != std::string_view::npos) return {ReadOutcome::TooLarge, 0.0L};
    return {ReadOutcome::Value, 0.0L};
  }
  if (ec != std::errc{}) return {};
  return {ReadOutcome::Value, amount};
}

bool IsUnitIndex(int index) { return index >= 0 && static_cast<std::size_t>(index) < ConvUnits.size(); }

}  // namespace

std::optional<std::string> ConvertAmount(std::string_view input, int sourceIndex, int targetIndex,
                                         char decimalSeparator) {
  if (input.empty() || !IsUnitIndex(sourceIndex) || !IsUnitIndex(targetIndex)) return std::nullopt;
  if (!IsDecimalNumberText(input)) return std::nullopt;

  const Reading reading = ReadAmount(input);
  switch (reading.Outcome) {
    case ReadOutcome::Unreadable: return std::nullopt;
    case ReadOutcome::TooLarge: return std::string(OutOfRangeText);
    case ReadOutcome::Value: break;
  }

  const long double bytes = reading.Amount * ConvUnits[static_cast<std::size_t>(sourceIndex)].Factor;
  const long double result = bytes / ConvUnits[static_cast<std::size_t>(targetIndex)].Factor;
  return FormatAmount(result, decimalSeparator);
}

std::string FormatAmount(long double amount, char decimalSeparator) {
  if (!std::isfinite(amount)) return std::string(OutOfRangeText);
  if (amount == 0.0L) amount = 0.0L;  // no "-0.00"

  // The text is written front to back, the sign before the digits. Putting
  // the sign in front of finished digits moves them within the string, a
  // copy that GCC 12 at -O3 cannot prove free of overlap (-Wrestrict).
  std::string text;
  if (std::signbit(amount)) {
    text.push_back('-');
    amount = -amount;
  }
  const std::optional<Scientific> rounded = ToScientific(amount, FixedDigits);
  if (!rounded) return std::string(OutOfRangeText);
  text += rounded->exponent >= GeneralFormExponent ? FormatGeneral(amount, decimalSeparator)
                                                   : FormatFixed(*rounded, decimalSeparator);
  return text;
}

}  // namespace averlin
