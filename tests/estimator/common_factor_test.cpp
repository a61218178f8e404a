#include "estimator/common_factor.h"

#include <gtest/gtest.h>

#include <ostream>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "estimator/random_pairs.h"
#include "support/fakes.h"
#include "support/literal_common_factor.h"

namespace orvanel {
namespace {

using testing::LiteralHasCommonFactor;

struct FactorCase {
  const char* name;
  std::int32_t first;
  std::int32_t second;
  bool expected;
};

std::ostream& operator<<(std::ostream& out, const FactorCase& c) {
  return out << c.name;
}

class CommonFactorExamples : public ::testing::TestWithParam<FactorCase> {};

TEST_P(CommonFactorExamples, AnswersLikeTheDivisorSearch) {
  const auto& c = GetParam();
  EXPECT_EQ(HasCommonFactor(c.first, c.second), c.expected);
  EXPECT_EQ(LiteralHasCommonFactor(c.first, c.second), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, CommonFactorExamples,
    ::testing::Values(FactorCase{"TwoDividesFourAndSix", 4, 6, true},
                      FactorCase{"BoundOfEightRoundsUpToThree", 8, 12, true},
                      FactorCase{"BoundIsInclusive", 25, 35, true},
                      FactorCase{"ThreeLiesAboveTheBoundOfSix", 6, 9, false},
                      FactorCase{"TwoLiesAboveTheBoundOfTwo", 2, 4, false},
                      FactorCase{"FiveLiesAboveTheBoundOfFifteen", 15, 25, false},
                      FactorCase{"OneHasNoDivisorToTry", 1, 1, false},
                      FactorCase{"EqualLargePrimes", 2147483629, 2147483629, false},
                      FactorCase{"EqualLargeComposite", 2147483646, 2147483646, true},
                      FactorCase{"LargestPairOfTheGenerator", 2147483509, 2147483635, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CommonFactorBound, RoundsTheSquareRootHalfToEven) {
  EXPECT_EQ(CommonFactorBound(1), 1);
  EXPECT_EQ(CommonFactorBound(2), 1);
  EXPECT_EQ(CommonFactorBound(6), 2);
  EXPECT_EQ(CommonFactorBound(8), 3);
  EXPECT_EQ(CommonFactorBound(2147483647), 46341);
}

TEST(CommonFactorEquality, EveryPairUpTo2000) {
  for (std::int32_t first = 1; first <= 2000; ++first) {
    for (std::int32_t second = 1; second <= 2000; ++second) {
      ASSERT_EQ(HasCommonFactor(first, second), LiteralHasCommonFactor(first, second))
          << first << ", " << second;
    }
  }
}

TEST(CommonFactorEquality, AMillionPairsOfTheRandomSource) {
  testing::SeededGenerator generator(20261207);
  int hits = 0;
  for (int i = 0; i < 1'000'000; ++i) {
    const Pair pair = DrawRandomPair(generator);
    const bool expected = LiteralHasCommonFactor(pair.first, pair.second);
    ASSERT_EQ(HasCommonFactor(pair.first, pair.second), expected)
        << pair.first << ", " << pair.second;
    hits += expected;
  }
  // About 1 - 6/pi^2 of the pairs share a factor; a broken source would show here.
  EXPECT_NEAR(hits / 1e6, 1.0 - 6.0 / (std::numbers::pi * std::numbers::pi), 0.01);
}

std::vector<std::int32_t> Primes(std::int32_t from, std::int32_t count) {
  std::vector<std::int32_t> primes;
  for (std::int64_t n = from; std::ssize(primes) < count && n <= 2147483647; ++n) {
    bool prime = n >= 2;
    for (std::int64_t d = 2; d * d <= n && prime; ++d) prime = n % d != 0;
    if (prime) primes.push_back(static_cast<std::int32_t>(n));
  }
  return primes;
}

TEST(CommonFactorEquality, HandPickedHardCases) {
  std::vector<std::pair<std::int32_t, std::int32_t>> pairs;
  // Primes near 2^31 and their multiples, equal or not.
  for (const std::int32_t p : Primes(2147483000, 20)) {
    pairs.push_back({p, p});
    pairs.push_back({p, 2147483647});
    pairs.push_back({p, 1});
  }
  // Squares of primes and products of two primes near 46341, where the only
  // common divisors lie at or just beyond the bound.
  const auto near_root = Primes(46200, 30);
  for (const std::int32_t p : near_root) {
    for (const std::int32_t q : near_root) {
      const std::int64_t product = std::int64_t{p} * q;
      if (product > 2147483647) continue;
      const auto n = static_cast<std::int32_t>(product);
      pairs.push_back({n, n});
      pairs.push_back({n, p});
      pairs.push_back({n, q * 3});
    }
  }
  for (const std::int32_t p : Primes(2, 400)) {
    if (std::int64_t{p} * p > 2147483647) break;
    pairs.push_back({p * p, p});
    pairs.push_back({p * p, p * p});
    pairs.push_back({p, p});
  }
  // Values of first whose square root lies just below or above k + 0.5, so that
  // the bound flips between k and k + 1; second is k + 1 times something.
  for (std::int32_t k = 2; k < 46340; k += 97) {
    const std::int64_t half_square =
        (std::int64_t{2} * k + 1) * (2 * k + 1) / 4;  // (k+0.5)^2 rounded down
    for (std::int64_t first = half_square - 1; first <= half_square + 2; ++first) {
      const auto f = static_cast<std::int32_t>(first);
      pairs.push_back({f, (k + 1) * 2});
      pairs.push_back({f, f});
      pairs.push_back({f, k + 1});
    }
  }
  for (const auto& [first, second] : pairs) {
    ASSERT_EQ(HasCommonFactor(first, second), LiteralHasCommonFactor(first, second))
        << first << ", " << second;
  }
}

}  // namespace
}  // namespace orvanel
