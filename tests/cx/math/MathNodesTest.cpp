#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"
#include "cx/math/Multiple.hpp"
#include "cx/math/Plus.hpp"
#include "cx/math/Sin.hpp"
#include "cx/math/UnaryMinus.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::math::Multiple;
using ox::cx::math::Plus;
using ox::cx::math::Sin;
using ox::cx::math::UnaryMinus;

TEST(SinTest, EvaluatesInDoublePrecision) {
    CxManager manager;
    auto halfPi = manager.create<CxStatic<float>>(std::numbers::pi_v<float> / 2.0f);
    auto sine = manager.create<Sin<float, float>>(halfPi);
    auto zero = manager.create<CxStatic<float>>(0.0f);
    auto sineOfZero = manager.create<Sin<float, float>>(zero);

    manager.update();
    EXPECT_EQ(sine->value, 1.0f);
    EXPECT_EQ(sineOfZero->value, 0.0f);

    halfPi->value = 1.0f;
    manager.update();
    EXPECT_EQ(sine->value, static_cast<float>(std::sin(1.0)));
}

TEST(UnaryMinusTest, FlipsTheSignBitOnly) {
    CxManager manager;
    auto input = manager.create<CxStatic<float>>(0.0f);
    auto negated = manager.create<UnaryMinus<float>>(input);

    manager.update();
    EXPECT_EQ(negated->value, 0.0f);
    EXPECT_TRUE(std::signbit(negated->value));

    input->value = -2.5f;
    manager.update();
    EXPECT_EQ(negated->value, 2.5f);

    input->value = std::numeric_limits<float>::quiet_NaN();
    manager.update();
    EXPECT_TRUE(std::isnan(negated->value));
    EXPECT_TRUE(std::signbit(negated->value));
}

TEST(PlusAndMultipleTest, CombineTheirInputsInSinglePrecision) {
    CxManager manager;
    auto a = manager.create<CxStatic<float>>(1.5f);
    auto b = manager.create<CxStatic<float>>(-4.0f);
    auto sum = manager.create<Plus<float, float>>(a, b);
    auto product = manager.create<Multiple<float, float>>(a, b);

    manager.update();
    EXPECT_EQ(sum->value, -2.5f);
    EXPECT_EQ(product->value, -6.0f);

    // 1 + 2^-30 is not representable in float: the sum rounds back to 1.
    a->value = 1.0f;
    b->value = std::ldexp(1.0f, -30);
    manager.update();
    EXPECT_EQ(sum->value, 1.0f);

    a->value = std::numeric_limits<float>::infinity();
    b->value = 0.0f;
    manager.update();
    EXPECT_TRUE(std::isinf(sum->value));
    EXPECT_TRUE(std::isnan(product->value));
}

} // namespace
