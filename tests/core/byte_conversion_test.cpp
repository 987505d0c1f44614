#include "byte_conversion.h"

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <optional>
#include <string>

namespace averlin {
namespace {

constexpr int Byte = 0;
constexpr int KByte = 1;
constexpr int MByte = 2;
constexpr int GByte = 3;
constexpr int TByte = 4;

std::optional<std::string> Convert(const std::string& input, int source, int target, char sep = '.') {
  return ConvertAmount(input, source, target, sep);
}

TEST(ByteConversionTest, UnitsAreTheBinaryMultiples) {
  ASSERT_EQ(ConvUnits.size(), 5u);
  EXPECT_EQ(ConvUnits[Byte].Name, "Byte");
  EXPECT_EQ(ConvUnits[KByte].Name, "kByte");
  EXPECT_EQ(ConvUnits[MByte].Name, "MByte");
  EXPECT_EQ(ConvUnits[GByte].Name, "GByte");
  EXPECT_EQ(ConvUnits[TByte].Name, "TByte");
  EXPECT_EQ(ConvUnits[Byte].Factor, 1.0L);
  EXPECT_EQ(ConvUnits[KByte].Factor, 1024.0L);
  EXPECT_EQ(ConvUnits[MByte].Factor, 1024.0L * 1024.0L);
  EXPECT_EQ(ConvUnits[GByte].Factor, 1024.0L * 1024.0L * 1024.0L);
  EXPECT_EQ(ConvUnits[TByte].Factor, 1024.0L * 1024.0L * 1024.0L * 1024.0L);
}

TEST(ByteConversionTest, ConvertsBetweenUnits) {
  EXPECT_EQ(Convert("1536", Byte, KByte), "1.50");
  EXPECT_EQ(Convert("512", Byte, KByte), "0.50");
  EXPECT_EQ(Convert("5", Byte, KByte), "0.00");  // 0.0048828125
  EXPECT_EQ(Convert("6", Byte, KByte), "0.01");  // 0.005859375
  EXPECT_EQ(Convert("1", KByte, Byte), "1024.00");
  EXPECT_EQ(Convert("1", TByte, Byte), "1099511627776.00");
  EXPECT_EQ(Convert("1", Byte, TByte), "0.00");
  EXPECT_EQ(Convert("1", MByte, KByte), "1024.00");
  EXPECT_EQ(Convert("0.5", GByte, MByte), "512.00");
  EXPECT_EQ(Convert("3", TByte, GByte), "3072.00");
  EXPECT_EQ(Convert("1", GByte, TByte), "0.00");  // 0.0009765625
  EXPECT_EQ(Convert("512", GByte, TByte), "0.50");
  EXPECT_EQ(Convert("1048576", Byte, MByte), "1.00");
  EXPECT_EQ(Convert("1.5", MByte, Byte), "1572864.00");
  EXPECT_EQ(Convert("0.5", TByte, Byte), "549755813888.00");
  EXPECT_EQ(Convert("1099511627776", Byte, TByte), "1.00");
  EXPECT_EQ(Convert("2.5", TByte, KByte), "2684354560.00");
  EXPECT_EQ(Convert("10", Byte, KByte), "0.01");    // 0.009765625
  EXPECT_EQ(Convert("1023", Byte, KByte), "1.00");  // 0.9990234375
  EXPECT_EQ(Convert("1025", Byte, KByte), "1.00");  // 1.0009765625
  EXPECT_EQ(Convert("1029", Byte, KByte), "1.00");  // 1.0048828125
  EXPECT_EQ(Convert("1030", Byte, KByte), "1.01");  // 1.005859375
}

TEST(ByteConversionTest, SameUnitRoundsToTwoDecimals) {
  EXPECT_EQ(Convert("0.125", Byte, Byte), "0.13");
  EXPECT_EQ(Convert("2.345", Byte, Byte), "2.35");
  EXPECT_EQ(Convert("7", Byte, Byte), "7.00");
  EXPECT_EQ(Convert(".", Byte, Byte), "0.00");
  EXPECT_EQ(Convert("0", Byte, Byte), "0.00");
  EXPECT_EQ(Convert("5.", Byte, Byte), "5.00");
  EXPECT_EQ(Convert(".5", Byte, Byte), "0.50");
  EXPECT_EQ(Convert("0.375", TByte, TByte), "0.38");
  EXPECT_EQ(Convert("0.005", KByte, KByte), "0.01");
  EXPECT_EQ(Convert("0.0049", KByte, KByte), "0.00");
  EXPECT_EQ(Convert("999.995", MByte, MByte), "1000.00");
  EXPECT_EQ(Convert("999.994", MByte, MByte), "999.99");
  EXPECT_EQ(Convert("0.995", GByte, GByte), "1.00");
  EXPECT_EQ(Convert("007.10", Byte, Byte), "7.10");
  EXPECT_EQ(Convert("000", Byte, Byte), "0.00");
  EXPECT_EQ(Convert("12.3456", Byte, Byte), "12.35");
  EXPECT_EQ(Convert("123456789012345678", Byte, Byte), "123456789012345678.00");
}

TEST(ByteConversionTest, LargeResultsUseTheGeneralForm) {
  EXPECT_EQ(Convert("1000000", TByte, Byte), "1.099511627776E18");
  EXPECT_EQ(Convert("1000000", TByte, Byte, ','), "1,099511627776E18");
  EXPECT_EQ(Convert("909494", TByte, Byte), "999999228392505344.00");
  EXPECT_EQ(Convert("909495", TByte, Byte), "1.00000032790413E18");
  EXPECT_EQ(Convert("999999", TByte, Byte), "1.09951052826437E18");
  EXPECT_EQ(Convert("1000000000000000000", Byte, Byte), "1E18");
  EXPECT_EQ(Convert("999999999999999999.75", Byte, Byte), "1E18");
  EXPECT_EQ(Convert("25000000000000000000000", Byte, Byte), "2.5E22");

  const std::string tenTo4931 = "1" + std::string(4931, '0');
  EXPECT_EQ(Convert(tenTo4931, Byte, Byte), "1E4931");
  EXPECT_EQ(Convert(tenTo4931, Byte, TByte), "9.09494701772928E4918");
}

TEST(ByteConversionTest, RefusedInputKeepsTheOutput) {
  EXPECT_EQ(Convert("", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("1.2.3", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("12a", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("-1", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("1,5", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("1,5", Byte, KByte, ','), std::nullopt);
  EXPECT_EQ(Convert(" 1", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("1 ", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("1e3", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("+1", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("..", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("inf", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert("0x10", Byte, KByte), std::nullopt);
  EXPECT_EQ(Convert(std::string("1\0", 2), Byte, KByte), std::nullopt);
}

TEST(ByteConversionTest, UnitIndicesOutsideTheListAreRefused) {
  EXPECT_EQ(Convert("1", -1, Byte), std::nullopt);
  EXPECT_EQ(Convert("1", Byte, -1), std::nullopt);
  EXPECT_EQ(Convert("1", 5, Byte), std::nullopt);
  EXPECT_EQ(Convert("1", Byte, 5), std::nullopt);
  EXPECT_EQ(Convert("1", INT_MAX, INT_MIN), std::nullopt);
  EXPECT_EQ(Convert("1", INT_MIN, TByte), std::nullopt);
  EXPECT_EQ(Convert("1", TByte, TByte), "1.00");
}

TEST(ByteConversionTest, WritesTheGivenDecimalSeparator) {
  EXPECT_EQ(Convert("1", KByte, Byte, ','), "1024,00");
  EXPECT_EQ(Convert("1.5", KByte, Byte, ','), "1536,00");
  EXPECT_EQ(Convert("1.5", Byte, Byte, ','), "1,50");
  EXPECT_EQ(Convert(".", Byte, Byte, ','), "0,00");
  EXPECT_EQ(Convert("6", Byte, KByte, ','), "0,01");
}

TEST(ByteConversionTest, OutOfRangeAndExtremeTexts) {
  const std::string digits5000(5000, '9');
  EXPECT_EQ(Convert(digits5000, Byte, Byte), "Out of range");
  EXPECT_EQ(Convert(digits5000, TByte, Byte), "Out of range");
  EXPECT_EQ(Convert(digits5000, Byte, TByte), "Out of range");
  EXPECT_EQ(Convert(digits5000 + ".5", Byte, Byte), "Out of range");
  EXPECT_EQ(Convert("1" + std::string(4999, '0'), KByte, KByte), "Out of range");

  // In range as text, but the product in bytes is not.
  EXPECT_EQ(Convert("1" + std::string(4931, '0'), TByte, Byte), "Out of range");
  EXPECT_EQ(Convert("1" + std::string(4931, '0'), TByte, TByte), "Out of range");

  // Leading zeros do not make a value large.
  EXPECT_EQ(Convert(std::string(5000, '0') + "1", Byte, Byte), "1.00");

  // Underflow is simply zero.
  EXPECT_EQ(Convert("0." + std::string(5000, '0') + "1", Byte, Byte), "0.00");
  EXPECT_EQ(Convert("0." + std::string(5000, '0') + "1", TByte, Byte), "0.00");
  EXPECT_EQ(Convert(std::string(5000, '0') + "." + std::string(5000, '0') + "1", Byte, Byte), "0.00");
}

TEST(ByteConversionTest, LongTexts) {
  const std::size_t megabyte = std::size_t{1} << 20;
  EXPECT_EQ(Convert(std::string(megabyte, '0'), Byte, KByte), "0.00");
  EXPECT_EQ(Convert(std::string(megabyte, '7'), Byte, KByte), "Out of range");
  EXPECT_EQ(Convert("1." + std::string(megabyte, '3'), Byte, Byte), "1.33");
  EXPECT_EQ(Convert("0." + std::string(megabyte, '0') + "1", Byte, Byte), "0.00");
  EXPECT_EQ(Convert(std::string(megabyte, '0') + "1536", Byte, KByte), "1.50");
  EXPECT_EQ(Convert("1536." + std::string(megabyte, '0'), Byte, KByte), "1.50");
}

TEST(FormatAmountTest, TwoDecimalPattern) {
  EXPECT_EQ(FormatAmount(0.0L, '.'), "0.00");
  EXPECT_EQ(FormatAmount(-0.0L, '.'), "0.00");
  EXPECT_EQ(FormatAmount(0.5L, '.'), "0.50");
  EXPECT_EQ(FormatAmount(1024.0L, '.'), "1024.00");
  EXPECT_EQ(FormatAmount(1099511627776.0L, '.'), "1099511627776.00");
  EXPECT_EQ(FormatAmount(0.004L, '.'), "0.00");
  EXPECT_EQ(FormatAmount(0.005L, '.'), "0.01");
  EXPECT_EQ(FormatAmount(0.125L, '.'), "0.13");
  EXPECT_EQ(FormatAmount(0.375L, '.'), "0.38");
  EXPECT_EQ(FormatAmount(2.345L, '.'), "2.35");
  EXPECT_EQ(FormatAmount(999.995L, '.'), "1000.00");
  EXPECT_EQ(FormatAmount(9.995L, '.'), "10.00");
  EXPECT_EQ(FormatAmount(99999.999L, '.'), "100000.00");
  EXPECT_EQ(FormatAmount(0.994L, '.'), "0.99");
  EXPECT_EQ(FormatAmount(1.0L / 3.0L, '.'), "0.33");
  EXPECT_EQ(FormatAmount(2.0L / 3.0L, '.'), "0.67");
  EXPECT_EQ(FormatAmount(1e-30L, '.'), "0.00");
  EXPECT_EQ(FormatAmount(std::numeric_limits<long double>::denorm_min(), '.'), "0.00");
  EXPECT_EQ(FormatAmount(1.5L, ','), "1,50");
  EXPECT_EQ(FormatAmount(1.5L, '#'), "1#50");
  EXPECT_EQ(FormatAmount(-1.5L, '.'), "-1.50");
}

TEST(FormatAmountTest, EighteenDigitBoundary) {
  // From 10^15 on the 18 rounded digits reach no further than the hundredths.
  EXPECT_EQ(FormatAmount(1000000000000000.126L, '.'), "1000000000000000.13");
  EXPECT_EQ(FormatAmount(1234567890123456.789L, '.'), "1234567890123456.79");
  EXPECT_EQ(FormatAmount(12345678901234567.89L, '.'), "12345678901234567.90");
  EXPECT_EQ(FormatAmount(10000000000000000.5L, '.'), "10000000000000000.50");
  EXPECT_EQ(FormatAmount(100000000000000000.25L, '.'), "100000000000000000.00");
  EXPECT_EQ(FormatAmount(100000000000000000.75L, '.'), "100000000000000001.00");
  EXPECT_EQ(FormatAmount(999999999999999.999L, '.'), "1000000000000000.00");
  EXPECT_EQ(FormatAmount(999999999999999999.0L, '.'), "999999999999999999.00");
  EXPECT_EQ(FormatAmount(999999999999999999.25L, '.'), "999999999999999999.00");
  EXPECT_EQ(FormatAmount(999999999999999999.75L, '.'), "1E18");
  EXPECT_EQ(FormatAmount(123456789012345678.0L, '.'), "123456789012345678.00");
}

TEST(FormatAmountTest, GeneralForm) {
  EXPECT_EQ(FormatAmount(1e18L, '.'), "1E18");
  EXPECT_EQ(FormatAmount(1e18L, ','), "1E18");
  EXPECT_EQ(FormatAmount(1099511627776000000.0L, '.'), "1.099511627776E18");
  EXPECT_EQ(FormatAmount(1099511627776000000.0L, ','), "1,099511627776E18");
  EXPECT_EQ(FormatAmount(18446744073709551616.0L, '.'), "1.84467440737096E19");
  EXPECT_EQ(FormatAmount(1234567890123456789012.0L, '.'), "1.23456789012346E21");
  EXPECT_EQ(FormatAmount(999999999999999950000.0L, '.'), "1E21");
  EXPECT_EQ(FormatAmount(2.5e100L, '.'), "2.5E100");
  EXPECT_EQ(FormatAmount(std::numeric_limits<long double>::max(), '.'), "1.18973149535723E4932");
}

TEST(FormatAmountTest, NonFiniteIsOutOfRange) {
  const long double inf = std::numeric_limits<long double>::infinity();
  EXPECT_EQ(FormatAmount(inf, '.'), "Out of range");
  EXPECT_EQ(FormatAmount(-inf, '.'), "Out of range");
  EXPECT_EQ(FormatAmount(std::numeric_limits<long double>::quiet_NaN(), '.'), "Out of range");
  EXPECT_EQ(FormatAmount(std::numeric_limits<long double>::max() * 2.0L, ','), "Out of range");
}

}  // namespace
}  // namespace averlin
