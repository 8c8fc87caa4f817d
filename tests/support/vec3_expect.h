#pragma once

#include "platform/scene.h"

#include <gtest/gtest.h>

namespace torvex::testing {

inline void ExpectNear(const Vec3& actual, const Vec3& expected, double tolerance = 1e-9) {
    EXPECT_NEAR(actual.X, expected.X, tolerance);
    EXPECT_NEAR(actual.Y, expected.Y, tolerance);
    EXPECT_NEAR(actual.Z, expected.Z, tolerance);
}

} // namespace torvex::testing
