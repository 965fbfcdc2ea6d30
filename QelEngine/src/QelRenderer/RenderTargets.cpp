#include "QelRenderer/RenderTargets.h"

#include "QelCore/LogManager.h"

#include <GL/glew.h>

#include <glm/common.hpp>

#include <algorithm>
#include <initializer_list>
#include <vector>

namespace Qel {

namespace {

/// (Re)allocates an RGBA16F texture of size with the filter (linear unless given) and clamped edges.
void specifyTarget(uint32_t texture, glm::ivec2 size, bool mipmapped, GLint filter = GL_LINEAR) {
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA16F, size.x, size.y, 0, GL_RGBA, GL_FLOAT, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    if (mipmapped) glGenerateMipmap(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, 0);
}

uint32_t newTexture() {
    GLuint name = 0;
    glGenTextures(1, &name);
    return name;
}

/// A framebuffer drawing into the colour textures in order, testing against depth unless it is 0;
/// an incomplete one is logged under name.
uint32_t framebufferFor(std::initializer_list<uint32_t> colors, uint32_t depth, const char* name) {
    GLuint fbo = 0;
    glGenFramebuffers(1, &fbo);
    glBindFramebuffer(GL_FRAMEBUFFER, fbo);
    std::vector<GLenum> drawBuffers;
    for (const uint32_t color : colors) {
        const GLenum attachment = GL_COLOR_ATTACHMENT0 + static_cast<GLenum>(drawBuffers.size());
        glFramebufferTexture2D(GL_FRAMEBUFFER, attachment, GL_TEXTURE_2D, color, 0);
        drawBuffers.push_back(attachment);
    }
    if (depth != 0) glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depth);
    glDrawBuffers(static_cast<GLsizei>(drawBuffers.size()), drawBuffers.data());
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE)
        logf(LOG_CRITICAL, "%s framebuffer is incomplete", name);
    return fbo;
}

/// A minimised window reports 0 x 0, which GL refuses as a texture size.
glm::ivec2 usableSize(glm::ivec2 size) {
    return {std::max(size.x, 1), std::max(size.y, 1)};
}

} // namespace

void RenderTargets::create(glm::ivec2 requested) {
    destroy();
    size = usableSize(requested);
    bloomResultClear = false;

    lightMap = newTexture();
    specifyTarget(lightMap, lightMapSize(), false);
    lightMapFBO = framebufferFor({lightMap}, 0, "Light map");

    sceneColor = newTexture();
    sceneBright = newTexture();
    // The composite reads the colour texel for texel.
    specifyTarget(sceneColor, size, false, GL_NEAREST);
    specifyTarget(sceneBright, size, true);
    glGenRenderbuffers(1, &sceneDepth);
    glBindRenderbuffer(GL_RENDERBUFFER, sceneDepth);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, size.x, size.y);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    sceneFBO = framebufferFor({sceneColor, sceneBright}, 0, "Scene");
    sceneDepthFBO = framebufferFor({sceneColor, sceneBright}, sceneDepth, "Scene with depth");

    for (int i = 0; i < 2; ++i) {
        pingpongTex[i] = newTexture();
        specifyTarget(pingpongTex[i], size, true);
        pingpongFBO[i] = framebufferFor({pingpongTex[i]}, 0, "Bloom");
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

void RenderTargets::destroy() {
    if (!exists()) return;
    for (uint32_t fbo : {sceneFBO, sceneDepthFBO}) {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, 0, 0);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, 0);
    }
    for (uint32_t fbo : {pingpongFBO[0], pingpongFBO[1], lightMapFBO}) {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo);
        glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, 0, 0);
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const GLuint framebuffers[5] = {sceneFBO, sceneDepthFBO, pingpongFBO[0], pingpongFBO[1], lightMapFBO};
    glDeleteFramebuffers(5, framebuffers);
    const GLuint textures[5] = {sceneColor, sceneBright, pingpongTex[0], pingpongTex[1], lightMap};
    glDeleteTextures(5, textures);
    glDeleteRenderbuffers(1, &sceneDepth);
    lightMapFBO = lightMap = sceneFBO = sceneDepthFBO = sceneColor = sceneBright = sceneDepth = 0;
    pingpongFBO[0] = pingpongFBO[1] = pingpongTex[0] = pingpongTex[1] = 0;
}

glm::ivec2 RenderTargets::lightMapSize() const {
    return (size + (kLightMapShrink - 1)) / kLightMapShrink;
}

glm::ivec2 RenderTargets::bloomSize() const {
    return glm::max(size / kBloomShrink, glm::ivec2(1));
}

glm::vec2 RenderTargets::bloomRegion() const {
    return glm::vec2(bloomSize()) / glm::vec2(size);
}

void RenderTargets::beginFrame(glm::ivec2 requested) {
    // Re-allocating (and mipmapping) four window-sized float textures costs milliseconds on a
    // software rasteriser, so it happens only when the window size changed since the last frame.
    if (!exists() || usableSize(requested) != size) create(requested);
    glBindFramebuffer(GL_FRAMEBUFFER, sceneFBO);
    // Per attachment: the colour gets the clear colour, the bright target nothing. Clearing through
    // the framebuffer takes the rasteriser's fast path, which clearing the texture does not.
    float clearColor[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clearColor);
    const float transparent[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearBufferfv(GL_COLOR, 0, clearColor);
    glClearBufferfv(GL_COLOR, 1, transparent);
}

void RenderTargets::clearBloomResult() {
    if (bloomResultClear) return;
    const float none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    glClearTexImage(pingpongTex[1], 0, GL_RGBA, GL_FLOAT, none);
    bloomResultClear = true;
}

} // namespace Qel
