#include "engine/mesh/MeshRegister.hpp"
#include "support/RecordingRenderingApi.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

using ox::engine::mesh::IMesh;
using ox::engine::mesh::IMeshRegister;
using ox::engine::mesh::mesh_properties_t;
using ox::engine::mesh::mesh_render_data_t;
using ox::engine::mesh::MeshRegister;
using ox::renderer::EPrimitiveMode;
using ox::renderer::IRenderingApi;

namespace {

struct Visit {
    std::string mesh;
    std::string pass;
};

// A mesh that writes every call it receives into a journal shared by all.
class FakeMesh : public IMesh {
public:
    FakeMesh(std::string name, std::vector<Visit>& journal, std::uint8_t renderGroup = 0)
        : name(std::move(name))
        , journal(journal) {
        properties.renderGroup = renderGroup;
    }

    void init(std::shared_ptr<IRenderingApi> api, std::shared_ptr<IMeshRegister> reg) override {
        record("init", api, reg);
    }
    void deinit(std::shared_ptr<IRenderingApi> api, std::shared_ptr<IMeshRegister> reg) override {
        record("deinit", api, reg);
    }
    mesh_properties_t* getProperties() override {
        return withoutProperties ? nullptr : &properties;
    }
    std::string_view getName() const override { return name; }
    void labelObjects(IRenderingApi&) override { journal.push_back({name, "label"}); }
    void render(std::shared_ptr<IRenderingApi> api, std::shared_ptr<IMeshRegister> reg,
                const mesh_render_data_t& data) override {
        lastData = data;
        record("render", api, reg);
        if (onRender) {
            onRender(*reg);
        }
    }

    std::string name;
    std::vector<Visit>& journal;
    mesh_properties_t properties;
    bool withoutProperties = false;
    mesh_render_data_t lastData{};
    // Raw: a mesh holding its register strongly would keep both alive.
    IRenderingApi* lastApi = nullptr;
    IMeshRegister* lastRegister = nullptr;
    std::function<void(IMeshRegister&)> onRender;

private:
    void record(const char* pass, std::shared_ptr<IRenderingApi> api,
                std::shared_ptr<IMeshRegister> reg) {
        lastApi = api.get();
        lastRegister = reg.get();
        journal.push_back({name, pass});
    }
};

struct MeshRegisterTest : ::testing::Test {
    std::vector<Visit> journal;
    std::shared_ptr<ox::test::RecordingRenderingApi> api =
        std::make_shared<ox::test::RecordingRenderingApi>();
    std::shared_ptr<MeshRegister> reg = std::make_shared<MeshRegister>(api);

    std::shared_ptr<FakeMesh> mesh(const std::string& name, std::uint8_t renderGroup = 0) {
        return std::make_shared<FakeMesh>(name, journal, renderGroup);
    }

    // The names of the meshes that the next render pass visits, in order.
    std::vector<std::string> renderOrder() {
        journal.clear();
        reg->renderAll();
        std::vector<std::string> names;
        for (const auto& visit : journal) {
            names.push_back(visit.mesh);
        }
        journal.clear();
        return names;
    }
};

using Names = std::vector<std::string>;

TEST_F(MeshRegisterTest, GroupsAreVisitedInOrderWhateverTheInsertionOrder) {
    auto first = mesh("first", 2);
    auto second = mesh("second", 0);
    auto third = mesh("third", 1);
    auto both = mesh("both", 3);
    auto bare = mesh("bare", 1);
    bare->withoutProperties = true;

    for (const auto& m : {first, second, third, both, bare}) {
        EXPECT_TRUE(reg->add(m));
    }

    // Byte 1 = 3 selects group 2: bit 1 wins over bit 0. No properties: group 0.
    EXPECT_EQ(renderOrder(), (Names{"second", "bare", "third", "first", "both"}));
}

TEST_F(MeshRegisterTest, EveryPassVisitsTheGroupsInTheSameOrder) {
    reg->add(mesh("late", 2));
    reg->add(mesh("early", 0));

    reg->initAll();
    reg->renderAll();
    reg->deinitAll();

    std::vector<std::string> passes;
    for (const auto& visit : journal) {
        passes.push_back(visit.pass + ":" + visit.mesh);
    }
    EXPECT_EQ(passes, (Names{"init:early", "init:late", "render:early", "render:late",
                             "deinit:early", "deinit:late"}));
}

TEST_F(MeshRegisterTest, AddingAndRemovingNeverInitialisesOrDeinitialises) {
    auto m = mesh("m");
    const std::vector<std::shared_ptr<IMesh>> list{m};
    reg->add(m);
    reg->add(list);
    reg->remove(m);
    reg->add(m);
    reg->remove(list);
    reg->add(m);
    reg->clear();
    EXPECT_TRUE(journal.empty());
}

TEST_F(MeshRegisterTest, EmptyPointersAreRefusedAndNotCounted) {
    EXPECT_FALSE(reg->add(std::shared_ptr<IMesh>{}));

    const std::vector<std::shared_ptr<IMesh>> list{mesh("a"), nullptr, mesh("b"), nullptr};
    EXPECT_EQ(reg->add(list), 2u);
    EXPECT_EQ(renderOrder(), (Names{"a", "b"}));
    EXPECT_EQ(reg->add(std::span<const std::shared_ptr<IMesh>>{}), 0u);
}

TEST_F(MeshRegisterTest, AMeshAddedTwiceIsVisitedTwiceAndRemovedTwice) {
    auto twice = mesh("twice");
    auto other = mesh("other");
    reg->add(twice);
    reg->add(other);
    reg->add(twice);
    EXPECT_EQ(renderOrder(), (Names{"twice", "other", "twice"}));

    EXPECT_EQ(reg->remove(twice), 2u);
    EXPECT_EQ(renderOrder(), (Names{"other"}));
}

TEST_F(MeshRegisterTest, RemovingOneMeshKeepsTheOrderOfTheOthers) {
    auto a = mesh("a");
    auto b = mesh("b");
    auto c = mesh("c");
    auto stranger = mesh("stranger");
    // Insert against address order so that a sort would show.
    std::vector<std::shared_ptr<FakeMesh>> meshes{a, b, c};
    std::sort(meshes.begin(), meshes.end(), [](const auto& l, const auto& r) {
        return std::greater<const IMesh*>{}(l.get(), r.get());
    });
    Names expected;
    for (const auto& m : meshes) {
        reg->add(m);
        expected.push_back(m->name);
    }

    EXPECT_EQ(reg->remove(stranger), 0u);
    EXPECT_EQ(reg->remove(std::shared_ptr<IMesh>{}), 0u);
    EXPECT_EQ(renderOrder(), expected);

    EXPECT_EQ(reg->remove(b), 1u);
    std::erase(expected, "b");
    EXPECT_EQ(renderOrder(), expected);
}

TEST_F(MeshRegisterTest, RemovingAListLeavesEveryGroupSortedByAddress) {
    std::vector<std::shared_ptr<FakeMesh>> meshes;
    for (int i = 0; i < 6; ++i) {
        meshes.push_back(mesh("m" + std::to_string(i), static_cast<std::uint8_t>(i % 2)));
    }
    // Insert in descending address order, the opposite of what removal leaves.
    auto descending = meshes;
    std::sort(descending.begin(), descending.end(), [](const auto& l, const auto& r) {
        return std::greater<const IMesh*>{}(l.get(), r.get());
    });
    for (const auto& m : descending) {
        reg->add(m);
    }

    auto stranger = mesh("stranger");
    const std::vector<std::shared_ptr<IMesh>> nothingMatches{stranger};
    EXPECT_EQ(reg->remove(nothingMatches), 0u);
    EXPECT_EQ(reg->remove(std::span<const std::shared_ptr<IMesh>>{}), 0u);

    Names expected;
    for (std::uint8_t group : {0, 1}) {
        std::vector<std::shared_ptr<FakeMesh>> inGroup;
        std::copy_if(meshes.begin(), meshes.end(), std::back_inserter(inGroup),
                     [&](const auto& m) { return m->properties.renderGroup == group; });
        std::sort(inGroup.begin(), inGroup.end(), [](const auto& l, const auto& r) {
            return std::less<const IMesh*>{}(l.get(), r.get());
        });
        for (const auto& m : inGroup) {
            expected.push_back(m->name);
        }
    }
    EXPECT_EQ(renderOrder(), expected);
}

TEST_F(MeshRegisterTest, EachListEntryCancelsOneEntryOfTheGroup) {
    auto twice = mesh("twice");
    auto once = mesh("once", 2);
    auto kept = mesh("kept", 1);
    reg->add(twice);
    reg->add(once);
    reg->add(kept);
    reg->add(twice);

    const std::vector<std::shared_ptr<IMesh>> list{twice, once, mesh("stranger")};
    EXPECT_EQ(reg->remove(list), 2u);
    EXPECT_EQ(renderOrder(), (Names{"twice", "kept"}));

    const std::vector<std::shared_ptr<IMesh>> listedTwice{twice, twice};
    reg->add(twice);
    EXPECT_EQ(reg->remove(listedTwice), 2u);
    EXPECT_EQ(renderOrder(), (Names{"kept"}));
}

TEST_F(MeshRegisterTest, ClearCountsWhatItRemoved) {
    for (std::uint8_t group : {0, 1, 2, 2, 3}) {
        reg->add(mesh("m", group));
    }
    EXPECT_EQ(reg->clear(), 5u);
    EXPECT_EQ(reg->clear(), 0u);
    EXPECT_TRUE(renderOrder().empty());
}

TEST_F(MeshRegisterTest, RenderDataStartsWithIdentityMatricesAndNoOverride) {
    auto m = mesh("m");
    reg->add(m);
    reg->renderAll();

    const glm::mat4 identity(1.0f);
    EXPECT_EQ(m->lastData.model, identity);
    EXPECT_EQ(m->lastData.view, identity);
    EXPECT_EQ(m->lastData.projection, identity);
    EXPECT_EQ(m->lastData.viewProjection, identity);
    EXPECT_EQ(m->lastData.cameraPosition, glm::vec3(0.0f));
    EXPECT_EQ(m->lastData.cameraDirection, glm::vec3(0.0f));
    EXPECT_EQ(m->lastData.cameraAxis, glm::vec3(0.0f));
    EXPECT_EQ(m->lastData.primitiveOverride.flags, 0u);
    EXPECT_FALSE(m->lastData.primitiveOverride.isEnabled());
    EXPECT_EQ(static_cast<int>(m->lastData.primitiveOverride.mode), 0);
}

TEST_F(MeshRegisterTest, SettersCopyEachFieldAndRenderHandsItOn) {
    auto m = mesh("m");
    reg->add(m);

    const glm::mat4 model(2.0f), view(3.0f), projection(4.0f), viewProjection(5.0f);
    reg->setMatrices(model, view, projection, viewProjection);
    reg->setCameraVectors({1, 2, 3}, {4, 5, 6}, {7, 8, 9});
    reg->setPrimitiveOverride(1u, static_cast<EPrimitiveMode>(3));
    reg->renderAll();

    EXPECT_EQ(m->lastData.model, model);
    EXPECT_EQ(m->lastData.view, view);
    EXPECT_EQ(m->lastData.projection, projection);
    EXPECT_EQ(m->lastData.viewProjection, viewProjection);
    EXPECT_EQ(m->lastData.cameraPosition, glm::vec3(1, 2, 3));
    EXPECT_EQ(m->lastData.cameraDirection, glm::vec3(4, 5, 6));
    EXPECT_EQ(m->lastData.cameraAxis, glm::vec3(7, 8, 9));
    EXPECT_TRUE(m->lastData.primitiveOverride.isEnabled());
    EXPECT_EQ(static_cast<int>(m->lastData.primitiveOverride.mode), 3);

    mesh_render_data_t whole{};
    whole.view = glm::mat4(7.0f);
    whole.cameraAxis = {0, 1, 0};
    reg->setRenderData(whole);
    reg->renderAll();
    EXPECT_EQ(m->lastData.model, glm::mat4(1.0f));
    EXPECT_EQ(m->lastData.view, glm::mat4(7.0f));
    EXPECT_EQ(m->lastData.cameraAxis, glm::vec3(0, 1, 0));
    EXPECT_FALSE(m->lastData.primitiveOverride.isEnabled());
}

TEST_F(MeshRegisterTest, PassesHandTheApiAndTheRegisterItselfToEveryMesh) {
    auto m = mesh("m");
    reg->add(m);
    for (auto pass :
         {&IMeshRegister::initAll, &IMeshRegister::renderAll, &IMeshRegister::deinitAll}) {
        m->lastApi = nullptr;
        m->lastRegister = nullptr;
        ((*reg).*pass)();
        EXPECT_EQ(m->lastApi, static_cast<IRenderingApi*>(api.get()));
        EXPECT_EQ(m->lastRegister, static_cast<IMeshRegister*>(reg.get()));
    }
    // The register itself makes no OpenGL call.
    EXPECT_TRUE(api->calls.empty());
}

TEST_F(MeshRegisterTest, MeshesAddedDuringAPassAreVisitedOnlyInLaterGroups) {
    auto sameGroup = mesh("same", 0);
    auto laterGroup = mesh("later", 2);
    auto adder = mesh("adder", 0);
    bool added = false;
    adder->onRender = [&](IMeshRegister& r) {
        if (!added) {
            added = true;
            r.add(sameGroup);
            r.add(laterGroup);
        }
    };
    reg->add(adder);

    EXPECT_EQ(renderOrder(), (Names{"adder", "later"}));
    EXPECT_EQ(renderOrder(), (Names{"adder", "same", "later"}));
}

TEST_F(MeshRegisterTest, AMeshRemovedDuringAPassIsStillVisitedInThatPass) {
    auto victim = mesh("victim", 0);
    auto remover = mesh("remover", 0);
    remover->onRender = [&](IMeshRegister& r) {
        r.remove(victim);
    };
    reg->add(remover);
    reg->add(victim);

    EXPECT_EQ(renderOrder(), (Names{"remover", "victim"}));
    EXPECT_EQ(renderOrder(), (Names{"remover"}));
}

TEST(MeshRegisterOwnershipTest, APassOnAnUnownedRegisterThrowsBadWeakPtr) {
    std::vector<Visit> journal;
    MeshRegister unowned(nullptr);
    unowned.add(std::make_shared<FakeMesh>("m", journal));
    EXPECT_THROW(unowned.renderAll(), std::bad_weak_ptr);
    EXPECT_TRUE(journal.empty());
}

TEST(MeshRegisterOwnershipTest, DestroyingTheRegisterReleasesMeshesWithoutDeinit) {
    std::vector<Visit> journal;
    auto m = std::make_shared<FakeMesh>("m", journal);
    {
        auto reg = std::make_shared<MeshRegister>(nullptr);
        reg->add(m);
        reg->add(m);
        EXPECT_EQ(m.use_count(), 3);
    }
    EXPECT_EQ(m.use_count(), 1);
    EXPECT_TRUE(journal.empty());
}

} // namespace

namespace {

// Writes the group boundaries into the API's call list, between the meshes'
// own entries.
struct GroupJournal : ox::engine::mesh::IRenderGroupObserver {
    explicit GroupJournal(ox::test::RecordingRenderingApi& api)
        : api(api) {}
    void beforeGroup(std::size_t group) override { api.record("beforeGroup({})", group); }
    void afterGroup(std::size_t group) override { api.record("afterGroup({})", group); }
    ox::test::RecordingRenderingApi& api;
};

// Debug annotations and the group observer are opt-in: without them a pass
// makes exactly the meshes' own calls; with them every mesh's draw sits in a
// debug group named after it, inside its render group's boundaries, and init
// labels every mesh.
TEST_F(MeshRegisterTest, AnnotationsAndGroupBoundariesOnlyWhenAskedFor) {
    const struct {
        bool annotate;
        bool observe;
        Names init;
        Names render;
    } cases[] = {
        {false, false, {"init:a", "init:b"}, {"render a", "render b"}},
        {true,
         false,
         {"init:a", "label:a", "init:b", "label:b"},
         {"pushDebugGroup(a)", "render a", "popDebugGroup()", "pushDebugGroup(b)", "render b",
          "popDebugGroup()"}},
        {false,
         true,
         {"init:a", "init:b"},
         {"beforeGroup(0)", "render a", "afterGroup(0)", "beforeGroup(1)", "afterGroup(1)",
          "beforeGroup(2)", "render b", "afterGroup(2)"}},
    };
    for (const auto& c : cases) {
        journal.clear();
        api->calls.clear();
        auto local = std::make_shared<MeshRegister>(api);
        local->setDebugAnnotations(c.annotate);
        if (c.observe) {
            local->setGroupObserver(std::make_shared<GroupJournal>(*api));
        }
        for (const auto& [name, group] : {std::pair{"a", 0}, std::pair{"b", 2}}) {
            auto m = mesh(name, static_cast<std::uint8_t>(group));
            m->onRender = [this, name = std::string(name)](IMeshRegister&) {
                api->record("render {}", name);
            };
            local->add(m);
        }
        local->initAll();
        Names init;
        for (const auto& visit : journal) {
            init.push_back(visit.pass + ":" + visit.mesh);
        }
        EXPECT_EQ(init, c.init);
        local->renderAll();
        EXPECT_EQ(api->calls, c.render);
    }
}

// A mesh written before meshes had names and labels still compiles, and
// annotated passes give it a generic name and no labels.
class FourOperationMesh : public IMesh {
public:
    void init(std::shared_ptr<IRenderingApi>, std::shared_ptr<IMeshRegister>) override {}
    void deinit(std::shared_ptr<IRenderingApi>, std::shared_ptr<IMeshRegister>) override {}
    mesh_properties_t* getProperties() override { return nullptr; }
    void render(std::shared_ptr<IRenderingApi>, std::shared_ptr<IMeshRegister>,
                const mesh_render_data_t&) override {}
};

TEST_F(MeshRegisterTest, AMeshWithOnlyTheFirstFourOperationsIsAnnotatedUnderAGenericName) {
    reg->setDebugAnnotations(true);
    reg->add(std::make_shared<FourOperationMesh>());
    reg->initAll();
    EXPECT_TRUE(api->calls.empty());
    reg->renderAll();
    EXPECT_EQ(api->calls, (Names{"pushDebugGroup(mesh)", "popDebugGroup()"}));
}

} // namespace
