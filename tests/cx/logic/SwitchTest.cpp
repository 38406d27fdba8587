#include "cx/logic/Switch.hpp"
#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"

#include <gtest/gtest.h>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::logic::Switch;

TEST(SwitchTest, SelectsTheThirdInputWhileTheConditionHolds) {
    CxManager manager;
    auto condition = manager.create<CxStatic<bool>>(false);
    auto whenFalse = manager.create<CxStatic<float>>(1.0f);
    auto whenTrue = manager.create<CxStatic<float>>(2.0f);
    auto selected = manager.create<Switch<float>>(condition, whenFalse, whenTrue);

    manager.update();
    EXPECT_EQ(selected->value, 1.0f);

    condition->value = true;
    manager.update();
    EXPECT_EQ(selected->value, 2.0f);

    // The chosen candidate is read afresh on every pass.
    whenTrue->value = 3.0f;
    manager.update();
    EXPECT_EQ(selected->value, 3.0f);
}

} // namespace
