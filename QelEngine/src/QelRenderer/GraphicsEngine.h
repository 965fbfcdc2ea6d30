#pragma once

#include "QelCore/Singleton.h"
#include "QelRenderer/TextureUploadQueue.h"

#include <cstdint>

namespace Qel {

class Message;

/// The renderer. Created by Systems after the window and its GL context exist; every GL call it
/// makes happens on the main thread. Loading workers hand it decoded textures through the
/// "MTTextureCreateRequest" message to the "GraphicsMultiThreadReceiver" receiver.
class GraphicsEngine : public Singleton<GraphicsEngine> {
public:
    /// Only constructs: no GL call until Startup.
    GraphicsEngine() = default;
    /// Unsubscribes the texture receiver; pixels still queued are freed.
    ~GraphicsEngine() override;

    /// Loads the GL entry points (failure is a strong assertion) and sets the fixed blending and
    /// line-width state. Needs the window's context to be current.
    void Startup();

    /// Registers the "GraphicsMultiThreadReceiver" receiver and subscribes it to
    /// "MTTextureCreateRequest"; a missing message manager or receiver is a strong assertion.
    void subscribeTextureRequests();

    /// Uploads one request's pixels into the registered texture under its key and frees them.
    /// Returns false, keeping the pixels, while that texture is not registered yet.
    bool MTTextureCreate(TextureUploadRequest& request);

    /// One step of the upload queue on the main thread: completes at most its front request.
    TextureQueueStep processTextureRequest();
    /// Whether uploads are still waiting (takes the queue's mutex).
    bool hasPendingTextureRequests() const { return !textureQueue.empty(); }

    /// The graphics loading task for a loading worker (its argument, the GraphicsEngine, is not
    /// needed): decodes the images of "../Assets/Art", queues their uploads and logs the count.
    static void loadGraphicsAssets(void* engine);

private:
    static void onTextureCreateRequest(Message& message);

    TextureUploadQueue textureQueue;
};

} // namespace Qel
