#include "cx/glm/Vec3.hpp"
#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"

#include <gtest/gtest.h>

namespace {

using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::glm::Vec3;

TEST(Vec3Test, AssemblesItsInputsInOrder) {
    CxManager manager;
    auto x = manager.create<CxStatic<float>>(1.0f);
    auto y = manager.create<CxStatic<float>>(2.0f);
    auto z = manager.create<CxStatic<float>>(3.0f);
    auto vector = manager.create<Vec3<float>>(x, y, z);

    EXPECT_EQ(vector->value, ::glm::vec3(0.0f, 0.0f, 0.0f));
    manager.update();
    EXPECT_EQ(vector->value, ::glm::vec3(1.0f, 2.0f, 3.0f));
}

} // namespace
