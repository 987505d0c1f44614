#pragma once
// Decimal text of a long double at its full precision (on x86-64 the 80-bit
// extended format, 64 significant bits), independent of the C locale.

#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace averlin {

// The value in the form d.ddd…e±x with precision digits after the point,
// rounded to nearest; nothing when it cannot be written, or is not finite.
std::optional<std::string> ScientificText(long double value, int precision);

// Reads plain decimal text (at least one digit, and at most one ".") in full. Returns
// std::errc::result_out_of_range when the amount is too large or too small
// for long double, and std::errc::invalid_argument when the text is not all
// such a number.
std::errc ReadFixed(std::string_view text, long double& value);

}  // namespace averlin
