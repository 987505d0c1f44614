#pragma once
// The edge between the window's text and the core's. Qt holds text as
// UTF-16; the core reads and writes plain ASCII, one byte a character. Every
// crossing of a field's or a list's text goes through here, and so does the
// one choice of the user's region that the core needs: its decimal
// separator. (An error's message reaches the error report as what() gives
// it, UTF-8: ErrorReport.cpp.)

#include <QString>
#include <concepts>
#include <stdexcept>
#include <string>
#include <string_view>

#include "word.h"

namespace averlin {

// A field's text as the core reads it: one byte a character, anything
// beyond ASCII turned into a byte that every routine of the core refuses.
std::string CoreText(const QString& fieldText);

// The core's text (ASCII: numbers, unit names) as a field shows it.
QString FieldText(std::string_view coreText);

// The decimal separator of the user's region, where it is one ASCII
// character; else ".".
char RegionalDecimalSeparator();

// The word length and signedness lists hold their choices in the order of
// the enumerators, so that an item's index is its choice's value. This pair
// is the one translation between the two; an index that is no item of the
// list is refused.
template <class Choice>
concept ListChoice = std::same_as<Choice, DataWordLength> || std::same_as<Choice, SignedMode>;

template <ListChoice Choice>
constexpr int ItemIndex(Choice choice) {
  return static_cast<int>(choice);
}

template <ListChoice Choice>
Choice ChoiceAt(int itemIndex) {
  int last = ItemIndex(SignedMode::Signed);
  if constexpr (std::same_as<Choice, DataWordLength>) last = ItemIndex(DataWordLength::Bits32);
  if (itemIndex < 0 || itemIndex > last) throw std::out_of_range("no list item " + std::to_string(itemIndex));
  return static_cast<Choice>(itemIndex);
}

}  // namespace averlin
