#include "register_entry.h"

#include <gtest/gtest.h>

#include <ostream>

namespace averlin {
namespace {

using enum DataWordLength;
using enum SignedMode;

// One field entry, with the value it must ask to store written out by hand
// from the field rules, not computed by the routines under test.
struct Entry {
  RegisterField field;
  DataWordLength wordLength;
  SignedMode signedMode;
  const char* text;
  Word current;
  std::optional<Word> stored;
};

std::ostream& operator<<(std::ostream& out, const Entry& e) {
  static const char* const fields[] = {"hex", "dec", "net"};
  return out << fields[static_cast<int>(e.field)] << " " << BitsOf(e.wordLength)
             << (e.signedMode == Signed ? " signed" : " unsigned") << " \"" << e.text << "\" from "
             << e.current;
}

class FieldEntryTest : public testing::TestWithParam<Entry> {};

TEST_P(FieldEntryTest, AsksToStoreWhatTheTextDenotes) {
  const Entry& e = GetParam();
  RegisterModel model;
  model.SetDataWordLength(e.wordLength);
  model.SetSignedMode(e.signedMode);
  model.SetWordLimits();
  EXPECT_EQ(FieldEntry(e.field, e.text, e.current, model), e.stored);
}

constexpr auto kHex = RegisterField::Hex;
constexpr auto kDec = RegisterField::Dec;
constexpr auto kNet = RegisterField::Net;

// clang-format off
INSTANTIATE_TEST_SUITE_P(Cases, FieldEntryTest, testing::Values(
    // Hexadecimal: one to eight digits, either case, masked later by the store.
    Entry{kHex, Bits32, Unsigned, "ff", 0, 0xFFu},
    Entry{kHex, Bits8, Unsigned, "1FF", 0, 0x1FFu},
    Entry{kHex, Bits32, Signed, "FFFFFFFF", 0, 0xFFFFFFFFu},
    Entry{kHex, Bits32, Unsigned, "00FF", 0xFF, std::nullopt},   // the value it has
    Entry{kHex, Bits32, Unsigned, "000000001", 7, std::nullopt}, // nine characters
    Entry{kHex, Bits32, Unsigned, "", 7, std::nullopt},
    Entry{kHex, Bits32, Unsigned, "0x1F", 7, std::nullopt},
    // Decimal, unsigned: no sign, at most UnsignedMax.
    Entry{kDec, Bits32, Unsigned, "4294967295", 0, 0xFFFFFFFFu},
    Entry{kDec, Bits32, Unsigned, "4294967296", 5, std::nullopt},
    Entry{kDec, Bits8, Unsigned, "255", 0, 255u},
    Entry{kDec, Bits8, Unsigned, "256", 3, std::nullopt},
    Entry{kDec, Bits8, Unsigned, "000255", 0, 255u},               // leading zeros are skipped
    Entry{kDec, Bits16, Unsigned, "-0", 5, std::nullopt},
    Entry{kDec, Bits16, Unsigned, "-", 5, std::nullopt},
    // Decimal, signed: SignedMin to SignedMax, stored as the 32-bit pattern.
    Entry{kDec, Bits8, Signed, "-128", 0, 0xFFFFFF80u},
    Entry{kDec, Bits8, Signed, "127", 0, 127u},
    Entry{kDec, Bits8, Signed, "128", 1, std::nullopt},
    Entry{kDec, Bits8, Signed, "-129", 1, std::nullopt},
    Entry{kDec, Bits8, Signed, "-0", 9, 0u},
    Entry{kDec, Bits32, Signed, "-2147483648", 0, 0x80000000u},
    Entry{kDec, Bits32, Signed, "2147483648", 4, std::nullopt},
    Entry{kDec, Bits32, Signed, "1-2", 4, std::nullopt},
    // Dotted quad: four octets 0..255, the first the most significant byte.
    Entry{kNet, Bits32, Unsigned, "192.168.0.1", 0, 0xC0A80001u},
    Entry{kNet, Bits8, Unsigned, "010.0.0.001", 0, 0x0A000001u},
    Entry{kNet, Bits32, Unsigned, "0.0.0.256", 6, std::nullopt},
    Entry{kNet, Bits32, Unsigned, "1.2.3", 6, std::nullopt},
    Entry{kNet, Bits32, Unsigned, "1..2.3.4", 6, std::nullopt},
    Entry{kNet, Bits32, Unsigned, "0.0.0.6", 6, std::nullopt}));
// clang-format on

}  // namespace
}  // namespace averlin
