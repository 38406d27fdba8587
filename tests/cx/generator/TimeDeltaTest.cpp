#include "cx/generator/TimeDelta.hpp"
#include "cx/CxManager.hpp"
#include "cx/generator/TimeTicks.hpp"

#include <gtest/gtest.h>

namespace {

using ox::cx::CxManager;
using ox::cx::generator::TimeDelta;
using ox::cx::generator::TimeTicks;

TEST(TimeDeltaTest, YieldsTheTimeBetweenPasses) {
    CxManager manager;
    auto ticks = manager.create<TimeTicks>();
    auto delta = manager.create<TimeDelta>(ticks);
    EXPECT_EQ(ticks->value, 0.0);
    EXPECT_EQ(delta->value, 0.0);

    // The first pass measures from the clock's origin.
    ticks->value = 5.0;
    manager.update();
    EXPECT_EQ(ticks->value, 5.0);
    EXPECT_EQ(delta->value, 5.0);

    ticks->value = 5.25;
    manager.update();
    EXPECT_EQ(delta->value, 0.25);

    // A clock that was not written between passes did not advance.
    manager.update();
    EXPECT_EQ(delta->value, 0.0);
    EXPECT_EQ(delta->previous, 5.25);
}

} // namespace
