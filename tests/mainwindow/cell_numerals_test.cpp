// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFont>
#include <QFontMetricsF>
#include <cstdint>
#include <vector>

#include "largeview/cell_numerals.h"
#include "window_fixture.h"

namespace quorvel::testing {
namespace {

constexpr std::uint64_t k1e18 = 1'000'000'000'000'000'000u;

// Each number in view is written on one line with room to spare, whole or as "…" and its last
// digits when all numbers of the view share the rest; where neither can be read, not at all —
// never broken into lines that read as two numbers.
TEST(CellNumerals, WholeOrItsLastDigitsOrNothing) {
    enum Expect { Whole, Tail, None };
    struct Case {
        std::uint64_t least, most;
        int side;
        Expect expect;
    };
    for (const Case& c : std::vector<Case>{{1, 400, 64, Whole},
                                           {4200, 4400, 64, Whole},
                                           {239, 186'141, 64, Whole},
                                           {k1e18, k1e18 + 1'000'000, 64, Tail},
                                           {k1e18 + 999'990, k1e18 + 999'999, 32, Tail},
                                           {k1e18, k1e18 + k1e18 / 2, 64, None},
                                           {1, 10'000, 16, None},
                                           {9'999'999, 10'000'001, 40, None}}) {
        SCOPED_TRACE(::testing::Message() << c.least << " … " << c.most << " at " << c.side);
        const NumeralPlan plan = PlanNumerals(c.least, c.most, c.side, 7);
        EXPECT_EQ(plan.shown, c.expect != None);
        EXPECT_EQ(plan.tailDigits > 0, c.expect == Tail);
        if (!plan.shown) continue;
        for (std::uint64_t n : {c.least, (c.least + c.most) / 2, c.most}) {
            const QString text = NumeralText(n, plan);
            const QString digits = QString::number(n);
            EXPECT_FALSE(text.contains(QLatin1Char('\n')));
            // What the cell leaves out is what the view says once.
            EXPECT_EQ(plan.tailDigits > 0 ? plan.sharedLead + text.mid(1) : text, digits);
            // It is readable, and narrower than the cell by a visible gap.
            const int pixels = NumeralPixelSize(text, c.side, 7);
            ASSERT_GE(pixels, 7) << text.toStdString();
            QFont font;
            font.setPixelSize(pixels);
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(text), c.side - 3.0)
                << text.toStdString();
        }
    }
}

}  // namespace
}  // namespace quorvel::testing
