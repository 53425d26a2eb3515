#include "NVKVector.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(NVKVector, AngleTurnsCounterClockwiseAboutTheNormal)
{
    struct Case
    {
        const char* what;
        ON_3dVector from, to, normal;
        double angle;
    };
    const double pi = ON_PI;
    const Case cases[] = {
        {"quarter", {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, pi / 2},
        {"quarter seen from below", {1, 0, 0}, {0, 1, 0}, {0, 0, -1}, 3 * pi / 2},
        {"three quarters", {1, 0, 0}, {0, -1, 0}, {0, 0, 1}, 3 * pi / 2},
        {"half", {1, 0, 0}, {-1, 0, 0}, {0, 0, 1}, pi},
        {"half seen from below", {1, 0, 0}, {-1, 0, 0}, {0, 0, -1}, pi},
        {"none", {2, 2, 0}, {1, 1, 0}, {0, 0, 1}, 0},
        {"lengths do not count", {3, 0, 0}, {0, 0.5, 0}, {0, 0, 7}, pi / 2},
        {"parts along the normal do not count", {1, 0, 5}, {0, 2, -3}, {0, 0, 1}, pi / 2},
        {"about x", {0, 1, 0}, {0, 0, 1}, {1, 0, 0}, pi / 2},
        {"a hair short of a full turn is none", {1, 0, 0}, {1, -1e-300, 0}, {0, 0, 1}, 0},
        {"zero normal", {1, 0, 0}, {0, 1, 0}, {0, 0, 0}, 0},
        {"zero vector", {0, 0, 0}, {0, 1, 0}, {0, 0, 1}, 0},
        // Signed zeros that would make atan2 answer pi.
        {"vector along the normal", {-0.0, -0.0, 1}, {1, 1, -0.0}, {0, 0, 1}, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NVKVector::Angle(c.from, c.to, c.normal, 0), c.angle) << c.what;
}

TEST(NVKVector, AngleSweepsAFullTurnInRange)
{
    // Every multiple of 7.5 degrees about a tilted axis.
    const ON_3dVector normal(1, 2, 3);
    ON_3dVector from(3, 0, -1); // across the normal
    for (int step = 0; step < 48; ++step)
    {
        const double expected = step * ON_PI / 24;
        ON_3dVector to = from * 2.5;
        to.Rotate(expected, normal);
        const double angle = NVKVector::Angle(from, to, normal, 0);
        EXPECT_GE(angle, 0.0) << step;
        EXPECT_LT(angle, 2 * ON_PI) << step;
        EXPECT_NEAR(angle, expected, 1e-14) << step;
    }
}
