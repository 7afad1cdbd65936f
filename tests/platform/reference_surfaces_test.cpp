// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "engine/reference_picture.h"
#include "platform/image_surface.h"
#include "platform/indexed_surface.h"

namespace quorvel {
namespace {

using testing::DrawReference;
using testing::ExpectSameStatistics;
using testing::ReferenceResult;
using testing::SamePixels;

// The table's pictures, and the window's own: box size 1 on 527 x 527 pixels in every scheme.
std::vector<PictureRequest> Requests() {
    std::vector<PictureRequest> requests = testing::ReferenceTable();
    for (int scheme = 0; scheme < kColorSchemeCount; ++scheme) {
        PictureRequest r;
        r.width = r.height = 527;
        r.start = scheme % 2 == 0 ? 1 : 2147483646 - 527 * 527 + 1;
        r.show = scheme == 4 ? ShowMode::Random : ShowMode::Primes;
        r.scheme = static_cast<ColorScheme>(scheme);
        requests.push_back(r);
    }
    return requests;
}

// The window's surface: 32 bits a pixel, shapes by the toolkit's painter, the pass writing
// single pixels and small marks straight into it.
TEST(ReferenceSurfaces, TheWindowsSurfaceShowsWhatTheRulesDraw) {
    for (const PictureRequest& r : Requests()) {
        SCOPED_TRACE(testing::Describe(r));
        ImageSurface expected(r.width, r.height);
        const ReferenceResult want = DrawReference(r, expected);
        ImageSurface actual(r.width, r.height);
        SpiralEngine engine;
        ExpectSameStatistics(want, engine.DrawSpiral(testing::InputOf(r), actual));
        if (want.outcome == PassOutcome::Drawn) {
            ASSERT_TRUE(SamePixels(expected, actual));
        }
    }
}

// The exports' surface of one byte a pixel, in rows and in tiles.
TEST(ReferenceSurfaces, TheOneByteSurfacesShowWhatTheRulesDraw) {
    for (const PictureRequest& r : Requests()) {
        for (const auto layout : {IndexedSurface::Layout::Rows, IndexedSurface::Layout::Tiles}) {
            // Shapes on tiles are drawn through a copy, slowly: the small ones only.
            if (layout == IndexedSurface::Layout::Tiles && r.cellSize > 3) continue;
            SCOPED_TRACE(testing::Describe(r) +
                         (layout == IndexedSurface::Layout::Tiles ? " tiles" : " rows"));
            IndexedSurface expected(r.width, r.height, layout);
            const ReferenceResult want = DrawReference(r, expected);
            IndexedSurface actual(r.width, r.height, layout);
            SpiralEngine engine;
            ExpectSameStatistics(want, engine.DrawSpiral(testing::InputOf(r), actual));
            if (want.outcome == PassOutcome::Drawn) {
                ASSERT_TRUE(SamePixels(expected, actual));
            }
        }
    }
}

}  // namespace
}  // namespace quorvel
