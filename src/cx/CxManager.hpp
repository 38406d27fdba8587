#pragma once

#include "cx/ICx.hpp"

#include <initializer_list>
#include <memory>
#include <span>
#include <type_traits>
#include <utility>
#include <vector>

namespace ox::cx {

// Owns the nodes of one computation graph and recomputes them once per pass,
// wave by wave. A node lands in the wave after the highest wave holding one of
// its inputs, so every node reads values computed earlier in the same pass and
// the pass itself needs no sorting. Held by shared pointer; main thread only.
class CxManager : public ICx {
public:
    CxManager();
    ~CxManager() override;
    CxManager(const CxManager&) = delete;
    CxManager& operator=(const CxManager&) = delete;

    // Registers `node` after the highest wave holding any of `inputs` and
    // returns that wave's index. Inputs the manager does not hold do not count.
    // An empty node is refused with -1: it could never be updated.
    int add(std::shared_ptr<ICx> node, std::initializer_list<std::shared_ptr<ICx>> inputs);

    // Builds a node of `Kind` from `args` and registers it with those arguments
    // that are node pointers, in argument order. Returns an empty pointer, and
    // builds nothing, when one of those node pointers is empty: such a node
    // would dereference it on every pass.
    template <typename Kind, typename... Args>
    std::shared_ptr<Kind> create(Args&&... args);

    // One evaluation pass over every registered node.
    int update() override;

private:
    template <typename P>
    struct IsNodePointer : std::false_type {};
    template <typename N>
    struct IsNodePointer<std::shared_ptr<N>> : std::is_base_of<ICx, N> {};

    int place(std::shared_ptr<ICx> node, std::span<const std::shared_ptr<ICx>> inputs);

    // The wave type is private to the manager's source, so the levels live
    // behind this pointer instead of in the header.
    struct Waves;
    std::unique_ptr<Waves> waves;
};

template <typename Kind, typename... Args>
std::shared_ptr<Kind> CxManager::create(Args&&... args) {
    std::vector<std::shared_ptr<ICx>> inputs;
    inputs.reserve(sizeof...(Args));
    bool complete = true;
    // Collected before the arguments are forwarded, which may move them away.
    [[maybe_unused]] auto collect = [&inputs, &complete]<typename Arg>(const Arg& arg) {
        if constexpr (IsNodePointer<std::remove_cvref_t<Arg>>::value) {
            complete = complete && arg != nullptr;
            inputs.push_back(arg);
        }
    };
    (collect(args), ...);
    if (!complete) {
        return {};
    }
    auto node = std::make_shared<Kind>(std::forward<Args>(args)...);
    place(node, inputs);
    return node;
}

} // namespace ox::cx
