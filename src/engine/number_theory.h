// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Exact arithmetic on every 64-bit unsigned number: primality, factorisation and the quadratic
// character. Plain functions on plain values, safe to call from any thread.
namespace quorvel {

// True when n is prime: a small-prime filter, then deterministic Miller-Rabin (bases 2, 7, 61
// below 2^32; the seven bases of Jim Sinclair's set above, which no 64-bit composite passes).
bool IsPrime64(std::uint64_t n);

// The seven-base Miller-Rabin test alone, on every odd n > 2 (even numbers are answered
// directly): no filter and no shortcut below 2^32. IsPrime64 gives the same answers faster;
// this is what it is measured against.
bool MillerRabin64(std::uint64_t n);

// IsPrime64 of count numbers into prime[0 … count - 1], the same answers, for numbers that
// mostly have no small factor (what a sieve leaves): no trial division, and the base-2 test,
// which rejects nearly every composite, runs on several numbers side by side.
void IsPrime64Many(const std::uint64_t* numbers, std::size_t count, bool* prime);

struct PrimePower {
    std::uint64_t prime = 0;
    int exponent = 0;
};

// The prime factorisation of a number, primes ascending. No 64-bit number has more than 15
// distinct prime factors (the product of the first 16 primes passes 2^64), so it fits in place.
struct Factorization {
    static constexpr int kCapacity = 15;
    std::array<PrimePower, kCapacity> factors{};
    int count = 0;

    const PrimePower* begin() const { return factors.data(); }
    const PrimePower* end() const { return factors.data() + count; }
    bool IsPrime() const { return count == 1 && factors[0].exponent == 1; }
};

// Factors n completely: trial division by the small primes, then Pollard-Brent rho on what is
// left, each part judged by IsPrime64. Empty for 0 and 1.
Factorization Factorize(std::uint64_t n);

// The largest r with r * r <= n.
std::uint64_t IntegerSqrt(std::uint64_t n);

// The Jacobi symbol (a / n) for odd n >= 1: 1, -1 or 0.
int JacobiSymbol(std::uint64_t a, std::uint64_t n);

// The Kronecker symbol (d / n) for n >= 1, which extends the Jacobi symbol to even n: for a
// discriminant d it is the quadratic character whose L-function the prime counts need.
int KroneckerSymbol(std::int64_t d, std::uint64_t n);

}  // namespace quorvel
