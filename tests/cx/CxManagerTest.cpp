#include "cx/CxManager.hpp"
#include "cx/CxStatic.hpp"
#include "cx/math/Plus.hpp"
#include "cx/math/UnaryMinus.hpp"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using ox::cx::Cx0;
using ox::cx::CxManager;
using ox::cx::CxStatic;
using ox::cx::ICx;

// Writes its name into a shared journal whenever it is updated.
class Probe : public Cx0<int> {
public:
    Probe(std::string name, std::shared_ptr<std::vector<std::string>> journal)
        : name(std::move(name))
        , journal(std::move(journal)) {}

    int compute() override {
        journal->push_back(name);
        return 0;
    }

private:
    std::string name;
    std::shared_ptr<std::vector<std::string>> journal;
};

class CxManagerTest : public ::testing::Test {
protected:
    std::shared_ptr<ICx> probe(const std::string& name) {
        return std::make_shared<Probe>(name, journal);
    }

    CxManager manager;
    std::shared_ptr<std::vector<std::string>> journal =
        std::make_shared<std::vector<std::string>>();
};

TEST_F(CxManagerTest, PlacesEachNodeOneWaveAfterItsHighestInput) {
    auto constant = probe("constant");
    auto time = probe("time");
    EXPECT_EQ(manager.add(constant, {}), 0);
    EXPECT_EQ(manager.add(time, {}), 0);

    auto both = probe("both");
    EXPECT_EQ(manager.add(both, {constant, time}), 1);
    auto fed = probe("fed");
    EXPECT_EQ(manager.add(fed, {both}), 2);

    // The highest input decides whatever its position in the list.
    EXPECT_EQ(manager.add(probe("low-first"), {constant, fed}), 3);
    EXPECT_EQ(manager.add(probe("high-first"), {fed, constant}), 3);
    EXPECT_EQ(manager.add(probe("middle"), {both, time}), 2);
}

TEST_F(CxManagerTest, InputsTheManagerDoesNotHoldDoNotRaiseTheLevel) {
    auto outsider = probe("outsider");
    EXPECT_EQ(manager.add(probe("first"), {outsider}), 0);

    auto held = probe("held");
    ASSERT_EQ(manager.add(held, {}), 0);
    EXPECT_EQ(manager.add(probe("mixed"), {outsider, held}), 1);
    EXPECT_EQ(manager.add(probe("only-outsider"), {outsider}), 0);
}

TEST_F(CxManagerTest, OpensAtMostOneNewWaveAtTheEnd) {
    auto previous = probe("0");
    ASSERT_EQ(manager.add(previous, {}), 0);
    for (int level = 1; level < 5; ++level) {
        auto next = probe(std::to_string(level));
        EXPECT_EQ(manager.add(next, {previous}), level);
        previous = next;
    }
    // Every wave in between exists: a pass reaches each level in order.
    manager.update();
    EXPECT_EQ(*journal, (std::vector<std::string>{"0", "1", "2", "3", "4"}));
}

TEST_F(CxManagerTest, UpdatesWaveByWaveAndInInsertionOrderWithinAWave) {
    auto a = probe("a");
    auto b = probe("b");
    manager.add(a, {});
    auto afterA = probe("after-a");
    manager.add(afterA, {a});
    manager.add(b, {});
    manager.add(probe("after-b"), {b});
    manager.add(probe("c"), {});
    manager.add(probe("after-both"), {afterA, b});

    EXPECT_EQ(manager.update(), 0);
    EXPECT_EQ(*journal,
              (std::vector<std::string>{"a", "b", "c", "after-a", "after-b", "after-both"}));

    // No change detection: every node recomputes on every pass.
    journal->clear();
    manager.update();
    EXPECT_EQ(journal->size(), 6u);
}

TEST_F(CxManagerTest, PassOverAnEmptyManagerDoesNothing) {
    EXPECT_EQ(manager.update(), 0);
    EXPECT_TRUE(journal->empty());
}

TEST_F(CxManagerTest, RefusesAnEmptyNode) {
    EXPECT_EQ(manager.add(nullptr, {}), -1);
    EXPECT_EQ(manager.update(), 0);
    // Nothing was registered, so the next node still opens wave 0.
    EXPECT_EQ(manager.add(probe("first"), {}), 0);
}

TEST_F(CxManagerTest, ChainShowsItsFinalValueAfterOnePass) {
    using ox::cx::math::Plus;
    using ox::cx::math::UnaryMinus;

    auto three = manager.create<CxStatic<float>>(3.0f);
    auto ten = manager.create<CxStatic<float>>(10.0f);
    auto negated = manager.create<UnaryMinus<float>>(three);
    auto sum = manager.create<Plus<float, float>>(negated, ten);

    manager.update();
    EXPECT_EQ(negated->value, -3.0f);
    EXPECT_EQ(sum->value, 7.0f);

    // create registered the sum after its negation input: wave 2.
    EXPECT_EQ(manager.add(probe("reader"), {sum}), 3);
}

TEST_F(CxManagerTest, CreateRegistersEveryNodeArgumentAsAnInput) {
    using ox::cx::math::Plus;

    auto low = manager.create<CxStatic<float>>(1.0f);
    auto high = manager.create<Plus<float, float>>(low, low);
    // The wave-1 node as second argument still places the sum in wave 2.
    auto sum = manager.create<Plus<float, float>>(low, high);
    EXPECT_EQ(manager.add(probe("reader"), {sum}), 3);
}

TEST_F(CxManagerTest, CreateRefusesAnEmptyInputAndBuildsNothing) {
    using ox::cx::math::UnaryMinus;

    std::shared_ptr<Cx0<float>> missing;
    EXPECT_EQ(manager.create<UnaryMinus<float>>(missing), nullptr);
    EXPECT_EQ(manager.update(), 0);
    EXPECT_EQ(manager.add(probe("first"), {}), 0);
}

TEST_F(CxManagerTest, ConstantKeepsItsValueAcrossPasses) {
    auto constant = manager.create<CxStatic<float>>(10.0f);
    for (int pass = 0; pass < 3; ++pass) {
        manager.update();
    }
    EXPECT_EQ(constant->value, 10.0f);
}

TEST(CxManagerOwnershipTest, NodesKeepTheirInputsAliveAfterTheManagerIsGone) {
    using ox::cx::math::UnaryMinus;

    auto manager = std::make_shared<CxManager>();
    auto constant = manager->create<CxStatic<float>>(2.0f);
    auto negated = manager->create<UnaryMinus<float>>(constant);
    std::weak_ptr<Cx0<float>> watch = constant;

    constant.reset();
    manager.reset();
    ASSERT_FALSE(watch.expired());
    negated->update();
    EXPECT_EQ(negated->value, -2.0f);

    negated.reset();
    EXPECT_TRUE(watch.expired());
}

} // namespace
