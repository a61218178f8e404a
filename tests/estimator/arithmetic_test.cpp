#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

#include "estimator/checked_math.h"
#include "estimator/errors.h"
#include "estimator/number_text.h"

namespace orvanel {
namespace {

constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();

TEST(RoundToInt32, TiesGoToTheEvenNeighbour) {
  const std::pair<double, std::int32_t> cases[] = {{2.5, 2},
                                                   {3.5, 4},
                                                   {-0.5, 0},
                                                   {-1.5, -2},
                                                   {0.49999999999999994, 0},
                                                   {1.2, 1},
                                                   {1.7, 2},
                                                   {-2.5, -2},
                                                   {2147483647.4, kMax},
                                                   {-2147483648.5, kMin},
                                                   {1e-300, 0},
                                                   {1073741819.5, 1073741820}};
  for (const auto& [value, expected] : cases) {
    EXPECT_EQ(RoundToInt32(value, Quantity::kEstimate), expected) << value;
  }
}

TEST(RoundToInt32, OutOfRangeIsAnOverflow) {
  for (const double value : {2147483647.5, -2147483648.6, 1e10, -1e10, std::nan(""),
                             std::numeric_limits<double>::infinity()}) {
    EXPECT_THROW((void)RoundToInt32(value, Quantity::kEstimate), OverflowError) << value;
  }
}

TEST(CheckedIntegers, AddAndSubtractRefuseToWrap) {
  EXPECT_EQ(CheckedAdd(kMax - 1, 1, Quantity::kEstimate), kMax);
  EXPECT_THROW((void)CheckedAdd(kMax, 1, Quantity::kEstimate), OverflowError);
  EXPECT_THROW((void)CheckedAdd(kMin, -1, Quantity::kEstimate), OverflowError);
  EXPECT_EQ(CheckedSubtract(0, kMax, Quantity::kEstimate), -kMax);
  EXPECT_THROW((void)CheckedSubtract(kMax, -1, Quantity::kEstimate), OverflowError);
  EXPECT_THROW((void)CheckedSubtract(-2, kMax, Quantity::kEstimate), OverflowError);
}

TEST(CheckedFloats, InvalidDivisionByZeroAndOverflowAreErrors) {
  EXPECT_THROW((void)CheckedDivide(1.0, 0.0, Quantity::kEstimate), FloatingPointError);
  EXPECT_THROW((void)CheckedDivide(1e308, 1e-308, Quantity::kEstimate), FloatingPointError);
  EXPECT_THROW((void)CheckFloatResult(std::nan(""), Quantity::kEstimate), FloatingPointError);
  EXPECT_THROW((void)CheckedSqrt(-1.0, Quantity::kEstimate), InvalidArgumentError);
  // Underflow and inexact results are no errors.
  EXPECT_EQ(CheckedDivide(1e-308, 1e10, Quantity::kEstimate), 1e-318);
  EXPECT_DOUBLE_EQ(CheckedDivide(1.0, 3.0, Quantity::kEstimate), 1.0 / 3.0);
}

TEST(NumberText, IntegersHaveABlankOrAMinusInThePlaceOfTheSign) {
  EXPECT_EQ(NumberText(std::int32_t{1000}), " 1000");
  EXPECT_EQ(NumberText(std::int32_t{0}), " 0");
  EXPECT_EQ(NumberText(std::int32_t{-5}), "-5");
  EXPECT_EQ(NumberText(kMin), "-2147483648");
  EXPECT_EQ(NumberText(kMax), " 2147483647");
}

TEST(NumberText, DoublesKeepFifteenSignificantDigitsWithoutTrailingZeros) {
  const std::pair<double, const char*> cases[] = {
      {0.0, " 0"},
      {-0.0, " 0"},
      {2.449489742783178, " 2.44948974278318"},
      {3.0, " 3"},
      {113511.68169507787, " 113511.681695078"},
      {0.5, " 0.5"},
      {-3.25, "-3.25"},
      {0.0001, " 0.0001"},
      {0.00001, " 1E-05"},
      {1e15, " 1E+15"},
      {123456789012345.0, " 123456789012345"},
  };
  for (const auto& [value, expected] : cases) EXPECT_EQ(NumberText(value), expected) << value;
}

TEST(FixedFourDecimals, RoundsToFourDecimalsWithTheGivenSeparator) {
  struct Case {
    double value;
    const char* separator;
    const char* expected;
  };
  const Case cases[] = {
      {0.0, ".", "0.0000"},
      {3.14140431, ".", "3.1414"},
      {113511.68169507787, ".", "113511.6817"},
      {std::sqrt(6.0), ",", "2,4495"},
      {3.0, "\xD9\xAB",
       "3\xD9\xAB"
       "0000"},                  // a separator of more than one byte
      {0.03125, ".", "0.0312"},  // exact halfway: to the even digit
      {0.09375, ".", "0.0938"},
      {1234567.0, ".", "1234567.0000"},  // never grouped
      {-2.5, ".", "-2.5000"},
  };
  for (const auto& c : cases) EXPECT_EQ(FixedFourDecimals(c.value, c.separator), c.expected);
}

}  // namespace
}  // namespace orvanel
