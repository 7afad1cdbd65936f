// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/number_theory.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "engine/primelib.h"

namespace quorvel {
namespace {

using u64 = std::uint64_t;
using u32 = std::uint32_t;
__extension__ using u128 = unsigned __int128;

// An odd prime with what it takes to test divisibility without dividing: p divides n exactly
// when n * inverse (mod 2^64) is at most limit.
struct OddPrimeDivisor {
    u64 prime;
    u64 inverse;
    u64 limit;

    bool Divides(u64 n) const { return n * inverse <= limit; }
};

constexpr u64 InverseMod2To64(u64 odd) {
    u64 inverse = odd;  // right in the lowest three bits; each step doubles that
    for (int i = 0; i < 5; ++i)
        inverse *= 2 - odd * inverse;
    return inverse;
}

// The odd primes below 1024: trial division takes every factor below 1024 off, so what is
// left is 1, a prime, or has all its prime factors above 1024.
constexpr u64 kTrialBound = 1024;
constexpr int kTrialPrimeCount = 171;
constexpr auto kTrialPrimes = [] {
    std::array<OddPrimeDivisor, kTrialPrimeCount> table{};
    int k = 0;
    for (u64 p = 3; p < kTrialBound; p += 2) {
        bool prime = true;
        for (u64 d = 3; d * d <= p; d += 2)
            prime = prime && p % d != 0;
        if (prime) table[k++] = {p, InverseMod2To64(p), ~u64{0} / p};
    }
    return table;
}();
static_assert(kTrialPrimes.back().prime == 1021);

// How many of the trial primes the primality test tries before Miller-Rabin: those below 100
// reject three quarters of the odd composites at a few nanoseconds each.
constexpr int kFilterPrimeCount = 24;
static_assert(kTrialPrimes[kFilterPrimeCount - 1].prime == 97);

// Arithmetic modulo an odd n in Montgomery form (x stands for x * 2^64 mod n), so that a
// product modulo n costs three multiplications and no division.
// a · b · 2^-64 mod n for a, b < n, with inverse = n^-1 mod 2^64.
u64 MontgomeryProduct(u64 a, u64 b, u64 n, u64 inverse) {
    const u128 t = static_cast<u128>(a) * b;
    // m * n agrees with t in the low 64 bits, so (t - m * n) / 2^64 is exact.
    const u64 m = static_cast<u64>(t) * inverse;
    const u64 high = static_cast<u64>(t >> 64);
    const u64 mn = static_cast<u64>((static_cast<u128>(m) * n) >> 64);
    return high >= mn ? high - mn : high - mn + n;
}

class Montgomery {
  public:
    explicit Montgomery(u64 n)
        : n_(n),
          inverse_(InverseMod2To64(n)),
          one_((0 - n) % n),
          rSquared_(static_cast<u64>(static_cast<u128>(one_) * one_ % n)) {}

    u64 One() const { return one_; }
    u64 MinusOne() const { return n_ - one_; }
    u64 To(u64 x) const { return Mul(x % n_, rSquared_); }

    u64 Mul(u64 a, u64 b) const { return MontgomeryProduct(a, b, n_, inverse_); }

    u64 Add(u64 a, u64 b) const {
        const u64 sum = a + b;
        return sum < a || sum >= n_ ? sum - n_ : sum;
    }

    u64 Pow(u64 base, u64 exponent) const {
        u64 result = one_;
        while (exponent != 0) {
            if (exponent & 1u) result = Mul(result, base);
            base = Mul(base, base);
            exponent >>= 1;
        }
        return result;
    }

  private:
    u64 n_;
    u64 inverse_;  // n^-1 mod 2^64
    u64 one_;      // 2^64 mod n
    u64 rSquared_;
};

// Whether x = base^d passes the rest of the strong test: x is 1, or one of x, x², x⁴, …
// (s - 1 squarings) is -1.
bool StrongProbablePrimeFrom(const Montgomery& m, u64 x, int s) {
    if (x == m.One() || x == m.MinusOne()) return true;
    for (int r = 1; r < s; ++r) {
        x = m.Mul(x, x);
        if (x == m.MinusOne()) return true;
        if (x == m.One()) return false;
    }
    return false;
}

bool StrongProbablePrime(const Montgomery& m, u64 n, u64 d, int s, u64 base) {
    base %= n;
    if (base == 0) return true;
    return StrongProbablePrimeFrom(m, m.Pow(m.To(base), d), s);
}

// Base 2, which rejects nearly every composite that reaches it, costs a third less: left to
// right, a doubling (an addition) stands for each multiplication by the base.
bool StrongProbablePrimeBase2(const Montgomery& m, u64 d, int s) {
    const int top = 63 - std::countl_zero(d);
    u64 x = m.Add(m.One(), m.One());
    for (int bit = top - 1; bit >= 0; --bit) {
        x = m.Mul(x, x);
        if ((d >> bit) & 1u) x = m.Add(x, x);
    }
    return StrongProbablePrimeFrom(m, x, s);
}

// Deterministic for odd n > 61: bases 2, 7, 61 are enough below 4,759,123,141 (Jaeschke),
// Sinclair's seven bases for every n below 2^64.
constexpr u64 kSmallBases[] = {2, 7, 61};
constexpr u64 kBases64[] = {2, 325, 9375, 28178, 450775, 9780504, 1795265022};

// The six bases after 2 for n >= 2^32 (all below n, so none is 0 mod n), raised to the same
// power side by side: six independent chains of products keep the multiplier busy where one
// chain would wait for each product in turn.
bool OtherBases64(const Montgomery& m, u64 d, int s) {
    constexpr int kCount = std::size(kBases64) - 1;
    u64 base[kCount];
    u64 x[kCount];
    for (int k = 0; k < kCount; ++k)
        x[k] = base[k] = m.To(kBases64[k + 1]);
    for (int bit = 62 - std::countl_zero(d); bit >= 0; --bit) {
        for (int k = 0; k < kCount; ++k)
            x[k] = m.Mul(x[k], x[k]);
        if ((d >> bit) & 1u) {
            for (int k = 0; k < kCount; ++k)
                x[k] = m.Mul(x[k], base[k]);
        }
    }
    for (int k = 0; k < kCount; ++k)
        if (!StrongProbablePrimeFrom(m, x[k], s)) return false;
    return true;
}

// The bases after 2, for odd n that passed base 2 with n - 1 = d · 2^s.
bool OtherBases(const Montgomery& m, u64 n, u64 d, int s) {
    if (n >= (u64{1} << 32)) return OtherBases64(m, d, s);
    return std::all_of(std::begin(kSmallBases) + 1, std::end(kSmallBases),
                       [&](u64 base) { return StrongProbablePrime(m, n, d, s, base); });
}

bool MillerRabin(u64 n) {
    u64 d = n - 1;
    const int s = std::countr_zero(d);
    d >>= s;
    const Montgomery m(n);
    if (!StrongProbablePrimeBase2(m, d, s)) return false;
    return OtherBases(m, n, d, s);
}

// Base 2 on four odd numbers side by side. One number's chain of squarings waits for each
// product in turn; four independent chains keep the multiplier busy, and most composites
// leave here. Only what a lane needs is set up: no division for R² mod n.
constexpr int kLanes = 4;

// x = 2^d in each lane, left to right from 1: a squaring for each bit of d (held from the top
// of `bits`) and a doubling for each set bit, without branches (the bits are a coin toss).
// Below 2^63 the doubling cannot wrap.
template <bool kWide>
void PowersOfTwo(const u64 (&n)[kLanes], const u64 (&inverse)[kLanes], u64 (&bits)[kLanes],
                 int length, u64 (&x)[kLanes]) {
    for (int step = 0; step < length; ++step) {
        for (int k = 0; k < kLanes; ++k) {
            const u64 square = MontgomeryProduct(x[k], x[k], n[k], inverse[k]);
            const u64 add = square & static_cast<u64>(static_cast<std::int64_t>(bits[k]) >> 63);
            bits[k] <<= 1;
            const u64 sum = square + add;
            const bool over = kWide ? (sum < add) | (sum >= n[k]) : sum >= n[k];
            x[k] = over ? sum - n[k] : sum;
        }
    }
}

void StrongProbablePrimesBase2(const u64 (&n)[kLanes], bool (&passes)[kLanes]) {
    u64 inverse[kLanes];
    u64 one[kLanes];
    u64 d[kLanes];
    int s[kLanes];
    u64 x[kLanes];
    int length = 0;
    bool wide = false;
    for (int k = 0; k < kLanes; ++k) {
        inverse[k] = InverseMod2To64(n[k]);
        one[k] = (0 - n[k]) % n[k];
        s[k] = std::countr_zero(n[k] - 1);
        d[k] = (n[k] - 1) >> s[k];
        length = std::max(length, 64 - std::countl_zero(d[k]));
        wide = wide || (n[k] >> 63) != 0;
        x[k] = one[k];  // squaring 1 above a lane's top bit leaves it 1
    }
    u64 bits[kLanes];
    for (int k = 0; k < kLanes; ++k)
        bits[k] = d[k] << (64 - length);
    if (wide)
        PowersOfTwo<true>(n, inverse, bits, length, x);
    else
        PowersOfTwo<false>(n, inverse, bits, length, x);
    const auto mul = [&](int k, u64 a, u64 b) { return MontgomeryProduct(a, b, n[k], inverse[k]); };
    for (int k = 0; k < kLanes; ++k) {
        const u64 minusOne = n[k] - one[k];
        bool pass = x[k] == one[k] || x[k] == minusOne;
        for (int r = 1; r < s[k] && !pass; ++r) {
            x[k] = mul(k, x[k], x[k]);
            if (x[k] == one[k]) break;
            pass = x[k] == minusOne;
        }
        passes[k] = pass;
    }
}

u64 Gcd(u64 a, u64 b) {
    if (a == 0) return b;
    if (b == 0) return a;
    const int shift = std::countr_zero(a | b);
    a >>= std::countr_zero(a);
    do {
        b >>= std::countr_zero(b);
        if (a > b) std::swap(a, b);
        b -= a;
    } while (b != 0);
    return a << shift;
}

// A proper divisor of the odd composite n by Brent's variant of Pollard's rho: the walk
// x -> x^2 + c runs in Montgomery form (which only multiplies every difference by a unit),
// and the differences are multiplied up so that one gcd serves 128 steps.
u64 PollardBrent(u64 n) {
    constexpr u64 kBatch = 128;
    const Montgomery m(n);
    for (u64 c = 1;; ++c) {
        const u64 cm = m.To(c);
        const auto step = [&](u64 x) { return m.Add(m.Mul(x, x), cm); };
        const auto distance = [](u64 a, u64 b) { return a > b ? a - b : b - a; };
        u64 y = m.To(c + 1);
        u64 x = y;
        u64 saved = y;
        u64 product = m.One();
        u64 g = 1;
        for (u64 r = 1; g == 1; r <<= 1) {
            x = y;
            for (u64 i = 0; i < r; ++i)
                y = step(y);
            for (u64 k = 0; k < r && g == 1; k += kBatch) {
                saved = y;
                for (u64 i = 0; i < std::min(kBatch, r - k); ++i) {
                    y = step(y);
                    product = m.Mul(product, distance(x, y));
                }
                g = Gcd(product, n);
            }
        }
        if (g == n) {
            // The batch overshot: walk it again one step at a time.
            do {
                saved = step(saved);
                g = Gcd(distance(x, saved), n);
            } while (g == 1);
        }
        if (g != n) return g;
    }
}

// Appends the prime factors of n (> 1, no factor below kTrialBound), with repetition.
void SplitLargeFactors(u64 n, u64* primes, int& count) {
    if (n < kTrialBound * kTrialBound || IsPrime64(n)) {
        primes[count++] = n;
        return;
    }
    const u64 d = PollardBrent(n);
    SplitLargeFactors(d, primes, count);
    SplitLargeFactors(n / d, primes, count);
}

// The binary algorithm: halvings and subtractions only, no division, and the swap written
// without branches, since which of the two is larger is a coin toss. The sign collects in bit 0
// of `flips`: (2/n) = -1 for n = 3 or 5 (mod 8), and swapping a and n flips it when both are
// 3 (mod 4).
template <typename Word>
int Jacobi(Word a, Word n) {
    Word flips = 0;
    while (a != 0) {
        const int z = std::countr_zero(a);
        a >>= z;
        flips ^= static_cast<Word>(z) & ((n >> 1) ^ (n >> 2));
        const Word swap = a < n ? 1 : 0;
        const Word low = swap != 0 ? a : n;
        const Word high = swap != 0 ? n : a;
        flips ^= swap & ((a & n) >> 1);
        n = low;
        a = high - low;
    }
    return n == 1 ? 1 - 2 * static_cast<int>(flips & 1) : 0;
}

}  // namespace

bool IsPrime64(u64 n) {
    if (n < 64) return (primelib::kPrimesBelow64 >> n) & 1u;
    if ((n & 1u) == 0) return false;
    for (int i = 0; i < kFilterPrimeCount; ++i) {
        if (kTrialPrimes[i].Divides(n)) return n == kTrialPrimes[i].prime;
    }
    if (n < 101 * 101) return true;  // no prime factor up to 97 and below 101²
    return MillerRabin(n);
}

bool MillerRabin64(u64 n) {
    if (n < 3 || (n & 1u) == 0) return n == 2;
    u64 d = n - 1;
    const int s = std::countr_zero(d);
    d >>= s;
    const Montgomery m(n);
    return std::all_of(std::begin(kBases64), std::end(kBases64),
                       [&](u64 base) { return StrongProbablePrime(m, n, d, s, base); });
}

void IsPrime64Many(const u64* numbers, std::size_t count, bool* prime) {
    // Each group of four lanes takes the next numbers that need the full test; the rest are
    // answered at once. A lane left without a number tests 3.
    std::size_t next = 0;
    while (next < count) {
        u64 n[kLanes];
        std::size_t index[kLanes];
        int filled = 0;
        for (; next < count && filled < kLanes; ++next) {
            const u64 v = numbers[next];
            if (v < 64 || (v & 1u) == 0) {
                prime[next] = IsPrime64(v);
                continue;
            }
            n[filled] = v;
            index[filled++] = next;
        }
        if (filled == 0) break;
        if (filled == 1) {  // a lane alone costs as much as four
            prime[index[0]] = MillerRabin(n[0]);
            continue;
        }
        for (int k = filled; k < kLanes; ++k)
            n[k] = 3;
        bool passes[kLanes];
        StrongProbablePrimesBase2(n, passes);
        for (int k = 0; k < filled; ++k) {
            bool result = passes[k];
            if (result) {
                const int s = std::countr_zero(n[k] - 1);
                result = OtherBases(Montgomery(n[k]), n[k], (n[k] - 1) >> s, s);
            }
            prime[index[k]] = result;
        }
    }
}

Factorization Factorize(u64 n) {
    Factorization result;
    if (n < 2) return result;
    const auto add = [&](u64 prime, int exponent) {
        result.factors[result.count++] = {prime, exponent};
    };
    if (const int twos = std::countr_zero(n); twos > 0) {
        add(2, twos);
        n >>= twos;
    }
    for (const OddPrimeDivisor& p : kTrialPrimes) {
        if (p.prime * p.prime > n) break;
        if (!p.Divides(n)) continue;
        int exponent = 0;
        do {
            n /= p.prime;
            ++exponent;
        } while (p.Divides(n));
        add(p.prime, exponent);
    }
    if (n == 1) return result;
    if (n < kTrialBound * kTrialBound) {
        add(n, 1);  // below 1024² with no factor below 1024
        return result;
    }
    u64 large[64];
    int count = 0;
    SplitLargeFactors(n, large, count);
    std::sort(large, large + count);
    for (int i = 0; i < count;) {
        int j = i;
        while (j < count && large[j] == large[i])
            ++j;
        add(large[i], j - i);
        i = j;
    }
    return result;
}

u64 IntegerSqrt(u64 n) {
    u64 r = static_cast<u64>(std::sqrt(static_cast<double>(n)));
    while (static_cast<u128>(r) * r > n)
        --r;
    while (static_cast<u128>(r + 1) * (r + 1) <= n)
        ++r;
    return r;
}

int JacobiSymbol(u64 a, u64 n) {
    if (a >= n) a %= n;
    if (n <= 0xFFFFFFFFu) return Jacobi<u32>(static_cast<u32>(a), static_cast<u32>(n));
    return Jacobi<u64>(a, n);
}

int KroneckerSymbol(std::int64_t d, u64 n) {
    if (n == 0) return d == 1 || d == -1 ? 1 : 0;
    int t = 1;
    if (const int twos = std::countr_zero(n); twos > 0) {
        if ((d & 1) == 0) return 0;
        // (d / 2) is 1 for d = ±1 (mod 8) and -1 for d = ±3 (mod 8).
        const auto mod8 = static_cast<u64>(d) & 7u;
        if ((twos & 1) && (mod8 == 3 || mod8 == 5)) t = -t;
        n >>= twos;
    }
    // d mod n in 0 … n - 1, also for d = INT64_MIN.
    const u64 magnitude = d >= 0 ? static_cast<u64>(d) : 0 - static_cast<u64>(d);
    u64 a = magnitude % n;
    if (d < 0 && a != 0) a = n - a;
    return t * JacobiSymbol(a, n);
}

}  // namespace quorvel
