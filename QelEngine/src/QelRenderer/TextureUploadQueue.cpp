#include "QelRenderer/TextureUploadQueue.h"

#include <stb_image.h>

#include <utility>

namespace Qel {

void DecodedPixelsDeleter::operator()(uint8_t* pixels) const {
    stbi_image_free(pixels);
}

void TextureUploadQueue::push(TextureUploadRequest request) {
    std::lock_guard lock(mutex);
    requests.push_back(std::move(request));
}

TextureQueueStep
TextureUploadQueue::completeFront(const std::function<bool(TextureUploadRequest&)>& complete) {
    std::lock_guard lock(mutex);
    if (requests.empty()) return TextureQueueStep::Empty;
    if (!complete(requests.front())) return TextureQueueStep::Retry;
    requests.pop_front();
    return requests.empty() ? TextureQueueStep::UploadedLast : TextureQueueStep::UploadedMore;
}

bool TextureUploadQueue::empty() const {
    std::lock_guard lock(mutex);
    return requests.empty();
}

size_t TextureUploadQueue::size() const {
    std::lock_guard lock(mutex);
    return requests.size();
}

} // namespace Qel
