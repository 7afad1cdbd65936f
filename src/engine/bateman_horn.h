// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "engine/spiral_layout.h"

// How many primes a quadratic should take as values, by the Bateman-Horn conjecture, and how
// many a ray of the spiral really holds. Plain functions, safe to call from any thread.
namespace quorvel {

// b² - 4ac, or nothing when it does not fit 64 bits.
std::optional<std::int64_t> Discriminant(const Quadratic& f);

// The fundamental discriminant D with discriminant = D m² for a whole m: the discriminant of the
// quadratic field that the roots of f generate. Meant for discriminants (0 or 1 modulo 4) that
// are no squares; a square gives 1.
std::int64_t FundamentalDiscriminant(std::int64_t discriminant);

// The largest |D| the constant is computed for: L(1, χ_D) costs a sum of about 2 √|D| terms, a
// tenth of a second at this size.
inline constexpr std::int64_t kMaxConstantDiscriminant = std::int64_t{1} << 42;

// L(1, χ_D) = Σ χ_D(n) / n for a fundamental discriminant D ≠ 1 with |D| at most
// kMaxConstantDiscriminant, χ_D(n) the Kronecker symbol (D / n); error below 10^-6.
double QuadraticLOne(std::int64_t fundamentalDiscriminant);

// C(f) = ∏ over all primes p of (1 - ω(p)/p) / (1 - 1/p), ω(p) the number of roots of f modulo
// p, accurate to 0.02 %. 0 when f factors over the integers (a square discriminant) or some
// prime divides every value; NaN when a is 0 or the discriminant is out of reach (beyond 64
// bits, or a fundamental part beyond kMaxConstantDiscriminant).
double BatemanHornConstant(const Quadratic& f);

// Terms of a ray measured at most, so that a measurement always ends (about a second).
inline constexpr std::int64_t kMaxRayTerms = 1'000'000;

struct RayStatistics {
    std::int64_t terms = 0;  // as asked, fewer only where f(i) would pass 2^64 - 1
    std::int64_t primes = 0;
    double expected = 0;          // C(f) · Σ 1 / ln f(i) over the terms with f(i) >= 3
    std::int64_t longestRun = 0;  // consecutive prime terms
};

// f(0) … f(terms - 1) (terms clamped to 0 … kMaxRayTerms), each tested exactly; `constant` is
// C(f), which scales the expected count.
RayStatistics MeasureQuadratic(const Quadratic& f, std::int64_t terms, double constant);

struct RayReport {
    RayQuadratic ray;
    std::optional<std::int64_t> discriminant;
    double constant = 0;
    RayStatistics statistics;
};

struct CellRayReports {
    int count = 0;
    std::array<RayReport, 4> rays{};
};

// Everything the explorer shows about the rays of a cell, for terms i = 0 … terms - 1. Takes
// milliseconds near the top of the 32-bit range at 1000 terms, so a window runs it off its
// event loop.
CellRayReports InspectRays(const CellRays& cell, std::int64_t terms);

}  // namespace quorvel
