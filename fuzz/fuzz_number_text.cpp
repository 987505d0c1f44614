// The number texts of the register fields under every word length and
// signedness: validators, parsers, formatters and FieldEntry, each checked
// against a reading of the text made here.
//
// Input: the text, followed by the format, a value and a previous value
// (taken from the end of the input).

#include <fuzzer/FuzzedDataProvider.h>

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "number_text.h"
#include "register_entry.h"
#include "register_model.h"

using namespace averlin;

namespace {

bool IsHexDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string_view::npos;
}

// The value of a hexadecimal field's text: up to eight digits.
std::optional<Word> HexValue(std::string_view text) {
  if (!IsHexDigits(text) || text.size() > 8) return std::nullopt;
  Word value = 0;
  std::from_chars(text.data(), text.data() + text.size(), value, 16);
  return value;
}

// The value of a dotted-quad text: four octets of one to three digits, each
// at most 255, joined by three dots (which makes 7 to 15 characters).
std::optional<Word> DottedQuadValue(std::string_view text) {
  Word value = 0;
  for (int octet = 0; octet < 4; ++octet) {
    const std::size_t dot = octet < 3 ? text.find('.') : text.size();
    if (dot == std::string_view::npos) return std::nullopt;
    const std::string_view digits = text.substr(0, dot);
    if (!fuzz::IsDigits(digits) || digits.size() > 3) return std::nullopt;
    const auto n = *fuzz::DecimalValue(digits);
    if (n > 255) return std::nullopt;
    value = value << 8 | static_cast<Word>(n);
    text.remove_prefix(octet < 3 ? dot + 1 : dot);
  }
  return value;
}

bool WithinLimits(std::int64_t n, const WordFormat& format, const WordLimits& limits) {
  return format.SignedMode == SignedMode::Signed
             ? n >= limits.SignedMin && n <= limits.SignedMax
             : n >= 0 && n <= static_cast<std::int64_t>(limits.UnsignedMax);
}

// The register value a decimal field's text stands for under the format:
// its two's complement pattern when the number is within the limits. An
// unsigned text carries no sign, not even "-0".
std::optional<Word> DecimalFieldValue(std::string_view text, const WordFormat& format,
                                      const WordLimits& limits) {
  if (!fuzz::IsSignedDecimal(text)) return std::nullopt;
  if (format.SignedMode == SignedMode::Unsigned && text.front() == '-') return std::nullopt;
  const auto n = fuzz::DecimalValue(text);
  if (!n || !WithinLimits(*n, format, limits)) return std::nullopt;
  return static_cast<Word>(static_cast<std::uint64_t>(*n));
}

std::optional<Word> FieldValue(RegisterField field, std::string_view text, const RegisterModel& model) {
  switch (field) {
    case RegisterField::Hex: return HexValue(text);
    case RegisterField::Dec: return DecimalFieldValue(text, model.Format(), model.Limits());
    case RegisterField::Net: return DottedQuadValue(text);
  }
  return std::nullopt;
}

// FieldEntry asks to store what the text stands for, unless that is the
// current value or the text stands for nothing.
void CheckFieldEntry(std::string_view text, Word current, const RegisterModel& model) {
  for (RegisterField field : {RegisterField::Hex, RegisterField::Dec, RegisterField::Net}) {
    std::optional<Word> expected = FieldValue(field, text, model);
    if (expected == current) expected.reset();
    const std::optional<Word> entry = FieldEntry(field, text, current, model);
    FUZZ_CHECK(entry != current);
    FUZZ_CHECK(entry == expected);
  }
}

// Each parser returns the previous value for a text its validator refuses,
// and otherwise what the text stands for.
void CheckParsers(std::string_view text, Word previous, const WordFormat& format, const WordLimits& limits) {
  FUZZ_CHECK(IsHexText(text) == IsHexDigits(text));
  FUZZ_CHECK(IsSignedDecText(text) == fuzz::IsSignedDecimal(text));
  FUZZ_CHECK(ParseHex(text, previous) == HexValue(text).value_or(previous));
  FUZZ_CHECK(ParseDottedQuad(text, previous) == DottedQuadValue(text).value_or(previous));

  const Word unsignedRead = ParseUnsignedDec(text, previous, limits);
  const Word signedRead = ParseSignedDec(text, previous, limits);
  if (!fuzz::IsSignedDecimal(text)) {
    FUZZ_CHECK(unsignedRead == previous);
    FUZZ_CHECK(signedRead == previous);
    return;
  }
  // A decimal parser may return a number beyond the word's limits (the
  // caller refuses those), but never one that the text does not denote.
  const std::optional<std::int64_t> n = fuzz::DecimalValue(text);
  const auto pattern = [](std::int64_t v) { return static_cast<Word>(static_cast<std::uint64_t>(v)); };
  if (text.front() == '-') {
    FUZZ_CHECK(unsignedRead == previous);
  } else if (unsignedRead != previous) {
    FUZZ_CHECK(n && *n <= 0xFFFFFFFF && unsignedRead == pattern(*n));
  }
  if (signedRead != previous)
    FUZZ_CHECK(n && *n >= INT32_MIN && *n <= INT32_MAX && signedRead == pattern(*n));
  if (n && WithinLimits(*n, format, limits)) {
    const Word read = format.SignedMode == SignedMode::Signed ? signedRead : unsignedRead;
    if (format.SignedMode == SignedMode::Signed || text.front() != '-') FUZZ_CHECK(read == pattern(*n));
  }
}

// The three texts of a value are canonical, accepted by their validators
// and read back to the value.
void CheckFormatters(Word value, Word previous, const RegisterModel& model) {
  const WordLimits& limits = model.Limits();
  const Word w = value & limits.WordMask;

  const std::string hex = FormatHex(w);
  FUZZ_CHECK(IsHexText(hex));
  FUZZ_CHECK(hex == "0" || hex.front() != '0');
  FUZZ_CHECK(hex.find_first_of("abcdef") == std::string::npos);
  FUZZ_CHECK(ParseHex(hex, previous) == w);

  const std::string dec = FormatDec(w, model.Format());
  FUZZ_CHECK(IsSignedDecText(dec));
  const std::string_view magnitude = std::string_view(dec).substr(dec.front() == '-' ? 1 : 0);
  FUZZ_CHECK(magnitude == "0" ? dec == "0" : magnitude.front() != '0');
  const std::optional<Word> decValue = DecimalFieldValue(dec, model.Format(), limits);
  FUZZ_CHECK(decValue && (*decValue & limits.WordMask) == w);
  const Word parsed = model.SignedMode() == SignedMode::Signed ? ParseSignedDec(dec, previous, limits)
                                                               : ParseUnsignedDec(dec, previous, limits);
  FUZZ_CHECK(parsed == *decValue);

  const std::string net = FormatNet(w);
  FUZZ_CHECK(net.size() >= 7 && net.size() <= 15);
  FUZZ_CHECK(ParseDottedQuad(net, previous) == w);

  for (const std::string& text : {hex, dec, net}) CheckFieldEntry(text, previous & limits.WordMask, model);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  RegisterModel model;
  model.SetDataWordLength(
      input.PickValueInArray({DataWordLength::Bits8, DataWordLength::Bits16, DataWordLength::Bits32}));
  model.SetSignedMode(input.PickValueInArray({SignedMode::Unsigned, SignedMode::Signed}));
  model.SetWordLimits();
  const Word value = input.ConsumeIntegral<Word>();
  const Word previous = input.ConsumeIntegral<Word>();
  const std::string text = input.ConsumeRemainingBytesAsString();

  CheckFormatters(value, previous, model);
  CheckParsers(text, previous, model.Format(), model.Limits());
  // A register always holds a value within its word.
  CheckFieldEntry(text, previous & model.Limits().WordMask, model);
  return 0;
}
