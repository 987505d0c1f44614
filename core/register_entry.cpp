#include "register_entry.h"

#include <cstdint>

#include "number_text.h"

namespace averlin {
namespace {

Word DecimalCandidate(std::string_view text, Word current, const RegisterModel& model) {
  if (!IsSignedDecText(text)) return current;
  const WordLimits& limits = model.Limits();
  if (model.SignedMode() == SignedMode::Signed) {
    const Word candidate = ParseSignedDec(text, current, limits);
    const auto value = static_cast<std::int32_t>(candidate);
    return value > limits.SignedMax || value < limits.SignedMin ? current : candidate;
  }
  const Word candidate = ParseUnsignedDec(text, current, limits);
  return candidate > limits.UnsignedMax ? current : candidate;
}

}  // namespace

std::optional<Word> FieldEntry(RegisterField field, std::string_view text, Word current,
                               const RegisterModel& model) {
  Word candidate = current;
  switch (field) {
    case RegisterField::Dec: candidate = DecimalCandidate(text, current, model); break;
    case RegisterField::Hex: candidate = IsHexText(text) ? ParseHex(text, current) : current; break;
    case RegisterField::Net: candidate = ParseDottedQuad(text, current); break;
  }
  if (candidate == current) return std::nullopt;
  return candidate;
}

}  // namespace averlin
