#include "common_factor.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "checked_math.h"

namespace orvanel {
namespace {

// Binary GCD in its branch-free form: no divisions, and the loop runs about once
// per bit of the larger number. Both arguments are below 2^31.
std::uint32_t GreatestCommonDivisor(std::uint32_t a, std::uint32_t b) {
  if (a == 0) return b;
  if (b == 0) return a;
  int a_zeros = std::countr_zero(a);
  const int shift = std::min(a_zeros, std::countr_zero(b));
  b >>= std::countr_zero(b);
  while (a != 0) {
    a >>= a_zeros;
    const std::int32_t difference = static_cast<std::int32_t>(b) - static_cast<std::int32_t>(a);
    a_zeros = std::countr_zero(static_cast<std::uint32_t>(difference));
    b = std::min(a, b);
    a = static_cast<std::uint32_t>(difference < 0 ? -difference : difference);
  }
  return b << shift;
}

// Montgomery arithmetic modulo an odd n < 2^31, so that a modular product costs
// two multiplications instead of a 64-bit division.
class Montgomery {
 public:
  explicit Montgomery(std::uint32_t n) : n_(n), negInverse_(NegInverse(n)) {
    const std::uint64_t r = (std::uint64_t{1} << 32) % n;
    one_ = static_cast<std::uint32_t>(r);
    rSquared_ = static_cast<std::uint32_t>((r * r) % n);
  }
  [[nodiscard]] std::uint32_t ToForm(std::uint32_t x) const { return Multiply(x % n_, rSquared_); }
  [[nodiscard]] std::uint32_t One() const { return one_; }
  [[nodiscard]] std::uint32_t MinusOne() const { return n_ - one_; }
  [[nodiscard]] std::uint32_t Multiply(std::uint32_t a, std::uint32_t b) const {
    return Reduce(std::uint64_t{a} * b);
  }

 private:
  static std::uint32_t NegInverse(std::uint32_t n) {
    std::uint32_t inverse = n;  // correct to 3 bits for odd n; each step doubles that
    for (int i = 0; i < 4; ++i) inverse *= 2 - n * inverse;
    return 0u - inverse;
  }
  // Input below n * 2^32; with n < 2^31 the sum below cannot overflow 64 bits.
  [[nodiscard]] std::uint32_t Reduce(std::uint64_t t) const {
    const std::uint32_t m = static_cast<std::uint32_t>(t) * negInverse_;
    const std::uint32_t reduced = static_cast<std::uint32_t>((t + std::uint64_t{m} * n_) >> 32);
    return reduced >= n_ ? reduced - n_ : reduced;
  }

  std::uint32_t n_;
  std::uint32_t negInverse_;
  std::uint32_t one_ = 0;
  std::uint32_t rSquared_ = 0;
};

// Strong probable-prime test of odd n > 2 to one base.
bool PassesStrongTest(const Montgomery& m, std::uint32_t n, std::uint32_t base) {
  if (base % n == 0) return true;
  std::uint32_t d = n - 1;
  const int s = std::countr_zero(d);
  d >>= s;
  std::uint32_t x = m.One();
  std::uint32_t power = m.ToForm(base);
  for (std::uint32_t e = d; e != 0; e >>= 1) {
    if (e & 1u) x = m.Multiply(x, power);
    power = m.Multiply(power, power);
  }
  if (x == m.One() || x == m.MinusOne()) return true;
  for (int i = 1; i < s; ++i) {
    x = m.Multiply(x, x);
    if (x == m.MinusOne()) return true;
  }
  return false;
}

// Deterministic for every n below 4,759,123,141 with the bases 2, 7 and 61.
bool IsPrime(std::uint32_t n) {
  if (n < 2) return false;
  for (const std::uint32_t p : {2u, 3u, 5u, 7u, 11u, 13u}) {
    if (n % p == 0) return n == p;
  }
  if (n < 17 * 17) return true;
  const Montgomery m(n);
  return PassesStrongTest(m, n, 2) && PassesStrongTest(m, n, 7) && PassesStrongTest(m, n, 61);
}

}  // namespace

std::int32_t CommonFactorBound(std::int32_t first) {
  return RoundToInt32(std::sqrt(static_cast<double>(first)), Quantity::kCommonFactorBound);
}

// Trying every divisor 2..bound costs up to 92,680 remainders. The answer depends
// only on the bound b and on g = gcd(first, second), since i divides both exactly
// when i divides g. So the question is whether g has a divisor in [2, b]:
//  - g = 1: no.
//  - 2 <= g <= b: yes, g itself.
//  - g > b and g composite: its smallest prime factor p satisfies
//    p <= floor(sqrt(g)) <= floor(sqrt(first)) <= b (g divides first, and rounding
//    never goes below the floor), so yes.
//  - g > b and g prime: its only divisor >= 2 is g itself, above the bound: no.
// Hence: g >= 2 and (g <= b or g is not prime). This also covers b < 2
// (first = 1 or 2), where g <= 2 and the answer is always no.
bool HasCommonFactor(std::int32_t first, std::int32_t second) {
  const std::int32_t bound = CommonFactorBound(first);
  const std::uint32_t g =
      GreatestCommonDivisor(static_cast<std::uint32_t>(first), static_cast<std::uint32_t>(second));
  if (g < 2) return false;
  if (g <= static_cast<std::uint32_t>(bound)) return true;
  return !IsPrime(g);
}

}  // namespace orvanel
