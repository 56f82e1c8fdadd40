// Converting the pointer position happens on every pointer move, so one
// conversion must not touch the heap. This program counts every malloc,
// calloc and realloc (operator new included) made by itself and by PROJ.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>

#include "view/coordinate_translator.h"

extern "C" void* __libc_malloc(size_t size);
extern "C" void* __libc_calloc(size_t count, size_t size);
extern "C" void* __libc_realloc(void* block, size_t size);

namespace {
std::atomic<long> gAllocations{0};
}

extern "C" void* malloc(size_t size) {
    ++gAllocations;
    return __libc_malloc(size);
}
extern "C" void* calloc(size_t count, size_t size) {
    ++gAllocations;
    return __libc_calloc(count, size);
}
extern "C" void* realloc(void* block, size_t size) {
    ++gAllocations;
    return __libc_realloc(block, size);
}

TEST(TransformAllocation, ConvertingAPointAllocatesNothing) {
    using F = TCoordsFormat;
    const struct {
        F From, To;
        TGeoPoint2D Point;
        TDatumShift Shift = TDatumShift::dsHelmert;
    } cases[] = {
        {F::cfProjectedTKY09, F::cfGeodeticWGS, {-8000, -38300}},
        {F::cfProjectedJGD09, F::cfGeodeticJGD, {1234.5, 6789.25}},
        {F::cfGeodeticWGS, F::cfProjectedTKY09, {50340000, 12960000}},
        {F::cfProjectedTKY01, F::cfProjectedJGD01, {0, 0}},
        {F::cfGeodeticWGS, F::cfProjectedJGD09, {50340000, 36000000}},  // beyond the pole: fails
        {F::cfProjectedTKY09, F::cfProjectedJGD2011_09, {-8000, -38300}, TDatumShift::dsGrid},
        {F::cfProjectedJGD2011_09, F::cfProjectedTKY09, {-8000, -38300}, TDatumShift::dsGrid},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << CoordsFormatName(c.From) << " " << CoordsFormatName(c.To));
        TCoordinateTranslator t;
        t.SetDatumShift(c.Shift);
        const long beforeChoosing = gAllocations;
        t.SetSource(c.From);
        t.SetTarget(c.To);
        EXPECT_GT(gAllocations - beforeChoosing, 0);  // the counter sees PROJ's allocations

        double sum = 0;
        const long before = gAllocations;
        for (int i = 0; i < 1000; ++i) {
            const TGeoPoint2D r = t.Transform({c.Point.X + i, c.Point.Y - i});
            sum += r.X + r.Y;
        }
        EXPECT_EQ(gAllocations - before, 0);
        EXPECT_NE(sum, 0);
    }
}
