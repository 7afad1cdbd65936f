// SPDX-License-Identifier: GPL-3.0-or-later
#include "explorer/explorer_texts.h"

#include <QStringList>
#include <cmath>
#include <numeric>

#include "text/translation.h"

namespace quorvel {
namespace {

// A ray's compass direction as the panel's captions write it (NO and SO in German).
QString DirectionName(RayDirection direction, const TextsIn& texts) {
    // The names RayDirectionName gives, listed here for the catalogues.
    [[maybe_unused]] static constexpr const char* kNames[] = {
        QT_TRANSLATE_NOOP("Explorer", "NE"), QT_TRANSLATE_NOOP("Explorer", "NW"),
        QT_TRANSLATE_NOOP("Explorer", "SW"), QT_TRANSLATE_NOOP("Explorer", "SE")};
    return texts.translate("Explorer", RayDirectionName(direction));
}

QString Superscript(int exponent) {
    static const char16_t kDigits[] = u"⁰¹²³⁴⁵⁶⁷⁸⁹";
    QString digits = QString::number(exponent);
    for (QChar& c : digits)
        c = QChar(kDigits[c.unicode() - u'0']);
    return digits;
}

// A coefficient as it stands after the first term: " + 5", " − 5".
QString Signed(std::int64_t value) {
    // The magnitude of INT64_MIN does not fit a signed number.
    const auto magnitude =
        value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    return (value < 0 ? QStringLiteral(" − ") : QStringLiteral(" + ")) + QString::number(magnitude);
}

QString Number(std::int64_t value) {
    return value < 0 ? QStringLiteral("−") + QString::number(0 - static_cast<std::uint64_t>(value))
                     : QString::number(value);
}

// A 128-bit number (a discriminant far out passes 64 bits), with a true minus sign.
QString Number(Int128 value) {
    const QString digits = QString::fromStdString(DecimalText(value < 0 ? -value : value));
    return value < 0 ? QStringLiteral("−") + digits : digits;
}

QString Polynomial(const Quadratic& f) {
    QString text = QStringLiteral("f(i) = %1i²").arg(f.a);
    if (f.b != 0) text += Signed(f.b) + QStringLiteral("i");
    if (f.c != 0) text += Signed(f.c);
    return text;
}

// A measure in the report, its name and value, with its tip on it.
QString WithTip(const QString& text, RayMeasure measure, int language) {
    return QStringLiteral("<span title=\"%1\">%2</span>")
        .arg(RayMeasureTip(measure, language).toHtmlEscaped(), text);
}

// A measure with a fixed number of decimals, so that the rays' values line up and read alike
// ("1.00" beside "0.99", not "1"); an exact 0 (no primes to expect) stays 0.
QString Decimal(double value, int decimals) {
    if (std::isnan(value)) return QStringLiteral("?");
    if (value == 0) return QStringLiteral("0");
    return QString::number(value, 'f', decimals);
}

// The least prime that divides every value of f (f(0) and f(1) even: 2).
std::uint64_t SharedPrime(const Quadratic& f) {
    const auto magnitude = [](std::int64_t v) {
        return v < 0 ? 0 - static_cast<std::uint64_t>(v) : static_cast<std::uint64_t>(v);
    };
    const std::uint64_t g = std::gcd(std::gcd(magnitude(f.a), magnitude(f.b)), magnitude(f.c));
    if (g % 2 == 0 || g <= 1) return 2;
    const Factorization factors = Factorize(g);
    return factors.count > 0 ? factors.factors[0].prime : 2;
}

// The fundamental discriminant and class number, and why C(f) is 0 where it is.
QString FieldLine(const ConstantParts& parts, const Quadratic& f, int language) {
    const TextsIn texts(language);
    QString html;
    if (parts.fundamental != 0) {
        html += WithTip(texts.translate("Explorer", "fdisc %1").arg(Number(parts.fundamental)),
                        RayMeasure::Fundamental, language);
        if (parts.fundamental < 0) {
            html += QStringLiteral(" &nbsp; ") +
                    WithTip(texts.translate("Explorer", "h = %1").arg(parts.classNumber),
                            RayMeasure::ClassNumber, language);
        }
        html += QStringLiteral("<br>");
    }
    switch (parts.reason) {
        case ZeroReason::Square:
            html += texts.translate("Explorer", "C(f) = 0: f is a constant times a square");
            break;
        case ZeroReason::Factors:
            html += texts.translate("Explorer", "C(f) = 0: f splits into two linear factors");
            break;
        case ZeroReason::Shared:
            html += texts.translate("Explorer", "C(f) = 0: every value is divisible by %1")
                        .arg(SharedPrime(f));
            break;
        case ZeroReason::None:
            return html;
    }
    return html + QStringLiteral("<br>");
}

// Where the count lies against the expectation, in σ = √expected.
QString DeviationText(double primes, double expected, const TextsIn& texts) {
    const double z = (primes - expected) / std::sqrt(expected);
    const double size = std::fabs(z);
    if (size <= 3) {
        return texts.translate("Explorer", "count within %1 σ of the expectation")
            .arg(size <= 1   ? 1
                 : size <= 2 ? 2
                             : 3);
    }
    return z > 0 ? texts.translate("Explorer", "count more than 3 σ above the expectation")
                 : texts.translate("Explorer", "count more than 3 σ below the expectation");
}

}  // namespace

QString FactorsText(const Factorization& factors) {
    QStringList parts;
    for (const PrimePower& power : factors) {
        QString part = QString::number(power.prime);
        if (power.exponent > 1) part += Superscript(power.exponent);
        parts << part;
    }
    return parts.join(QStringLiteral(" · "));
}

QString ReadoutText(std::uint64_t number, std::int64_t ring, int language) {
    const TextsIn texts(language);
    const Factorization factors = Factorize(number);
    QString text = QString::number(number);
    if (factors.IsPrime()) {
        text += texts.translate("Explorer", ": prime");
    } else if (factors.count > 0) {
        text += QStringLiteral(" = ") + FactorsText(factors);
    }
    return text + (texts.translate("Explorer", "     ring %1")).arg(ring);
}

QString ClickText(std::uint64_t number, int language) {
    const TextsIn texts(language);
    const Factorization factors = Factorize(number);
    const QString n = QString::number(number);
    if (factors.IsPrime()) return n + (texts.translate("Explorer", " is prime"));
    if (number == 0) return texts.translate("Explorer", "0 is divisible by every prime");
    if (number == 1) return texts.translate("Explorer", "1 has no prime factors");
    return n + QStringLiteral(" = ") + FactorsText(factors);
}

QString InspectorHtml(const CellRays& cell, const CellRayReports& reports, std::int64_t terms,
                      int language) {
    const TextsIn texts(language);
    QString html =
        QStringLiteral("<p><b>%1</b><br>%2</p>")
            .arg(ClickText(static_cast<std::uint64_t>(cell.number), language).toHtmlEscaped(),
                 (texts.translate("Explorer", "x = %1, y = %2, ring %3"))
                     .arg(Number(cell.cell.x), Number(cell.cell.y))
                     .arg(cell.cell.ring));
    html += texts
                .translate("Explorer",
                           "<p>Rays from the cell outwards, %1 terms f(0) … f(%2) "
                           "each:</p>")
                .arg(terms)
                .arg(terms - 1);
    for (int i = 0; i < reports.count; ++i) {
        const RayReport& ray = reports.rays[static_cast<std::size_t>(i)];
        const RayStatistics& s = ray.statistics;
        const bool known = !std::isnan(ray.constant);
        const QString ratio = known && s.expected > 0
                                  ? Decimal(static_cast<double>(s.primes) / s.expected, 2)
                                  : QStringLiteral("–");
        html += QStringLiteral("<p><b>%1</b> &nbsp; %2<br>")
                    .arg(DirectionName(ray.ray.direction, texts), Polynomial(ray.ray.f));
        const QString discriminant =
            (texts.translate("Explorer", "discriminant %1"))
                .arg(ray.discriminant ? Number(*ray.discriminant) : QStringLiteral("?"));
        html += QStringLiteral("%1 &nbsp; %2<br>")
                    .arg(WithTip(discriminant, RayMeasure::Discriminant, language),
                         WithTip(QStringLiteral("C(f) = %1").arg(Decimal(ray.constant, 4)),
                                 RayMeasure::Constant, language));
        html += FieldLine(ray.parts, ray.ray.f, language);
        html += (texts.translate("Explorer", "primes %1, expected %2, %3<br>"))
                    .arg(s.primes)
                    .arg(known ? Decimal(s.expected, 2) : QStringLiteral("–"),
                         WithTip((texts.translate("Explorer", "ratio %1")).arg(ratio),
                                 RayMeasure::Ratio, language));
        if (known && s.expected > 0) {
            html += WithTip(DeviationText(static_cast<double>(s.primes), s.expected, texts),
                            RayMeasure::Deviation, language) +
                    QStringLiteral("<br>");
        }
        html += (texts.translate("Explorer", "longest run of primes %1</p>")).arg(s.longestRun);
    }
    return html;
}

QString InspectorIdleHtml(int language) {
    return TextsIn(language).translate(
        "Explorer",
        "<p>Point at a cell of the spiral: its number and the rays "
        "through it show here, each with its quadratic polynomial, its "
        "Bateman–Horn constant, and how many primes it holds against how "
        "many number theory expects.</p>");
}

QString InspectorTitle(int language) {
    return TextsIn(language).translate("Explorer", "Inspector");
}

QString InspectorMenuText(int language) {
    return TextsIn(language).translate("Explorer", "&Inspector");
}

QString RunOverlayText(int language) {
    return TextsIn(language).translate("Explorer", "Outline the longest runs in the picture");
}

QString InspectorStatusTip(int language) {
    return TextsIn(language).translate(
        "Explorer",
        "Shows or hides the inspector: the number under the pointer and "
        "the rays through its cell");
}

QString RunOverlayTip(int language) {
    return TextsIn(language).translate(
        "Explorer",
        "Outlines the longest diagonal runs, NW-SE and SW-NE, in the "
        "picture");
}

QString RayMeasureTip(RayMeasure measure, int language) {
    const TextsIn texts(language);
    switch (measure) {
        case RayMeasure::Discriminant:
            return texts.translate("Explorer",
                                   "The discriminant b² − 4ac of the ray's quadratic "
                                   "f(i) = ai² + bi + c; where it is a square, f factors "
                                   "and the ray holds hardly any primes");
        case RayMeasure::Constant:
            return texts.translate("Explorer",
                                   "The Bateman–Horn constant of the ray's quadratic: how "
                                   "many times as often as other numbers of their size "
                                   "its values should be prime");
        case RayMeasure::Fundamental:
            return texts.translate("Explorer",
                                   "The fundamental discriminant D: the discriminant with its "
                                   "square factors taken out (b² − 4ac = D m²), the "
                                   "discriminant of the quadratic field that the roots of f "
                                   "generate. Its character χ_D(p) tells how many roots f has "
                                   "modulo most primes p");
        case RayMeasure::ClassNumber:
            return texts.translate("Explorer",
                                   "The class number h of D: how many classes of forms "
                                   "ax² + bxy + cy² of discriminant D there are. C(f) grows as "
                                   "L(1, χ_D) = π h / √|D| shrinks: a small h makes a ray rich "
                                   "in primes");
        case RayMeasure::Deviation:
            return texts.translate("Explorer",
                                   "How far the count lies from the expected one, in units of "
                                   "σ = √expected, z = (primes − expected) / σ: within 2 σ is "
                                   "usual, beyond 3 σ rare if the conjecture holds");
        case RayMeasure::Ratio:
            return texts.translate("Explorer",
                                   "Primes found over primes expected: above 1 more, "
                                   "below 1 fewer than the Bateman–Horn conjecture "
                                   "predicts");
    }
    return {};
}

}  // namespace quorvel
