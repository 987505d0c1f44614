#include "number_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace averlin {
namespace {

using enum DataWordLength;
using enum SignedMode;

constexpr Word kPrevious = 0xDEADBEEF;

WordLimits Limits(DataWordLength length) { return LimitsFor(length); }

TEST(Validators, SignedDecimalText) {
  for (const char* ok : {"0", "007", "-0", "-0128", "4294967295", "-5"})
    EXPECT_TRUE(IsSignedDecText(ok)) << ok;
  for (const char* bad : {"", "-", "1-", "--1", "+1", "1.0", " 1", "1 000", "1\xC3\xA9", "-1-"})
    EXPECT_FALSE(IsSignedDecText(bad)) << bad;
}

TEST(Validators, DecimalNumberText) {
  for (const char* ok : {"12", "1.5", ".5", "5.", "."}) EXPECT_TRUE(IsDecimalNumberText(ok)) << ok;
  for (const char* bad : {"", "1.2.3", "1,5", "-1", "1e3", " 1", "1 "})
    EXPECT_FALSE(IsDecimalNumberText(bad)) << bad;
}

TEST(Validators, HexText) {
  for (const char* ok : {"0", "ff", "FF", "00FF", "123456789", "aBcDeF"}) EXPECT_TRUE(IsHexText(ok)) << ok;
  for (const char* bad : {"", "0x1", "$FF", "FFh", "G", " 1", "-1"}) EXPECT_FALSE(IsHexText(bad)) << bad;
}

TEST(ParseUnsignedDec, StripsZerosThenMeasuresAgainstTheLimitText) {
  const WordLimits l8 = Limits(Bits8);
  EXPECT_EQ(ParseUnsignedDec("255", kPrevious, l8), 255u);
  EXPECT_EQ(ParseUnsignedDec("0255", kPrevious, l8), 255u);
  EXPECT_EQ(ParseUnsignedDec("000", kPrevious, l8), 0u);
  EXPECT_EQ(ParseUnsignedDec("256", kPrevious, l8), 256u);  // the caller refuses it
  EXPECT_EQ(ParseUnsignedDec("1000", kPrevious, l8), kPrevious);
  EXPECT_EQ(ParseUnsignedDec("65536", kPrevious, Limits(Bits16)), 65536u);
  EXPECT_EQ(ParseUnsignedDec("100000", kPrevious, Limits(Bits16)), kPrevious);
  for (DataWordLength length : {Bits8, Bits16, Bits32}) {
    EXPECT_EQ(ParseUnsignedDec("-0", kPrevious, Limits(length)), kPrevious);
    EXPECT_EQ(ParseUnsignedDec("-5", kPrevious, Limits(length)), kPrevious);
  }
  const WordLimits l32 = Limits(Bits32);
  EXPECT_EQ(ParseUnsignedDec("4294967295", kPrevious, l32), 0xFFFFFFFFu);
  for (const char* over : {"4294967296", "5000000000", "9999999999", "10000000000"})
    EXPECT_EQ(ParseUnsignedDec(over, kPrevious, l32), kPrevious) << over;
}

TEST(ParseSignedDec, LimitTextCountsTheSign) {
  const WordLimits l8 = Limits(Bits8);
  EXPECT_EQ(ParseSignedDec("-128", kPrevious, l8), 0xFFFFFF80u);
  EXPECT_EQ(ParseSignedDec("-0128", kPrevious, l8), 0xFFFFFF80u);
  EXPECT_EQ(ParseSignedDec("127", kPrevious, l8), 127u);
  EXPECT_EQ(ParseSignedDec("0127", kPrevious, l8), 127u);
  EXPECT_EQ(ParseSignedDec("-129", kPrevious, l8), static_cast<Word>(-129));
  EXPECT_EQ(ParseSignedDec("1000", kPrevious, l8), 1000u);
  EXPECT_EQ(ParseSignedDec("-1000", kPrevious, l8), kPrevious);
  EXPECT_EQ(ParseSignedDec("-0", kPrevious, l8), 0u);
  EXPECT_EQ(ParseSignedDec("-000", kPrevious, l8), 0u);
  const WordLimits l32 = Limits(Bits32);
  EXPECT_EQ(ParseSignedDec("-2147483648", kPrevious, l32), 0x80000000u);
  EXPECT_EQ(ParseSignedDec("2147483647", kPrevious, l32), 0x7FFFFFFFu);
  for (const char* over : {"2147483648", "-2147483649", "99999999999", "-99999999999"})
    EXPECT_EQ(ParseSignedDec(over, kPrevious, l32), kPrevious) << over;
}

TEST(DecimalParsers, TextsTheValidatorRefusesGiveThePreviousValue) {
  // The empty text once read as 0.
  for (DataWordLength length : {Bits8, Bits16, Bits32}) {
    for (const char* refused : {"", "-", "12a", "1-2", "--1", "+5", " 5", "1.0", "\x80"}) {
      EXPECT_EQ(ParseUnsignedDec(refused, kPrevious, Limits(length)), kPrevious) << '"' << refused << '"';
      EXPECT_EQ(ParseSignedDec(refused, kPrevious, Limits(length)), kPrevious) << '"' << refused << '"';
    }
  }
}

TEST(ParseHex, UpToEightDigitsLeadingZerosIncluded) {
  EXPECT_EQ(ParseHex("00FF", kPrevious), 255u);
  EXPECT_EQ(ParseHex("ff", kPrevious), 255u);
  EXPECT_EQ(ParseHex("1FF", kPrevious), 511u);
  EXPECT_EQ(ParseHex("FFFFFFFF", kPrevious), 0xFFFFFFFFu);
  EXPECT_EQ(ParseHex("80000000", kPrevious), 0x80000000u);
  EXPECT_EQ(ParseHex("123456789", kPrevious), kPrevious);
  EXPECT_EQ(ParseHex("000000001", kPrevious), kPrevious);
  EXPECT_EQ(ParseHex("", kPrevious), kPrevious);
}

TEST(ParseDottedQuad, FourOctetsMostSignificantFirst) {
  EXPECT_EQ(ParseDottedQuad("1.2.3.4", kPrevious), 0x01020304u);
  EXPECT_EQ(ParseDottedQuad("01.02.03.04", kPrevious), 0x01020304u);
  EXPECT_EQ(ParseDottedQuad("192.168.0.1", kPrevious), 0xC0A80001u);
  EXPECT_EQ(ParseDottedQuad("0.0.0.0", kPrevious), 0u);
  EXPECT_EQ(ParseDottedQuad("255.255.255.255", kPrevious), 0xFFFFFFFFu);
  EXPECT_EQ(ParseDottedQuad("000.000.000.010", kPrevious), 10u);
  for (const char* bad :
       {"1.2.3", "1.2.3.4.5", ".10.2.3", "1.2.34.", "1..23.4", "256.0.0.0", "0001.2.3.4", "1.2.3.4 ",
        "1.2.3.x", "", "1234567", "1.2.3.4.", "-1.2.3.4", "0000.0.0.0", "1.2.3.4444"})
    EXPECT_EQ(ParseDottedQuad(bad, kPrevious), kPrevious) << '"' << bad << '"';
}

TEST(Formatters, Examples) {
  EXPECT_EQ(FormatHex(0), "0");
  EXPECT_EQ(FormatHex(5), "5");
  EXPECT_EQ(FormatHex(255), "FF");
  EXPECT_EQ(FormatHex(0x1000), "1000");
  EXPECT_EQ(FormatHex(0xFFFFFFFF), "FFFFFFFF");
  EXPECT_EQ(FormatDec(0x80, {Bits8, Unsigned}), "128");
  EXPECT_EQ(FormatDec(0x80, {Bits8, Signed}), "-128");
  EXPECT_EQ(FormatDec(0xFFFFFFFF, {Bits32, Unsigned}), "4294967295");
  EXPECT_EQ(FormatDec(0xFFFFFFFF, {Bits32, Signed}), "-1");
  EXPECT_EQ(FormatDec(0x80000000, {Bits32, Signed}), "-2147483648");
  EXPECT_EQ(FormatDec(0x7FFF, {Bits16, Signed}), "32767");
  EXPECT_EQ(FormatDec(0x8000, {Bits16, Signed}), "-32768");
  EXPECT_EQ(FormatDec(0xFFFF, {Bits16, Signed}), "-1");
  for (DataWordLength length : {Bits8, Bits16, Bits32})
    for (SignedMode mode : {Unsigned, Signed}) EXPECT_EQ(FormatDec(0, {length, mode}), "0");
  EXPECT_EQ(FormatNet(0xC0A80001), "192.168.0.1");
  EXPECT_EQ(FormatNet(0), "0.0.0.0");
  EXPECT_EQ(FormatNet(0xFFFFFFFF), "255.255.255.255");
  EXPECT_EQ(FormatNet(200), "0.0.0.200");
  EXPECT_EQ(FormatNet(0xABCD), "0.0.171.205");
}

// The texts a register shows read back to the register's value, the way the
// field handlers read them: validate, parse, test the limits, mask.
void ExpectRoundTrip(Word value, const WordFormat& format) {
  const WordLimits limits = LimitsFor(format.DataWordLength);
  const Word other = ~value & limits.WordMask;  // a previous value that differs

  const std::string hex = FormatHex(value);
  ASSERT_TRUE(IsHexText(hex)) << hex;
  ASSERT_EQ(ParseHex(hex, other) & limits.WordMask, value) << hex;

  const std::string dec = FormatDec(value, format);
  ASSERT_TRUE(IsSignedDecText(dec)) << dec;
  const Word parsed =
      format.SignedMode == Signed ? ParseSignedDec(dec, other, limits) : ParseUnsignedDec(dec, other, limits);
  if (format.SignedMode == Signed) {
    const auto s = static_cast<std::int32_t>(parsed);
    ASSERT_TRUE(s >= limits.SignedMin && s <= limits.SignedMax) << dec;
  } else {
    ASSERT_LE(parsed, limits.UnsignedMax) << dec;
  }
  ASSERT_EQ(parsed & limits.WordMask, value) << dec;

  const std::string net = FormatNet(value);
  ASSERT_EQ(ParseDottedQuad(net, other) & limits.WordMask, value) << net;
}

TEST(RoundTrip, EveryEightAndSixteenBitValue) {
  for (SignedMode mode : {Unsigned, Signed}) {
    for (Word v = 0; v <= 0xFF; ++v) ExpectRoundTrip(v, {Bits8, mode});
    for (Word v = 0; v <= 0xFFFF; ++v) ExpectRoundTrip(v, {Bits16, mode});
  }
}

TEST(RoundTrip, RandomAndExtremeThirtyTwoBitValues) {
  std::mt19937 random(20261208);
  for (SignedMode mode : {Unsigned, Signed}) {
    for (Word v : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu}) ExpectRoundTrip(v, {Bits32, mode});
    for (int i = 0; i < 100000; ++i) ExpectRoundTrip(random(), {Bits32, mode});
  }
}

TEST(HostileText, LongTextsAreReadInOnePass) {
  // A megabyte of zeros is one zero once stripped; it must not be erased
  // character by character.
  const std::string zeros(1 << 20, '0');
  const WordLimits l32 = LimitsFor(Bits32);
  EXPECT_EQ(ParseUnsignedDec(zeros, kPrevious, l32), 0u);
  EXPECT_EQ(ParseSignedDec("-" + zeros, kPrevious, l32), 0u);
  EXPECT_EQ(ParseUnsignedDec(zeros + "7", kPrevious, l32), 7u);
  EXPECT_EQ(ParseUnsignedDec(std::string(1 << 20, '9'), kPrevious, l32), kPrevious);
  EXPECT_TRUE(IsSignedDecText(zeros));
  EXPECT_TRUE(IsHexText(zeros));
  EXPECT_EQ(ParseHex(zeros, kPrevious), kPrevious);
  EXPECT_EQ(ParseDottedQuad(zeros, kPrevious), kPrevious);
}

}  // namespace
}  // namespace averlin
