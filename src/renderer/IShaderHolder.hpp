#pragma once

#include "renderer/EDataType.hpp"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace ox::renderer {

struct IShaderUniformHolder;
struct IShaderAttributeHolder;

// A built shader program: its name, whether it linked, and the compiler and
// linker messages. Never changes after construction. Lookups return a new handle
// each time (also for unknown names, with isValid() false). Owned through
// std::shared_ptr; main thread with a current context only.
struct IShaderHolder {
    virtual std::uint32_t getProgram() const = 0;
    // Calls the visitor once per message, in order; an empty visitor does nothing.
    virtual void forEachMessage(std::function<void(const std::string_view)> visitor) const = 0;
    virtual bool isLinked() const = 0;
    // Makes the program current, unchecked.
    virtual void use() const = 0;
    // Any view will do: the name is copied before it reaches OpenGL.
    virtual std::shared_ptr<IShaderUniformHolder>
    getUniformLocation(const std::string_view& name) const = 0;
    virtual std::shared_ptr<IShaderAttributeHolder>
    getAttributeLocation(const std::string_view& name, EDataType dataType,
                         std::int32_t componentCount) const = 0;
    virtual std::shared_ptr<IShaderAttributeHolder>
    getAttributeLocation(std::string name, EDataType dataType,
                         std::int32_t componentCount) const = 0;
    virtual ~IShaderHolder() = default;

    // A string literal converts equally well to both overloads above; this one
    // settles the choice. Not virtual, so implementations re-expose it with
    // `using IShaderHolder::getAttributeLocation;`.
    std::shared_ptr<IShaderAttributeHolder>
    getAttributeLocation(const char* name, EDataType dataType, std::int32_t componentCount) const {
        return getAttributeLocation(std::string_view{name}, dataType, componentCount);
    }
};

} // namespace ox::renderer
