// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_report.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "engine/bateman_horn.h"
#include "engine/number_theory.h"
#include "engine/primelib.h"
#include "engine/spiral_layout.h"
#include "engine/spiral_pass.h"

namespace quorvel::render {

const char* const kInspectHelp =
    "Or, to inspect one number instead of drawing:\n"
    "usage: spiral-render --inspect N [--start S] [--terms K]\n"
    "  --inspect N  the number, from S to 9223372036854775807 (2^63 - 1)\n"
    "  --start S    the centre number, 0 to 1000000000000000000 (default 1)\n"
    "  --terms K    terms measured along each ray, 1 to 1000000 (default 1000)\n"
    "Prints, one per line: number=, prime= (1 or 0), factors= (like 5^2*7^2; empty for 0 and\n"
    "1), x= and y= (cells east and south of the centre), ring= (the centre is 1), then for each\n"
    "diagonal ray through the cell, in the order NE, NW, SW, SE:\n"
    "  ray=NE a=4 b=... c=... disc=... constant=... primes=... expected=... longest=...\n"
    "  fdisc=... [h=...] [L1=...] [reason=...] ratio=... z=...\n"
    "(all on one line) where 4i^2 + b i + c are the numbers along the ray (i = 0 is N), disc\n"
    "is b^2 - 16c, exact however large, constant the Bateman-Horn constant C(f) to 12\n"
    "significant digits, and for i = 0 ... K - 1 the primes found, the primes expected and the\n"
    "longest run of primes in a row; fdisc is the fundamental discriminant D (disc = D m^2; 1\n"
    "when disc is a square), h the class number of D when D < 0, L1 the value L(1, chi_D) when\n"
    "disc is no square, reason why the constant is 0 when it is (square: f is a constant times\n"
    "a square; factors: f is a product of two distinct linear factors; even: one prime, such\n"
    "as 2, divides every value), ratio = primes / expected and z = (primes - expected) /\n"
    "sqrt(expected) (nan when nothing is expected). The last cell of a ring has no NE ray.\n"
    "Exit status 2 for a number, start or K that cannot be inspected.\n";

namespace {

constexpr const char* kInspectUsage = "usage: spiral-render --inspect N [--start S] [--terms K]\n";
constexpr std::int64_t kDefaultTerms = 1000;

int Refuse(const std::string& why) {
    std::fprintf(stderr, "spiral-render: %s\n%s", why.c_str(), kInspectUsage);
    return 2;
}

// The largest start number, as in the large view.
constexpr std::uint64_t kLargestStart = 1'000'000'000'000'000'000u;

// A whole number written in digits, spaces around it allowed, as in the start-number box; any
// size of text is read without overflow. Nothing when it is no such number, `blank` when it is
// empty, and 2^63 for anything above 2^63 - 1.
std::optional<std::uint64_t> ParseWhole(std::string_view text, std::optional<std::uint64_t> blank) {
    const std::string_view digits = TrimSpaces(text);
    if (digits.empty()) return blank;
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    std::uint64_t value = 0;
    for (const char c : WithoutLeadingZeros(digits)) {
        value = value * 10 + static_cast<std::uint64_t>(c - '0');
        if (value > kLargestNumber) return kLargestNumber + 1;
    }
    return value;
}

// `digits` significant digits (at least) in plain decimal notation, never an exponent.
std::string Decimal(double value, int digits = 6) {
    if (std::isnan(value) || std::isinf(value)) return "nan";
    if (value == 0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = std::max(0, digits - 1 - magnitude);
    char text[400];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

const char* ReasonName(ZeroReason reason) {
    switch (reason) {
        case ZeroReason::Square:
            return "square";
        case ZeroReason::Factors:
            return "factors";
        case ZeroReason::Shared:
            return "even";
        case ZeroReason::None:
            break;
    }
    return "";
}

// The keys after longest=: fdisc, h, L1, reason, ratio and z.
std::string MoreKeys(const RayReport& r) {
    const ConstantParts& parts = r.parts;
    std::string text;
    if (parts.fundamental != 0) text += " fdisc=" + DecimalText(parts.fundamental);
    if (parts.fundamental < 0) text += " h=" + std::to_string(parts.classNumber);
    if (parts.fundamental != 0 && parts.fundamental != 1 && !std::isnan(parts.lOne))
        text += " L1=" + Decimal(parts.lOne, 12);
    if (parts.reason != ZeroReason::None)
        text += std::string(" reason=") + ReasonName(parts.reason);
    const RayStatistics& s = r.statistics;
    const bool expected = s.expected > 0 && !std::isnan(s.expected);
    const auto primes = static_cast<double>(s.primes);
    text += " ratio=" + (expected ? Decimal(primes / s.expected) : std::string("nan"));
    text += " z=" + (expected ? Decimal((primes - s.expected) / std::sqrt(s.expected))
                              : std::string("nan"));
    return text;
}

std::string FactorText(std::uint64_t n) {
    std::string text;
    for (const PrimePower& pp : Factorize(n)) {
        if (!text.empty()) text += '*';
        text += std::to_string(pp.prime);
        if (pp.exponent > 1) text += '^' + std::to_string(pp.exponent);
    }
    return text;
}

}  // namespace

namespace {

// Whether `option` is on the command line as an option, not as the name of a picture file
// (which may be anything, "--inspect" too).
bool HasOption(int argc, char* argv[], std::string_view option) {
    for (int i = 1; i < argc; ++i) {
        if (argv[i] == option && std::string_view(argv[i - 1]) != "--out") return true;
    }
    return false;
}

}  // namespace

bool WantsInspect(int argc, char* argv[]) {
    return HasOption(argc, argv, "--inspect") || HasOption(argc, argv, "--terms");
}

int RunInspect(int argc, char* argv[]) {
    std::optional<std::uint64_t> number;
    std::uint64_t start = 1;
    std::int64_t terms = kDefaultTerms;
    const std::string max = std::to_string(kLargestNumber);
    const std::string maxStart = std::to_string(kLargestStart);
    if (!HasOption(argc, argv, "--inspect")) return Refuse("--terms goes with --inspect N");
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg != "--inspect" && arg != "--start" && arg != "--terms")
            return Refuse("--inspect takes only --start and --terms, not '" + std::string(arg) +
                          "'");
        if (i + 1 >= argc) return Refuse(std::string(arg) + " needs a value");
        const std::string_view text = argv[++i];
        const auto bad = [&](const std::string& rule) {
            return Refuse("bad value for " + std::string(arg) + ": '" + std::string(text) + "' (" +
                          rule + ")");
        };
        if (arg == "--inspect") {
            number = ParseWhole(text, std::nullopt);
            if (!number) return bad("a whole number from 0 to " + max);
            if (*number > kLargestNumber)
                return bad("past " + max + " (2^63 - 1), the largest number a cell holds");
        } else if (arg == "--start") {
            const auto value = ParseWhole(text, 1);
            if (!value || *value > kLargestStart)
                return bad("a whole number from 0 to " + maxStart);
            start = *value;
        } else {
            const auto value = ParseWhole(text, std::nullopt);
            if (!value || *value < 1 || *value > static_cast<std::uint64_t>(kMaxRayTerms))
                return bad("a whole number from 1 to " + std::to_string(kMaxRayTerms));
            terms = static_cast<std::int64_t>(*value);
        }
    }
    if (!number) return Refuse("--inspect needs a number");
    if (*number < start)
        return Refuse(std::to_string(*number) + " is below the start number " +
                      std::to_string(start) + ", where the spiral begins");

    const std::optional<CellRays> cell = RaysOfPosition(
        static_cast<std::int64_t>(*number - start + 1), static_cast<std::int64_t>(start));
    if (!cell) return Refuse("cannot place " + std::to_string(*number));
    const auto n = static_cast<std::uint64_t>(*number);
    std::printf("number=%lld\nprime=%d\nfactors=%s\nx=%lld\ny=%lld\nring=%lld\n",
                static_cast<long long>(*number), IsPrime64(n) ? 1 : 0, FactorText(n).c_str(),
                static_cast<long long>(cell->cell.x), static_cast<long long>(cell->cell.y),
                static_cast<long long>(cell->cell.ring));
    const CellRayReports reports = InspectRays(*cell, terms);
    for (int k = 0; k < reports.count; ++k) {
        const RayReport& r = reports.rays[static_cast<std::size_t>(k)];
        std::printf(
            "ray=%s a=%lld b=%lld c=%lld disc=%s constant=%s primes=%lld expected=%s "
            "longest=%lld%s\n",
            RayDirectionName(r.ray.direction), static_cast<long long>(r.ray.f.a),
            static_cast<long long>(r.ray.f.b), static_cast<long long>(r.ray.f.c),
            r.discriminant ? DecimalText(*r.discriminant).c_str() : "nan",
            Decimal(r.constant, 12).c_str(), static_cast<long long>(r.statistics.primes),
            Decimal(r.statistics.expected).c_str(), static_cast<long long>(r.statistics.longestRun),
            MoreKeys(r).c_str());
    }
    return 0;
}

}  // namespace quorvel::render
