#pragma once

#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderHolder.hpp"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ox::renderer::opengl {

// A program made by RShaderBuilder::build, with the compiler and linker
// messages of its builder. Lookups ask OpenGL every time and report an unknown
// name through the renderer. The holder deletes its program when it goes, as
// long as its rendering API still has a renderer (so the context is alive).
// Owned through std::shared_ptr; main thread with a current context only.
class RShaderHolder : public IShaderHolder {
public:
    RShaderHolder(std::weak_ptr<IRenderingApi> api, bool linked, std::uint32_t program,
                  std::vector<std::string> messages);
    ~RShaderHolder() override;

    RShaderHolder(const RShaderHolder&) = delete;
    RShaderHolder& operator=(const RShaderHolder&) = delete;

    std::uint32_t getProgram() const override;
    void forEachMessage(std::function<void(const std::string_view)> visitor) const override;
    bool isLinked() const override;
    void use() const override;
    std::shared_ptr<IShaderUniformHolder>
    getUniformLocation(const std::string_view& name) const override;
    using IShaderHolder::getAttributeLocation;
    std::shared_ptr<IShaderAttributeHolder>
    getAttributeLocation(const std::string_view& name, EDataType dataType,
                         std::int32_t componentCount) const override;
    std::shared_ptr<IShaderAttributeHolder>
    getAttributeLocation(std::string name, EDataType dataType,
                         std::int32_t componentCount) const override;

private:
    // Sends the not-found message (when `found` is false) and then the error
    // poll to the renderer, if the API and its renderer are still there.
    void reportLookup(bool found, const std::string& message,
                      const std::string_view& callName) const;

    std::weak_ptr<IRenderingApi> api;
    bool linked;
    std::uint32_t program;
    std::vector<std::string> messages;
};

} // namespace ox::renderer::opengl
