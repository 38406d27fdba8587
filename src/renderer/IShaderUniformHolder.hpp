#pragma once

#include <glm/mat4x4.hpp>
#include <glm/vec4.hpp>

#include <array>
#include <cstdint>
#include <span>
#include <string>

namespace ox::renderer {

// A uniform of one program, looked up by name. The setters act on the program
// that is current (bind it first) and pass an unknown location (-1) on
// unchanged. Owned through std::shared_ptr; never deleted through this interface.
// Main thread with the program's context current only.
struct IShaderUniformHolder {
    virtual bool isValid() const = 0;
    virtual std::string getName() const = 0;
    virtual std::int32_t getLocation() const = 0;
    virtual void set(const glm::mat4& matrix) const = 0;
    virtual void set(const glm::vec4& vector) const = 0;
    virtual void set(const std::array<float, 4>& vector) const = 0;
    virtual void set(std::span<const float, 4> vector) const = 0;
    virtual void set(const std::uint32_t& value) const = 0;
    virtual void set(const float& value) const = 0;

protected:
    ~IShaderUniformHolder() = default;
};

} // namespace ox::renderer
