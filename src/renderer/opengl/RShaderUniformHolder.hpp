#pragma once

#include "renderer/IShaderUniformHolder.hpp"

#include <cstdint>
#include <string>

namespace ox::renderer::opengl {

// A uniform location of one program; does not refer back to the program. The
// setters act on the current program, unchecked and unpolled. Made by
// RShaderHolder's lookups and owned by the caller. Main thread only.
class RShaderUniformHolder final : public IShaderUniformHolder {
public:
    RShaderUniformHolder(bool valid, std::string name, std::int32_t location);

    bool isValid() const override;
    std::string getName() const override;
    std::int32_t getLocation() const override;
    void set(const glm::mat4& matrix) const override;
    void set(const glm::vec4& vector) const override;
    void set(const std::array<float, 4>& vector) const override;
    void set(std::span<const float, 4> vector) const override;
    void set(const std::uint32_t& value) const override;
    void set(const float& value) const override;

private:
    bool valid;
    std::string name;
    std::int32_t location;
};

} // namespace ox::renderer::opengl
