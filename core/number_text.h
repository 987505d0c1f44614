#pragma once
// The three number texts of the register fields (hexadecimal, decimal and
// dotted quad): validators, parsers and formatters.
//
// A parser is handed the register's current value and returns it unchanged
// when it cannot read the text, so the caller sees "nothing to do".
// Every routine is linear in the length of the text.

#include <string>
#include <string_view>

#include "word.h"

namespace averlin {

// Digits with at most one "-", which must stand first and not alone.
bool IsSignedDecText(std::string_view text);
// Digits with at most one "."; the lone "." is accepted.
bool IsDecimalNumberText(std::string_view text);
// One or more hexadecimal digits in either case, no prefix or suffix.
bool IsHexText(std::string_view text);

// A text that IsSignedDecText refuses gives the previous value. The limit
// texts come from the limits of the current word length; the caller still
// tests the result against those limits.
Word ParseUnsignedDec(std::string_view text, Word previous, const WordLimits& limits);
Word ParseSignedDec(std::string_view text, Word previous, const WordLimits& limits);
// Up to eight hexadecimal digits; any other text gives the previous value.
Word ParseHex(std::string_view text, Word previous);
// Checks its text itself: four octets 0..255 joined by ".".
Word ParseDottedQuad(std::string_view text, Word previous);

// Upper-case hexadecimal without prefix or leading zeros.
std::string FormatHex(Word value);
// Decimal under the word length and signedness of the format.
std::string FormatDec(Word value, const WordFormat& format);
// Four octets, most significant first.
std::string FormatNet(Word value);

}  // namespace averlin
