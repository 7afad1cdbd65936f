// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/bateman_horn.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <new>
#include <numbers>
#include <numeric>
#include <vector>

#include "engine/number_theory.h"
#include "engine/primelib.h"
#include "engine/work_share.h"

namespace quorvel {
namespace {

__extension__ using i128 = __int128;
using u64 = std::uint64_t;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Where the series for L(1, χ) stops: at n t >= 3.6 with t = √(π / |D|). Its terms fall like
// e^{-(nt)²}, so what is left out is below e^{-3.6²} / 3.6² < 2·10^-7.
constexpr double kSeriesEnd = 3.6;

// The Euler product is taken exactly over the primes up to this bound (and over every prime
// dividing 2a·disc). See BatemanHornConstant for why that is enough.
constexpr std::int32_t kProductBound = 10'000;

u64 Magnitude(std::int64_t v) {
    return v >= 0 ? static_cast<u64>(v) : 0 - static_cast<u64>(v);
}

// v mod m in 0 … m - 1.
u64 Mod(std::int64_t v, u64 m) {
    const u64 r = Magnitude(v) % m;
    return v < 0 && r != 0 ? m - r : r;
}

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

// erfc(x) = e^{-x²} · erfcx(x), where erfcx(x) = e^{x²} erfc(x) is smooth and slowly varying:
// on [0, 4) it comes from Taylor polynomials about the midpoints of 64 short intervals, whose
// coefficients follow from erfcx' = 2x erfcx - 2/√π (error below 10^-13). A series term then
// costs a few multiplications instead of a library call.
class ComplementaryErrorFunction {
  public:
    ComplementaryErrorFunction() {
        for (int i = 0; i < kIntervals; ++i) {
            const double x0 = (i + 0.5) * kWidth;
            auto& a = coefficients_[static_cast<std::size_t>(i)];
            a[0] = std::erfc(x0) * std::exp(x0 * x0);
            a[1] = 2 * x0 * a[0] - 2 * std::numbers::inv_sqrtpi;
            for (int k = 1; k < kDegree; ++k)
                a[k + 1] = (2 * x0 * a[k] + 2 * a[k - 1]) / (k + 1);
        }
    }

    // erfc(x) for x >= 0, given e^{-x²}.
    double operator()(double x, double gaussian) const {
        if (x >= kEnd) return std::erfc(x);
        const auto i = static_cast<int>(x / kWidth);
        const double u = x - (i + 0.5) * kWidth;
        const auto& a = coefficients_[static_cast<std::size_t>(i)];
        double sum = a[kDegree];
        for (int k = kDegree - 1; k >= 0; --k)
            sum = sum * u + a[k];
        return gaussian * sum;
    }

  private:
    static constexpr int kIntervals = 64;
    static constexpr double kEnd = 4;
    static constexpr double kWidth = kEnd / kIntervals;
    static constexpr int kDegree = 8;
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

// The number of roots of f modulo the prime p (p itself when every value is a multiple of p).
u64 RootsModulo(const Quadratic& f, std::int64_t discriminant, u64 p) {
    const u64 a = Mod(f.a, p);
    const u64 b = Mod(f.b, p);
    const u64 c = Mod(f.c, p);
    if (a == 0) return b != 0 ? 1 : (c == 0 ? p : 0);  // f is linear modulo p
    if (p == 2) return (c == 0 ? 1u : 0u) + ((a + b + c) % 2 == 0 ? 1u : 0u);
    const u64 d = Mod(discriminant, p);
    return d == 0 ? 1 : static_cast<u64>(1 + JacobiSymbol(d, p));
}

// The factor of prime p in C(f) · L(1, χ_D): (1 - ω(p)/p) / (1 - 1/p) / (1 - χ_D(p)/p).
double LocalFactor(const Quadratic& f, std::int64_t discriminant, std::int64_t fundamental, u64 p) {
    const auto prime = static_cast<double>(p);
    const auto roots = static_cast<double>(RootsModulo(f, discriminant, p));
    const int chi = KroneckerSymbol(fundamental, p);
    return (prime - roots) / (prime - 1) * prime / (prime - chi);
}

}  // namespace

std::optional<std::int64_t> Discriminant(const Quadratic& f) {
    const i128 ac = static_cast<i128>(f.a) * f.c;
    const i128 limit = static_cast<i128>(1) << 120;
    if (ac > limit || ac < -limit) return std::nullopt;
    const i128 d = static_cast<i128>(f.b) * f.b - 4 * ac;
    if (d > std::numeric_limits<std::int64_t>::max() ||
        d < std::numeric_limits<std::int64_t>::min())
        return std::nullopt;
    return static_cast<std::int64_t>(d);
}

std::int64_t FundamentalDiscriminant(std::int64_t discriminant) {
    // The squarefree kernel keeps the primes of odd exponent; a kernel of 2 or 3 modulo 4 is
    // not a discriminant itself, and 4 kernel is.
    u64 kernel = 1;
    for (const PrimePower& pp : Factorize(Magnitude(discriminant))) {
        if (pp.exponent % 2 == 1) kernel *= pp.prime;
    }
    const std::int64_t d =
        discriminant < 0 ? -static_cast<std::int64_t>(kernel) : static_cast<std::int64_t>(kernel);
    if (Mod(d, 4) == 1) return d;
    // Only a number of 2 or 3 modulo 4, which is no discriminant, could make 4 kernel overflow.
    return Magnitude(d) <= static_cast<u64>(std::numeric_limits<std::int64_t>::max() / 4) ? 4 * d
                                                                                          : 0;
}

// The class number formula in the rapidly converging form of Cohen, "A Course in Computational
// Algebraic Number Theory", 5.3.14 and 5.6.11, with t = √(π/q), q = |D|:
//   D < 0:  L(1, χ) = π/√q · Σ χ(n) (erfc(nt) + e^{-(nt)²} / (√π n t))   (= 2π h / (w √q))
//   D > 0:  L(1, χ) = Σ χ(n) (erfc(nt) / n + E1((nt)²) / √q)            (= 2 h R / √q)
double QuadraticLOne(std::int64_t fundamentalDiscriminant) {
    const std::int64_t d = fundamentalDiscriminant;
    if (d == 0 || d == 1 || Magnitude(d) > static_cast<u64>(kMaxConstantDiscriminant)) return kNaN;
    const double q = static_cast<double>(Magnitude(d));
    const double rootQ = std::sqrt(q);
    const double t = std::sqrt(std::numbers::pi / q);
    const auto count = static_cast<std::int64_t>(std::ceil(kSeriesEnd / t)) + 1;
    const std::vector<std::int8_t> chi = CharacterTable(d, count);
    static const ComplementaryErrorFunction complementaryErrorFunction;
    // e^{-(nt)²} by recurrence: each step multiplies by e^{-(2n+1)t²}.
    const double step = std::exp(-2 * t * t);
    double ratio = std::exp(-t * t);
    double gaussian = 1;
    double sum = 0;
    for (std::int64_t n = 1; n < count; ++n) {
        gaussian *= ratio;
        ratio *= step;
        const int sign = chi[static_cast<std::size_t>(n)];
        if (sign == 0) continue;
        const double x = static_cast<double>(n) * t;
        const double erfc = complementaryErrorFunction(x, gaussian);
        const double term =
            d < 0 ? erfc + gaussian * std::numbers::inv_sqrtpi / x
                  : erfc / static_cast<double>(n) + ExponentialIntegral(x * x, gaussian) / rootQ;
        sum += sign * term;
    }
    return d < 0 ? std::numbers::pi / rootQ * sum : sum;
}

// C(f) = ∏_p (1 - ω(p)/p) / (1 - 1/p) / (1 - χ_D(p)/p) / L(1, χ_D).
// The plain product converges slowly (like 1/√P in the primes taken, as the factors
// 1 - χ_D(p)/p + O(1/p²) wander), so its slow part, the Euler product of 1/L(1, χ_D), is split
// off and computed in closed form. For a prime p not dividing 2a·disc, ω(p) = 1 + χ_D(p) and
// the factor left is (p² - 2p)/(p - 1)² or p²/(p² - 1), within 1/(p - 1)² of 1. Beyond
// kProductBound those factors together move the product by less than Σ_{n >= 10^4} 1/n², about
// 10^-4, i.e. 0.01 %; the primes dividing 2a·disc are taken exactly however large they are, and
// L(1, χ_D) is good to 10^-6.
double BatemanHornConstant(const Quadratic& f) {
    if (f.a == 0) return kNaN;
    const std::optional<std::int64_t> disc = Discriminant(f);
    if (!disc) return kNaN;
    const std::int64_t delta = *disc;
    if (delta >= 0) {
        const u64 root = IntegerSqrt(static_cast<u64>(delta));
        if (root * root == static_cast<u64>(delta)) return 0;  // f factors over the integers
    }
    // A prime dividing every value divides a, b and c, or is 2 with f(0) and f(1) both even.
    if (std::gcd(std::gcd(Magnitude(f.a), Magnitude(f.b)), Magnitude(f.c)) > 1) return 0;
    if ((f.c & 1) == 0 && ((f.a ^ f.b) & 1) == 0) return 0;

    const std::int64_t fundamental = FundamentalDiscriminant(delta);
    const double lOne = QuadraticLOne(fundamental);
    if (std::isnan(lOne)) return kNaN;

    double product = 1;
    for (const std::int32_t p : primelib::SmallPrimes()) {
        if (p > kProductBound) break;
        product *= LocalFactor(f, delta, fundamental, static_cast<u64>(p));
    }
    // The primes of 2a·disc above the bound, each once.
    std::vector<u64> exceptional;
    for (const u64 n : {Magnitude(f.a), Magnitude(delta)}) {
        for (const PrimePower& pp : Factorize(n)) {
            if (pp.prime > kProductBound) exceptional.push_back(pp.prime);
        }
    }
    std::sort(exceptional.begin(), exceptional.end());
    exceptional.erase(std::unique(exceptional.begin(), exceptional.end()), exceptional.end());
    for (const u64 p : exceptional)
        product *= LocalFactor(f, delta, fundamental, p);
    return product / lOne;
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
            report.constant = BatemanHornConstant(report.ray.f);
        } catch (const std::bad_alloc&) {
            report.constant = kNaN;
        }
        report.statistics = MeasureQuadratic(report.ray.f, terms, report.constant);
    });
    return out;
}

}  // namespace quorvel
