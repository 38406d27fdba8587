// Also the one place that compiles every interface header in the normal build,
// so a header that stops compiling is noticed before a back end includes it.
#include "renderer/IMonitor.hpp"
#include "renderer/IMonitorVideoMode.hpp"
#include "renderer/IRenderer.hpp"
#include "renderer/IRendererWindow.hpp"
#include "renderer/IRendererWindowFactory.hpp"
#include "renderer/IRendererWindowOpenGlHintFactory.hpp"
#include "renderer/IRenderingApi.hpp"
#include "renderer/IShaderAttributeHolder.hpp"
#include "renderer/IShaderBuilder.hpp"
#include "renderer/IShaderHolder.hpp"
#include "renderer/IShaderUniformHolder.hpp"

#include <gtest/gtest.h>

using namespace ox::renderer;

namespace {

// The back end's constant tables are indexed by these values.
static_assert(static_cast<int>(ECapability::DepthTest) == 16);
static_assert(static_cast<int>(ECapability::VertexProgramTwoSide) == 78);
static_assert(static_cast<int>(ECapability::TextureGenQ) == 73);
static_assert(static_cast<int>(ECapability::PolygonOffsetLine) == 56);
static_assert(static_cast<int>(EPrimitiveMode::LineStrip) == 2);
static_assert(static_cast<int>(EPrimitiveMode::LineLoop) == 3);
static_assert(static_cast<int>(EDataType::UnsignedInt10F11F11FRev) == 12);
static_assert(static_cast<int>(EBufferUsage::DynamicCopy) == 8);
static_assert(static_cast<int>(EBufferTarget::UniformBuffer) == 13);
static_assert(static_cast<int>(EWindowIntHint::ContextVersionMinor) == 14);
static_assert(static_cast<int>(EWindowBoolHint::OpenGlDebugContext) == 6);
static_assert(static_cast<int>(EOpenGlProfile::Compatibility) == 1);
static_assert(sizeof(EClearBuffer) == 2);
static_assert(sizeof(context_version_t) == 2);

TEST(RenderingApiTypesTest, ClearBufferFlagsCombineBits) {
    const clear_buffer_flags_t colorAndDepth = EClearBuffer::Color | EClearBuffer::Depth;
    EXPECT_EQ(colorAndDepth.bits, 3);
    EXPECT_TRUE(colorAndDepth.has(EClearBuffer::Color));
    EXPECT_TRUE(colorAndDepth.has(EClearBuffer::Depth));
    EXPECT_FALSE(colorAndDepth.has(EClearBuffer::Stencil));

    const auto all = colorAndDepth | EClearBuffer::Accum | EClearBuffer::Stencil;
    EXPECT_EQ(all.bits, 0xF);
    EXPECT_EQ(colorAndDepth | EClearBuffer::Color, colorAndDepth);

    const clear_buffer_flags_t none{};
    EXPECT_EQ(none.bits, 0);
    EXPECT_FALSE(none.has(EClearBuffer::Color));
}

} // namespace
