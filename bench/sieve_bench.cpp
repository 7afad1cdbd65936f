// SPDX-License-Identifier: GPL-3.0-or-later
// The window sieve alone, next to primesieve on the same numbers: the top picture of the range
// (527² numbers ending at 2147483646) with prime bits only and with factor counts.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <primesieve.hpp>
#include <vector>

#include "engine/prime_window.h"
#include "engine/primelib.h"

namespace quorvel {
namespace {

constexpr std::int32_t kTopCount = 527 * 527;
constexpr std::int32_t kTopFirst = primelib::kMaxNumber - kTopCount + 1;

// Every block of the window, as a drawing pass asks for them.
void SieveWindow(benchmark::State& state, bool withFactorCounts) {
    PrimeWindow window;
    primelib::calculate_primes(0);
    for (auto _ : state) {
        window.Prepare(kTopFirst, primelib::kMaxNumber, withFactorCounts);
        std::uint64_t sum = 0;
        for (std::int64_t n = kTopFirst; n <= primelib::kMaxNumber;) {
            const PrimeBlock block = window.BlockOf(static_cast<std::int32_t>(n));
            sum += block.bits[0];
            n = std::int64_t{block.last} + 1;
        }
        benchmark::DoNotOptimize(sum);
    }
}

void Sieve_window_primes_top(benchmark::State& state) {
    SieveWindow(state, false);
}
void Sieve_window_factor_counts_top(benchmark::State& state) {
    SieveWindow(state, true);
}
void Sieve_primesieve_top(benchmark::State& state) {
    std::vector<std::uint32_t> primes;
    for (auto _ : state) {
        primes.clear();
        primesieve::generate_primes(std::uint64_t{kTopFirst}, std::uint64_t{primelib::kMaxNumber},
                                    &primes);
        benchmark::DoNotOptimize(primes.data());
    }
}

BENCHMARK(Sieve_window_primes_top)->Name("Sieve/window_primes_top");
BENCHMARK(Sieve_window_factor_counts_top)->Name("Sieve/window_factor_counts_top");
BENCHMARK(Sieve_primesieve_top)->Name("Sieve/primesieve_top");

}  // namespace
}  // namespace quorvel
