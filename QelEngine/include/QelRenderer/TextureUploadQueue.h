#pragma once

#include "data/NameHash.h"
#include "messaging/Message.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>

namespace Qel {

/// The message a loading worker delivers at once to kGraphicsMultiThreadReceiver for each decoded
/// texture: (registry key, sRGB internal format, format, wrap mode, filter mode, pixels). The
/// pixels pass to whoever handles it; when no handler runs the sender still owns them.
using TextureCreateRequestMessage = MessageArgs<uint64_t, uint32_t, uint32_t, int, int, uint8_t*>;
inline constexpr uint64_t kTextureCreateRequest = hashName("MTTextureCreateRequest");
inline constexpr uint64_t kGraphicsMultiThreadReceiver = hashName("GraphicsMultiThreadReceiver");

/// Frees a pixel buffer that stb_image allocated.
struct DecodedPixelsDeleter {
    void operator()(uint8_t* pixels) const;
};

/// Pixels decoded by stb_image; freed when the request is done with them.
using DecodedPixels = std::unique_ptr<uint8_t, DecodedPixelsDeleter>;

/// One texture decoded on a loading worker and waiting for its GL upload on the main thread.
struct TextureUploadRequest {
    /// Registry key of the texture the pixels belong to.
    uint64_t key = 0;
    /// GL internal format to use when the texture is sRGB.
    uint32_t sRGBInternalFormat = 0;
    /// GL pixel format (GL_RGB or GL_RGBA), also the internal format when not sRGB.
    uint32_t format = 0;
    int wrapMode = 0;
    int filterMode = 0;
    DecodedPixels pixels;
};

/// What one step of the upload queue did.
enum class TextureQueueStep {
    Empty,        ///< nothing was waiting
    Retry,        ///< the front request could not be completed yet and stays at the front
    UploadedMore, ///< the front request was completed and removed; more are waiting
    UploadedLast, ///< the front request was completed and removed; the queue is now empty
};

/// First-in first-out requests from the loading workers; every operation takes the queue's mutex.
/// Pixels still queued when the queue is destroyed are freed with it.
class TextureUploadQueue {
public:
    void push(TextureUploadRequest request);

    /// Calls complete on the front request while holding the mutex (so the workers' pushes wait,
    /// never the other way round) and removes the request when complete returns true.
    TextureQueueStep completeFront(const std::function<bool(TextureUploadRequest&)>& complete);

    bool empty() const;
    size_t size() const;

private:
    mutable std::mutex mutex;
    std::deque<TextureUploadRequest> requests;
};

} // namespace Qel
