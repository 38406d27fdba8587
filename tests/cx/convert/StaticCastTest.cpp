#include "cx/convert/StaticCast.hpp"
#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::convert::StaticCast;

TEST(StaticCastTest, RoundsDoubleToNearestFloat) {
    CxManager manager;
    auto input = manager.create<CxStatic<double>>(0.1);
    auto converted = manager.create<StaticCast<float, double>>(input);

    manager.update();
    EXPECT_EQ(converted->value, 0.1f);

    // Halfway between 1 and the next float: ties go to the even neighbour.
    input->value = 1.0 + 0x1p-24;
    manager.update();
    EXPECT_EQ(converted->value, 1.0f);
    input->value = 1.0 + 0x1p-24 + 0x1p-40;
    manager.update();
    EXPECT_EQ(converted->value, 1.0f + 0x1p-23f);
}

TEST(StaticCastTest, ValuesBeyondFloatRangeBecomeInfinities) {
    CxManager manager;
    auto input = manager.create<CxStatic<double>>(1e300);
    auto converted = manager.create<StaticCast<float, double>>(input);

    manager.update();
    EXPECT_EQ(converted->value, std::numeric_limits<float>::infinity());

    input->value = -1e300;
    manager.update();
    EXPECT_EQ(converted->value, -std::numeric_limits<float>::infinity());
}

} // namespace
