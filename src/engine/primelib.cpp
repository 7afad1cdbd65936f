// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/primelib.h"

#include <cstddef>

namespace quorvel::primelib {
namespace {

std::uint64_t PowMod(std::uint64_t base, std::uint32_t exponent, std::uint32_t modulus) {
    std::uint64_t result = 1;
    base %= modulus;
    while (exponent != 0) {
        if (exponent & 1u) result = result * base % modulus;
        base = base * base % modulus;
        exponent >>= 1;
    }
    return result;
}

bool StrongProbablePrime(std::uint32_t n, std::uint32_t base) {
    std::uint32_t d = n - 1;
    int s = 0;
    while ((d & 1u) == 0) {
        d >>= 1;
        ++s;
    }
    std::uint64_t x = PowMod(base, d, n);
    if (x == 1 || x == n - 1) return true;
    for (int r = 1; r < s; ++r) {
        x = x * x % n;
        if (x == n - 1) return true;
    }
    return false;
}

}  // namespace

std::vector<std::int32_t> SievePrimesUpTo(std::int32_t limit) {
    std::vector<std::int32_t> primes;
    if (limit < 2) return primes;
    std::vector<bool> composite(static_cast<std::size_t>(limit) + 1, false);
    for (std::int32_t p = 2; p <= limit; ++p) {
        if (composite[static_cast<std::size_t>(p)]) continue;
        primes.push_back(p);
        for (std::int64_t m = std::int64_t{p} * p; m <= limit; m += p) {
            composite[static_cast<std::size_t>(m)] = true;
        }
    }
    return primes;
}

std::span<const std::int32_t> SmallPrimes() {
    static const std::vector<std::int32_t> primes = SievePrimesUpTo(kSmallPrimeLimit);
    return primes;
}

std::int32_t calculate_primes(std::int32_t /*limit*/) {
    return static_cast<std::int32_t>(SmallPrimes().size());
}

bool MillerRabin(std::uint32_t n) {
    return StrongProbablePrime(n, 2) && StrongProbablePrime(n, 7) && StrongProbablePrime(n, 61);
}

std::int32_t is_prime(std::int32_t /*reference*/, std::int32_t n) {
    if (n < 2 || n > kMaxNumber) return 0;
    if (n < 64) return static_cast<std::int32_t>((kPrimesBelow64 >> n) & 1u);
    const auto u = static_cast<std::uint32_t>(n);
    // Cheap rejections first: most composites have a small factor.
    for (std::uint32_t p : {2u, 3u, 5u, 7u, 11u, 13u, 17u, 19u, 23u, 29u, 31u, 37u}) {
        if (u % p == 0) return 0;
    }
    return MillerRabin(u) ? 1 : 0;
}

std::int32_t factor(std::int32_t n, std::int32_t /*n2*/, std::int32_t* counts,
                    std::int32_t* factors) {
    std::int32_t found = 0;
    std::int32_t primes[kFactorBufferSize] = {};
    std::int32_t exponents[kFactorBufferSize] = {};
    if (n >= 2 && n <= kMaxNumber) {
        std::int32_t rest = n;
        for (std::int32_t p : SmallPrimes()) {
            if (std::int64_t{p} * p > rest) break;
            if (rest % p != 0) continue;
            primes[found] = p;
            while (rest % p == 0) {
                rest /= p;
                ++exponents[found];
            }
            ++found;
        }
        if (rest > 1) {
            primes[found] = rest;
            exponents[found] = 1;
            ++found;
        }
    }
    if (counts != nullptr) {
        counts[0] = found;
        for (std::int32_t i = 0; i < found; ++i)
            counts[i + 1] = exponents[i];
    }
    if (factors != nullptr) {
        for (std::int32_t i = 0; i < found; ++i)
            factors[i] = primes[i];
    }
    return found;
}

}  // namespace quorvel::primelib
