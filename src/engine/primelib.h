// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The number-theory service: primality and prime factors of every number 0 … 2147483646.
// The three entry points keep the names and contracts the rest of the program was written
// against; PrimeWindow (prime_window.h) answers the same questions for a drawing pass.
namespace quorvel::primelib {

// The largest number the program handles, 2^31 - 2.
inline constexpr std::int32_t kMaxNumber = 2147483646;
// Every composite number up to kMaxNumber has a prime factor not above this (46341² > 2^31).
inline constexpr std::int32_t kSmallPrimeLimit = 46341;
// The primes below 64 as bits (bit n set when n is prime): small numbers that the fast tests
// cannot judge, Miller-Rabin's bases and the sieve's wheel primes among them.
inline constexpr std::uint64_t kPrimesBelow64 =
    (1ull << 2) | (1ull << 3) | (1ull << 5) | (1ull << 7) | (1ull << 11) | (1ull << 13) |
    (1ull << 17) | (1ull << 19) | (1ull << 23) | (1ull << 29) | (1ull << 31) | (1ull << 37) |
    (1ull << 41) | (1ull << 43) | (1ull << 47) | (1ull << 53) | (1ull << 59) | (1ull << 61);
// Room for the distinct prime factors of any number up to kMaxNumber (at most 9) and their
// exponents after the count: counts = {k, e1, …, ek}, factors = {p1, …, pk}.
inline constexpr int kFactorBufferSize = 10;

// Prepares the table of small primes (those up to kSmallPrimeLimit) and returns how many
// there are. `limit` is accepted for compatibility; the table never depends on it. Calling it
// is optional: the other entry points prepare what they need themselves.
std::int32_t calculate_primes(std::int32_t limit);

// 1 when n is prime, else 0 (also for n outside 0 … kMaxNumber). `reference` is the centre
// number of the current picture and only a hint; the answer never depends on it.
std::int32_t is_prime(std::int32_t reference, std::int32_t n);

// Factors n. counts[0] receives the number of DISTINCT prime factors (4, 8, 9 and 25 have
// one; 0 and 1 have none), counts[1 … k] the exponents and factors[0 … k-1] the primes in
// ascending order. Each buffer needs kFactorBufferSize elements; a null buffer is skipped.
// `n2` is accepted for compatibility and ignored. Returns the count; 0 for n outside
// 0 … kMaxNumber.
std::int32_t factor(std::int32_t n, std::int32_t n2, std::int32_t* counts, std::int32_t* factors);

// The primes up to kSmallPrimeLimit, ascending (4792 of them), sieved on first use.
std::span<const std::int32_t> SmallPrimes();

// The primes up to `limit` by a plain sieve of Eratosthenes: the work behind SmallPrimes().
std::vector<std::int32_t> SievePrimesUpTo(std::int32_t limit);

// Deterministic Miller-Rabin for odd n with 61 < n < 4,759,123,141 (bases 2, 7 and 61).
bool MillerRabin(std::uint32_t n);

}  // namespace quorvel::primelib
