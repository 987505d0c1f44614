#pragma once
// What a text typed into a register field asks the model to store.

#include <optional>
#include <string_view>

#include "register_model.h"

namespace averlin {

enum class RegisterField { Hex, Dec, Net };

// The value that the field's text denotes, before masking, when it differs
// from the register's current value; nothing when the text is refused or
// denotes the current value. Decimal texts outside the word limits are
// refused; hexadecimal and dotted-quad texts are cut to the word by the
// store.
std::optional<Word> FieldEntry(RegisterField field, std::string_view text, Word current,
                               const RegisterModel& model);

}  // namespace averlin
