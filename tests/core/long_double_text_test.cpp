#include "long_double_text.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <system_error>

namespace averlin {
namespace {

using Limits = std::numeric_limits<long double>;

long double Read(const std::string& text, std::errc expected = std::errc{}) {
  long double value = -1;
  EXPECT_EQ(ReadFixed(text, value), expected) << text.substr(0, 40);
  return value;
}

// Every bit of the long double survives both ways, where a conversion
// through double would lose the last ones and the range above 1.8E308.
TEST(LongDoubleTextTest, KeepsEveryBit) {
  const long double justAboveOne = 1.0L + Limits::epsilon();
  const std::string exact = *ScientificText(justAboveOne, Limits::max_digits10);
  EXPECT_EQ(Read(exact.substr(0, exact.find('e'))), justAboveOne) << exact;
  if (Limits::max_exponent10 > 308) {
    const long double huge = Read("1" + std::string(400, '0'));
    EXPECT_EQ(*ScientificText(huge, 3), "1.000e+400");
  }
}

TEST(LongDoubleTextTest, WritesRoundedToNearest) {
  EXPECT_EQ(ScientificText(1234.5L, 3), "1.234e+03");  // a tie: to even
  EXPECT_EQ(ScientificText(1235.5L, 3), "1.236e+03");
  EXPECT_EQ(ScientificText(Limits::infinity(), 2), std::nullopt);
  EXPECT_EQ(ScientificText(Limits::quiet_NaN(), 2), std::nullopt);
}

TEST(LongDoubleTextTest, ReadsPlainDecimalsInRangeOnly) {
  EXPECT_EQ(Read("1536"), 1536.0L);
  EXPECT_EQ(Read("0.25"), 0.25L);
  EXPECT_EQ(Read(".5"), 0.5L);
  EXPECT_EQ(Read(std::string(5000, '0') + "2." + std::string(5000, '0')), 2.0L);
  for (const char* text : {"", ".", "1.2.3", "1e5", "-1", "+1", " 1", "1 ", "0x10", "1,5"})
    Read(text, std::errc::invalid_argument);
  // Beyond long double's range at either end.
  Read("1" + std::string(5000, '0'), std::errc::result_out_of_range);
  Read("0." + std::string(5000, '0') + "1", std::errc::result_out_of_range);
}

}  // namespace
}  // namespace averlin
