#include "tracking/transform.h"

#include <gtest/gtest.h>

#include <cmath>

#include "tests/tracking/model_fixtures.h"

namespace {

TEST(Transform, ComposeAppliesInnerFirst) {
    const Transform inner{4, -2};              // shift
    const Transform outer{0, 0, 0, -1, 1, 0};  // quarter turn
    double ax, ay, bx, by, cx, cy;
    inner.apply(3, 5, ax, ay);
    outer.apply(ax, ay, bx, by);
    compose(outer, inner).apply(3, 5, cx, cy);
    EXPECT_DOUBLE_EQ(bx, cx);
    EXPECT_DOUBLE_EQ(by, cy);
}

TEST(Transform, InverseUndoesAndSingularIsNonFinite) {
    const Transform t{2.5, 1, 0.999848, -0.0174524, 0.0174524, 0.999848};
    const Transform id = compose(inverse(t), t);
    EXPECT_NEAR(id.xx, 1, 1e-12);
    EXPECT_NEAR(id.xy, 0, 1e-12);
    EXPECT_NEAR(id.yx, 0, 1e-12);
    EXPECT_NEAR(id.yy, 1, 1e-12);
    EXPECT_NEAR(id.x, 0, 1e-12);
    EXPECT_NEAR(id.y, 0, 1e-12);
    EXPECT_FALSE(std::isfinite(inverse(Transform{1, 1, 1, 2, 2, 4}).xx));
}

}  // namespace
