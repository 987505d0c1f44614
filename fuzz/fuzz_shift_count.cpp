// The text rule of the shift-count field, ReadShiftCountText, under the
// spinner maximum of every word length.
//
// Input: the field's text, followed by the word length (taken from the end).

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "errors.h"
#include "fuzz_support.h"
#include "operations.h"
#include "word.h"

using namespace averlin;

namespace {

// What the error report quotes of a text: the text, or its start when long.
std::string Quoted(std::string_view text) {
  return text.size() <= 64 ? std::string(text) : std::string(text.substr(0, 61)) + "...";
}

// Plain decimal: an optional "-" and digits without leading zeros; never "-0".
bool IsPlainDecimal(std::string_view text) {
  if (text == "0") return true;
  const std::string_view digits = text.substr(!text.empty() && text.front() == '-' ? 1 : 0);
  return fuzz::IsDigits(digits) && digits.front() != '0';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  const DataWordLength length =
      input.PickValueInArray({DataWordLength::Bits8, DataWordLength::Bits16, DataWordLength::Bits32});
  const int spinnerMax = LimitsFor(length).ShiftCountMax;
  const std::string text = input.ConsumeRemainingBytesAsString();

  const bool accepted = fuzz::IsSignedDecimal(text);
  const std::optional<std::int64_t> n = accepted ? fuzz::DecimalValue(text) : std::nullopt;
  const bool inRange = n && *n >= INT32_MIN && *n <= INT32_MAX;

  std::optional<ShiftCountEntry> entry;
  try {
    entry = ReadShiftCountText(text, spinnerMax);
  } catch (const CalculatorError& e) {
    // Only a number beyond the signed 32-bit range is an error.
    FUZZ_CHECK(accepted && !inRange);
    FUZZ_CHECK(std::string(e.what()) == "'" + Quoted(text) + "' is not a valid integer value");
    return 0;
  }
  FUZZ_CHECK(entry.has_value() == accepted);
  if (!entry) return 0;
  FUZZ_CHECK(inRange);
  // Clamped at the top only.
  FUZZ_CHECK(entry->Position == (*n > spinnerMax ? spinnerMax : *n));
  FUZZ_CHECK(entry->Position <= spinnerMax);
  FUZZ_CHECK(IsPlainDecimal(entry->Text));
  FUZZ_CHECK(fuzz::DecimalValue(entry->Text) == entry->Position);
  return 0;
}
