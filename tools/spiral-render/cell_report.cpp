// SPDX-License-Identifier: GPL-3.0-or-later
#include "cell_report.h"

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
    "  --inspect N  the number, from S to 2147483646\n"
    "  --start S    the centre number, as above (default 1)\n"
    "  --terms K    terms measured along each ray, 1 to 1000000 (default 1000)\n"
    "Prints, one per line: number=, prime= (1 or 0), factors= (like 5^2*7^2; empty for 0 and\n"
    "1), x= and y= (cells east and south of the centre), ring= (the centre is 1), then for each\n"
    "diagonal ray through the cell, in the order NE, NW, SW, SE:\n"
    "  ray=NE a=4 b=... c=... disc=... constant=... primes=... expected=... longest=...\n"
    "where 4i^2 + b i + c are the numbers along the ray (i = 0 is N), disc is b^2 - 16c,\n"
    "constant the Bateman-Horn constant, and for i = 0 ... K - 1 the primes found, the primes\n"
    "expected and the longest run of primes in a row. The last cell of a ring has no NE ray.\n"
    "Exit status 2 for a number, start or K that cannot be inspected.\n";

namespace {

constexpr const char* kInspectUsage = "usage: spiral-render --inspect N [--start S] [--terms K]\n";
constexpr std::int64_t kDefaultTerms = 1000;

int Refuse(const std::string& why) {
    std::fprintf(stderr, "spiral-render: %s\n%s", why.c_str(), kInspectUsage);
    return 2;
}

// A whole number written in digits, spaces around it allowed, as in the start-number box; any
// size of text is read without overflow. Nothing when it is no such number, `blank` when it is
// empty, and 2^31 - 1 for anything above 2147483646.
std::optional<std::int64_t> ParseWhole(std::string_view text, std::optional<std::int64_t> blank) {
    const std::string_view digits = TrimSpaces(text);
    if (digits.empty()) return blank;
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    const std::string_view value = WithoutLeadingZeros(digits);
    if (StartNumberTooLarge(value)) return std::int64_t{primelib::kMaxNumber} + 1;
    return std::stoll(std::string(value));
}

// At least six significant digits in plain decimal notation, never an exponent.
std::string Decimal(double value) {
    if (std::isnan(value)) return "nan";
    if (value == 0) return "0";
    const int magnitude = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = magnitude >= 5 ? 0 : 5 - magnitude;
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
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
    std::optional<std::int64_t> number;
    std::int64_t start = 1;
    std::int64_t terms = kDefaultTerms;
    const std::string max = std::to_string(primelib::kMaxNumber);
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
            if (*number > primelib::kMaxNumber)
                return bad("past " + max + ", the largest number in a spiral");
        } else if (arg == "--start") {
            const auto value = ParseWhole(text, 1);
            if (!value || *value > primelib::kMaxNumber)
                return bad("a whole number from 0 to " + max);
            start = *value;
        } else {
            const auto value = ParseWhole(text, std::nullopt);
            if (!value || *value < 1 || *value > kMaxRayTerms)
                return bad("a whole number from 1 to " + std::to_string(kMaxRayTerms));
            terms = *value;
        }
    }
    if (!number) return Refuse("--inspect needs a number");
    if (*number < start)
        return Refuse(std::to_string(*number) + " is below the start number " +
                      std::to_string(start) + ", where the spiral begins");

    const std::optional<CellRays> cell = RaysOfPosition(*number - start + 1, start);
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
            "longest=%lld\n",
            RayDirectionName(r.ray.direction), static_cast<long long>(r.ray.f.a),
            static_cast<long long>(r.ray.f.b), static_cast<long long>(r.ray.f.c),
            r.discriminant ? DecimalText(*r.discriminant).c_str() : "nan",
            Decimal(r.constant).c_str(), static_cast<long long>(r.statistics.primes),
            Decimal(r.statistics.expected).c_str(),
            static_cast<long long>(r.statistics.longestRun));
    }
    return 0;
}

}  // namespace quorvel::render
