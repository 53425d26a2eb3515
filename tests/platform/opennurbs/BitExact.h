#pragma once

#include "opennurbs.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

// Equal including the sign of zero: callers hand these values on bit for bit.
inline ::testing::AssertionResult BitExact(double actual, double expected)
{
    if (std::bit_cast<std::uint64_t>(actual) == std::bit_cast<std::uint64_t>(expected))
    {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << ::testing::PrintToString(actual) << " is not bit-exact " << ::testing::PrintToString(expected);
}

inline ::testing::AssertionResult BitExact(const ON_3dVector& actual, const ON_3dVector& expected)
{
    for (int i = 0; i < 3; i++)
    {
        if (!BitExact(actual[i], expected[i]))
        {
            return ::testing::AssertionFailure()
                   << "component " << i << ": (" << ::testing::PrintToString(actual.x) << ", "
                   << ::testing::PrintToString(actual.y) << ", " << ::testing::PrintToString(actual.z)
                   << ") is not bit-exact (" << ::testing::PrintToString(expected.x) << ", "
                   << ::testing::PrintToString(expected.y) << ", " << ::testing::PrintToString(expected.z)
                   << ")";
        }
    }
    return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult BitExact(const ON_3dPoint& actual, const ON_3dPoint& expected)
{
    return BitExact(ON_3dVector(actual), ON_3dVector(expected));
}
