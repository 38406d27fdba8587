// The yardstick for the demo's frame rate: a program written straight against
// GLFW, GLEW and OpenGL, with no engine code, that opens the same window and
// context and issues, frame after frame, the OpenGL calls of one demo frame
// with the camera at rest:
//   clear; 360 x (bind vertex array, use program, upload the matrix, draw 3
//   indices) for the tunnel; the 6000 instanced triangles; the 600 grid lines
//   (bind, use, uniforms, draw for each);
//   the title; swap; poll events.
// What it leaves out is exactly the engine's part: the error poll after every
// call, the shader-file polls, the mesh register, the graph and the logging.
// Like the demo it builds one program per tunnel triangle and reads the two
// file-based programs from shaders/ under the working directory. It ends on
// Escape or when the window is asked to close; exit code 0, or 1 when the
// window or the programs cannot be made, 2 on a bad option.
//
// It takes the demo's two run options, so that a cost check can run both the
// same way: --fixed-dt SECONDS (the animation's time advances by exactly that
// per frame, so every run draws the same frames) and --frames N (end after N
// frames, setting the title on the last one as the demo does).

#include "baseline/BaselineShaders.hpp"

#include <GL/glew.h>
#include <GLFW/glfw3.h>
#include <glm/ext/matrix_transform.hpp>
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

using namespace vexel::baseline;

constexpr int windowSize = 1024;
constexpr int triangleCount = 360;
constexpr GLsizei swarmInstances = 6000;
constexpr GLuint gridInstances = 600;
constexpr GLsizei gridVertices = 60;

GLuint compile(GLenum stage, const std::string& source) {
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint status = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &status);
    if (status != GL_TRUE) {
        std::array<char, 4096> log{};
        glGetShaderInfoLog(shader, static_cast<GLsizei>(log.size()), nullptr, log.data());
        std::fprintf(stderr, "baseline: shader does not compile:\n%s\n", log.data());
        glDeleteShader(shader);
        return 0;
    }
    return shader;
}

// Returns 0 when a stage does not compile or the program does not link.
GLuint buildProgram(const std::string& vertexSource, const std::string& fragmentSource) {
    const GLuint vertex = compile(GL_VERTEX_SHADER, vertexSource);
    const GLuint fragment = compile(GL_FRAGMENT_SHADER, fragmentSource);
    if (vertex == 0 || fragment == 0) {
        return 0;
    }
    const GLuint program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint status = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &status);
    if (status != GL_TRUE) {
        std::fprintf(stderr, "baseline: program does not link\n");
        glDeleteProgram(program);
        return 0;
    }
    return program;
}

std::string readFile(const char* path) {
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "baseline: cannot read %s\n", path);
        return {};
    }
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The tunnel triangle's colour: hue in degrees, saturation 0.5, value 1.
glm::vec3 colorFromHue(float hue) {
    const float h = hue / 60.0f;
    const float s = std::floor(h);
    const float f = h - s;
    const float q = 1.0f - 0.5f * f;
    const float t = 1.0f - 0.5f * (1.0f - f);
    switch (static_cast<int>(s)) {
    case 1:
        return {q, 1.0f, 0.5f};
    case 2:
        return {0.5f, 1.0f, t};
    case 3:
        return {0.5f, q, 1.0f};
    case 4:
        return {t, 0.5f, 1.0f};
    case 5:
        return {1.0f, 0.5f, q};
    default:
        return {1.0f, t, 0.5f};
    }
}

struct mesh_t {
    GLuint program = 0;
    GLuint vertexArray = 0;
    std::array<GLuint, 2> buffers{};
    GLint mvp = -1;
    GLint extra = -1; // "time_elapsed" or "instance_count"
};

mesh_t makeTriangle(float depth, float hue) {
    mesh_t mesh;
    mesh.program =
        buildProgram(std::string(triangleVertexSource), std::string(triangleFragmentSource));
    mesh.mvp = glGetUniformLocation(mesh.program, "mvp_matrix");
    const GLint position = glGetAttribLocation(mesh.program, "position");
    const GLint color = glGetAttribLocation(mesh.program, "color");

    glGenBuffers(2, mesh.buffers.data());
    glGenVertexArrays(1, &mesh.vertexArray);
    glBindVertexArray(mesh.vertexArray);
    const glm::vec3 c = colorFromHue(hue);
    const std::array<float, 18> vertices{
        -0.5f, -0.5f, depth, c.r, c.g, c.b, //
        0.5f,  -0.5f, depth, c.r, c.g, c.b, //
        0.0f,  0.5f,  depth, c.r, c.g, c.b,
    };
    glBindBuffer(GL_ARRAY_BUFFER, mesh.buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices.data(), GL_STATIC_DRAW);
    constexpr GLsizei stride = 6 * sizeof(float);
    glVertexAttribPointer(static_cast<GLuint>(position), 3, GL_FLOAT, GL_FALSE, stride, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    glVertexAttribPointer(static_cast<GLuint>(color), 3, GL_FLOAT, GL_FALSE, stride,
                          reinterpret_cast<const void*>(3 * sizeof(float)));
    glEnableVertexAttribArray(static_cast<GLuint>(color));
    const std::array<GLuint, 3> indices{0, 1, 2};
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices.data(), GL_STATIC_DRAW);
    return mesh;
}

mesh_t makeSwarm() {
    mesh_t mesh;
    mesh.program = buildProgram(readFile("shaders/test-triangle-instanced.vert"),
                                readFile("shaders/test-triangle-instanced.frag"));
    mesh.mvp = glGetUniformLocation(mesh.program, "mvp_matrix");
    mesh.extra = glGetUniformLocation(mesh.program, "time_elapsed");
    const GLint position = glGetAttribLocation(mesh.program, "position");

    glGenBuffers(2, mesh.buffers.data());
    glGenVertexArrays(1, &mesh.vertexArray);
    glBindVertexArray(mesh.vertexArray);
    const std::array<float, 6> vertices{0.0f, 0.0f, -0.5f, -0.866f, 0.5f, -0.866f};
    glBindBuffer(GL_ARRAY_BUFFER, mesh.buffers[0]);
    glBufferData(GL_ARRAY_BUFFER, sizeof(vertices), vertices.data(), GL_STATIC_DRAW);
    glVertexAttribPointer(static_cast<GLuint>(position), 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    glEnableVertexAttribArray(static_cast<GLuint>(position));
    const std::array<GLuint, 3> indices{0, 1, 2};
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, mesh.buffers[1]);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(indices), indices.data(), GL_STATIC_DRAW);
    return mesh;
}

mesh_t makeGrid() {
    mesh_t mesh;
    // Its vertices come from the vertex and instance indices alone, but a core
    // context draws nothing without a vertex array bound; it has an empty one.
    glGenVertexArrays(1, &mesh.vertexArray);
    mesh.program = buildProgram(readFile("shaders/test-space-grid.vert"),
                                readFile("shaders/test-space-grid.frag"));
    mesh.mvp = glGetUniformLocation(mesh.program, "mvp_matrix");
    mesh.extra = glGetUniformLocation(mesh.program, "instance_count");
    return mesh;
}

// Perspective of the demo: fov in degrees, near 1, far 10000, depth -1..1,
// with the tangent taken in double precision as the demo does.
glm::mat4 projection(float fovDegrees, float aspect) {
    constexpr float nearPlane = 1.0f;
    constexpr float farPlane = 10000.0f;
    const float t =
        static_cast<float>(std::tan(static_cast<double>(fovDegrees * 0.017453292f * 0.5f)));
    glm::mat4 m(0.0f);
    m[0][0] = 1.0f / (t * aspect);
    m[1][1] = 1.0f / t;
    m[2][2] = -(farPlane + nearPlane) / (farPlane - nearPlane);
    m[2][3] = -1.0f;
    m[3][2] = -2.0f * farPlane * nearPlane / (farPlane - nearPlane);
    return m;
}

struct run_options_t {
    double fixedDelta = 0.0;  // 0: the real clock
    std::uint32_t frames = 0; // 0: until the window closes
};

// Accepts "--name value" and "--name=value" for the two options; false on
// anything else.
bool parseOptions(int argc, char** argv, run_options_t& options) {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string value;
        if (const auto equals = name.find('='); equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        } else if (i + 1 < argc) {
            value = argv[++i];
        }
        char* end = nullptr;
        if (name == "--fixed-dt") {
            options.fixedDelta = std::strtod(value.c_str(), &end);
            if (value.empty() || *end != '\0' || !(options.fixedDelta > 0.0)) {
                std::fprintf(stderr, "baseline: --fixed-dt needs a positive number of seconds\n");
                return false;
            }
        } else if (name == "--frames") {
            const unsigned long frames = std::strtoul(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || frames == 0 || frames > 0xffffffffUL) {
                std::fprintf(stderr, "baseline: --frames needs a positive whole number\n");
                return false;
            }
            options.frames = static_cast<std::uint32_t>(frames);
        } else {
            std::fprintf(stderr, "baseline: unknown option '%s'\n", argv[i]);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    run_options_t options;
    if (!parseOptions(argc, argv, options)) {
        return 2;
    }
    if (glfwInit() != GLFW_TRUE) {
        std::fprintf(stderr, "baseline: GLFW cannot start (no display?)\n");
        return 1;
    }
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 4);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 5);
    glfwWindowHint(GLFW_CLIENT_API, GLFW_OPENGL_API);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    GLFWwindow* window = glfwCreateWindow(windowSize, windowSize, "Vexel", nullptr, nullptr);
    if (window == nullptr) {
        std::fprintf(stderr, "baseline: no OpenGL 4.5 core window\n");
        glfwTerminate();
        return 1;
    }
    glfwMakeContextCurrent(window);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK) {
        std::fprintf(stderr, "baseline: GLEW cannot start\n");
        glfwTerminate();
        return 1;
    }
    // GLEW's extension probe leaves GL_INVALID_ENUM behind in a core context.
    while (glGetError() != GL_NO_ERROR) {
    }
    int width = 0;
    int height = 0;
    glfwGetWindowSize(window, &width, &height);
    glViewport(0, 0, width, height);
    const float aspect =
        height != 0 ? static_cast<float>(width) / static_cast<float>(height) : 1.0f;
    glfwFocusWindow(window);
    glfwSwapInterval(0);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);

    std::vector<mesh_t> tunnel;
    tunnel.reserve(triangleCount);
    for (int i = 0; i < triangleCount; ++i) {
        tunnel.push_back(makeTriangle(static_cast<float>(-180 + i), static_cast<float>(i)));
    }
    const mesh_t swarm = makeSwarm();
    const mesh_t grid = makeGrid();
    if (tunnel.back().program == 0 || swarm.program == 0 || grid.program == 0) {
        glfwTerminate();
        return 1;
    }
    glEnable(GL_DEPTH_TEST);

    // The camera at rest: at the origin, looking along +z with +y up.
    const glm::vec3 eye(0.0f);
    const glm::vec3 forward(0.0f, 0.0f, 1.0f);
    const glm::vec3 up(0.0f, 1.0f, 0.0f);
    constexpr float fov = 45.0f;

    std::array<char, 512> title{};
    double lastTitleRefresh = 0.0;
    std::uint32_t frames = 0;
    const double startTime = glfwGetTime();
    double frameTime = startTime;
    bool running = true;
    while (running) {
        ++frames;
        frameTime = glfwGetTime();
        // As in the demo, frame n under a fixed step is drawn at (n - 1) steps.
        const double animationTime = options.fixedDelta > 0.0
                                         ? static_cast<double>(frames - 1) * options.fixedDelta
                                         : frameTime;
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

        const glm::mat4 view = glm::lookAtRH(eye, eye + forward, up);
        const glm::mat4 viewProjection = projection(fov, aspect) * view;
        const GLfloat* matrix = &viewProjection[0][0];
        for (const mesh_t& triangle : tunnel) {
            glBindVertexArray(triangle.vertexArray);
            glUseProgram(triangle.program);
            glUniformMatrix4fv(triangle.mvp, 1, GL_FALSE, matrix);
            glDrawElements(GL_TRIANGLES, 3, GL_UNSIGNED_INT, nullptr);
        }
        glBindVertexArray(swarm.vertexArray);
        glUseProgram(swarm.program);
        glUniformMatrix4fv(swarm.mvp, 1, GL_FALSE, matrix);
        glUniform1f(swarm.extra, static_cast<float>(animationTime));
        glDrawElementsInstanced(GL_TRIANGLES, 3, GL_UNSIGNED_INT, nullptr, swarmInstances);
        glBindVertexArray(grid.vertexArray);
        glUseProgram(grid.program);
        glUniformMatrix4fv(grid.mvp, 1, GL_FALSE, matrix);
        glUniform1ui(grid.extra, gridInstances);
        glDrawArraysInstanced(GL_LINES, 0, gridVertices, static_cast<GLsizei>(gridInstances));

        const bool lastFrame = options.frames != 0 && frames >= options.frames;
        const double now = glfwGetTime();
        if (now - lastTitleRefresh > 1.0 || lastFrame) {
            lastTitleRefresh = now;
            const double elapsed = frameTime - startTime;
            const double average =
                std::fabs(elapsed) < 0.0001 ? 0.0 : static_cast<double>(frames) / elapsed;
            std::snprintf(title.data(), title.size() - 1,
                          "FPS: avg: %.2f, fov: %.2f, cam(%.2f,%.2f,%.2f)", average,
                          static_cast<double>(fov), static_cast<double>(eye.x),
                          static_cast<double>(eye.y), static_cast<double>(eye.z));
        }
        glfwSetWindowTitle(window, title.data());
        glfwSwapBuffers(window);
        glfwPollEvents();
        if (glfwGetKey(window, GLFW_KEY_ESCAPE) == GLFW_PRESS || lastFrame) {
            glfwSetWindowShouldClose(window, GLFW_TRUE);
        }
        running = glfwWindowShouldClose(window) == GLFW_FALSE;
    }

    for (const mesh_t* mesh : {&swarm, &grid}) {
        glDeleteProgram(mesh->program);
    }
    for (const mesh_t& triangle : tunnel) {
        glDeleteBuffers(2, triangle.buffers.data());
        glDeleteVertexArrays(1, &triangle.vertexArray);
        glDeleteProgram(triangle.program);
    }
    glDeleteBuffers(2, swarm.buffers.data());
    glDeleteVertexArrays(1, &swarm.vertexArray);
    glDeleteVertexArrays(1, &grid.vertexArray);
    glfwDestroyWindow(window);
    glfwTerminate();

    const double elapsed = frameTime - startTime;
    std::printf("baseline: %u frames in %.2f s, %.1f frames per second\n", frames, elapsed,
                elapsed > 0.0 ? frames / elapsed : 0.0);
    return 0;
}
