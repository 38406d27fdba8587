#pragma once

#include "renderer/EDataType.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace ox::renderer {

// A vertex attribute of one program, looked up by name, with the component type
// and count the caller expects. Owned through std::shared_ptr; never deleted
// through this interface. Main thread only.
struct IShaderAttributeHolder {
    virtual bool isValid() const = 0;
    virtual std::string getName() const = 0;
    virtual std::int32_t getLocation() const = 0;
    virtual EDataType getDataType() const = 0;
    // The OpenGL type constant (a GLenum) of the data type; empty when the data
    // type is not an EDataType.
    virtual std::optional<std::uint32_t> getGlType() const = 0;
    virtual std::int32_t getComponentCount() const = 0;

protected:
    ~IShaderAttributeHolder() = default;
};

} // namespace ox::renderer
