#pragma once
// The byte conversion tool: amounts between Byte and TByte on base 1024.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace averlin {

struct ConvType {
  std::string_view Name;
  long double Factor;  // bytes in one unit; x86-64 long double is 80-bit extended
};

inline constexpr std::array<ConvType, 5> ConvUnits{{
    {"Byte", 1.0L},
    {"kByte", 1024.0L},
    {"MByte", 1048576.0L},
    {"GByte", 1073741824.0L},
    {"TByte", 1099511627776.0L},
}};

// Converts the amount text from the source unit to the target unit (indices
// into ConvUnits). Returns the new output text, or nothing when the output
// must keep its current text (empty or unacceptable input).
std::optional<std::string> ConvertAmount(std::string_view input, int sourceIndex, int targetIndex,
                                         char decimalSeparator);

// Writes an amount with the pattern "0.00", or in the general form with an
// exponent from 10^18 on.
std::string FormatAmount(long double amount, char decimalSeparator);

}  // namespace averlin
