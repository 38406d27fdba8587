#pragma once

#include <string_view>

// The tunnel triangle's program, written out again so that the baseline holds
// no engine code. The engine benchmarks check that these texts are still the
// engine's own, so the two programs compile exactly the same shaders.
namespace vexel::baseline {

inline constexpr std::string_view triangleVertexSource =
    "\n#version 430 core\nuniform mat4 mvp_matrix;\nin vec3 position;\nin vec3 color;\n\nout "
    "VS_OUT\n{\n\tvec4 color;\n} vs_out;\n\nvoid main()\n{\n\tgl_Position = mvp_matrix * "
    "vec4(position.x, position.y, position.z, 1.0);\n\tvs_out.color = vec4(color, 1.0);\n}\n";

inline constexpr std::string_view triangleFragmentSource =
    "\n#version 430 core\nout vec4 color;\n\nin VS_OUT\n{\n\tvec4 color;\n} fs_in;\n\nvoid "
    "main()\n{\n    color = fs_in.color;\n}\n";

} // namespace vexel::baseline
