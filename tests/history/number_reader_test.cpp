#include "history/number_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "estimator/number_text.h"

namespace orvanel {
namespace {

struct ReadCase {
  const char* text;
  double value;
};

TEST(ReadNumber, ReadsTheLongestLeadingDecimalNumber) {
  const ReadCase cases[] = {
      {" 12345", 12345}, {"2.5", 2.5},
      {"12abc", 12},     {"abc", 0},
      {"3,14", 3},       {"", 0},
      {".5", 0.5},       {"-.5", -0.5},
      {"+.5e1", 5},      {"1 2 3", 123},
      {"\t-\n4", -4},    {"1e3", 1000},
      {"1E+2", 100},     {"2.5e-1", 0.25},
      {"1e", 1},         {"1e+", 1},
      {"1e+x", 1},       {"-", 0},
      {".", 0},          {"1.", 1},
      {"1.e5", 1},       {"5.E3", 5},
      {"1.5e2", 150},    {"1.2.3", 1.2},
      {"00012", 12},     {"--1", 0},
      {"&H1F", 31},      {"&hff", 255},
      {"&O17", 15},      {"&o8", 0},
      {"&Hxyz", 0},      {"&", 0},
      {"&X1", 0},        {" 2.44948974278318", 2.44948974278318},
      {"1e-999", 0},     {"0e999999999999", 0},
      {"\r5", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadNumber(c.text), c.value) << '"' << c.text << '"';
}

TEST(ReadNumber, NumbersBeyondADoubleBecomeInfinite) {
  EXPECT_EQ(ReadNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber(std::string(400, '9') + "e-50"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ReadNumber("0." + std::string(400, '0') + "1"), 0.0);
}

// The same whole number written in base 16 and in base 8 reads as the double
// nearest to it, as the C library reads a hexadecimal constant: exactly while it
// has 53 bits, rounded half to even beyond.
TEST(ReadNumber, HexadecimalAndOctalNumbersRoundOnceToTheNearestDouble) {
  EXPECT_EQ(ReadNumber("&HF09A4FB3DAA3143B"), 17337257349402007552.0);
  std::mt19937_64 engine(53);
  for (int i = 0; i < 40'000; ++i) {
    std::vector<bool> bits(1 + engine() % 200);
    for (std::size_t b = 0; b < bits.size(); ++b) bits[b] = (engine() >> 7) & 1;
    if (i % 3 == 0)
      std::fill(bits.begin() + 1, bits.begin() + std::min<std::size_t>(bits.size(), 60), false);
    const auto digits = [&bits](int width) {
      std::string text;
      const std::size_t padded = (bits.size() + width - 1) / width * width;
      for (std::size_t at = 0; at < padded; at += width) {
        int digit = 0;
        for (int b = 0; b < width; ++b) {
          const std::size_t index = at + b - (padded - bits.size());
          digit = digit * 2 + (at + b >= padded - bits.size() && bits[index] ? 1 : 0);
        }
        text += "0123456789ABCDEF"[digit];
      }
      return text;
    };
    const std::string hex = digits(4);
    const double nearest = std::strtod(("0x" + hex).c_str(), nullptr);
    ASSERT_EQ(ReadNumber("&H" + hex), nearest) << hex;
    ASSERT_EQ(ReadNumber("&O" + digits(3)), nearest) << hex;
  }
}

TEST(ToCount, RoundsHalfToEvenAndRefusesWhatDoesNotFit) {
  EXPECT_EQ(ToCount(ReadNumber("2.5")), 2);
  EXPECT_EQ(ToCount(ReadNumber("3.5")), 4);
  EXPECT_EQ(ToCount(ReadNumber("-0.5")), 0);
  EXPECT_EQ(ToCount(ReadNumber("2147483647.4")), 2147483647);
  EXPECT_EQ(ToCount(ReadNumber("-2147483648")), std::numeric_limits<std::int32_t>::min());
  EXPECT_EQ(ToCount(ReadNumber("2147483648")), std::nullopt);
  EXPECT_EQ(ToCount(ReadNumber("1e999")), std::nullopt);
}

// The value NumberText should give back: the double rounded to 15 significant digits.
double RoundedTo15Digits(double value) {
  std::array<char, 64> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::scientific, 14)
                       .ptr;
  double rounded = 0;
  std::from_chars(buffer.data(), end, rounded);
  return rounded;
}

void ExpectRoundTrips() {
  std::mt19937_64 engine(99);
  std::uniform_real_distribution<double> estimates(0.0, 113512.0);
  std::uniform_int_distribution<std::int32_t> counts(std::numeric_limits<std::int32_t>::min(),
                                                     std::numeric_limits<std::int32_t>::max());
  for (int i = 0; i < 100'000; ++i) {
    const double estimate = estimates(engine);
    ASSERT_EQ(ReadNumber(NumberText(estimate)), RoundedTo15Digits(estimate))
        << NumberText(estimate);
    const std::int32_t count = counts(engine);
    ASSERT_EQ(ToCount(ReadNumber(NumberText(count))), count);
  }
  for (const double odd : {-3.25, 1e-7, 6.02e23, -1e300, 5e-324}) {
    EXPECT_EQ(ReadNumber(NumberText(odd)), RoundedTo15Digits(odd)) << NumberText(odd);
  }
}

TEST(NumberRoundTrip, WrittenTextReadsBackToFifteenDigits) {
  ExpectRoundTrips();
}

// The value that the fifteen digits of a written text denote, read by the C library.
double DenotedValue(const std::string& text) {
  return std::strtod(text.c_str(), nullptr);
}

TEST(NumberRoundTrip, EveryFiniteDoubleIsWrittenAsAFiniteNumber) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  const std::pair<double, const char*> extremes[] = {
      {kLargest, " 1.79769313486231E+308"},
      {-kLargest, "-1.79769313486231E+308"},
      {std::nextafter(kLargest, 0.0), " 1.79769313486231E+308"},
      {1.797693134862315e308, " 1.79769313486231E+308"},
      {1.797693134862314e308, " 1.79769313486231E+308"},
      {std::numeric_limits<double>::min(), " 2.2250738585072E-308"},
      {std::numeric_limits<double>::denorm_min(), " 4.94065645841247E-324"},
      {0.0, " 0"},
      {-0.0, " 0"},
  };
  for (const auto& [value, text] : extremes) {
    EXPECT_EQ(NumberText(value), text);
    EXPECT_EQ(ReadNumber(NumberText(value)), DenotedValue(text)) << text;
  }

  std::mt19937_64 engine(2024);
  for (int i = 0; i < 1'000'000; ++i) {
    const double value = std::bit_cast<double>(engine());
    if (!std::isfinite(value)) continue;
    const std::string text = NumberText(value);
    const double read = ReadNumber(text);
    ASSERT_TRUE(std::isfinite(read)) << text;
    ASSERT_EQ(read, DenotedValue(text)) << text;
    ASSERT_EQ(std::signbit(read), value < 0.0) << text;
  }
}

class CommaLocale : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = std::setlocale(LC_ALL, nullptr);
    // The German locale by its Linux and its Windows names.
    for (const char* name : {"de_DE.UTF-8", "German_Germany.1252", "de-DE"}) {
      if (std::setlocale(LC_ALL, name) != nullptr) {
        try {
          std::locale::global(std::locale(std::locale::classic(), name, std::locale::numeric));
        } catch (const std::runtime_error&) {
          // Some standard libraries know only the C library's locale; that one is set.
        }
        return;
      }
    }
    GTEST_SKIP() << "no German locale is installed (tools/install-deps makes one on Debian)";
  }
  void TearDown() override {
    std::setlocale(LC_ALL, previous_.c_str());
    std::locale::global(std::locale::classic());
  }

 private:
  std::string previous_;
};

TEST_F(CommaLocale, TheHistoryStillWritesAndReadsAPoint) {
  ASSERT_EQ(std::localeconv()->decimal_point, std::string(","));
  EXPECT_EQ(NumberText(2.449489742783178), " 2.44948974278318");
  EXPECT_EQ(ReadNumber("3,14"), 3.0);
  ExpectRoundTrips();
}

TEST(ReadNumber, SurvivesRandomBytes) {
  std::mt19937 engine(5);
  std::uniform_int_distribution<int> length(0, 64);
  std::uniform_int_distribution<int> byte(0, 255);
  const std::string alphabet = " \t\n+-.eE&HhOo0123456789,x";
  std::uniform_int_distribution<std::size_t> pick(0, alphabet.size() - 1);
  for (int i = 0; i < 200'000; ++i) {
    std::string text(static_cast<std::size_t>(length(engine)), '\0');
    // Half the strings are raw bytes, half are made of the characters that matter.
    for (auto& c : text) c = i % 2 ? static_cast<char>(byte(engine)) : alphabet[pick(engine)];
    const double value = ReadNumber(text);
    ASSERT_FALSE(std::isnan(value)) << text;
  }
}

}  // namespace
}  // namespace orvanel
