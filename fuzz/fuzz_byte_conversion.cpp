// The byte conversion tool, ConvertAmount, between every pair of units and
// with any decimal separator.
//
// Input: the amount text, followed by the two unit indices and the
// separator (taken from the end).

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "byte_conversion.h"
#include "fuzz_support.h"

using namespace averlin;

namespace {

bool IsAmountText(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789.") == std::string_view::npos &&
         text.find('.') == text.rfind('.');
}

// "0.00": digits without leading zeros, the separator and two decimals.
bool IsFixedForm(std::string_view text, char separator) {
  if (text.size() < 4 || text[text.size() - 3] != separator) return false;
  const std::string_view integer = text.substr(0, text.size() - 3);
  return fuzz::IsDigits(integer) && (integer == "0" || integer.front() != '0') &&
         fuzz::IsDigits(text.substr(text.size() - 2));
}

// The general form: d[.ddd]E<exponent>, no trailing zero in the mantissa
// and an exponent of 18 or more.
bool IsGeneralForm(std::string_view text, char separator) {
  const std::size_t e = text.find('E');
  if (e == std::string_view::npos || e == 0 || text[0] < '1' || text[0] > '9') return false;
  const std::string_view exponent = text.substr(e + 1);
  if (!fuzz::IsDigits(exponent) || exponent.front() == '0' || *fuzz::DecimalValue(exponent) < 18)
    return false;
  if (e == 1) return true;
  const std::string_view fraction = text.substr(2, e - 2);
  return text[1] == separator && fuzz::IsDigits(fraction) && fraction.back() != '0';
}

// The amount an output text shows, read back with "." as the point.
long double Shown(std::string text, char separator) {
  for (char& c : text)
    if (c == separator) c = '.';
  return std::strtold(text.c_str(), nullptr);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const int source = input.ConsumeIntegralInRange(-1, static_cast<int>(ConvUnits.size()));
  const int target = input.ConsumeIntegralInRange(-1, static_cast<int>(ConvUnits.size()));
  // Any punctuation or blank may be the regional separator; letters and
  // digits never are.
  char separator = input.ConsumeIntegralInRange<char>(' ', '~');
  if (std::isalnum(static_cast<unsigned char>(separator))) separator = ',';
  const std::string text = input.ConsumeRemainingBytesAsString();

  // Never throws: an exception escaping here is a finding.
  const std::optional<std::string> output = ConvertAmount(text, source, target, separator);
  const auto isUnit = [](int index) { return index >= 0 && index < static_cast<int>(ConvUnits.size()); };
  if (!isUnit(source) || !isUnit(target) || !IsAmountText(text)) {
    FUZZ_CHECK(!output);
    return 0;
  }
  FUZZ_CHECK(output.has_value());

  // The text read in the C locale, which the fuzzer runs in.
  const long double amount = std::strtold(text.c_str(), nullptr) *
                             ConvUnits[static_cast<std::size_t>(source)].Factor /
                             ConvUnits[static_cast<std::size_t>(target)].Factor;
  if (*output == "Out of range") {
    FUZZ_CHECK(!std::isfinite(amount));
    return 0;
  }
  FUZZ_CHECK(std::isfinite(amount));
  if (IsFixedForm(*output, separator)) {
    // Eighteen significant digits rounded to hundredths.
    FUZZ_CHECK(amount < 1e18L);
    FUZZ_CHECK(std::fabs(Shown(*output, separator) - amount) <= 0.0050001L + amount * 2e-17L);
  } else {
    // Fifteen significant digits.
    FUZZ_CHECK(IsGeneralForm(*output, separator));
    FUZZ_CHECK(std::fabs(Shown(*output, separator) - amount) <= amount * 1e-14L);
  }
  return 0;
}
