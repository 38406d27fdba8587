#pragma once

#include "cx/Cx0.hpp"
#include "cx/input/helpers/KeysState.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/input.hpp"

#include <cstdint>
#include <memory>

namespace ox::cx::input {

// The state of the whole keyboard. A source: onKey, registered as a key
// listener of the window, writes it between evaluation passes; the pass never
// resets it, so a key stays held from its press until its release. The node
// must outlive the listener registration. Main thread only.
class KeysPressed : public Cx0<helpers::KeysState> {
public:
    int compute() override;

    // Records `action` for `key`; the window, scan code and modifiers are not
    // needed. A key outside the table is ignored rather than written past it.
    void onKey(std::shared_ptr<renderer::IRendererWindow> window, renderer::EInputKey key,
               int scancode, renderer::EInputAction action, unsigned short mods);
};

} // namespace ox::cx::input
