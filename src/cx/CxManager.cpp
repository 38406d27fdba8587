#include "cx/CxManager.hpp"

#include <cstddef>

namespace ox::cx {
namespace {

// One level of the graph: nodes that depend only on earlier levels, updated in
// the order they were added.
class CxWave : public ICx {
public:
    std::vector<std::shared_ptr<ICx>> nodes;

    int update() override {
        for (const auto& node : nodes) {
            node->update();
        }
        return 0;
    }
};

} // namespace

struct CxManager::Waves {
    std::vector<CxWave> levels;
};

CxManager::CxManager()
    : waves(std::make_unique<Waves>()) {}

CxManager::~CxManager() = default;

int CxManager::add(std::shared_ptr<ICx> node, std::initializer_list<std::shared_ptr<ICx>> inputs) {
    return place(std::move(node),
                 std::span<const std::shared_ptr<ICx>>(inputs.begin(), inputs.size()));
}

int CxManager::place(std::shared_ptr<ICx> node, std::span<const std::shared_ptr<ICx>> inputs) {
    if (!node) {
        return -1;
    }
    auto& levels = waves->levels;
    std::size_t level = 0;
    // Searching from the last wave down, the first hit is the highest level
    // among the inputs; nothing below it can raise the result.
    bool found = false;
    for (std::size_t i = levels.size(); i > 0 && !found && !inputs.empty(); --i) {
        for (const auto& input : inputs) {
            for (const auto& held : levels[i - 1].nodes) {
                if (held == input) {
                    found = true;
                    break;
                }
            }
            if (found) {
                level = i;
                break;
            }
        }
    }
    while (levels.size() < level + 1) {
        levels.emplace_back();
    }
    levels[level].nodes.push_back(std::move(node));
    return static_cast<int>(level);
}

int CxManager::update() {
    auto& levels = waves->levels;
    // Index loop and a copy of each wave: a node that registers new nodes while
    // it runs must not invalidate what is being iterated, and every node stays
    // alive until its update has returned.
    for (std::size_t i = 0; i < levels.size(); ++i) {
        CxWave wave = levels[i];
        wave.update();
    }
    return 0;
}

} // namespace ox::cx
