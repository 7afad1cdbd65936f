// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "engine/spiral_layout.h"

// How many primes a quadratic should take as values, by the Bateman-Horn conjecture, and how
// many a ray of the spiral really holds. Plain functions, safe to call from any thread.
namespace quorvel {

// b² - 4ac exactly, or nothing when it does not fit 128 bits (never for a ray of the spiral).
std::optional<Int128> Discriminant(const Quadratic& f);

// A whole number of up to 128 bits in decimal digits, "-" before a negative one.
std::string DecimalText(Int128 value);

// The fundamental discriminant D with discriminant = D m² for a whole m: the discriminant of the
// quadratic field that the roots of f generate. Meant for discriminants (0 or 1 modulo 4) that
// are no squares; a square gives 1. 0 when |discriminant| is past kMaxFactoredDiscriminant.
Int128 FundamentalDiscriminant(Int128 discriminant);

// Discriminants are factored up to this size (2^80); a ray's stays below 2^68.
inline constexpr Int128 kMaxFactoredDiscriminant = static_cast<Int128>(1) << 80;

// Up to this |D| the values L(1, χ_D) and L(2, χ_D) come from their exponentially converging
// series (about 2 √|D| terms, some milliseconds at this size); beyond it L(1, χ_D) comes from
// the class number.
inline constexpr std::int64_t kMaxSeriesDiscriminant = std::int64_t{1} << 40;

// L(1, χ_D) = Σ χ_D(n) / n for a fundamental discriminant D ≠ 1, χ_D(n) the Kronecker symbol
// (D / n), to about 14 significant digits. For D > 0 up to kMaxSeriesDiscriminant, for D < 0 up
// to kMaxFactoredDiscriminant; NaN beyond.
double QuadraticLOne(Int128 fundamentalDiscriminant);

// L(2, χ_D) = Σ χ_D(n) / n² for a fundamental D ≠ 1 with |D| up to kMaxSeriesDiscriminant, to
// about 14 significant digits; NaN beyond.
double QuadraticLTwo(Int128 fundamentalDiscriminant);

// The class number h(D) of a negative fundamental discriminant D: the number of classes of
// primitive positive definite forms of discriminant D. By the series for L(1, χ_D) up to
// kMaxSeriesDiscriminant, by Shanks' baby-step giant-step method in the class group beyond
// (to kMaxFactoredDiscriminant); 0 for anything else.
std::int64_t ClassNumber(Int128 fundamentalDiscriminant);

// The same by Shanks' method alone, for any |D| >= 5 up to kMaxFactoredDiscriminant: the
// multiple of the group's exponent that lies in a window around the Euler product's estimate.
std::int64_t ClassNumberShanks(Int128 fundamentalDiscriminant);

// Why a quadratic's constant is 0, if it is.
enum class ZeroReason : std::uint8_t {
    None,
    Square,   // a constant times the square of a linear polynomial (discriminant 0)
    Factors,  // two distinct linear factors over the rationals (a square discriminant)
    Shared,   // one prime divides every value (2 for an even ray)
};

// C(f) and what it is made of.
struct ConstantParts {
    double constant = 0;  // C(f); NaN when out of reach
    ZeroReason reason = ZeroReason::None;
    // Told also where one prime divides every value (C(f) is 0 anyway):
    Int128 fundamental = 0;        // D; 1 for a square discriminant, 0 when out of reach
    std::int64_t classNumber = 0;  // h(D) for D < 0, else 0
    double lOne = 0;               // L(1, χ_D); NaN for a square discriminant or out of reach
};

// C(f) = ∏ over all primes p of (1 - ω(p)/p) / (1 - 1/p), ω(p) the number of roots of f modulo
// p. 0 (with its reason) when f factors over the rationals or some prime divides every value;
// NaN when a is 0 or the discriminant is out of reach (past kMaxFactoredDiscriminant, or
// positive past kMaxSeriesDiscriminant). To 12 significant digits or better up to
// kMaxSeriesDiscriminant; see the manual for the error beyond.
ConstantParts BatemanHornParts(const Quadratic& f);
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
    std::optional<Int128> discriminant;
    double constant = 0;  // parts.constant
    ConstantParts parts;
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
