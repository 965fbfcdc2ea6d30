#pragma once

#include "QelCore/FrameStats.h"
#include "QelRenderer/FrameResources.h"

#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>

#include <cstddef>
#include <cstdint>
#include <string>

namespace Qel {

class Font;

/// What the frame overlay shows.
struct OverlayFigures {
    FrameReport timing;
    uint64_t entities = 0;
    /// Instanced draws of the sprite and UI batches in the last frame.
    uint64_t drawCalls = 0;
    size_t particles = 0;
};

/// The overlay's lines for these figures.
std::string overlayText(const OverlayFigures& figures);

/// The frame overlay (Left Shift + F4): frames per second, where the frame time goes, and the
/// entity, draw-call and particle counts, in the top-left corner over a dark backdrop so that it
/// reads over any scene. The figures change when the frame statistics publish new ones, a few
/// times a second. While off it costs one flag check per frame.
class FrameOverlay {
public:
    FrameOverlay() = default;
    /// Releases the backdrop texture; needs the GL context when the overlay was ever drawn.
    ~FrameOverlay();
    FrameOverlay(const FrameOverlay&) = delete;
    FrameOverlay& operator=(const FrameOverlay&) = delete;

    /// Switches the overlay and the frame-rate controller's frame split on or off together.
    void toggle();
    bool isOn() const { return on; }

    /// Draws the overlay into the bound framebuffer through the UI batch and the "ui" program,
    /// after taking new figures when there are any. drawCalls: the last frame's batched draws.
    void draw(UIBatch& batch, Shader& ui, glm::vec2 windowSize, const glm::mat4& screenProjection,
              uint64_t drawCalls);

    /// The figures on screen.
    const OverlayFigures& figures() const { return shown; }

private:
    void refresh(uint64_t drawCalls);

    bool on = false;
    /// The statistics' report count when the figures were taken; ~0 forces the first refresh.
    uint64_t shownReport = ~0ULL;
    OverlayFigures shown;
    std::string text;
    /// A single fully covered texel, stretched into the backdrop.
    uint32_t backdrop = 0;
};

/// The engine's font for its own text: the loaded font with the smallest key, or null.
Font* engineFont();

} // namespace Qel
