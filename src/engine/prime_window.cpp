#include "engine/prime_window.h"

#include <algorithm>

namespace quorvel {

using primelib::kMaxNumber;

namespace {

// The smallest multiple of `step` that is >= max(from, atLeast).
std::int64_t FirstMultiple(std::int64_t step, std::int64_t from, std::int64_t atLeast) {
    const std::int64_t start = std::max(from, atLeast);
    return (start + step - 1) / step * step;
}

}  // namespace

void PrimeWindow::Prepare(std::int32_t first, std::int32_t last, bool withFactorCounts) {
    first_ = std::max<std::int32_t>(first, 0);
    last_ = std::min<std::int32_t>(last, kMaxNumber);
    withFactors_ = withFactorCounts;
    blockFirst_ = 1;
    blockLast_ = 0;
}

bool PrimeWindow::IsPrimeSlow(std::int32_t n) {
    if (!InWindow(n)) return primelib::is_prime(n, n) == 1;
    LoadBlockOf(n);
    return isPrime_[n - blockFirst_] != 0;
}

int PrimeWindow::DistinctPrimeFactorsSlow(std::int32_t n) {
    if (!withFactors_ || !InWindow(n)) return primelib::factor(n, n, nullptr, nullptr);
    LoadBlockOf(n);
    return factorCount_[n - blockFirst_];
}

void PrimeWindow::LoadBlockOf(std::int32_t n) {
    const std::int64_t first = first_ + std::int64_t{n - first_} / kBlockSize * kBlockSize;
    const std::int64_t last = std::min<std::int64_t>(first + kBlockSize - 1, last_);
    SievePrimes(first, last);
    if (withFactors_) SieveFactorCounts(first, last);
    blockFirst_ = static_cast<std::int32_t>(first);
    blockLast_ = static_cast<std::int32_t>(last);
}

void PrimeWindow::SievePrimes(std::int64_t first, std::int64_t last) {
    const auto length = static_cast<std::size_t>(last - first + 1);
    isPrime_.resize(length);
    // Odd numbers are candidates, even ones are not; 0, 1 and 2 are set right below.
    const std::uint8_t firstIsOdd = first & 1;
    for (std::size_t i = 0; i < length; ++i) {
        isPrime_[i] = static_cast<std::uint8_t>(firstIsOdd ^ (i & 1));
    }
    for (std::int64_t n = first; n <= std::min<std::int64_t>(last, 2); ++n) {
        isPrime_[static_cast<std::size_t>(n - first)] = n == 2;
    }
    for (std::int32_t p : primelib::SmallPrimes().subspan(1)) {
        const std::int64_t square = std::int64_t{p} * p;
        if (square > last) break;
        std::int64_t m = FirstMultiple(p, first, square);
        if ((m & 1) == 0) m += p;  // even multiples are already out
        for (auto i = static_cast<std::size_t>(m - first); i < length; i += 2 * std::size_t(p)) {
            isPrime_[i] = 0;
        }
    }
}

void PrimeWindow::SieveFactorCounts(std::int64_t first, std::int64_t last) {
    const auto length = static_cast<std::size_t>(last - first + 1);
    factorCount_.assign(length, 0);
    // The product of the prime powers found so far; whatever of n it misses is one prime
    // above kSmallPrimeLimit, since two such primes would exceed kMaxNumber.
    smoothPart_.assign(length, 1);
    for (std::int32_t p : primelib::SmallPrimes()) {
        if (p > last) break;
        const auto step = static_cast<std::size_t>(p);
        for (auto i = static_cast<std::size_t>(FirstMultiple(p, first, p) - first); i < length;
             i += step) {
            ++factorCount_[i];
            smoothPart_[i] *= static_cast<std::uint32_t>(p);
        }
        for (std::int64_t power = std::int64_t{p} * p; power <= last; power *= p) {
            for (auto i = static_cast<std::size_t>(FirstMultiple(power, first, power) - first);
                 i < length; i += static_cast<std::size_t>(power)) {
                smoothPart_[i] *= static_cast<std::uint32_t>(p);
            }
        }
    }
    for (std::size_t i = 0; i < length; ++i) {
        const auto n = static_cast<std::uint32_t>(first + static_cast<std::int64_t>(i));
        if (n >= 2 && smoothPart_[i] != n) ++factorCount_[i];
    }
}

}  // namespace quorvel
