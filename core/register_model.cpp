#include "register_model.h"

namespace averlin {

void RegisterModel::MaskRegisters() {
  for (Word& v : values_) v &= limits_.WordMask;
}

std::optional<BitBoxRange> BitBoxTransition(DataWordLength fromLength, DataWordLength toLength) {
  const int from = BitsOf(fromLength);
  const int to = BitsOf(toLength);
  if (from == to) return std::nullopt;
  // Growing enables the boxes between the two lengths; shrinking disables
  // them. Boxes above the larger length are disabled already and stay so.
  if (to > from) return BitBoxRange{from, to - 1, true};
  return BitBoxRange{to, from - 1, false};
}

WordLengthChange ChangeDataWordLength(RegisterModel& model, DataWordLength newLength, int shiftCount) {
  model.SetDataWordLength(newLength);
  model.SetWordLimits();
  WordLengthChange change{model.Limits().ShiftCountMax, std::nullopt};
  if (shiftCount > change.ShiftCountMax) change.ClampedShiftCount = change.ShiftCountMax;
  model.MaskRegisters();
  return change;
}

void ChangeSignedMode(RegisterModel& model, SignedMode newMode) {
  model.SetSignedMode(newMode);
  model.SetWordLimits();
}

}  // namespace averlin
