#pragma once

#include "renderer/IShaderAttributeHolder.hpp"

#include <cstdint>
#include <optional>
#include <string>

namespace ox::renderer::opengl {

// A vertex attribute location of one program with the layout the caller
// expects; does not refer back to the program. Made by RShaderHolder's lookups
// and owned by the caller. Main thread only.
class RShaderAttributeHolder final : public IShaderAttributeHolder {
public:
    RShaderAttributeHolder(bool valid, std::string name, std::int32_t location, EDataType dataType,
                           std::int32_t componentCount);

    bool isValid() const override;
    std::string getName() const override;
    std::int32_t getLocation() const override;
    EDataType getDataType() const override;
    std::optional<std::uint32_t> getGlType() const override;
    std::int32_t getComponentCount() const override;

private:
    bool valid;
    std::string name;
    std::int32_t location;
    EDataType dataType;
    std::int32_t componentCount;
    std::optional<std::uint32_t> glType;
};

} // namespace ox::renderer::opengl
