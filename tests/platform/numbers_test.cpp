#include "platform/numbers.h"

#include <gtest/gtest.h>

#include <limits>

namespace qimubox {
namespace {

struct IntegerCase {
  const char* text;
  std::int64_t expected;
};

class TextToIntegerTest : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(TextToIntegerTest, ReadsLeadingDecimal) {
  EXPECT_EQ(textToInteger(GetParam().text), GetParam().expected) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Cases, TextToIntegerTest,
                         ::testing::Values(IntegerCase{"", 0}, IntegerCase{"abc", 0}, IntegerCase{"42", 42},
                                           IntegerCase{"  -17x", -17}, IntegerCase{"+5", 5},
                                           IntegerCase{"2abc", 2}, IntegerCase{"- 5", 0},
                                           // Full-width digits and signs: ５, －１２
                                           IntegerCase{"\xA3\xB5", 5}, IntegerCase{"\xA3\xAD\xA3\xB1\xA3\xB2", -12},
                                           IntegerCase{"1\xA3\xB0", 10},
                                           IntegerCase{"99999999999999999999", std::numeric_limits<std::int64_t>::max()},
                                           IntegerCase{"-99999999999999999999", std::numeric_limits<std::int64_t>::min()}));

struct TextCase {
  double value;
  const char* expected;
};

class NumberToTextTest : public ::testing::TestWithParam<TextCase> {};

TEST_P(NumberToTextTest, ThirteenSignificantDigitsAtMost) {
  EXPECT_EQ(numberToText(GetParam().value), GetParam().expected) << GetParam().value;
}

INSTANTIATE_TEST_SUITE_P(Cases, NumberToTextTest,
                         ::testing::Values(TextCase{0, "0"}, TextCase{-0.0, "0"}, TextCase{12, "12"},
                                           TextCase{-3, "-3"}, TextCase{0.1, "0.1"}, TextCase{2.5, "2.5"},
                                           TextCase{1.0 / 3.0, "0.3333333333333"},
                                           TextCase{10.000000000001, "10"}, TextCase{1234567.25, "1234567.25"},
                                           TextCase{1023.996, "1023.996"}));

TEST(NumbersTest, RoundsHalvesAwayFromZero) {
  EXPECT_DOUBLE_EQ(roundHalfAway(2.5), 3);
  EXPECT_DOUBLE_EQ(roundHalfAway(-2.5), -3);
  EXPECT_DOUBLE_EQ(roundHalfAway(2.4), 2);
  EXPECT_DOUBLE_EQ(roundHalfAway(1.005001, 2), 1.01);
  EXPECT_DOUBLE_EQ(roundHalfAway(-1.235001, 2), -1.24);
}

TEST(NumbersTest, WholeDivisionCutsTheFraction) {
  EXPECT_EQ(divideWhole(7, 2), 3);
  EXPECT_EQ(divideWhole(-7, 2), -3);
  EXPECT_EQ(divideWhole(7, 0), 0);
  EXPECT_EQ(divideWhole(std::numeric_limits<std::int64_t>::min(), -1), std::numeric_limits<std::int64_t>::max());
}

}  // namespace
}  // namespace qimubox
