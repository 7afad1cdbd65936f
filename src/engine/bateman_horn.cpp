// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/bateman_horn.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>
#include <numeric>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/number_theory.h"
#include "engine/primelib.h"
#include "engine/work_share.h"

namespace quorvel {
namespace {

using i128 = Int128;
using u128 = UInt128;
using u64 = std::uint64_t;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Where the series for L(1, χ) and L(2, χ) stop: at n t >= 6.2 with t = √(π / |D|). Their
// terms fall like e^{-(nt)²}, so what is left out is below e^{-6.2²} < 2·10^-17 of the sum.
constexpr double kSeriesEnd = 6.2;

// The Euler product is taken exactly over the primes up to this bound (and over every prime
// dividing 2a·disc). See BatemanHornParts for why that is enough.
constexpr std::int32_t kProductBound = 1'000'000;
// Where L(1, χ) and L(2, χ) come from their series, the product of R(p) (see
// BatemanHornParts) needs fewer primes: what those above 2^17 leave out stays below 3·10^-12.
constexpr std::int32_t kSeriesProductBound = 1 << 17;

u64 Magnitude(std::int64_t v) {
    return v >= 0 ? static_cast<u64>(v) : 0 - static_cast<u64>(v);
}
u128 Magnitude(i128 v) {
    return v >= 0 ? static_cast<u128>(v) : 0 - static_cast<u128>(v);
}

// v mod m in 0 … m - 1.
u64 Mod(std::int64_t v, u64 m) {
    const u64 r = Magnitude(v) % m;
    return v < 0 && r != 0 ? m - r : r;
}
u64 Mod(i128 v, u64 m) {
    const auto r = static_cast<u64>(Magnitude(v) % m);
    return v < 0 && r != 0 ? m - r : r;
}

// The primes up to kProductBound, sieved once.
const std::vector<std::int32_t>& ProductPrimes() {
    static const std::vector<std::int32_t> primes = primelib::SievePrimesUpTo(kProductBound);
    return primes;
}

// ---- Factoring past 64 bits ----

// a b mod m for a, b < m <= 2^80, in two 40-bit halves of b so that nothing passes 128 bits.
u128 MulMod(u128 a, u128 b, u128 m) {
    const u128 high = (a * (b >> 40)) % m;
    return ((high << 40) % m + a * (b & ((u128{1} << 40) - 1))) % m;
}

u128 PowMod(u128 base, u128 exponent, u128 m) {
    u128 result = 1 % m;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1) result = MulMod(result, base, m);
        base = MulMod(base, base, m);
    }
    return result;
}

// Miller-Rabin with the primes 2 … 41 as bases, which no composite below 3.3·10^24 passes
// (Sorenson and Webster); here n is odd, 2^64 <= n <= 2^80.
bool IsPrimeWide(u128 n) {
    u128 d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        ++s;
    }
    for (const u64 base : {2, 3, 5, 7, 11, 13, 17, 19, 23, 29, 31, 37, 41}) {
        u128 x = PowMod(base, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int r = 1; r < s && composite; ++r) {
            x = MulMod(x, x, n);
            if (x == n - 1) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

u128 GcdWide(u128 a, u128 b) {
    while (b != 0)
        a = std::exchange(b, a % b);
    return a;
}

u128 IntegerSqrtWide(u128 n) {
    auto r = static_cast<u128>(std::sqrt(static_cast<long double>(n)));
    while (r * r > n)
        --r;
    while ((r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

// A proper factor of the odd composite n (2^64 <= n <= 2^80), by Pollard-Brent rho.
u128 SplitWide(u128 n) {
    for (u128 c = 1;; ++c) {
        u128 y = 2, x = 2, ys = 2, q = 1, g = 1;
        const auto step = [&](u128 v) { return (MulMod(v, v, n) + c) % n; };
        for (u128 r = 1; g == 1; r <<= 1) {
            x = y;
            for (u128 i = 0; i < r; ++i)
                y = step(y);
            for (u128 k = 0; k < r && g == 1; k += 128) {
                ys = y;
                for (u128 i = 0; i < 128 && i < r - k; ++i) {
                    y = step(y);
                    q = MulMod(q, x > y ? x - y : y - x, n);
                }
                g = GcdWide(q, n);
            }
        }
        if (g == n) {
            do {
                ys = step(ys);
                g = GcdWide(x > ys ? x - ys : ys - x, n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

// The prime factors of n (any 128-bit number up to 2^80) with their exponents, in any order.
void FactorWide(u128 n, std::vector<std::pair<u128, int>>& out) {
    const auto add = [&](u128 p, int e) {
        for (auto& [q, k] : out) {
            if (q == p) {
                k += e;
                return;
            }
        }
        out.emplace_back(p, e);
    };
    if (n <= std::numeric_limits<u64>::max()) {
        for (const PrimePower& pp : Factorize(static_cast<u64>(n)))
            add(pp.prime, pp.exponent);
        return;
    }
    for (const std::int32_t p : primelib::SmallPrimes()) {
        if (p > 1000) break;
        int e = 0;
        while (n % static_cast<u64>(p) == 0) {
            n /= static_cast<u64>(p);
            ++e;
        }
        if (e > 0) add(static_cast<u64>(p), e);
    }
    if (n <= std::numeric_limits<u64>::max()) {
        FactorWide(n, out);
        return;
    }
    if (const u128 root = IntegerSqrtWide(n); root * root == n) {
        std::vector<std::pair<u128, int>> half;
        FactorWide(root, half);
        for (const auto& [p, e] : half)
            add(p, 2 * e);
        return;
    }
    if (IsPrimeWide(n)) {
        add(n, 1);
        return;
    }
    const u128 d = SplitWide(n);
    std::vector<std::pair<u128, int>> parts;
    FactorWide(d, parts);
    FactorWide(n / d, parts);
    for (const auto& [p, e] : parts)
        add(p, e);
}

// (D / p) for a prime p.
int KroneckerPrime(i128 d, u64 p) {
    if (p == 2) {
        const auto mod8 = static_cast<unsigned>(Mod(d, 8));
        return (mod8 & 1) == 0 ? 0 : (mod8 == 1 || mod8 == 7) ? 1 : -1;
    }
    return JacobiSymbol(Mod(d, p), p);
}

// ---- L(1, χ) and L(2, χ) by their series ----

// E1(y) = ∫_y^∞ e^{-s}/s ds for y > 0, given e^{-y}: the power series up to 1, a continued
// fraction (modified Lentz) beyond.
double ExponentialIntegral(double y, double expMinusY) {
    if (y <= 1) {
        double sum = 0;
        double power = 1;  // (-y)^k / k!
        for (int k = 1; k < 40; ++k) {
            power *= -y / k;
            sum += power / k;
            if (std::fabs(power) < 1e-18) break;
        }
        return -std::numbers::egamma - std::log(y) - sum;
    }
    constexpr double kTiny = 1e-300;
    double b = y + 1;
    double c = 1 / kTiny;
    double d = 1 / b;
    double h = d;
    for (int i = 1; i < 200; ++i) {
        const double a = -static_cast<double>(i) * i;
        b += 2;
        d = 1 / (a * d + b);
        c = b + a / c;
        const double delta = c * d;
        h *= delta;
        if (std::fabs(delta - 1) < 1e-16) break;
    }
    return h * expMinusY;
}

// erfcx(x) = e^{x²} erfc(x), smooth and slowly varying: on [0, 8) it comes from Taylor
// polynomials about the midpoints of 256 short intervals, whose coefficients follow from
// erfcx' = 2x erfcx - 2/√π (error below 10^-16). A series term then costs a few
// multiplications instead of a library call.
class ScaledComplementaryErrorFunction {
  public:
    ScaledComplementaryErrorFunction() {
        for (int i = 0; i < kIntervals; ++i) {
            const double x0 = (i + 0.5) * kWidth;
            auto& a = coefficients_[static_cast<std::size_t>(i)];
            a[0] = std::erfc(x0) * std::exp(x0 * x0);
            a[1] = 2 * x0 * a[0] - 2 * std::numbers::inv_sqrtpi;
            for (int k = 1; k < kDegree; ++k)
                a[k + 1] = (2 * x0 * a[k] + 2 * a[k - 1]) / (k + 1);
        }
    }

    // erfcx(x) for 0 <= x < kEnd.
    double operator()(double x) const {
        const auto i = static_cast<int>(x / kWidth);
        const double u = x - (i + 0.5) * kWidth;
        const auto& a = coefficients_[static_cast<std::size_t>(i)];
        double sum = a[kDegree];
        for (int k = kDegree - 1; k >= 0; --k)
            sum = sum * u + a[k];
        return sum;
    }

    static constexpr double kEnd = 8;

  private:
    static constexpr int kIntervals = 256;
    static constexpr double kWidth = kEnd / kIntervals;
    static constexpr int kDegree = 9;
    std::array<std::array<double, kDegree + 1>, kIntervals> coefficients_{};
};

// E1(y) for y > 0, given e^{-y}, fast: below 1 the power series as a fixed polynomial, from 1
// to kEnd Taylor polynomials of g(y) = e^y E1(y) about the midpoints of intervals 1/8 wide,
// whose coefficients follow from g' = g - 1/y (error below 10^-16 of g), beyond that the
// continued fraction.
class FastExponentialIntegral {
  public:
    FastExponentialIntegral() {
        double factorial = 1;
        for (int k = 1; k <= kSeriesDegree; ++k) {
            factorial *= k;
            series_[static_cast<std::size_t>(k)] = (k % 2 == 1 ? 1 : -1) / (k * factorial);
        }
        for (int i = 0; i < kIntervals; ++i) {
            const double y0 = 1 + (i + 0.5) * kWidth;
            auto& a = coefficients_[static_cast<std::size_t>(i)];
            a[0] = ExponentialIntegral(y0, 1);  // g(y0)
            double power = 1 / y0;              // y0^-(k+1)
            for (int k = 0; k < kDegree; ++k) {
                a[static_cast<std::size_t>(k + 1)] =
                    (a[static_cast<std::size_t>(k)] - (k % 2 == 0 ? power : -power)) / (k + 1);
                power /= y0;
            }
        }
    }

    double operator()(double y, double expMinusY) const {
        if (y <= 1) {
            double sum = series_[kSeriesDegree];
            for (int k = kSeriesDegree - 1; k >= 1; --k)
                sum = sum * y + series_[static_cast<std::size_t>(k)];
            return -std::numbers::egamma - std::log(y) + sum * y;
        }
        if (y >= kEnd) return ExponentialIntegral(y, expMinusY);
        const auto i = static_cast<int>((y - 1) / kWidth);
        const double u = y - (1 + (i + 0.5) * kWidth);
        const auto& a = coefficients_[static_cast<std::size_t>(i)];
        double sum = a[kDegree];
        for (int k = kDegree - 1; k >= 0; --k)
            sum = sum * u + a[static_cast<std::size_t>(k)];
        return sum * expMinusY;
    }

  private:
    static constexpr int kSeriesDegree = 18;  // 1/(18 · 18!) < 10^-17
    static constexpr double kEnd = 57;
    static constexpr double kWidth = 0.125;
    static constexpr int kIntervals = 448;  // (kEnd - 1) / kWidth
    static constexpr int kDegree = 13;
    std::array<double, kSeriesDegree + 1> series_{};
    std::array<std::array<double, kDegree + 1>, kIntervals> coefficients_{};
};

// χ_D(n) for n = 0 … count - 1. The character is completely multiplicative, so only primes
// with χ_D(p) ≠ 1 change anything: 0 wipes out their multiples, -1 flips the sign of the
// multiples of every power. The primes come from a sieve of the odd numbers, one byte each.
std::vector<std::int8_t> CharacterTable(std::int64_t d, std::int64_t count) {
    std::vector<std::int8_t> chi(static_cast<std::size_t>(count), 1);
    chi[0] = 0;
    const auto apply = [&](std::int64_t p, int value) {
        if (value == 1) return;
        if (value == 0) {
            for (std::int64_t m = p; m < count; m += p)
                chi[static_cast<std::size_t>(m)] = 0;
            return;
        }
        for (std::int64_t power = p;; power *= p) {
            for (std::int64_t m = power; m < count; m += power)
                chi[static_cast<std::size_t>(m)] =
                    static_cast<std::int8_t>(-chi[static_cast<std::size_t>(m)]);
            if (power > (count - 1) / p) break;
        }
    };
    apply(2, KroneckerSymbol(d, 2));
    // composite[k] for the odd number 2k + 1.
    std::vector<std::uint8_t> composite(static_cast<std::size_t>(count / 2 + 1), 0);
    const u64 magnitude = Magnitude(d);
    for (std::int64_t p = 3; p < count; p += 2) {
        if (composite[static_cast<std::size_t>(p / 2)] != 0) continue;
        for (std::int64_t m = p * p; m < count; m += 2 * p)
            composite[static_cast<std::size_t>(m / 2)] = 1;
        const auto prime = static_cast<u64>(p);
        u64 residue = magnitude % prime;
        if (d < 0 && residue != 0) residue = prime - residue;
        apply(p, JacobiSymbol(residue, prime));
    }
    return chi;
}

struct LValues {
    double one = kNaN;
    double two = kNaN;
    std::vector<std::int8_t> chi;  // χ(n) for the n the series took
};

// L(1, χ) and L(2, χ) for a fundamental D with |D| <= kMaxSeriesDiscriminant, from the
// functional equation of Λ(s) = (q/π)^{s/2} Γ((s + δ)/2) L(s, χ) = Λ(1 - s), q = |D|, δ = 1
// for D < 0 and 0 for D > 0, split at the symmetric point (Cohen, "A Course in Computational
// Algebraic Number Theory", 5.3.14 and 5.6.11, carried to s = 2). With t = √(π/q),
// y = (nt)², and the incomplete gamma functions written with erfc and E1:
//   D < 0:  L(1) = Σ χ(n) (e^{-y}/n + π/√q erfc(nt))
//           L(2) = Σ χ(n) (2/√π Γ(3/2, y)/n² + 2/√π (π/q)^{3/2} n E1(y))
//   D > 0:  L(1) = Σ χ(n) (erfc(nt)/n + E1(y)/√q)
//           L(2) = Σ χ(n) (e^{-y}/n² + (π/q)^{3/2} n Γ(-1/2, y))
// with Γ(3/2, y) = √y e^{-y} + √π/2 erfc(√y), Γ(-1/2, y) = 2 e^{-y}/√y - 2√π erfc(√y).
LValues SeriesLValues(std::int64_t d) {
    LValues out;
    if (d == 0 || d == 1 || Magnitude(d) > static_cast<u64>(kMaxSeriesDiscriminant)) return out;
    const double q = static_cast<double>(Magnitude(d));
    const double rootQ = std::sqrt(q);
    const double t = std::sqrt(std::numbers::pi / q);
    const double t3 = t * t * t;  // (π/q)^{3/2}
    // For D < 0 the terms of L(2) carry a factor 1/n² = t²/(nt)², so that what is left out past
    // nt = X is about t e^{-X²} / (√π X²), and L(1) is needed only to find the whole number h:
    // the series may stop well before kSeriesEnd when |D| is large.
    double end = kSeriesEnd;
    while (d < 0 && end > 4 &&
           t * std::exp(-(end - 0.1) * (end - 0.1)) / (end - 0.1) / (end - 0.1) < 1e-17)
        end -= 0.1;
    const auto count = static_cast<std::int64_t>(std::ceil(end / t)) + 1;
    std::vector<std::int8_t> chi = CharacterTable(d, count);
    static const ScaledComplementaryErrorFunction erfcx;
    static const FastExponentialIntegral e1;
    constexpr double kTwoOverRootPi = 2 * std::numbers::inv_sqrtpi;
    // e^{-(nt)²} by recurrence: each step multiplies by e^{-(2n+1)t²}.
    const double step = std::exp(-2 * t * t);
    double ratio = std::exp(-t * t);
    double gaussian = 1;
    double one = 0, two = 0;
    for (std::int64_t n = 1; n < count; ++n) {
        gaussian *= ratio;
        ratio *= step;
        const int sign = chi[static_cast<std::size_t>(n)];
        if (sign == 0) continue;
        const auto dn = static_cast<double>(n);
        const double x = dn * t;
        const double erfc = gaussian * erfcx(x);
        if (d < 0) {
            const double inverse = 1 / dn;
            one += sign * (gaussian * inverse + std::numbers::pi / rootQ * erfc);
            const double upper =
                x * gaussian + std::numbers::pi * std::numbers::inv_sqrtpi / 2 * erfc;
            two +=
                sign * kTwoOverRootPi * (upper * inverse * inverse + t3 * dn * e1(x * x, gaussian));
        } else {
            one += sign * (erfc / dn + e1(x * x, gaussian) / rootQ);
            const double lower =
                2 * gaussian * (1 / x - std::numbers::pi * std::numbers::inv_sqrtpi * erfcx(x));
            two += sign * (gaussian / (dn * dn) + t3 * dn * lower);
        }
    }
    out.one = one;
    out.two = two;
    out.chi = std::move(chi);
    return out;
}

// ---- The class group of a negative discriminant ----

// A positive definite binary quadratic form a x² + b xy + c y² of discriminant b² - 4ac = D,
// kept reduced: |b| <= a <= c, b >= 0 when |b| = a or a = c. With |D| <= 2^80 every
// intermediate value of Compose stays below 2^110.
struct Form {
    i128 a = 1;
    i128 b = 1;
    i128 c = 1;
    bool operator==(const Form&) const = default;
};

i128 FloorDivide(i128 n, i128 d) {  // d > 0
    const i128 q = n / d;
    return (n % d != 0 && n < 0) ? q - 1 : q;
}

// (g, x, y) with x a + y b = g = gcd(a, b) >= 0.
std::tuple<i128, i128, i128> ExtendedGcd(i128 a, i128 b) {
    i128 x0 = 1, y0 = 0, x1 = 0, y1 = 1;
    while (b != 0) {
        const i128 q = a / b;
        a = std::exchange(b, a - q * b);
        x0 = std::exchange(x1, x0 - q * x1);
        y0 = std::exchange(y1, y0 - q * y1);
    }
    if (a < 0) return {-a, -x0, -y0};
    return {a, x0, y0};
}

// Cohen, Algorithm 5.4.2.
Form Reduce(Form f) {
    for (;;) {
        if (!(-f.a < f.b && f.b <= f.a)) {
            // b = 2aq + r with -a < r <= a.
            i128 q = FloorDivide(f.b, 2 * f.a);
            i128 r = f.b - 2 * f.a * q;
            if (r > f.a) {
                r -= 2 * f.a;
                ++q;
            }
            f.c -= (f.b + r) * q / 2;
            f.b = r;
        }
        if (f.a > f.c) {
            f.b = -f.b;
            std::swap(f.a, f.c);
            continue;
        }
        if (f.a == f.c && f.b < 0) f.b = -f.b;
        return f;
    }
}

// Cohen, Algorithm 5.4.7 (Shanks' composition), then reduction.
Form Compose(Form f1, Form f2) {
    if (f1.a > f2.a) std::swap(f1, f2);
    const i128 s = (f1.b + f2.b) / 2;
    const i128 n = f2.b - s;
    i128 y1 = 0, d = f1.a;
    if (f2.a % f1.a != 0) {
        const auto [g, u, v] = ExtendedGcd(f2.a, f1.a);
        d = g;
        y1 = u;
    }
    i128 x2 = 0, y2 = -1, d1 = d;
    if (s % d != 0) {
        const auto [g, x, y] = ExtendedGcd(s, d);
        d1 = g;
        x2 = x;
        y2 = -y;
    }
    const i128 v1 = f1.a / d1;
    const i128 v2 = f2.a / d1;
    i128 r = ((y1 * y2 % v1) * (n % v1) - (x2 % v1) * (f2.c % v1)) % v1;
    if (r < 0) r += v1;
    Form f;
    f.a = v1 * v2;
    f.b = f2.b + 2 * v2 * r;
    f.c = (f2.c * d1 + r * (f2.b + v2 * r)) / v1;
    return Reduce(f);
}

Form Inverse(Form f) {
    f.b = -f.b;
    return Reduce(f);
}

Form Power(Form base, u64 exponent, const Form& identity) {
    Form result = identity;
    for (; exponent != 0; exponent >>= 1) {
        if (exponent & 1) result = Compose(result, base);
        if (exponent > 1) base = Compose(base, base);
    }
    return result;
}

// The reduced form (p, b, c) of a prime p with (D / p) = 1, p odd and small.
Form PrimeForm(i128 d, u64 p) {
    const u64 residue = Mod(d, p);
    u64 root = 0;
    while (root * root % p != residue)
        ++root;
    i128 b = static_cast<i128>(root);
    if (((b ^ d) & 1) != 0) b = static_cast<i128>(p) - b;  // b ≡ D (mod 2)
    return Reduce({static_cast<i128>(p), b, (b * b - d) / (4 * static_cast<i128>(p))});
}

// The solutions i of base^i = target with 0 <= i < count: none, or first, first + step, … .
struct Solutions {
    u64 first = 0;
    u64 step = 0;  // 0: none
    u64 count = 0;
};

// Baby steps base^j for j < m, sorted, then giant steps target·base^{-gm}.
Solutions BabyStepGiantStep(const Form& base, const Form& target, u64 count, const Form& identity) {
    Solutions out;
    const u64 m =
        std::max<u64>(1, static_cast<u64>(std::ceil(std::sqrt(static_cast<double>(count)))));
    std::vector<std::tuple<i128, i128, u64>> baby;
    baby.reserve(m);
    Form power = identity;
    u64 order = 0;  // base's order when below m
    for (u64 j = 0; j < m; ++j) {
        if (j > 0 && power == identity) {
            order = j;
            break;
        }
        baby.emplace_back(power.a, power.b, j);
        power = Compose(power, base);
    }
    std::sort(baby.begin(), baby.end());
    const auto find = [&](const Form& f) -> std::optional<u64> {
        const auto it =
            std::lower_bound(baby.begin(), baby.end(), std::make_tuple(f.a, f.b, u64{0}));
        if (it != baby.end() && std::get<0>(*it) == f.a && std::get<1>(*it) == f.b)
            return std::get<2>(*it);
        return std::nullopt;
    };
    if (order != 0) {
        const auto j = find(target);
        if (!j || *j >= count) return out;
        return {*j, order, (count - 1 - *j) / order + 1};
    }
    const Form giant = Inverse(power);  // base^{-m}
    Form f = target;
    std::vector<u64> found;
    for (u64 g = 0; g * m < count && found.size() < 2; ++g) {
        if (const auto j = find(f); j && g * m + *j < count) found.push_back(g * m + *j);
        f = Compose(f, giant);
    }
    if (found.empty()) return out;
    if (found.size() == 1) return {found[0], count, 1};
    const u64 step = found[1] - found[0];
    return {found[0], step, (count - 1 - found[0]) / step + 1};
}

// h(D) for D < -4 by Shanks' method, given 2^(μ - 1) (μ the number of primes dividing D),
// which genus theory says divides h, and the Euler product of L(1, χ_D) over the primes up to
// kProductBound, which gives the estimate. Its error is about 0.03 % for a typical D; the
// window allows 0.5 % first and widens fourfold while no h fits. 0 when none is found.
std::int64_t ShanksClassNumber(i128 d, u64 unit, long double product) {
    const Form identity = Reduce({1, d & 1, ((d & 1) - d) / 4});
    const long double estimate = product * std::sqrt(static_cast<long double>(Magnitude(d))) /
                                 std::numbers::pi_v<long double>;
    for (long double width = 0.005L; width < 2; width *= 4) {
        const auto low =
            static_cast<u64>(std::max<long double>(1, std::floor(estimate * (1 - width) / unit)));
        const auto high = static_cast<u64>(std::ceil(estimate * (1 + width) / unit));
        // h = unit (low + i) for some i in 0 … count - 1; each form narrows the i that fit.
        Solutions fit{0, 1, high - low + 1};
        bool failed = false;
        int forms = 0;
        for (const std::int32_t p : ProductPrimes()) {
            if (p == 2 || KroneckerPrime(d, static_cast<u64>(p)) != 1) continue;
            const Form g = Power(PrimeForm(d, static_cast<u64>(p)), unit, identity);
            // g^(low + first + step k) = 1  ⇔  (g^step)^k = (g^(low + first))^-1
            const Form base = Power(g, fit.step, identity);
            const Form target = Inverse(Power(g, low + fit.first, identity));
            const Solutions s = BabyStepGiantStep(base, target, fit.count, identity);
            if (s.step == 0) {
                failed = true;
                break;
            }
            fit = {fit.first + fit.step * s.first, fit.step * s.step, s.count};
            if (fit.count == 1 || ++forms == 20) break;
        }
        if (failed) continue;
        // Several left after 20 forms (a group of unusually small exponent): the one nearest
        // the estimate.
        const long double k = estimate / unit - low - fit.first;
        u64 best = 0;
        if (fit.count > 1 && k > 0)
            best = std::min<u64>(fit.count - 1, static_cast<u64>(std::llround(k / fit.step)));
        return static_cast<std::int64_t>(unit * (low + fit.first + fit.step * best));
    }
    return 0;
}

// 2^(μ - 1) for the factors of D.
u64 GenusCount(const std::vector<std::pair<u128, int>>& factors) {
    return u64{1} << (factors.size() - 1);
}

// The Euler product of L(1, χ_D) over the primes up to kProductBound.
long double EulerProductOfLOne(i128 d) {
    long double product = 1;
    for (const std::int32_t p : ProductPrimes()) {
        const int chi = KroneckerPrime(d, static_cast<u64>(p));
        product *= static_cast<long double>(p) / (p - chi);
    }
    return product;
}

// The Jacobi symbol (a / n) for odd n, 128 bits wide.
int JacobiWide(u128 a, u128 n) {
    a %= n;
    int t = 1;
    while (a != 0) {
        while ((a & 1) == 0) {
            a >>= 1;
            const auto r = static_cast<unsigned>(n & 7);
            if (r == 3 || r == 5) t = -t;
        }
        std::swap(a, n);
        if ((a & 3) == 3 && (n & 3) == 3) t = -t;
        a %= n;
    }
    return n == 1 ? t : 0;
}

// The number of roots of f modulo the prime p (p itself when every value is a multiple of p).
u128 RootsModulo(const Quadratic& f, i128 discriminant, u128 p) {
    if (p > std::numeric_limits<u64>::max()) {
        // Only a prime of the discriminant is this large: one double root, or p | a, b, c.
        const u128 a = Magnitude(static_cast<i128>(f.a)) % p;
        const u128 b = Magnitude(static_cast<i128>(f.b)) % p;
        if (a == 0) return b != 0 ? 1 : (Magnitude(static_cast<i128>(f.c)) % p == 0 ? p : 0);
        return 1;
    }
    const auto prime = static_cast<u64>(p);
    const u64 a = Mod(f.a, prime);
    const u64 b = Mod(f.b, prime);
    const u64 c = Mod(f.c, prime);
    if (a == 0) return b != 0 ? 1 : (c == 0 ? prime : 0);  // f is linear modulo p
    if (prime == 2) return (c == 0 ? 1u : 0u) + ((a + b + c) % 2 == 0 ? 1u : 0u);
    const u64 d = Mod(discriminant, prime);
    return d == 0 ? 1 : static_cast<u64>(1 + JacobiSymbol(d, prime));
}

// (D / p) for any prime p.
int KroneckerWide(i128 d, u128 p) {
    if (p <= std::numeric_limits<u64>::max()) return KroneckerPrime(d, static_cast<u64>(p));
    const u128 r = Magnitude(d) % p;
    return JacobiWide(d < 0 && r != 0 ? p - r : r, p);
}

}  // namespace

std::int64_t ClassNumberShanks(Int128 d) {
    if (d >= -4 || Magnitude(d) > static_cast<u128>(kMaxFactoredDiscriminant)) return 0;
    std::vector<std::pair<u128, int>> factors;
    FactorWide(Magnitude(d), factors);
    return ShanksClassNumber(d, GenusCount(factors), EulerProductOfLOne(d));
}

std::optional<Int128> Discriminant(const Quadratic& f) {
    // |b²| < 2^126 and |4ac| <= 2^127 - 2^65: the difference fits unless it is near 2^127.
    const i128 bb = static_cast<i128>(f.b) * f.b;
    const i128 ac = static_cast<i128>(f.a) * f.c;
    i128 fourAc = 0;
    if (__builtin_mul_overflow(ac, static_cast<i128>(4), &fourAc)) return std::nullopt;
    i128 d = 0;
    if (__builtin_sub_overflow(bb, fourAc, &d)) return std::nullopt;
    return d;
}

std::string DecimalText(Int128 value) {
    u128 magnitude = Magnitude(value);
    std::string digits;
    do {
        digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    return value < 0 ? "-" + digits : digits;
}

namespace {

// The fundamental discriminant of a discriminant with these prime factors.
i128 FundamentalOf(i128 discriminant, const std::vector<std::pair<u128, int>>& factors) {
    // The squarefree kernel keeps the primes of odd exponent; a kernel of 2 or 3 modulo 4 is
    // not a discriminant itself, and 4 kernel is.
    u128 kernel = 1;
    for (const auto& [p, e] : factors) {
        if (e % 2 == 1) kernel *= p;
    }
    const i128 d = discriminant < 0 ? -static_cast<i128>(kernel) : static_cast<i128>(kernel);
    return Mod(d, 4) == 1 ? d : 4 * d;
}

// L(1, χ_D) from the class number of D < 0: 2π h / (w √|D|), w the number of units.
double LOneFromClassNumber(i128 d, std::int64_t h) {
    const double w = d == -3 ? 6 : d == -4 ? 4 : 2;
    return 2 * std::numbers::pi * static_cast<double>(h) /
           (w * std::sqrt(static_cast<double>(Magnitude(d))));
}

// h(D) from the series value of L(1, χ_D), D < 0: the nearest whole number.
std::int64_t ClassNumberFromLOne(i128 d, double lOne) {
    const double w = d == -3 ? 6 : d == -4 ? 4 : 2;
    return std::llround(lOne * w * std::sqrt(static_cast<double>(Magnitude(d))) /
                        (2 * std::numbers::pi));
}

bool Reachable(i128 d) {
    return d != 0 && d != 1 && Magnitude(d) <= static_cast<u128>(kMaxFactoredDiscriminant);
}

}  // namespace

Int128 FundamentalDiscriminant(Int128 discriminant) {
    if (Magnitude(discriminant) > static_cast<u128>(kMaxFactoredDiscriminant)) return 0;
    std::vector<std::pair<u128, int>> factors;
    FactorWide(Magnitude(discriminant), factors);
    return FundamentalOf(discriminant, factors);
}

double QuadraticLOne(Int128 d) {
    if (!Reachable(d)) return kNaN;
    if (d < 0) return LOneFromClassNumber(d, ClassNumber(d));
    return SeriesLValues(static_cast<std::int64_t>(std::min<i128>(d, kMaxSeriesDiscriminant + 1)))
        .one;
}

double QuadraticLTwo(Int128 d) {
    if (!Reachable(d) || Magnitude(d) > static_cast<u128>(kMaxSeriesDiscriminant)) return kNaN;
    return SeriesLValues(static_cast<std::int64_t>(d)).two;
}

std::int64_t ClassNumber(Int128 d) {
    if (d >= 0 || !Reachable(d)) return 0;
    if (d >= -kMaxSeriesDiscriminant) {
        return ClassNumberFromLOne(d, SeriesLValues(static_cast<std::int64_t>(d)).one);
    }
    return ClassNumberShanks(d);
}

// C(f) = ∏_p E(p), E(p) = (1 - ω(p)/p) / (1 - 1/p), is split as
//   C(f) = ∏_p R(p) / (L(1, χ_D) L(2, χ_D)),   R(p) = E(p) / ((1 - χ_D(p)/p)(1 - χ_D(p)/p²)).
// For a prime p not dividing 2a·disc, ω(p) = 1 + χ_D(p), so E(p) = 1 - χ_D(p)/(p - 1) and
// R(p) = (1 - 2/p)/((1 - 1/p)²(1 - 1/p²)) = 1 - 2/p³ - … when χ_D(p) = 1, p⁴/(p⁴ - 1) when it
// is -1: |log R(p)| < 2.7/p³, and the mean of the two logarithms is -1/p³ + O(p^-4). The
// product of R(p) is taken exactly over the primes up to a bound P and over every prime of
// 2a·disc however large; the primes left out move it by less than 2.7 Σ_{p > P} p^-3, of which
// their mean, -Σ_{p > P} p^-3 ≈ -E1(2 ln P) ≈ -1/(2 P² ln P), is put in: what is left is below
// 1/(2 P² ln P)
// in the worst case (3·10^-12 for P = 2^17, 4·10^-14 for P = 10^6) and far less in practice. The
// product runs in long double (64-bit mantissa), so its 78,498 roundings stay below 10^-14.
//
// L(1, χ_D) and L(2, χ_D) come from their series up to |D| = kMaxSeriesDiscriminant. Beyond,
// D < 0 (positive ones that large are out of the views' reach) and L(1, χ_D) = π h / √|D|
// with h from Shanks' method; L(2, χ_D) is then its Euler product to kProductBound, whose
// relative error is |Σ_{p > 10^6} χ_D(p)/p²| + O(10^-13): below 7.3·10^-8 always, about 2·10^-10
// for χ_D(p) that behave like random signs.
ConstantParts BatemanHornParts(const Quadratic& f) {
    ConstantParts out;
    out.lOne = kNaN;
    out.constant = kNaN;
    if (f.a == 0) return out;
    const std::optional<i128> disc = Discriminant(f);
    if (!disc) return out;
    const i128 delta = *disc;
    const auto zero = [&](ZeroReason reason) {
        out.constant = 0;
        out.reason = reason;
        return out;
    };
    if (delta == 0) {
        out.fundamental = 1;
        return zero(ZeroReason::Square);
    }
    if (delta > 0) {
        const u128 root = IntegerSqrtWide(static_cast<u128>(delta));
        if (root * root == static_cast<u128>(delta)) {
            out.fundamental = 1;
            return zero(ZeroReason::Factors);
        }
    }
    if (Magnitude(delta) > static_cast<u128>(kMaxFactoredDiscriminant)) return out;
    // A prime dividing every value divides a, b and c, or is 2 with f(0) and f(1) both even.
    // D, h and L(1, χ) are still told.
    const bool shared = std::gcd(std::gcd(Magnitude(f.a), Magnitude(f.b)), Magnitude(f.c)) > 1 ||
                        ((f.c & 1) == 0 && ((f.a ^ f.b) & 1) == 0);

    std::vector<std::pair<u128, int>> factors;
    FactorWide(Magnitude(delta), factors);
    const i128 d = FundamentalOf(delta, factors);
    if (d > kMaxSeriesDiscriminant) return out;
    // The primes of 2a·disc, each once, ascending.
    std::vector<u128> exceptional{2};
    for (const auto& [p, e] : factors)
        exceptional.push_back(p);
    for (const PrimePower& pp : Factorize(Magnitude(f.a)))
        exceptional.push_back(pp.prime);
    std::sort(exceptional.begin(), exceptional.end());
    exceptional.erase(std::unique(exceptional.begin(), exceptional.end()), exceptional.end());

    const auto rFactor = [&](u128 p, int chi, bool special) -> long double {
        const auto prime = static_cast<long double>(p);
        const long double e =
            special ? (prime - static_cast<long double>(RootsModulo(f, delta, p))) / (prime - 1)
                    : 1 - chi / (prime - 1);
        return e / ((1 - chi / prime) * (1 - chi / (prime * prime)));
    };
    const bool series = Magnitude(d) <= static_cast<u128>(kMaxSeriesDiscriminant);
    const std::int32_t bound = series ? kSeriesProductBound : kProductBound;
    // The series' table of χ(n) serves the product too where it reaches far enough.
    LValues values;
    if (series) values = SeriesLValues(static_cast<std::int64_t>(d));
    const bool tabled = values.chi.size() > static_cast<std::size_t>(bound);
    long double product = 1;
    long double lOneProduct = 1;  // Euler products over the primes to `bound`
    long double lTwoProduct = 1;
    std::size_t next = 0;  // the next exceptional prime
    for (const std::int32_t p : ProductPrimes()) {
        if (p > bound) break;
        const auto prime = static_cast<u64>(p);
        const int chi = tabled ? values.chi[prime] : KroneckerPrime(d, prime);
        const bool special = next < exceptional.size() && exceptional[next] == prime;
        if (special) ++next;
        product *= rFactor(prime, chi, special);
        lOneProduct *= static_cast<long double>(p) / (p - chi);
        lTwoProduct *= static_cast<long double>(prime * prime) /
                       (static_cast<long double>(prime * prime) - chi);
    }
    // Σ_{p > P} p^-3 ≈ ∫_P^∞ dt / (t³ ln t) = E1(2 ln P).
    const double lnBound = std::log(static_cast<double>(bound));
    product *= 1 - static_cast<long double>(
                       ExponentialIntegral(2 * lnBound, 1 / (static_cast<double>(bound) * bound)));
    for (; next < exceptional.size(); ++next) {
        const u128 p = exceptional[next];
        if (p > static_cast<u128>(bound)) product *= rFactor(p, KroneckerWide(d, p), true);
    }

    double lOne = kNaN;
    long double lTwo = lTwoProduct;
    std::int64_t h = 0;
    if (series) {
        lOne = values.one;
        lTwo = values.two;
        if (d < 0) {
            h = ClassNumberFromLOne(d, lOne);
            lOne = LOneFromClassNumber(d, h);
        }
    } else {
        std::vector<std::pair<u128, int>> fundamentalFactors;  // the primes of D
        for (const auto& [p, e] : factors) {
            if (Magnitude(d) % p == 0) fundamentalFactors.emplace_back(p, 1);
        }
        h = ShanksClassNumber(d, GenusCount(fundamentalFactors), lOneProduct);
        if (h == 0) return out;
        lOne = LOneFromClassNumber(d, h);
    }
    out.fundamental = d;
    out.classNumber = h;
    out.lOne = lOne;
    out.constant = static_cast<double>(product / (lOne * lTwo));
    if (shared) return zero(ZeroReason::Shared);
    return out;
}

double BatemanHornConstant(const Quadratic& f) {
    return BatemanHornParts(f).constant;
}

RayStatistics MeasureQuadratic(const Quadratic& f, std::int64_t terms, double constant) {
    RayStatistics out;
    terms = std::clamp<std::int64_t>(terms, 0, kMaxRayTerms);
    const i128 largest = std::numeric_limits<u64>::max();
    double inverseLogs = 0;
    std::int64_t run = 0;
    for (std::int64_t i = 0; i < terms; ++i) {
        const i128 value = static_cast<i128>(f.a) * i * i + static_cast<i128>(f.b) * i + f.c;
        if (value > largest) break;
        ++out.terms;
        if (value >= 2 && IsPrime64(static_cast<u64>(value))) {
            ++out.primes;
            out.longestRun = std::max(out.longestRun, ++run);
        } else {
            run = 0;
        }
        if (value >= 3) inverseLogs += 1 / std::log(static_cast<double>(value));
    }
    out.expected = constant == 0 ? 0 : constant * inverseLogs;
    return out;
}

CellRayReports InspectRays(const CellRays& cell, std::int64_t terms) {
    CellRayReports out;
    out.count = cell.rayCount;
    // Each ray on its own, two at a time where there is a second core.
    WorkShare::Run(cell.rayCount, [&](int k) {
        RayReport& report = out.rays[static_cast<std::size_t>(k)];
        report.ray = cell.rays[static_cast<std::size_t>(k)];
        report.discriminant = Discriminant(report.ray.f);
        // (A piece must not throw; a constant there is no memory for is out of reach.)
        try {
            report.parts = BatemanHornParts(report.ray.f);
        } catch (const std::bad_alloc&) {
            report.parts = {kNaN, ZeroReason::None, 0, 0, kNaN};
        }
        report.constant = report.parts.constant;
        report.statistics = MeasureQuadratic(report.ray.f, terms, report.constant);
    });
    return out;
}

}  // namespace quorvel
