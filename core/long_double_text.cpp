#include "long_double_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace averlin {

namespace {

// Whether std::to_chars and std::from_chars keep every bit of a long double.
// libstdc++ does on glibc; mingw-w64's converts it through double, which
// loses 11 bits of the 80-bit format and the range above 1.8E308. There
// the C library's conversions stand in: mingw-w64's own printf and strtold,
// which its g++ uses for the 80-bit format, are exact and round to nearest
// as well. Asked once, of the library itself: the value just above 1 comes
// back from its shortest text only where no bit is lost on the way.
bool CharconvKeepsLongDouble() {
  static const bool keeps = [] {
    const long double probe = 1.0L + std::numeric_limits<long double>::epsilon();
    char buffer[64];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, probe);
    long double back = 0;
    const auto read = std::from_chars(buffer, written.ptr, back);
    return written.ec == std::errc{} && read.ec == std::errc{} && back == probe;
  }();
  return keeps;
}

}  // namespace

std::optional<std::string> ScientificText(long double value, int precision) {
  if (!std::isfinite(value)) return std::nullopt;
  char buffer[64];
  if (CharconvKeepsLongDouble()) {
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision);
    if (ec != std::errc{}) return std::nullopt;
    return std::string(buffer, end);
  }
  const int length = std::snprintf(buffer, sizeof buffer, "%.*Le", precision, value);
  if (length < 0 || static_cast<std::size_t>(length) >= sizeof buffer) return std::nullopt;
  return std::string(buffer, static_cast<std::size_t>(length));
}

std::errc ReadFixed(std::string_view text, long double& value) {
  // Checked here, so that no library reads a sign or "inf" into it.
  const std::size_t point = text.find('.');
  if (text.find_first_of("0123456789") == std::string_view::npos ||
      text.find_first_not_of("0123456789.") != std::string_view::npos ||
      (point != std::string_view::npos && text.find('.', point + 1) != std::string_view::npos))
    return std::errc::invalid_argument;
  if (CharconvKeepsLongDouble()) {
    const char* const end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec == std::errc{} && ptr != end) return std::errc::invalid_argument;
    return ec;
  }
  // strtold's arithmetic grows with the square of the digits it is given:
  // a megabyte of them would take half a minute. Leading and trailing
  // zeros add nothing, and an amount with more integer digits than
  // long double's largest, or with its first digit further behind the
  // point than half its smallest, is out of range. Past the digits that a
  // point halfway between two long doubles can have, a digit only rounds,
  // and any one that is not zero rounds the same as all of them.
  constexpr std::size_t kMaxIntegerDigits = 4933;  // 1.19E4932
  constexpr std::size_t kMaxLeadingZeros = 4952;   // 3.6E-4951
  constexpr std::size_t kMaxExactDigits = 12000;   // 2^-16445 has 11,504
  std::string_view integer = text.substr(0, point);
  std::string_view fraction = point == std::string_view::npos ? std::string_view() : text.substr(point + 1);
  integer.remove_prefix(std::min(integer.find_first_not_of('0'), integer.size()));
  fraction.remove_suffix(fraction.size() - (fraction.find_last_not_of('0') + 1));
  const std::size_t leadingZeros =
      integer.empty() ? std::min(fraction.find_first_not_of('0'), fraction.size()) : 0;
  if (integer.size() > kMaxIntegerDigits || (integer.empty() && leadingZeros > kMaxLeadingZeros))
    return std::errc::result_out_of_range;
  std::string copy(integer.empty() ? "0" : integer);
  // strtold reads the decimal point of the C library's locale.
  copy += *std::localeconv()->decimal_point;
  const std::size_t kept = leadingZeros + kMaxExactDigits - integer.size();
  copy += fraction.substr(0, kept);
  if (fraction.size() > kept) copy += '1';
  char* end = nullptr;
  errno = 0;
  const long double read = std::strtold(copy.c_str(), &end);
  if (end != copy.c_str() + copy.size()) return std::errc::invalid_argument;
  if (errno == ERANGE) return std::errc::result_out_of_range;
  value = read;
  return std::errc{};
}

}  // namespace averlin
