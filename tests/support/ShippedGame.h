#pragma once

// A test of the engine's real systems on the shipped content: a sandbox game folder whose Assets
// and Defaults are the repository's, entered at its run folder, with a window, the files helper,
// the component catalogue, every system registered and the sprite defaults loaded. A subclass adds
// what it needs, then loads the systems. Needs an X display (skips without one).
#include "Files.h"
#include "World.h"

#include "QelCore/FileHelper.h"
#include "QelCore/WindowHandler.h"

#include <gtest/gtest.h>

#include <memory>

namespace Qel::test {

class ShippedGameTest : public testing::Test {
protected:
    explicit ShippedGameTest(float frameSeconds = 1.0f / 60.0f);

    void SetUp() override;
    /// Whether SetUp went through (no skip, no fatal failure), for a subclass's own SetUp.
    bool ready() const { return !IsSkipped() && !HasFatalFailure(); }

    /// One frame: this frame's input aged, the systems updated, the queued messages delivered.
    void frame();
    /// `code` (a key or mouse button) pressed for one frame and released the next.
    void press(int code);

    const float frameSeconds;
    Sandbox tree;
    World world;
    std::unique_ptr<FileHelper> files;
    std::unique_ptr<WindowHandler> window;
};

} // namespace Qel::test
