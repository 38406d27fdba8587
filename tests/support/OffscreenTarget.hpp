#pragma once

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace ox::test {

// A colour and depth framebuffer of its own for pixel tests, bound and
// cleared to black on creation: what a hidden window's default framebuffer
// holds is not guaranteed. Needs the context current for its whole life.
class OffscreenTarget {
public:
    explicit OffscreenTarget(int size)
        : size(size) {
        glGenFramebuffers(1, &framebuffer);
        glGenRenderbuffers(2, renderbuffers);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[0]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, size, size);
        glBindRenderbuffer(GL_RENDERBUFFER, renderbuffers[1]);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT24, size, size);
        glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER,
                                  renderbuffers[0]);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER,
                                  renderbuffers[1]);
        EXPECT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER),
                  static_cast<GLenum>(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, size, size);
        clear();
    }
    ~OffscreenTarget() {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteRenderbuffers(2, renderbuffers);
        glDeleteFramebuffers(1, &framebuffer);
    }
    OffscreenTarget(const OffscreenTarget&) = delete;
    OffscreenTarget& operator=(const OffscreenTarget&) = delete;

    void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // How many pixels of the rows [firstRow, endRow) (row 0 at the bottom)
    // are not black.
    int litPixels(int firstRow, int endRow) const {
        std::vector<std::uint8_t> pixels(static_cast<std::size_t>(size * size * 4));
        glReadPixels(0, 0, size, size, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0;
        for (int y = firstRow; y < endRow; ++y) {
            for (int x = 0; x < size; ++x) {
                const auto* p = &pixels[static_cast<std::size_t>((y * size + x) * 4)];
                lit += (p[0] > 8 || p[1] > 8 || p[2] > 8) ? 1 : 0;
            }
        }
        return lit;
    }
    int litPixels() const { return litPixels(0, size); }

private:
    int size;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};
};

} // namespace ox::test
